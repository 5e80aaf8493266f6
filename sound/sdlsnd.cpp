// SDLSND: SDL 1.2 audio device and the play queue.
#include "sdlsnd.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "list.h"
#include "build_platform.h"
#include "sample.h"

const char* const SDLSNDIdent[5] = {"SDLSND  ", "20120308", "ZEKTORIN", "LINUXSDL", "CODE"};
uint8_t SDLSNDDebug = 0;

void SDLSNDError(void) {
  if (SDLSNDDebug) puts("SDLSND error");
}

namespace {

// A rejected call: SDLSNDError on Linux; the Windows build has no report but a
// diagnostic line instead (printed only with kPlatformTraces).
void Report(const char* diagnostic) {
  if constexpr (kWindowsBuild)
    PlatformTrace(diagnostic);
  else
    SDLSNDError();
}

// Holds SDL's audio lock for one scope.
struct AudioLock {
  AudioLock() { SDL_LockAudio(); }
  ~AudioLock() { SDL_UnlockAudio(); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;
};

}  // namespace

SDLSND* SDLSNDNew(void) {
  PlatformTraceScope trace("SDLSNDNew_\n", "_SDLSNDNew\n");
  if (SDL_Init(0xFFFF) < 0) return Report("ERR Init SDL\n"), nullptr;
  SDLSND* audio = static_cast<SDLSND*>(calloc(1, sizeof(SDLSND)));
  if (!audio) return Report("ERR calloc SDLSND\n"), nullptr;
  audio->rate = 44100;
  audio->width = 16;
  audio->sign = 's';
  audio->order = 'l';
  audio->mute = 0;
  audio->position = 0;
  audio->queue = LISTNew();
  if (!audio->queue) {
    free(audio);
    return Report("ERR calloc SDLSND\n"), nullptr;
  }
  SDL_AudioSpec spec;
  memset(&spec, 0, sizeof spec);
  spec.freq = 44100;
  spec.format = AUDIO_S16LSB;
  spec.channels = 1;
  spec.samples = 4096;
  spec.callback = SDLSNDCallback;
  spec.userdata = audio;
  // No obtained spec: SDL converts to what the device needs, the callback sees this format.
  if (SDL_OpenAudio(&spec, nullptr) < 0) {
    LISTFree(&audio->queue);
    free(audio);
    return Report("ERR open audio\n"), nullptr;
  }
  SDL_PauseAudio(0);
  return audio;
}

void SDLSNDFree(SDLSND** audio) {
  PlatformTraceScope trace("SDLSNDFree_\n", "_SDLSNDFree\n");
  if (!audio || !*audio) return Report("ERR void parameter\n");
  SDL_PauseAudio(1);
  // Closing waits for the audio thread to end; it must not wait while we hold
  // the lock the thread may be blocked on, so take and release the lock first:
  // once through it, no fill is running and the paused device starts none.
  { AudioLock lock; }
  SDL_CloseAudio();
  if ((*audio)->queue) LISTFree(&(*audio)->queue);
  free(*audio);
  *audio = nullptr;
}

const char* SDLSNDToASCII(const SDLSND* audio) {
  PlatformTraceScope trace("SDLSNDToASCII_\n", "_SDLSNDToASCII\n");
  if (!audio) return Report("ERR void parameter\n"), nullptr;
  return "";
}

SDLSND* SDLSNDFromASCII(const char* text) {
  PlatformTraceScope trace("SDLSNDFromASCII_\n", "_SDLSNDFromASCII\n");
  if (!text) Report("ERR void parameter.\n");
  return nullptr;
}

int SDLSNDEqual(const SDLSND* a, const SDLSND* b) {
  PlatformTraceScope trace("SDLSNDEqual_\n", "_SDLSNDEqual\n");
  if (!a || !b) return Report("ERR void parameter\n"), 0;
  return 1;
}

SDLSND* SDLSNDCopy(const SDLSND* audio) {
  PlatformTraceScope trace("SDLSNDCopy_\n", "_SDLSNDCopy\n");
  if (!audio) Report("ERR void parameter\n");
  return nullptr;
}

void SDLSNDPlay(SDLSND* audio) {
  PlatformTraceScope trace("SDLSNDPlay_\n", "_SDLSNDPlay\n");
  if (!audio) Report("ERR void parameter\n");
}

void SDLSNDPlaySAMPLE(SDLSND* audio, SAMPLE* sample) {
  PlatformTraceScope trace("SDLSNDPlaySAMPLE_\n", "_SDLSNDPlaySAMPLE\n");
  if (!audio || !sample) return Report("ERR void parameter\n");
  // The callback may be removing the head while the push grows the slot array.
  AudioLock lock;
  if (!audio->queue) {
    PlatformTrace("ERR void snd->queue\n");
    audio->queue = LISTNew();
  }
  LISTPush(audio->queue, sample);
}

void SDLSNDLocked(void (*rewrite)(void* context), void* context) {
  if (!rewrite) return Report("ERR void parameter\n");
  AudioLock lock;
  rewrite(context);
}

int32_t SDLSNDQueued(const SDLSND* audio) {
  if (!audio) return Report("ERR void parameter\n"), 0;
  AudioLock lock;
  return audio->queue ? audio->queue->count : 0;
}

void SDLSNDCallback(void* user, uint8_t* stream, int length) {
  PlatformTraceScope trace("SDLSNDCallback_\n", "_SDLSNDCallback\n");
  SDLSND* audio = static_cast<SDLSND*>(user);
  // A refused fill writes nothing: the buffer keeps the silence SDL put into it.
  if (!audio || !stream) return Report("ERR void parameter\n");
  if (length < 1) return Report("ERR wrong length\n");
  if (!audio->queue || audio->queue->count == 0) return Report("ERR underflow\n");
  const SAMPLE* head = static_cast<const SAMPLE*>(LISTGet(audio->queue, 0));
  if (audio->mute == 1 || !head) {
    memset(stream, 0, size_t(length));
    return;
  }
  for (int n = length / 2; n > 0; --n) {
    // Values beyond the 16-bit range wrap: only the low half is played.
    int32_t v = SAMPLEGet(head, audio->position);
    *stream++ = uint8_t(v & 0xFF);
    *stream++ = uint8_t((v >> 8) & 0xFF);
    if (++audio->position >= head->length) {
      // The next sample starts at its first value, also one queued after the queue ran dry.
      LISTRemove(audio->queue, 0);
      audio->position = 0;
      if (audio->queue->count == 0) return;  // the rest keeps SDL's silence
      head = static_cast<const SAMPLE*>(LISTGet(audio->queue, 0));
      if (!head) return;
    }
  }
}
