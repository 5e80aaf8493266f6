// MUSIC: the loop buffer, its instruments and the generative step.
#include "music.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "list.h"
#include "build_platform.h"
#include "sample.h"
#include "sample_internal.h"
#include "sdlsnd.h"

const char* const MUSICIdent[5] = {"MUSIC   ", "20120308", "ZEKTORIN", "C", "CODE"};
uint8_t MUSICDebug = 0;
uint8_t MUSICPlainPath = 0;

void MUSICError(void) {
  if (MUSICDebug) puts("MUSIC ERROR");
}

namespace {

// The music's scratch at length n and all zero, created on first use and made anew
// when the loop's length changed; null if it cannot be had.
SAMPLE* ClearedScratch(MUSIC* music, int32_t n) {
  SAMPLE*& scratch = music->scratch;
  if (scratch && scratch->length != n) SAMPLEFree(&scratch);
  if (!scratch) {
    scratch = SAMPLENew();
    if (!scratch) return nullptr;
    SAMPLESetLength(scratch, n);
    if (scratch->length != n) {
      SAMPLEFree(&scratch);
      return nullptr;
    }
  }
  SAMPLEClear(scratch);
  return scratch;
}

// What one step lays into the loop.
struct Pattern {
  const SAMPLE* instrument;
  int32_t offset;  // final rotation, a sum of the coins' halves, quarters, eighths, sixteenths
  int32_t k;       // 2^k copies, each at level (4 - k) / 4
};

// The pattern built with the whole-sample operations, in their written order:
// add at 0 and rotate by L / r, r times; scale by 4 - k; shift by 2; rotate by offset.
void BuildPlain(SAMPLE* pattern, const Pattern& p) {
  int32_t r = 1 << p.k;
  for (int32_t j = 0; j < r; ++j) {
    SAMPLEAdd(pattern, p.instrument);
    SAMPLERotateRight(pattern, pattern->length / r);
  }
  SAMPLEScale(pattern, 4 - p.k);
  SAMPLEShiftRight(pattern, 2);
  SAMPLERotateRight(pattern, p.offset);
}

// The same pattern before scale and shift, added straight at the positions the
// rotations take each copy to: copy j is rotated r - j times by L / r, then by offset.
void PlaceCopies(SAMPLE* pattern, const Pattern& p) {
  int32_t length = pattern->length;
  int32_t r = 1 << p.k;
  int32_t n = std::min(p.instrument->length, length);
  const int32_t* source = p.instrument->items;
  int32_t* target = pattern->items;
  for (int32_t j = 0; j < r; ++j) {
    int32_t start = int32_t((int64_t(r - j) * (length / r) + p.offset) % length);
    // Invariant: start < length, so the copy runs to the end once and wraps at most once.
    int32_t before = std::min(n, length - start);
    for (int32_t m = 0; m < before; ++m)
      target[start + m] = int32_t(uint32_t(target[start + m]) + uint32_t(source[m]));
    for (int32_t m = before; m < n; ++m)
      target[m - before] = int32_t(uint32_t(target[m - before]) + uint32_t(source[m]));
  }
}

// The mixed loop and the playing one it is written over by CopyOverLoop.
struct CopyOver {
  const SAMPLE* mixed;
  SAMPLE* buffer;
};

void CopyOverLoop(void* context) {
  auto* c = static_cast<CopyOver*>(context);
  SAMPLECopyRange(c->mixed, c->buffer, c->buffer->length, 0, 0);
}

// new = (2 old + (pattern + old)) >> 2 per value, in 32-bit wrapping arithmetic,
// written over the loop in one pass under the audio lock.
void MixPlain(SAMPLE* buffer, SAMPLE* pattern) {
  SAMPLEAdd(pattern, buffer);
  SAMPLE* mixed = SAMPLECopy(buffer);
  if (!mixed) return;
  SAMPLEShiftLeft(mixed, 1);
  SAMPLEAdd(mixed, pattern);
  SAMPLEShiftRight(mixed, 2);
  CopyOver copy{mixed, buffer};
  SDLSNDLocked(CopyOverLoop, &copy);
  SAMPLEFree(&mixed);
}

// The placed copies and their level, blended into the loop by BlendPlaced.
struct Placed {
  SAMPLE* buffer;
  const SAMPLE* copies;
  int32_t k;
};

// The fast mix of the placed copies: scale by 4 - k and shift by 2 per value, then
// blend as MixPlain does, reading the old value and writing the new one in one pass.
void BlendPlaced(void* context) {
  const auto* p = static_cast<const Placed*>(context);
  uint32_t level = uint32_t(4 - p->k);
  int32_t* loop = p->buffer->items;
  const int32_t* copies = p->copies->items;
  int32_t n = p->buffer->length;
  for (int32_t i = 0; i < n; ++i) {
    int32_t pattern = int32_t(uint32_t(copies[i]) * level) >> 2;
    loop[i] = int32_t(uint32_t(loop[i]) * 3u + uint32_t(pattern)) >> 2;
  }
}

}  // namespace

