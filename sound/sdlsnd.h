// SDLSND: the audio output. Opens the SDL audio device once (44100 Hz, signed
// 16-bit little-endian, mono, 4096-value buffers) and plays a queue of samples
// one after another from SDL's fill callback on the audio thread. The queue
// holds pointers: samples are not copied and not owned, and the same sample
// may stand in the queue several times in a row to play as a seamless loop.
//
// Threads: the callback runs on SDL's audio thread under the audio lock; the
// functions here that touch the queue take that lock too, and SDLSNDLocked lends
// it to a producer that rewrites a queued sample in place. No other module calls SDL.
#ifndef VORN_SOUND_SDLSND_H
#define VORN_SOUND_SDLSND_H

#include <cstdint>

struct LIST;
struct SAMPLE;

struct SDLSND {
  int32_t rate;      // values per second: 44100
  int32_t width;     // bits per output value: 16
  int32_t position;  // index of the next value to play in the sample at the queue's head
  LIST* queue;       // SAMPLE pointers waiting to be played, head first; not owned
  char sign;         // 's': signed output
  char order;        // 'l': least significant byte first
  char mute;         // 1: the callback writes silence
};

// Identification strings: name, date, author, platform, kind.
extern const char* const SDLSNDIdent[5];
// Set to make SDLSNDError print "SDLSND error"; clear by default.
extern uint8_t SDLSNDDebug;

// Initialises SDL (all subsystems), opens the device and starts playing an empty
// queue; null (the show runs silent) when SDL, memory or the device fails.
SDLSND* SDLSNDNew(void);
// Stops and closes the device, frees the queue (not its samples) and the record; *audio = null.
void SDLSNDFree(SDLSND** audio);
// The constant empty text "" (not to be freed); null for a null output.
const char* SDLSNDToASCII(const SDLSND* audio);
// Always null: an audio output has no text form.
SDLSND* SDLSNDFromASCII(const char* text);
// 1 whenever both exist; 0 (and a report) if either is null.
int SDLSNDEqual(const SDLSND* a, const SDLSND* b);
// Always null: there is one device.
SDLSND* SDLSNDCopy(const SDLSND* audio);
// Checks its argument only: playback runs from SDLSNDNew on.
void SDLSNDPlay(SDLSND* audio);
// Appends sample to the queue (creating the queue if missing), under the audio lock.
// The caller keeps the sample alive until it has been played or the output is freed.
void SDLSNDPlaySAMPLE(SDLSND* audio, SAMPLE* sample);
// Runs rewrite(context) under the audio lock: the callback never sees a half-done rewrite.
// Nothing for a null rewrite. Without an open device it simply runs rewrite.
void SDLSNDLocked(void (*rewrite)(void* context), void* context);
// Number of samples waiting in the queue, read under the audio lock; 0 for a null output.
int32_t SDLSNDQueued(const SDLSND* audio);
// The fill callback: writes length bytes of the queue's values (low 16 bits, least
// significant byte first), removing finished samples. Writes nothing for bad arguments
// or an empty queue; zeros when muted. Called by SDL with the audio lock held.
void SDLSNDCallback(void* user, uint8_t* stream, int length);

// Prints "SDLSND error" when SDLSNDDebug is set. The Windows build reports
// through its diagnostic lines instead (build_platform.h), not this.
void SDLSNDError(void);

#endif
