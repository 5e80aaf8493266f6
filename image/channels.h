// Per-channel arithmetic on 0x00RRGGBB pixels, all three channels at once.
// Internal to the imaging library: every result here is defined channel by
// channel, and these forms give the same bits without unpacking.
#ifndef VORN_IMAGE_CHANNELS_H
#define VORN_IMAGE_CHANNELS_H

#include <cstdint>

namespace channels {

constexpr uint32_t kRedBlue = 0xFF00FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRgb = 0xFFFFFF;

constexpr uint32_t kHigh = 0x808080;  // bit 7 of each channel

// Each channel min(255, a + b); the top bytes are ignored and the result's is 0.
// The low seven bits of each channel add without crossing into the next one;
// bit 7 and the carry out of the channel follow from a full adder.
constexpr uint32_t AddSaturate(uint32_t a, uint32_t b) {
  uint32_t low = (a & 0x7F7F7F) + (b & 0x7F7F7F);
  uint32_t sum = low ^ ((a ^ b) & kHigh);
  uint32_t carry = ((a & b) | ((a ^ b) & low)) & kHigh;
  return (sum | ((carry >> 7) * 0xFF)) & kRgb;
}

// Each channel max(0, a - b); the result's top byte is 0. Each channel is
// subtracted with its bit 7 set in a and clear in b, so no borrow crosses it;
// bit 7 and the borrow out of the channel follow from a full subtractor.
constexpr uint32_t SubSaturate(uint32_t a, uint32_t b) {
  uint32_t low = (a | kHigh) - (b & 0x7F7F7F);
  uint32_t diff = low ^ ((a ^ ~b) & kHigh);
  uint32_t borrow = ((~a & b) | (~(a ^ b) & diff)) & kHigh;
  return diff & ~((borrow >> 7) * 0xFF) & kRgb;
}

// Each channel (o * (256 - alpha) + k * alpha) >> 8 for 0 <= alpha <= 256;
// no field can pass 16 bits (255 * 256 at most), so red and blue share a word.
constexpr uint32_t Blend(uint32_t o, uint32_t k, uint32_t alpha) {
  uint32_t keep = 256 - alpha;
  uint32_t rb = ((o & kRedBlue) * keep + (k & kRedBlue) * alpha) >> 8;
  uint32_t g = ((o & kGreen) * keep + (k & kGreen) * alpha) >> 8;
  return (rb & kRedBlue) | (g & kGreen);
}

// ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F): the truncated mean of each channel.
constexpr uint32_t Average(uint32_t s, uint32_t d) {
  return ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
}

}  // namespace channels

#endif
