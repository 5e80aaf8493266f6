// Helpers shared by the files of the SAMPLE module; not part of its interface.
#ifndef VORN_SOUND_SAMPLE_INTERNAL_H
#define VORN_SOUND_SAMPLE_INTERNAL_H

#include <cstdint>

#include "sample.h"

// A sample whose fields can be trusted: values exist and 0 <= length <= capacity.
inline bool SampleValid(const SAMPLE* sample) {
  return sample && sample->items && sample->length >= 0 && sample->length <= sample->capacity;
}

// Zero-filled array of 0 < n <= SAMPLE_MAX_LENGTH values; null when n is out of range or
// memory is short.
int32_t* SampleAllocate(int32_t n);

// The capacity after doubling a full one, held at SAMPLE_MAX_LENGTH.
inline int32_t SampleGrown(int32_t capacity) {
  return capacity > SAMPLE_MAX_LENGTH / 2 ? SAMPLE_MAX_LENGTH : capacity * 2;
}

// New sample of length n >= 0 (capacity exactly n, 32 when n is 0); null on failure.
SAMPLE* SampleOfLength(int32_t n);

#endif
