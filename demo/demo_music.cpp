// The demo music's instruments and its per-frame tick.
#include "demo_music.h"

#include <cstdint>

#include "list.h"
#include "music.h"
#include "sample.h"
#include "sdlsnd.h"
#include "sound.h"

namespace {

// Four octaves of equal-tempered semitones from 55 Hz, rounded to whole Hz.
constexpr int32_t kNotes[48] = {
    55,  58,  62,  65,  69,  73,  78,  82,  87,  93,  98,  104, 110, 117, 123, 131,
    139, 147, 156, 165, 175, 185, 196, 208, 220, 233, 247, 262, 277, 294, 311, 330,
    349, 370, 392, 415, 440, 466, 494, 523, 554, 587, 622, 659, 698, 740, 784, 831};

SAMPLE* Silence(int32_t length) {
  SAMPLE* s = SAMPLENew();
  if (s) SAMPLESetLength(s, length);
  if (s && s->length != length) SAMPLEFree(&s);
  return s;
}

void Decay(SAMPLE* s, int times) {
  for (int n = 0; n < times; ++n) SOUNDDecay(s);
}

// A note of one second: the fundamental at double weight and two overtones.
void AddTone(SAMPLE* s, SAMPLE* t, int32_t f) {
  SOUNDSine(s, f);
  SAMPLEAdd(s, s);
  SAMPLEShiftRight(s, f >> 9);
  SOUNDSine(t, 2 * f);
  SAMPLEShiftRight(t, f >> 10);
  SAMPLEAdd(s, t);
  SOUNDSine(t, 4 * f);
  SAMPLEShiftRight(t, f >> 11);
  SAMPLEAdd(s, t);
  SAMPLEShiftRight(s, 2);
  SOUNDDecay(s);
}

// A low drum of half a second: a deep sine with two bands of decaying noise.
void AddDrum(SAMPLE* s, SAMPLE* t, int32_t a) {
  SOUNDSine(s, a);
  SAMPLEAdd(s, s);
  SOUNDDecay(s);
  SAMPLEShiftRight(s, a >> 9);
  SOUNDNoise(t, 6 * a);
  Decay(t, 3);
  SAMPLEAdd(s, t);
  SOUNDNoise(t, 8 * a);
  Decay(t, 3);
  SAMPLEAdd(s, t);
  SAMPLEShiftRight(s, 2);
  SOUNDDecay(s);
}

// A bright hit of half a second: a square with two bands of noise, sharply decayed.
void AddHit(SAMPLE* s, SAMPLE* t, int32_t a) {
  SOUNDSquare(s, a);
  SAMPLEAdd(s, s);
  Decay(s, 5);
  SAMPLEShiftRight(s, a >> 9);
  SOUNDNoise(t, 8 * a);
  Decay(t, 5);
  SAMPLEAdd(s, t);
  SOUNDNoise(t, 16 * a);
  Decay(t, 5);
  SAMPLEAdd(s, t);
  SAMPLEShiftRight(s, 2);
  Decay(s, 5);
}

}  // namespace

MUSIC* DemoMusicSetup(void) {
  MUSIC* music = MUSICNew();
  SAMPLE* t = Silence(44100);  // overtones and noise
  if (!music || !t) {
    if (music) MUSICFree(&music);
    if (t) SAMPLEFree(&t);
    return nullptr;
  }
  bool complete = true;
  for (int32_t i = 0; i < 96 && complete; ++i) {
    if (i == 48) SAMPLESetLength(t, 22050);
    SAMPLE* s = Silence(i < 48 ? 44100 : 22050);
    if (!s) {
      complete = false;
      break;
    }
    if (i < 48)
      AddTone(s, t, kNotes[i]);
    else if (i < 72)
      AddDrum(s, t, i - 40);
    else
      AddHit(s, t, 16 * i);
    MUSICAdd(music, s);
    complete = music->instruments->count == i + 1;
    if (!complete) SAMPLEFree(&s);
  }
  SAMPLEFree(&t);
  if (!complete) MUSICFree(&music);
  return music;
}

void DemoMusicTick(MUSIC* music, SDLSND* audio) {
  if (!music) return;
  MUSICStep(music);
  if (audio && SDLSNDQueued(audio) <= 3) SDLSNDPlaySAMPLE(audio, music->buffer);
}
