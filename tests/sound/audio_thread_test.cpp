// The audio output on SDL's real audio thread (dummy driver): one device at a time, the
// lock holds the thread off, then the thread plays the queue while this thread steps the
// music and appends. Run under ThreadSanitizer by scripts/tsan-audio.sh; in the plain
// suite a short smoke run. VORN_AUDIO_SECONDS sets the duration (default 1).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "list.h"
#include "music.h"
#include "sample_helpers.h"
#include "sdlsnd.h"

namespace {

// Queues a sample under the audio lock and counts the queue three buffers' time later.
int32_t countLater = 0;
int32_t oneValue[1] = {1};
SAMPLE blip{1, 1, oneValue};
void QueueAndWait(void* audio) {
  LISTPush(static_cast<SDLSND*>(audio)->queue, &blip);
  SDL_Delay(300);
  countLater = static_cast<SDLSND*>(audio)->queue->count;
}

TEST(AudioThread, PlaysWhileTheMusicIsSteppedAndQueued) {
  const char* seconds = getenv("VORN_AUDIO_SECONDS");
  Uint32 duration = Uint32(seconds && atoi(seconds) > 0 ? atoi(seconds) : 1) * 1000;
  SDLSND* audio = SDLSNDNew();
  ASSERT_NE(audio, nullptr);
  EXPECT_EQ(std::pair(SDLSNDEqual(audio, audio), SDLSNDEqual(audio, nullptr)), std::pair(1, 0));
  EXPECT_EQ(SDLSNDNew(), nullptr);    // one device only
  SDLSNDLocked(QueueAndWait, audio);  // the audio thread plays nothing meanwhile
  EXPECT_EQ(countLater, 1);
  MUSIC* music = MUSICNew();
  for (int32_t level : {1000, -2000, 3000})
    MUSICAdd(music, SAMPLECopy(Sample(std::vector<int32_t>(2500, level))));
  music->period = 1;  // every call rewrites the loop while the callback plays it
  Uint32 start = SDL_GetTicks();
  while (SDL_GetTicks() - start < duration / 2) {
    MUSICStep(music);
    if (SDLSNDQueued(audio) <= 3) SDLSNDPlaySAMPLE(audio, music->buffer);
  }
  // Then, the queued loops dropped, one-value samples in bursts every millisecond, about as
  // fast as the callback plays them, so that appends fall inside callbacks that remove
  // entries (and the queue grows its slot array); the count is read only every 20 bursts.
  SDLSNDLocked([](void* a) { static_cast<SDLSND*>(a)->queue->count = 0; }, audio);
  Sample one({1000});
  int32_t appended = 0;
  for (start = SDL_GetTicks(); SDL_GetTicks() - start < duration / 2;) {
    if (SDLSNDQueued(audio) >= 8192) {
      SDL_Delay(20);
      continue;
    }
    for (int burst = 0; burst < 20; ++burst, SDL_Delay(1))
      for (int n = 0; n < 16; ++n, ++appended) SDLSNDPlaySAMPLE(audio, one);
  }
  int32_t removed = appended - SDLSNDQueued(audio);
  SDLSNDPlaySAMPLE(audio, &blip);  // freed while queued: the sample is not the output's
  SDLSNDFree(&audio);              // stops the thread before the samples go
  EXPECT_EQ(std::pair(audio, blip.items), std::pair(static_cast<SDLSND*>(nullptr), oneValue));
  MUSICFree(&music);
  SDL_Quit();
  // About 10 buffers a second, each removing up to 2048 one-value entries.
  EXPECT_GE(removed, int32_t(duration / 100) * 100);
}

}  // namespace
