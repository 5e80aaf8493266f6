// SOUND generators: table sine, square, noise and the linear envelopes.
#include "sound.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cmath>

#include "sample.h"
#include "sample_internal.h"

const char* const SOUNDIdent[5] = {"SOUND   ", "20120215", "ZEKTORIN", "C", "CODE"};
uint8_t SOUNDDebug = 0;

void SOUNDError(void) {
  if (SOUNDDebug) puts("SOUND Error.");
}

namespace {

constexpr int32_t kRate = 44100;
constexpr int64_t kSecond = int64_t(kRate) << 15;  // one second in 17.15: 1445068800

// The wave table: one sine cycle over 44100 values, quarter wave mirrored.
// The quarter wave uses pi/2 in single precision; the product with i is exact in
// double, and the division is done in double.
const SAMPLE* WaveTable() {
  static SAMPLE* table = nullptr;
  if (table) return table;
  table = SAMPLENew();
  if (!table) return nullptr;
  SAMPLESetLength(table, kRate);
  if (table->length != kRate) {
    SAMPLEFree(&table);
    return nullptr;
  }
  const double halfPi = double(1.5707964f);
  for (int32_t i = 0; i <= kRate / 4; ++i) {
    int32_t v = int32_t(sin(double(i) * halfPi / 11025.0) * 32767.0);
    SAMPLESet(table, i, v);
    SAMPLESet(table, 22050 - i, v);
    SAMPLESet(table, 22050 + i, -v);
    if (i > 0) SAMPLESet(table, kRate - i, -v);  // i = 0 would fall past the end
  }
  return table;
}

// A ramp from (0, from) to (length - 1, to), as SAMPLELine draws it. The last
// one of each direction is kept: the envelopes are applied many times over
// samples of one length, and the ramp depends on nothing else.
struct Ramp {
  SAMPLE* values = nullptr;
  const int32_t* For(int32_t length, int32_t from, int32_t to) {
    if (values && values->length == length) return values->items;
    if (values) SAMPLEFree(&values);
    values = SAMPLENew();
    if (values) SAMPLESetLength(values, length);
    if (!values || values->length != length) {
      if (values) SAMPLEFree(&values);
      return nullptr;
    }
    SAMPLELine(values, 0, from, length - 1, to);
    return values->items;
  }
};

Ramp decayRamp, attackRamp;

// value x ramp >> 15 per value: SAMPLEMultiply (32-bit wrap) then SAMPLEShiftRight by 15.
void Envelope(SAMPLE* sample, Ramp& cache, int32_t from, int32_t to) {
  if (sample->length == 0) return;
  const int32_t* ramp = cache.For(sample->length, from, to);
  if (!ramp) return SOUNDError();
  // A local bound: a store through v could otherwise alias length.
  int32_t* v = sample->items;
  int32_t n = sample->length;
  for (int32_t i = 0; i < n; ++i) v[i] = int32_t(uint32_t(v[i]) * uint32_t(ramp[i])) >> 15;
}

// value x gain >> 15 with the gain moving by 2^30 / length per value in 1.15 steps.
void Fade(SAMPLE* sample, int32_t gain, int32_t direction) {
  if (sample->length == 0) return;
  int32_t increment = (int32_t(1) << 30) / sample->length;
  int32_t accumulator = 0;
  int32_t* v = sample->items;
  int32_t n = sample->length;
  for (int32_t i = 0; i < n; ++i) {
    v[i] = int32_t((int64_t(v[i]) * gain) >> 15);
    accumulator += increment;
    if (accumulator > 32767) {
      gain += direction * (accumulator >> 15);
      accumulator &= 32767;
    }
  }
}

}  // namespace

void SOUNDSine(SAMPLE* sample, int32_t frequency) {
  if (!SampleValid(sample)) return SOUNDError();
  const SAMPLE* table = WaveTable();
  if (!table) return SOUNDError();
  // 64-bit phase: a high frequency must not overflow the sum before the wrap test.
  int64_t phase = 0;
  const int64_t step = int64_t(frequency) * 32768;
  const int32_t* wave = table->items;
  int32_t* v = sample->items;
  int32_t n = sample->length;
  int32_t i = 0;
  // Once the phase has left the table it never comes back: a negative step keeps it
  // falling, and a step of a second or more gains at least what the one wrap takes
  // off. The rest is silence, and the phase stops before it could overflow.
  for (; i < n && phase >= 0 && phase < kSecond; ++i) {
    v[i] = wave[phase >> 15];
    phase += step;
    if (phase >= kSecond) phase -= kSecond;
  }
  for (; i < n; ++i) v[i] = 0;
}

void SOUNDSquare(SAMPLE* sample, int32_t frequency) {
  if (!SampleValid(sample) || frequency <= 0 || frequency > kRate) return SOUNDError();
  int64_t period = kSecond / frequency;
  int64_t cycles = (int64_t(sample->length) << 15) / period;
  for (int64_t k = 0; k < cycles; ++k) {
    int64_t pos = k * period;
    int32_t a = int32_t(pos >> 15);
    int32_t h = int32_t((pos + period / 2) >> 15);
    int32_t e = int32_t((pos + period) >> 15) - 1;
    for (int32_t i = a; i < h; ++i) SAMPLESet(sample, i, 32767);
    SAMPLESet(sample, h, 0);
    for (int32_t i = h + 1; i < e; ++i) SAMPLESet(sample, i, -32768);
    SAMPLESet(sample, h + 1 > e ? h + 1 : e, 0);
  }
}

void SOUNDNoise(SAMPLE* sample, int32_t rate) {
  if (!SampleValid(sample)) return SOUNDError();
  // 64-bit countdown: a rate far above 44100 keeps it falling without overflow.
  int64_t countdown = 22050;
  int32_t level = (rand() & 0xFFFF) - 32768;
  int32_t* v = sample->items;
  for (int32_t n = sample->length - 1; n >= 0; --n) {
    countdown -= rate;
    if (countdown < 0) {
      countdown += kRate;
      level = (rand() & 0xFFFF) - 32768;
    }
    v[n] = level;
  }
}

void SOUNDFadeOut(SAMPLE* sample) {
  if (!SampleValid(sample)) return SOUNDError();
  Fade(sample, 32768, -1);
}

void SOUNDFadeIn(SAMPLE* sample) {
  if (!SampleValid(sample)) return SOUNDError();
  Fade(sample, 0, 1);
}

void SOUNDDecay(SAMPLE* sample) {
  if (!SampleValid(sample)) return SOUNDError();
  Envelope(sample, decayRamp, 32767, 0);
}

void SOUNDAttack(SAMPLE* sample) {
  if (!SampleValid(sample)) return SOUNDError();
  Envelope(sample, attackRamp, 0, 32767);
}
