// SAMPLE arithmetic over whole samples, ramps, resampling and queries.
// All value arithmetic wraps in 32 bits: it is done on uint32_t and converted back.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "sample.h"
#include "sample_internal.h"

namespace {

int32_t Wrap(uint32_t value) { return int32_t(value); }

// r reduced to 0..length-1 (length > 0), also for negative r.
int32_t Modulo(int32_t r, int32_t length) {
  int32_t m = r % length;
  return m < 0 ? m + length : m;
}

}  // namespace

void SAMPLEScale(SAMPLE* sample, int32_t k) {
  if (!SampleValid(sample)) return SAMPLEError();
  // Locals for the bounds: a store through v could otherwise alias length.
  int32_t* v = sample->items;
  int32_t n = sample->length;
  for (int32_t i = 0; i < n; ++i) v[i] = Wrap(uint32_t(v[i]) * uint32_t(k));
}

void SAMPLEShiftRight(SAMPLE* sample, int32_t s) {
  if (!SampleValid(sample) || s < 0 || s > 32) return SAMPLEError();
  int32_t* v = sample->items;
  int32_t n = sample->length;
  if (s == 0) return;
  if (s == 32) s = 31;  // a full shift leaves only the sign, as 31 does
  for (int32_t i = 0; i < n; ++i) v[i] >>= s;
}

void SAMPLEShiftLeft(SAMPLE* sample, int32_t s) {
  if (!SampleValid(sample) || s < 0 || s > 32) return SAMPLEError();
  int32_t* v = sample->items;
  int32_t n = sample->length;
  if (s == 32) {
    SAMPLEClear(sample);
    return;
  }
  for (int32_t i = 0; i < n; ++i) v[i] = Wrap(uint32_t(v[i]) << s);
}

void SAMPLEAdd(SAMPLE* a, const SAMPLE* b) {
  if (!SampleValid(a) || !SampleValid(b)) return SAMPLEError();
  int32_t n = std::min(a->length, b->length);
  int32_t* x = a->items;
  const int32_t* y = b->items;
  for (int32_t i = 0; i < n; ++i) x[i] = Wrap(uint32_t(x[i]) + uint32_t(y[i]));
}

void SAMPLEMultiply(SAMPLE* a, const SAMPLE* b) {
  if (!SampleValid(a) || !SampleValid(b)) return SAMPLEError();
  int32_t n = std::min(a->length, b->length);
  int32_t* x = a->items;
  const int32_t* y = b->items;
  for (int32_t i = 0; i < n; ++i) x[i] = Wrap(uint32_t(x[i]) * uint32_t(y[i]));
}

void SAMPLEReverse(SAMPLE* sample) {
  if (!SampleValid(sample)) return SAMPLEError();
  std::reverse(sample->items, sample->items + sample->length);
}

void SAMPLERotateLeft(SAMPLE* sample, int32_t r) {
  if (!SampleValid(sample)) return SAMPLEError();
  if (sample->length == 0) return;
  int32_t* v = sample->items;
  std::rotate(v, v + Modulo(r, sample->length), v + sample->length);
}

void SAMPLERotateRight(SAMPLE* sample, int32_t r) {
  if (!SampleValid(sample)) return SAMPLEError();
  if (sample->length == 0) return;
  int32_t* v = sample->items;
  int32_t n = sample->length;
  std::rotate(v, v + (n - Modulo(r, n)) % n, v + n);
}

void SAMPLELine(SAMPLE* sample, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!SampleValid(sample)) return SAMPLEError();
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (x1 < 0 || x2 >= sample->length) return SAMPLEError();
  int32_t* v = sample->items;
  // 64-bit error terms: dy may span the whole 32-bit range.
  int64_t dx = int64_t(x2) - x1;
  int64_t dy = std::llabs(int64_t(y2) - y1);
  int64_t step = y2 > y1 ? 1 : (y2 < y1 ? -1 : 0);
  int64_t y = y1;
  if (dx == 0) {
    v[x1] = y1;
  } else if (dx > dy) {
    int64_t e = dx >> 1;
    for (int32_t x = x1; x <= x2; ++x) {
      v[x] = int32_t(y);
      e -= dy;
      if (e <= 0) {
        e += dx;
        y += step;
      }
    }
  } else {
    int64_t e = dy >> 1;
    for (int32_t x = x1; x <= x2; ++x) {
      v[x] = int32_t(y);
      // The advances "while e > 0: y += step, e -= dx" counted in one division.
      if (e > 0) {
        int64_t advances = (e + dx - 1) / dx;
        y += step * advances;
        e -= advances * dx;
      }
      e += dy;
    }
  }
}

