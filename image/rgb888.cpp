// RGB888: single-colour channel arithmetic.
#include "rgb888.h"

#include <cstdio>

#include "channels.h"

const char* const RGB888Ident[5] = {"RGB888  ", "20120402", "ZEKTORIN", "C", "CODE"};
uint8_t RGB888Debug = 0;

void RGB888Error(void) {
  if (RGB888Debug) puts("RGB888 error");
}

uint32_t RGB888Add(uint32_t a, uint32_t b) { return channels::AddSaturate(a, b); }

uint32_t RGB888Sub(uint32_t a, uint32_t b) { return channels::SubSaturate(a, b); }

// (a + b) >> 1 per channel: the shared bits plus half of the differing ones.
uint32_t RGB888Average(uint32_t a, uint32_t b) {
  a &= channels::kRgb;
  b &= channels::kRgb;
  return (a & b) + (((a ^ b) >> 1) & 0x7F7F7F);
}

uint32_t RGB888ToBGR(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

uint32_t RGB888FromBGR(uint32_t colour) { return RGB888ToBGR(colour); }

uint8_t* RGB888ToBytes(uint32_t colour, uint8_t* bytes) {
  if (!bytes) return bytes;
  bytes[0] = uint8_t(colour >> 16);
  bytes[1] = uint8_t(colour >> 8);
  bytes[2] = uint8_t(colour);
  return bytes;
}

uint32_t RGB888FromBytes(int32_t r, int32_t g, int32_t b) {
  return (uint32_t(r) & 255) << 16 | (uint32_t(g) & 255) << 8 | (uint32_t(b) & 255);
}

uint32_t RGB888AddGrey(uint32_t colour, uint32_t grey) {
  return channels::AddSaturate(colour, (grey & 0xFF) * 0x010101);
}

uint32_t RGB888SubGrey(uint32_t colour, uint32_t grey) {
  return channels::SubSaturate(colour, (grey & 0xFF) * 0x010101);
}
