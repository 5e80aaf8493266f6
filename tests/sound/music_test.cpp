#include "music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "sample_helpers.h"

namespace {

struct Music {
  MUSIC* m = MUSICNew();
  ~Music() { MUSICFree(&m); }
  MUSIC* operator->() const { return m; }
};

// The direct placement against the whole-sample operations (MUSICPlainPath) from the same
// draws. Each music keeps its scratch through the trials, made anew when the length changes.
TEST(Music, FastPlacementMatchesThePlainOperations) {
  std::mt19937 random(11);
  Music fast, plain;
  fast->period = plain->period = 1;
  for (int trial = 0; trial < 60; ++trial) {
    // Odd loop lengths, instruments longer than the loop, values far beyond 16 bits.
    int32_t length = trial < 4 ? MUSIC_LOOP_LENGTH : int32_t(random() % 3000) + 1;
    std::vector<int32_t> loop(static_cast<size_t>(length)),
        values(random() % uint32_t(2 * length) + 1);
    for (int32_t& v : loop) v = int32_t(random());
    for (int32_t& v : values) v = trial % 2 ? int32_t(random()) : int32_t(random() % 65536) - 32768;
    unsigned seed = random();
    for (MUSIC* m : {fast.m, plain.m}) {
      SAMPLESetLength(m->buffer, length);
      std::copy(loop.begin(), loop.end(), m->buffer->items);
      MUSICAdd(m, SAMPLECopy(Sample(values)));
      MUSICPlainPath = m == plain.m;
      srand(seed);
      MUSICStep(m);
    }
    MUSICPlainPath = 0;
    ASSERT_EQ(Values(fast->buffer), Values(plain->buffer)) << "trial " << trial;
    ASSERT_NE(Values(fast->buffer), loop) << "trial " << trial;
  }
}

TEST(Music, NothingToDrawOrNothingToMixLeavesTheLoop) {
  Music music;
  SAMPLESet(music->buffer, 5, 77);
  int next = (srand(5), rand());  // the first draw after seeding
  srand(5);
  MUSICStep(music.m);  // no instruments: no division by zero, no draws
  EXPECT_EQ(std::vector<int>({rand(), SAMPLEGet(music->buffer, 5), music->countdown}),
            std::vector<int>({next, 77, 10}));
  MUSICAdd(music.m, SAMPLENew());
  SAMPLESetLength(music->buffer, 0);
  music->countdown = 0;
  MUSICStep(music.m);  // an empty loop: nothing to rotate or mix
  EXPECT_EQ(music->buffer->length, 0);
  MUSICStep(nullptr), MUSICAdd(nullptr, nullptr), MUSICFree(nullptr);  // nothing
}

}  // namespace
