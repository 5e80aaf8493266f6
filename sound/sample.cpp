// SAMPLE core: life cycle, size, single values and block moves.
#include "sample.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sample_internal.h"

const char* const SAMPLEIdent[5] = {"SAMPLE  ", "20120215", "ZEKTORIN", "C", "CODE"};
uint8_t SAMPLEDebug = 0;

void SAMPLEError(void) {
  if (SAMPLEDebug) puts("SAMPLE error");
}

int32_t* SampleAllocate(int32_t n) {
  if (n <= 0 || n > SAMPLE_MAX_LENGTH) return nullptr;
  return static_cast<int32_t*>(calloc(size_t(n), sizeof(int32_t)));
}

SAMPLE* SampleOfLength(int32_t n) {
  SAMPLE* sample = SAMPLENew();
  if (!sample) return nullptr;
  if (n > 0) SAMPLEReserve(sample, n);
  SAMPLESetLength(sample, n);
  if (sample->length != n) SAMPLEFree(&sample);
  return sample;
}

SAMPLE* SAMPLENew(void) {
  SAMPLE* sample = static_cast<SAMPLE*>(calloc(1, sizeof(SAMPLE)));
  if (!sample) return SAMPLEError(), nullptr;
  sample->items = SampleAllocate(32);
  if (!sample->items) {
    free(sample);
    return SAMPLEError(), nullptr;
  }
  sample->capacity = 32;
  return sample;
}

void SAMPLEFree(SAMPLE** sample) {
  if (!sample || !*sample) return SAMPLEError();
  free((*sample)->items);
  free(*sample);
  *sample = nullptr;
}

int SAMPLEEqual(const SAMPLE* a, const SAMPLE* b) {
  if (!SampleValid(a) || !SampleValid(b)) return SAMPLEError(), 0;
  if (a->length != b->length ||
      memcmp(a->items, b->items, size_t(a->length) * sizeof(int32_t)) != 0)
    return SAMPLEError(), 0;
  return 1;
}

SAMPLE* SAMPLECopy(const SAMPLE* sample) {
  if (!SampleValid(sample)) return SAMPLEError(), nullptr;
  SAMPLE* copy = SampleOfLength(sample->length);
  if (!copy) return nullptr;
  memcpy(copy->items, sample->items, size_t(sample->length) * sizeof(int32_t));
  return copy;
}

SAMPLE* SAMPLEFromBytes(const uint8_t* bytes, int32_t n) {
  if (!bytes || n < 0) return SAMPLEError(), nullptr;
  SAMPLE* sample = SampleOfLength(n);
  if (!sample) return nullptr;
  for (int32_t i = 0; i < n; ++i) sample->items[i] = int8_t(bytes[i]);
  return sample;
}

SAMPLE* SAMPLESub(const SAMPLE* sample, int32_t first, int32_t end) {
  if (!SampleValid(sample) || first > end) return SAMPLEError(), nullptr;
  if (end > sample->length) end = sample->length;
  if (first < 0) first = 0;
  if (first > end) return SAMPLEError(), nullptr;
  SAMPLE* sub = SampleOfLength(end - first);
  if (!sub) return nullptr;
  memcpy(sub->items, sample->items + first, size_t(end - first) * sizeof(int32_t));
  return sub;
}

void SAMPLEInsertSample(SAMPLE* target, const SAMPLE* source, int32_t at) {
  if (!SampleValid(target) || !SampleValid(source) || at < 0 || at > target->length ||
      source->length > INT32_MAX - target->length)
    return SAMPLEError();
  int32_t n = source->length;
  int32_t old = target->length;
  if (old + n == 0) return;
  // Inserting a sample into itself: take its values before any of them move.
  int32_t* taken = n > 0 ? SampleAllocate(n) : nullptr;
  if (n > 0 && !taken) return SAMPLEError();
  if (n > 0) memcpy(taken, source->items, size_t(n) * sizeof(int32_t));
  SAMPLEReserve(target, old + n);
  if (target->capacity == old + n && n > 0) {
    memmove(target->items + at + n, target->items + at, size_t(old - at) * sizeof(int32_t));
    memcpy(target->items + at, taken, size_t(n) * sizeof(int32_t));
    target->length = old + n;
  }
  free(taken);
}

void SAMPLEReserve(SAMPLE* sample, int32_t n) {
  if (!SampleValid(sample) || n <= 0) return SAMPLEError();
  int32_t* items = SampleAllocate(n);
  if (!items) return SAMPLEError();
  int32_t kept = sample->length < n ? sample->length : n;
  memcpy(items, sample->items, size_t(kept) * sizeof(int32_t));
  free(sample->items);
  sample->items = items;
  sample->capacity = n;
  sample->length = kept;
}

void SAMPLESetLength(SAMPLE* sample, int32_t n) {
  if (!SampleValid(sample) || n < 0) return SAMPLEError();
  if (sample->capacity < n) {
    SAMPLEReserve(sample, n);
    if (sample->capacity != n) return;
  }
  sample->length = n;
}

int32_t SAMPLEGet(const SAMPLE* sample, int32_t index) {
  if (!SampleValid(sample) || index < 0 || index >= sample->length) return SAMPLEError(), 0;
  return sample->items[index];
}

void SAMPLESet(SAMPLE* sample, int32_t index, int32_t value) {
  if (!SampleValid(sample) || index < 0 || index >= sample->length) return SAMPLEError();
  sample->items[index] = value;
}

void SAMPLEInsert(SAMPLE* sample, int32_t value, int32_t index) {
  if (!SampleValid(sample) || index < 0 || index > sample->length) return SAMPLEError();
  if (sample->length >= sample->capacity) {
    if (sample->capacity >= SAMPLE_MAX_LENGTH) return SAMPLEError();
    int32_t doubled = SampleGrown(sample->capacity);
    SAMPLEReserve(sample, doubled);
    if (sample->capacity != doubled) return;
  }
  int32_t* items = sample->items;
  memmove(items + index + 1, items + index, size_t(sample->length - index) * sizeof(int32_t));
  items[index] = value;
  ++sample->length;
}

void SAMPLERemove(SAMPLE* sample, int32_t index) {
  if (!SampleValid(sample) || index < 0 || index >= sample->length) return SAMPLEError();
  int32_t* items = sample->items;
  memmove(items + index, items + index + 1, size_t(sample->length - index - 1) * sizeof(int32_t));
  --sample->length;
}

void SAMPLEClear(SAMPLE* sample) {
  if (!SampleValid(sample)) return SAMPLEError();
  memset(sample->items, 0, size_t(sample->length) * sizeof(int32_t));
}

void SAMPLECopyRange(const SAMPLE* source, SAMPLE* target, int32_t n, int32_t from, int32_t to) {
  if (!SampleValid(source) || !SampleValid(target) || from < 0 || to < 0 ||
      int64_t(from) + n > source->length || int64_t(to) + n > target->length)
    return SAMPLEError();
  if (n <= 0) return;
  // memmove copies downwards exactly when the ranges overlap with from < to.
  memmove(target->items + to, source->items + from, size_t(n) * sizeof(int32_t));
}
