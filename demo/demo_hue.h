// The hue wheel: 1536 colours 0x00RRGGBB around the hue circle in six ramps of
// 256 steps (green, cyan, blue, magenta, red, yellow and back), held in a sample.
#ifndef VORN_DEMO_DEMO_HUE_H
#define VORN_DEMO_DEMO_HUE_H

struct SAMPLE;

// New 1536-entry hue wheel, read with SAMPLEGet; null if memory runs out.
SAMPLE* DemoHueWheelNew(void);

#endif
