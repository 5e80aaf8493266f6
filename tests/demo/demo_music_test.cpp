#include "demo_music.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "list.h"
#include "music.h"
#include "sdlsnd.h"

namespace {

TEST(DemoMusic, TickKeepsAtMostFourLoopsQueuedAndStepsWithoutAudio) {
  srand(273880913);
  MUSIC* music = DemoMusicSetup();
  ASSERT_NE(music, nullptr);
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
