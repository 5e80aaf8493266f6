// The audio thread against the main thread: SDL's real audio thread (dummy
// driver) plays the queue while this thread steps the music and appends. Run
// under ThreadSanitizer by scripts/tsan-audio.sh; in the plain suite it is a
// short smoke run. VORN_AUDIO_SECONDS sets the duration (default 1).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "list.h"
#include "music.h"
#include "sample.h"
#include "sample_helpers.h"
#include "sdlsnd.h"
#include "sound.h"

namespace {

Uint32 Milliseconds() {
  const char* seconds = getenv("VORN_AUDIO_SECONDS");
  int value = seconds ? atoi(seconds) : 1;
  return Uint32(value > 0 ? value : 1) * 1000;
}

// Steps the music and queues its loop for the given time without pause, so
// that the callback plays the loop while the main thread rewrites it.
void StepAndQueue(MUSIC* music, SDLSND* audio, Uint32 milliseconds) {
  Uint32 start = SDL_GetTicks();
  while (SDL_GetTicks() - start < milliseconds) {
    MUSICStep(music);
    if (SDLSNDQueued(audio) <= 3) SDLSNDPlaySAMPLE(audio, music->buffer);
  }
}

// Appends one-value samples in small bursts every millisecond for the given
// time, about as fast as the callback plays them, so that appends fall inside
// callbacks that are removing entries (and the queue grows its slot array).
// The count is read only every 20 bursts. Returns the entries played out.
int32_t AppendBursts(SDLSND* audio, SAMPLE* blip, Uint32 milliseconds) {
  int32_t appended = 0;
  Uint32 start = SDL_GetTicks();
  while (SDL_GetTicks() - start < milliseconds) {
    if (SDLSNDQueued(audio) >= 8192) {
      SDL_Delay(20);
      continue;
    }
    for (int burst = 0; burst < 20; ++burst, SDL_Delay(1))
      for (int n = 0; n < 16; ++n, ++appended) SDLSNDPlaySAMPLE(audio, blip);
  }
  return appended - SDLSNDQueued(audio);
}

TEST(AudioThread, PlaysWhileTheMusicIsSteppedAndQueued) {
  SDLSND* audio = SDLSNDNew();
  ASSERT_NE(audio, nullptr);
  MUSIC* music = MUSICNew();
  ASSERT_NE(music, nullptr);
  for (int32_t f : {110, 220, 440, 880}) {
    SAMPLE* s = SAMPLENew();
    SAMPLESetLength(s, 2500);
    SOUNDSine(s, f);
    SOUNDDecay(s);
    MUSICAdd(music, s);
  }
  music->period = 1;  // every tick rewrites the loop
  Uint32 duration = Milliseconds();
  StepAndQueue(music, audio, duration / 2);

  // Let the blips play next: drop the queued loops under the lock.
  SDL_LockAudio();
  while (audio->queue->count > 0) LISTPop(audio->queue);
  audio->position = 0;
  SDL_UnlockAudio();
  Sample blip({1000});
  int32_t removed = AppendBursts(audio, blip, duration / 2);

  SDLSNDFree(&audio);  // stops the thread before the samples go
  MUSICFree(&music);
  SDL_Quit();
  // About 10 buffers a second, each removing up to 2048 one-value entries.
  EXPECT_GE(removed, int32_t(duration / 100) * 100);
}

}  // namespace
