// The audio thread against the main thread: SDL's real audio thread (dummy driver)
// plays the queue while this thread steps the music and appends. Run under
// ThreadSanitizer by scripts/tsan-audio.sh; in the plain suite a short smoke run.
// VORN_AUDIO_SECONDS sets the duration (default 1).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "list.h"
#include "music.h"
#include "sample_helpers.h"
#include "sdlsnd.h"

namespace {

TEST(AudioThread, PlaysWhileTheMusicIsSteppedAndQueued) {
  const char* seconds = getenv("VORN_AUDIO_SECONDS");
  Uint32 duration = Uint32(seconds && atoi(seconds) > 0 ? atoi(seconds) : 1) * 1000;
  SDLSND* audio = SDLSNDNew();
  ASSERT_NE(audio, nullptr);
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
  Sample blip({1000});
  int32_t appended = 0;
  for (start = SDL_GetTicks(); SDL_GetTicks() - start < duration / 2;) {
    if (SDLSNDQueued(audio) >= 8192) {
      SDL_Delay(20);
      continue;
    }
    for (int burst = 0; burst < 20; ++burst, SDL_Delay(1))
      for (int n = 0; n < 16; ++n, ++appended) SDLSNDPlaySAMPLE(audio, blip);
  }
  int32_t removed = appended - SDLSNDQueued(audio);
  SDLSNDFree(&audio);  // stops the thread before the samples go
  MUSICFree(&music);
  SDL_Quit();
  // About 10 buffers a second, each removing up to 2048 one-value entries.
  EXPECT_GE(removed, int32_t(duration / 100) * 100);
}

}  // namespace
