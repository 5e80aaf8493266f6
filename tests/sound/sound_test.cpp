#include "sound.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "sample.h"
#include "sample_helpers.h"

namespace {

Sample Filled(int32_t length, int32_t value) {
  Sample s;
  SAMPLESetLength(s, length);
  for (int32_t i = 0; i < length; ++i) SAMPLESet(s, i, value);
  return Sample(s.release());
}

std::vector<int32_t> WaveTable() {
  Sample s;
  SAMPLESetLength(s, 44100);
  SOUNDSine(s, 1);  // one cycle per 44100 values reproduces the table
  return Values(s);
}

TEST(Sound, WaveTableEntries) {
  std::vector<int32_t> t = WaveTable();
  EXPECT_EQ(t[0], 0);
  EXPECT_EQ(t[1], 4);
  EXPECT_EQ(t[100], 466);
  EXPECT_EQ(t[5512], 23168);
  EXPECT_EQ(t[11025], 32766);
  EXPECT_EQ(t[22050], 0);
  EXPECT_EQ(t[33075], -32766);
  EXPECT_EQ(t[44099], -4);
  // Entries where rounding i x pi/2 to single precision first would give 10129 and 16059.
  EXPECT_EQ(t[2206], 10130);
  EXPECT_EQ(t[3595], 16058);
  for (int32_t i = 0; i <= 11025; ++i) {
    ASSERT_EQ(t[size_t(22050 - i)], t[size_t(i)]) << i;
    ASSERT_EQ(t[size_t(22050 + i)], -t[size_t(i)]) << i;
  }
}

TEST(Sound, SineReadsTheTableAtWholeHertzStepsAlsoHighUp) {
  std::vector<int32_t> table = WaveTable();
  for (int32_t f : {0, 440, 3324, 30000, 44099}) {
    Sample s;
    SAMPLESetLength(s, 5000);
    SOUNDSine(s, f);
    for (int32_t i = 0; i < 5000; ++i)
      ASSERT_EQ(SAMPLEGet(s, i), table[size_t((int64_t(i) * f) % 44100)]) << f << " Hz, value " << i;
  }
}

TEST(Sound, SquareLayoutOfWholeCycles) {
  Sample s = Filled(22050, 5);
  SOUNDSquare(s, 1000);
  for (int32_t i = 0; i <= 21; ++i) ASSERT_EQ(SAMPLEGet(s, i), 32767) << i;
  EXPECT_EQ(SAMPLEGet(s, 22), 0);
  for (int32_t i = 23; i <= 42; ++i) ASSERT_EQ(SAMPLEGet(s, i), -32768) << i;
  EXPECT_EQ(SAMPLEGet(s, 43), 0);
  EXPECT_EQ(SAMPLEGet(s, 44), 32767);
  EXPECT_EQ(SAMPLEGet(s, 22048), 0);   // the last whole cycle ends here
  EXPECT_EQ(SAMPLEGet(s, 22049), 5);   // after it: untouched
}

TEST(Sound, SquareOnLongSamplesAndRefusedFrequencies) {
  // 100000 values: the cycle count needs more than 32 bits on the way.
  Sample s = Filled(100000, 5);
  SOUNDSquare(s, 1000);
  // 2267 whole cycles of 1445068 / 32768 values; the last ends at value 99973.
  EXPECT_EQ(SAMPLEGet(s, 99973), 0);
  EXPECT_EQ(SAMPLEGet(s, 99974), 5);
  int64_t lastStart = (int64_t(2266) * 1445068) >> 15;
  EXPECT_EQ(SAMPLEGet(s, int32_t(lastStart)), 32767);
  EXPECT_EQ(SAMPLEGet(s, 99972), -32768);
  Sample untouched = Filled(100, 5);
  SOUNDSquare(untouched, 0);
  SOUNDSquare(untouched, -3);
  SOUNDSquare(untouched, 44101);
  EXPECT_EQ(Values(untouched), std::vector<int32_t>(100, 5));
}

TEST(Sound, NoiseIsFilledFromTheEnd) {
  srand(99);
  std::vector<int32_t> levels;
  for (int i = 0; i < 12; ++i) levels.push_back((rand() & 0xFFFF) - 32768);
  srand(99);
  Sample s;
  SAMPLESetLength(s, 100);
  SOUNDNoise(s, 4410);
  // The first level covers the last 22050 / 4410 = 5 values, later ones 10 each.
  for (int32_t n = 99; n >= 0; --n) {
    size_t level = n >= 95 ? 0 : size_t((94 - n) / 10 + 1);
    ASSERT_EQ(SAMPLEGet(s, n), levels[level]) << n;
  }
  srand(1);
  Sample every;
  SAMPLESetLength(every, 50);
  SOUNDNoise(every, 44100);
  srand(1);
  rand();  // the level drawn before the first value is replaced at once
  for (int32_t n = 49; n >= 0; --n) ASSERT_EQ(SAMPLEGet(every, n), (rand() & 0xFFFF) - 32768);
  Sample held;
  SAMPLESetLength(held, 50);
  SOUNDNoise(held, 0);
  EXPECT_EQ(SAMPLEMin(held), SAMPLEMax(held));
}

TEST(Sound, FadesStepTheGainLinearly) {
  Sample out = Filled(4, 32767);
  SOUNDFadeOut(out);
  EXPECT_EQ(Values(out), (std::vector<int32_t>{32767, 24575, 16383, 8191}));
  Sample in = Filled(4, 32767);
  SOUNDFadeIn(in);
  EXPECT_EQ(Values(in), (std::vector<int32_t>{0, 8191, 16383, 24575}));
  Sample loud = Filled(3, 1 << 20);  // beyond the 16-bit scale: no overflow
  SOUNDFadeOut(loud);
  EXPECT_EQ(SAMPLEGet(loud, 0), 1 << 20);
  Sample empty;
  SOUNDFadeOut(empty);
  SOUNDFadeIn(empty);
  EXPECT_EQ(empty->length, 0);
}

TEST(Sound, DecayAndAttackOfAConstant) {
  Sample decay = Filled(10, 32767);
  SOUNDDecay(decay);
  EXPECT_EQ(SAMPLEGet(decay, 0), 32766);
  EXPECT_EQ(SAMPLEGet(decay, 9), 1819);
  Sample attack = Filled(10, 32767);
  SOUNDAttack(attack);
  EXPECT_EQ(SAMPLEGet(attack, 0), 0);
  EXPECT_EQ(SAMPLEGet(attack, 9), 30946);  // the rising ramp ends at 32767 - 1820
  Sample twice = Filled(22050, -65536);  // doubled values stay within 32 bits
  SOUNDDecay(twice);
  EXPECT_EQ(SAMPLEGet(twice, 0), -65534);
  EXPECT_EQ(SAMPLEGet(twice, 22049), 0);
}

}  // namespace

namespace {

// The envelopes against their definition: a ramp drawn with SAMPLELine,
// SAMPLEMultiply and SAMPLEShiftRight by 15, on random values and lengths.
TEST(Sound, EnvelopesMatchRampMultiplyAndShift) {
  srand(3);
  for (int trial = 0; trial < 200; ++trial) {
    int32_t length = trial % 7 == 0 ? 22050 : rand() % 500 + 1;
    bool decay = trial % 2 == 0;
    Sample s, ramp;
    for (SAMPLE* x : {static_cast<SAMPLE*>(s), static_cast<SAMPLE*>(ramp)}) SAMPLESetLength(x, length);
    for (int32_t i = 0; i < length; ++i) SAMPLESet(s, i, rand() % 262144 - 131072);
    Sample copy(SAMPLECopy(s));
    SAMPLELine(ramp, 0, decay ? 32767 : 0, length - 1, decay ? 0 : 32767);
    SAMPLEMultiply(copy, ramp);
    SAMPLEShiftRight(copy, 15);
    if (decay)
      SOUNDDecay(s);
    else
      SOUNDAttack(s);
    ASSERT_EQ(Values(s), Values(copy)) << "trial " << trial;
  }
}

}  // namespace
