#include "demo_music.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "demo_hue.h"
#include "list.h"
#include "music.h"
#include "build_platform.h"
#include "sample.h"
#include "sample_helpers.h"
#include "sdlsnd.h"

namespace {

struct DemoMusic : ::testing::Test {
  MUSIC* music = nullptr;
  void SetUp() override {
    srand(273880913);
    music = DemoMusicSetup();
    ASSERT_NE(music, nullptr);
  }
  void TearDown() override { MUSICFree(&music); }
  const SAMPLE* Instrument(int32_t i) const {
    return static_cast<const SAMPLE*>(LISTGet(music->instruments, i));
  }
};

TEST_F(DemoMusic, NinetySixInstrumentsThatStayInRangeAndEndSilent) {
  ASSERT_EQ(music->instruments->count, 96);
  for (int32_t i = 0; i < 96; ++i) {
    const SAMPLE* s = Instrument(i);
    ASSERT_EQ(s->length, i < 48 ? 44100 : 22050) << i;
    EXPECT_GE(SAMPLEMin(s), -32768) << i;
    EXPECT_LE(SAMPLEMax(s), 32767) << i;
    EXPECT_GT(SAMPLEMax(s), 1000) << "instrument " << i << " is nearly silent";
    EXPECT_EQ(SAMPLEGet(s, s->length - 1), 0) << i;  // the decay ramp ends at 0
    if (i < 48) {
      EXPECT_EQ(SAMPLEGet(s, 0), 0) << i;  // the sines start at phase 0
    }
  }
  // Drums and hits start on noise or the square's high half, not on 0.
  EXPECT_NE(SAMPLEGet(Instrument(48), 0), 0);
  // The bright hits start on the square's high half: positive, unless the C
  // library's rand() stays below 32768 (Windows), which makes every noise level negative.
  if constexpr (kWindowsBuild)
    EXPECT_NE(SAMPLEGet(Instrument(72), 0), 0);
  else
    EXPECT_GT(SAMPLEGet(Instrument(72), 0), 0);
}

TEST_F(DemoMusic, TheSameSeedSynthesisesTheSameInstruments) {
  srand(273880913);
  MUSIC* again = DemoMusicSetup();
  ASSERT_NE(again, nullptr);
  for (int32_t i = 0; i < 96; ++i)
    EXPECT_EQ(SAMPLEEqual(Instrument(i), static_cast<SAMPLE*>(LISTGet(again->instruments, i))), 1)
        << i;
  MUSICFree(&again);
}

TEST_F(DemoMusic, TickKeepsAtMostFourLoopsQueued) {
  SDLSND audio{};  // no device: the queue is only filled
  audio.queue = LISTNew();
  for (int frame = 0; frame < 12; ++frame) DemoMusicTick(music, &audio);
  EXPECT_EQ(audio.queue->count, 4);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(LISTGet(audio.queue, i), music->buffer);
  LISTRemove(audio.queue, 0);  // one loop played out
  DemoMusicTick(music, &audio);
  EXPECT_EQ(audio.queue->count, 4);
  LISTFree(&audio.queue);
}

TEST_F(DemoMusic, TickWithoutAudioStillStepsTheMusic) {
  music->period = 3;
  DemoMusicTick(music, nullptr);
  EXPECT_EQ(music->countdown, 3);
  EXPECT_NE(SAMPLEMax(music->buffer), 0);
  DemoMusicTick(nullptr, nullptr);
}

TEST(HueWheel, SixRampsAroundTheCircle) {
  Sample wheel(DemoHueWheelNew());
  ASSERT_EQ(wheel->length, 1536);
  const int32_t corners[] = {0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0xFF0000, 0xFFFF00};
  for (int32_t ramp = 0; ramp < 6; ++ramp) {
    EXPECT_EQ(SAMPLEGet(wheel, 256 * ramp), corners[ramp]) << ramp;
    EXPECT_EQ(SAMPLEGet(wheel, 256 * ramp + 255), corners[(ramp + 1) % 6]) << ramp;
  }
  // Inside a ramp each step moves exactly one channel by one.
  for (int32_t i = 1; i < 1536; ++i) {
    if (i % 256 == 0) continue;
    int32_t a = SAMPLEGet(wheel, i - 1), b = SAMPLEGet(wheel, i);
    int changed = 0;
    for (int shift : {0, 8, 16}) {
      int d = std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF));
      ASSERT_LE(d, 1) << i;
      changed += d;
    }
    ASSERT_EQ(changed, 1) << i;
  }
}

}  // namespace