void SAMPLEResample(SAMPLE* sample, int32_t n) {
  if (!SampleValid(sample) || n <= 0 || n == sample->length || sample->length == 0)
    return SAMPLEError();
  int32_t* items = SampleAllocate(n);
  if (!items) return SAMPLEError();
  const int32_t* old = sample->items;
  int64_t length = sample->length;
  if (n < length) {
    int64_t a = n - length;
    int32_t out = 0;
    for (int32_t i = 0; i < length; ++i) {
      if (a >= 0) {
        items[out++] = old[i];
        a -= length;
      }
      a += n;
    }
  } else {
    int64_t a = length - n;
    int32_t j = 0;
    for (int32_t i = 0; i < n; ++i) {
      if (a > 0) {
        a -= n;
        ++j;
      }
      items[i] = old[j];
      a += length;
    }
  }
  free(sample->items);
  sample->items = items;
  sample->length = n;
  sample->capacity = n;
}

void SAMPLEFit(SAMPLE* sample, int32_t lo, int32_t hi) {
  if (!SampleValid(sample) || lo > hi) return SAMPLEError();
  if (sample->length == 0) return;
  int64_t min = SAMPLEMin(sample);
  int64_t max = SAMPLEMax(sample);
  int32_t* v = sample->items;
  if (max == min) {
    std::fill(v, v + sample->length, lo);
    return;
  }
  // 16.16 factor as the table form uses; 64-bit so that wide ranges cannot overflow.
  int64_t factor = ((int64_t(hi) - lo) << 16) / (max - min);
  int32_t n = sample->length;
  for (int32_t i = 0; i < n; ++i) v[i] = int32_t((((v[i] - min) * factor) >> 16) + lo);
}

int32_t SAMPLEMin(const SAMPLE* sample) {
  if (!SampleValid(sample) || sample->length == 0) return SAMPLEError(), 0;
  return *std::min_element(sample->items, sample->items + sample->length);
}

int32_t SAMPLEMax(const SAMPLE* sample) {
  if (!SampleValid(sample) || sample->length == 0) return SAMPLEError(), 0;
  return *std::max_element(sample->items, sample->items + sample->length);
}

int32_t SAMPLEFind(const SAMPLE* sample, int32_t value, int32_t start) {
  if (!SampleValid(sample) || start < 0 || start >= sample->length) return SAMPLEError(), -1;
  for (int32_t i = start; i < sample->length; ++i)
    if (sample->items[i] == value) return i;
  return -1;
}

namespace {

// Matches of b against a shifted by offset, for an offset already known valid.
int32_t MatchesAt(const SAMPLE* a, const SAMPLE* b, int32_t offset) {
  int32_t ai = offset < 0 ? 0 : offset;
  int32_t bi = offset < 0 ? -offset : 0;
  int32_t n = std::min(a->length - ai, b->length - bi);
  int32_t count = 0;
  for (int32_t k = 0; k < n; ++k) count += a->items[ai + k] == b->items[bi + k];
  return count;
}

}  // namespace

int32_t SAMPLEMatchCount(const SAMPLE* a, const SAMPLE* b, int32_t offset) {
  if (!SampleValid(a) || !SampleValid(b) || int64_t(offset) < 1 - int64_t(b->length) ||
      offset >= a->length)
    return SAMPLEError(), -1;
  return MatchesAt(a, b, offset);
}

int32_t SAMPLEBestOffset(const SAMPLE* a, const SAMPLE* b) {
  if (!SampleValid(a) || !SampleValid(b)) return SAMPLEError(), -1;
  int32_t best = -b->length;
  int32_t bestCount = 0;
  for (int64_t offset = 1 - int64_t(b->length); offset < a->length; ++offset) {
    int32_t count = MatchesAt(a, b, int32_t(offset));
    if (count > bestCount) {
      bestCount = count;
      best = int32_t(offset);
    }
  }
  return best;
}
