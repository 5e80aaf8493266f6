#include "demo_music.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "list.h"
#include "music.h"
#include "sample.h"
#include "sdlsnd.h"

namespace {

TEST(DemoMusic, TickKeepsAtMostFourLoopsQueuedAndStepsWithoutAudio) {
  srand(273880913);
  MUSIC* music = DemoMusicSetup();
  ASSERT_NE(music, nullptr);
  ASSERT_EQ(music->instruments->count, 96);
  for (int32_t i : {0, 47, 48, 72})  // the tones start at phase 0, drums and hits on noise
    EXPECT_EQ(SAMPLEGet(static_cast<SAMPLE*>(LISTGet(music->instruments, i)), 0) == 0, i < 48) << i;
  music->period = 3;
  DemoMusicTick(music, nullptr);
  EXPECT_EQ(music->countdown, 3);
  SDLSND audio{};  // no device: the queue is only filled
  audio.queue = LISTNew();
  for (int frame = 0; frame < 12; ++frame) DemoMusicTick(music, &audio);
  EXPECT_EQ(audio.queue->count, 4);
  LISTRemove(audio.queue, 0);  // one loop played out
  DemoMusicTick(music, &audio);
  EXPECT_EQ(audio.queue->count, 4);
  EXPECT_EQ(LISTGet(audio.queue, 3), music->buffer);
  DemoMusicTick(nullptr, nullptr);
  LISTFree(&audio.queue);
  MUSICFree(&music);
}

}  // namespace
