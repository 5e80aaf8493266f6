// Test helpers for samples: an owning handle and the values as a vector.
#ifndef VORN_TESTS_SOUND_SAMPLE_HELPERS_H
#define VORN_TESTS_SOUND_SAMPLE_HELPERS_H

#include <cstdint>
#include <vector>

#include "sample.h"

// Owns a sample for the length of a test; converts to SAMPLE*.
class Sample {
 public:
  Sample() : s_(SAMPLENew()) {}
  explicit Sample(SAMPLE* adopted) : s_(adopted) {}
  // A new sample holding these values (capacity their count, 32 when none).
  Sample(const std::vector<int32_t>& values) : s_(SAMPLENew()) {
    SAMPLESetLength(s_, int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) s_->items[i] = values[i];
  }
  ~Sample() {
    if (s_) SAMPLEFree(&s_);
  }
  Sample(const Sample&) = delete;
  Sample& operator=(const Sample&) = delete;
  operator SAMPLE*() const { return s_; }
  SAMPLE* operator->() const { return s_; }

 private:
  SAMPLE* s_;
};

using V = std::vector<int32_t>;

inline V Values(const SAMPLE* s) { return V(s->items, s->items + s->length); }

#endif
