#include "sound.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "sample_helpers.h"

namespace {

TEST(Sound, WaveTableEntriesAndSineAtWholeHertzSteps) {
  Sample one(V(44100)), high(V(5000));
  SOUNDSine(one, 1);  // one cycle per 44100 values reproduces the table
  V t = Values(one), entries;
  // 2206 and 3595 tell the exact product from i x pi/2 rounded to single precision first.
  for (size_t i : {0, 1, 100, 2206, 3595, 5512, 11025, 22050, 33075, 44099})
    entries.push_back(t[i]);
  EXPECT_EQ(entries, (V{0, 4, 466, 10130, 16058, 23168, 32766, 0, -32766, -4}));
  SOUNDSine(high, 44099);  // a step of almost a second: the phase must not overflow
  for (size_t i = 0; i < 5000; ++i) ASSERT_EQ(high->items[i], t[i * 44099 % 44100]) << i;
  // Negative frequencies and those whose phase leaves the table give silence, also
  // over a length at which the phase of INT32_MAX Hz would pass 64 bits.
  Sample silent(V(200000, 5));
  for (int32_t f : {-1, -44100, INT32_MIN, 44100, 88200, INT32_MAX}) {
    SOUNDSine(silent, f);
    EXPECT_EQ(Values(silent), V(200000, 0)) << f;
  }
}

TEST(Sound, SquareWritesWholeCyclesOnly) {
  // 1000 Hz over 100000 values: 2267 whole cycles (the count needs more than 32 bits on the
  // way); the last is 99930..99951 up, a 0, down to 99972, a 0; the values after it are kept.
  Sample s(V(100000, 5));
  SOUNDSquare(s, 1000);
  V at;
  for (size_t i : {99929, 99930, 99951, 99952, 99953, 99972, 99973, 99974})
    at.push_back(s->items[i]);
  EXPECT_EQ(at, (V{0, 32767, 32767, 0, -32768, -32768, 0, 5}));
}

TEST(Sound, EnvelopesOfAConstantAndBadArguments) {
  // Each shape's first and last values, or all of them when the length is 4.
  const struct { void (*shape)(SAMPLE*); int32_t length, value; V expected; } cases[] = {
      {SOUNDFadeOut, 4, 32767, {32767, 24575, 16383, 8191}},
      {SOUNDFadeIn, 4, 32767, {0, 8191, 16383, 24575}},
      {SOUNDFadeOut, 3, 1 << 20, {1 << 20, 349536}},  // beyond the 16-bit scale: no overflow
      {SOUNDAttack, 10, 32767, {0, 30946}},           // the rising ramp ends at 32767 - 1820
      {SOUNDAttack, 3, 1 << 16, {0, 49150}},          // and starts at 0: nothing of the first value
  };
  for (const auto& c : cases) {
    Sample s(V(size_t(c.length), c.value));
    c.shape(s);
    V v = Values(s);
    EXPECT_EQ((c.length == 4 ? v : V{v.front(), v.back()}), c.expected)
        << c.length << " " << c.value;
  }
  // Bad arguments change nothing.
  Sample s(V(100, 5)), empty;
  for (int32_t f : {0, -3, 44101}) SOUNDSquare(s, f);
  for (auto shape : {SOUNDFadeOut, SOUNDFadeIn, SOUNDDecay, SOUNDAttack})
    shape(empty), shape(nullptr);
  SOUNDSine(nullptr, 1), SOUNDSquare(nullptr, 1000), SOUNDNoise(nullptr, 1);
  EXPECT_EQ(std::pair(Values(s), empty->length), std::pair(V(100, 5), 0));
}

}  // namespace
