// The hue wheel table.
#include "demo_hue.h"

#include <cstdint>

#include "sample.h"

SAMPLE* DemoHueWheelNew(void) {
  SAMPLE* wheel = SAMPLENew();
  if (!wheel) return nullptr;
  SAMPLESetLength(wheel, 1536);
  if (wheel->length != 1536) {
    SAMPLEFree(&wheel);
    return nullptr;
  }
  for (int32_t i = 0; i < 256; ++i) {
    SAMPLESet(wheel, i, 0x00FF00 + i);                 // green to cyan
    SAMPLESet(wheel, 256 + i, 0x00FFFF - 256 * i);     // cyan to blue
    SAMPLESet(wheel, 512 + i, 0x0000FF + 65536 * i);   // blue to magenta
    SAMPLESet(wheel, 768 + i, 0xFF00FF - i);           // magenta to red
    SAMPLESet(wheel, 1024 + i, 0xFF0000 + 256 * i);    // red to yellow
    SAMPLESet(wheel, 1280 + i, 0xFFFF00 - 65536 * i);  // yellow to green
  }
  return wheel;
}
