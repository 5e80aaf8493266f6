#include "music.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "list.h"
#include "build_platform.h"
#include "sample.h"
#include "sample_helpers.h"

namespace {

struct Music {
  MUSIC* m = MUSICNew();
  ~Music() {
    if (m) MUSICFree(&m);
  }
  MUSIC* operator->() const { return m; }
  operator MUSIC*() const { return m; }
  void Add(std::vector<int32_t> values) {
    SAMPLE* s = SAMPLENew();
    SAMPLESetLength(s, int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) SAMPLESet(s, int32_t(i), values[i]);
    MUSICAdd(m, s);
  }
};

// The draws of one step for a given seed, in this build's order (the Linux
// build draws the sixteenth's coin before the eighth's, Windows after it).
struct Draws {
  int32_t index, offset, k;
  Draws(unsigned seed, int32_t instruments, int32_t length) {
    srand(seed);
    index = rand() % instruments;
    int32_t half = rand() % 2, quarter = rand() % 2, sixteenth = 0, eighth = 0;
    if constexpr (kWindowsBuild) {
      eighth = rand() % 2;
      sixteenth = rand() % 2;
    } else {
      sixteenth = rand() % 2;
      eighth = rand() % 2;
    }
    offset = half * (length / 2) + quarter * (length / 4) + eighth * (length / 8) +
             sixteenth * (length / 16);
    k = rand() % 4;
  }
};

// A seed whose step draws repeat count 2^k.
unsigned SeedWithK(int32_t k, int32_t instruments, int32_t length) {
  for (unsigned seed = 1;; ++seed)
    if (Draws(seed, instruments, length).k == k) return seed;
}

TEST(Music, StepsOnTheFirstCallAndThenEveryPeriod) {
  Music music;
  music.Add(std::vector<int32_t>(44100, 1000));
  std::vector<int> stepped;
  for (int frame = 1; frame <= 25; ++frame) {
    std::vector<int32_t> before = Values(music->buffer);
    MUSICStep(music);
    if (Values(music->buffer) != before) stepped.push_back(frame);
  }
  EXPECT_EQ(stepped, (std::vector<int>{1, 11, 21}));
}

TEST(Music, SingleHitAtFullLevelAtTheOffset) {
  Music music;
  music.Add(std::vector<int32_t>(100, 4000));
  unsigned seed = SeedWithK(0, 1, 160000);
  Draws d(seed, 1, 160000);
  srand(seed);
  MUSICStep(music);
  std::vector<int32_t> expected(160000, 0);
  for (int32_t m = 0; m < 100; ++m) expected[size_t(d.offset + m)] = 4000 >> 2;  // pattern >> 2
  EXPECT_EQ(Values(music->buffer), expected);
}

TEST(Music, EightHitsAtAQuarterLevelBlendWithTheOldLoop) {
  Music music;
  music.Add({9});
  music.Add(std::vector<int32_t>(30000, 4000));  // longer than the spacing: copies overlap
  std::mt19937 random(3);
  for (int32_t i = 0; i < 160000; ++i) SAMPLESet(music->buffer, i, int32_t(random() % 65536) - 32768);
  std::vector<int32_t> old = Values(music->buffer);
  unsigned seed = 1;
  while (Draws(seed, 2, 160000).k != 3 || Draws(seed, 2, 160000).index != 1) ++seed;
  Draws d(seed, 2, 160000);
  srand(seed);
  MUSICStep(music);
  std::vector<int32_t> sum(160000, 0);
  for (int32_t copy = 0; copy < 8; ++copy)
    for (int32_t m = 0; m < 30000; ++m) sum[size_t((d.offset + copy * 20000 + m) % 160000)] += 4000;
  for (size_t i = 0; i < 160000; ++i) {
    int32_t pattern = sum[i] * 1 >> 2;  // scaled by 4 - 3, shifted by 2
    ASSERT_EQ(SAMPLEGet(music->buffer, int32_t(i)), (2 * old[i] + (pattern + old[i])) >> 2) << i;
  }
}

TEST(Music, DirectPlacementMatchesThePlainOperationsOnRandomInput) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 60; ++trial) {
    // Odd loop lengths, instruments longer than the loop and values far beyond 16 bits.
    int32_t length = trial < 4 ? 160000 : int32_t(random() % 3000) + 1;
    Music fast, plain;
    for (MUSIC* m : {fast.m, plain.m}) SAMPLESetLength(m->buffer, length);
    std::vector<int32_t> loop(static_cast<size_t>(length));
    for (int32_t& v : loop) v = int32_t(random());
    for (int32_t i = 0; i < length; ++i) {
      SAMPLESet(fast->buffer, i, loop[size_t(i)]);
      SAMPLESet(plain->buffer, i, loop[size_t(i)]);
    }
    int32_t instruments = int32_t(random() % 4) + 1;
    for (int32_t n = 0; n < instruments; ++n) {
      std::vector<int32_t> values(random() % uint32_t(2 * length) + 1);
      for (int32_t& v : values) v = trial % 2 ? int32_t(random()) : int32_t(random() % 65536) - 32768;
      fast.Add(values);
      plain.Add(values);
    }
    unsigned seed = random();
    srand(seed);
    MUSICStep(fast);
    MUSICPlainPath = 1;
    srand(seed);
    MUSICStep(plain);
    MUSICPlainPath = 0;
    ASSERT_EQ(Values(fast->buffer), Values(plain->buffer)) << "trial " << trial;
    ASSERT_NE(Values(fast->buffer), loop) << "trial " << trial;
  }
}

TEST(Music, NothingToDrawOrNothingToMixLeavesTheLoop) {
  Music music;
  SAMPLESet(music->buffer, 5, 77);
  srand(5);
  int expectedNext = rand();
  srand(5);
  MUSICStep(music);  // no instruments: no division by zero, no draws
  EXPECT_EQ(rand(), expectedNext);
  EXPECT_EQ(SAMPLEGet(music->buffer, 5), 77);
  EXPECT_EQ(music->countdown, 10);
  music.Add({1, 2, 3});
  SAMPLESetLength(music->buffer, 0);
  music->countdown = 0;
  MUSICStep(music);  // an empty loop: nothing to rotate or mix
  EXPECT_EQ(music->buffer->length, 0);
}

}  // namespace
