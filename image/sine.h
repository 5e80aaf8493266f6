// The shared sine table of the rendering: 1024 signed 16-bit entries over one
// full turn, peak 32766. Sine of angle a is SineTable[a & SineTableMask],
// cosine is SineTable[(a + 256) & SineTableMask]; products with an entry are
// shifted right by 15 (or more) to bring them back to pixels.
#ifndef VORN_IMAGE_SINE_H
#define VORN_IMAGE_SINE_H

#include <cstdint>

extern const int16_t SineTable[1024];
extern const int32_t SineTableCount;  // 1024
extern const int32_t SineTableMask;   // 1023

#endif