MUSIC* MUSICNew(void) {
  MUSIC* music = static_cast<MUSIC*>(calloc(1, sizeof(MUSIC)));
  if (!music) return MUSICError(), nullptr;
  music->countdown = 0;
  music->period = 10;
  music->buffer = SAMPLENew();
  music->instruments = LISTNew();
  if (music->buffer) SAMPLESetLength(music->buffer, MUSIC_LOOP_LENGTH);
  if (!music->buffer || music->buffer->length != MUSIC_LOOP_LENGTH || !music->instruments) {
    if (music->buffer) SAMPLEFree(&music->buffer);
    if (music->instruments) LISTFree(&music->instruments);
    free(music);
    return MUSICError(), nullptr;
  }
  return music;
}

void MUSICFree(MUSIC** music) {
  if (!music || !*music) return MUSICError();
  MUSIC* m = *music;
  if (m->buffer) SAMPLEFree(&m->buffer);
  if (m->scratch) SAMPLEFree(&m->scratch);
  if (m->instruments) {
    while (m->instruments->count > 0) {
      SAMPLE* instrument = static_cast<SAMPLE*>(LISTPop(m->instruments));
      if (instrument) SAMPLEFree(&instrument);
    }
    LISTFree(&m->instruments);
  }
  free(m);
  *music = nullptr;
}

void MUSICAdd(MUSIC* music, SAMPLE* sample) {
  if (!music || !sample || !music->instruments) return;
  LISTPush(music->instruments, sample);
}

void MUSICStep(MUSIC* music) {
  if (!music) return;
  if (--music->countdown > 0) return;
  music->countdown = music->period;
  SAMPLE* buffer = music->buffer;
  // Nothing to draw from or nothing to mix into: no draws, the loop stays.
  if (!music->instruments || music->instruments->count == 0 || !SampleValid(buffer) ||
      buffer->length == 0)
    return;
  int32_t length = buffer->length;
  SAMPLE* pattern = ClearedScratch(music, length);
  if (!pattern) return;

  Pattern p;
  int32_t index = rand() % music->instruments->count;
  int32_t half = rand() % 2;
  int32_t quarter = rand() % 2;
  // The Linux build draws the sixteenth's coin before the eighth's, Windows the other way.
  int32_t third = rand() % 2;
  int32_t fourth = rand() % 2;
  int32_t eighth = kWindowsBuild ? third : fourth;
  int32_t sixteenth = kWindowsBuild ? fourth : third;
  p.offset = half * (length / 2) + quarter * (length / 4) + eighth * (length / 8) +
             sixteenth * (length / 16);
  p.k = rand() % 4;
  p.instrument = static_cast<const SAMPLE*>(LISTGet(music->instruments, index));
  if (!SampleValid(p.instrument)) return;

  if (MUSICPlainPath) {
    BuildPlain(pattern, p);
    MixPlain(buffer, pattern);
  } else {
    PlaceCopies(pattern, p);
    Placed placed{buffer, pattern, p.k};
    SDLSNDLocked(BlendPlaced, &placed);
  }
}

char* MUSICToASCII(const MUSIC*) { return nullptr; }
MUSIC* MUSICFromASCII(const char*) { return nullptr; }
MUSIC* MUSICCopy(const MUSIC*) { return nullptr; }
int MUSICEqual(const MUSIC*, const MUSIC*) { return 0; }
