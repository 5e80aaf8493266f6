// Test helpers for samples: an owning handle and the values as a vector.
#ifndef VORN_TESTS_SOUND_SAMPLE_HELPERS_H
#define VORN_TESTS_SOUND_SAMPLE_HELPERS_H

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sample.h"

// Owns a sample for the length of a test; converts to SAMPLE*.
class Sample {
 public:
  Sample() : s_(SAMPLENew()) {}
  explicit Sample(SAMPLE* adopted) : s_(adopted) {}
  Sample(std::initializer_list<int32_t> values) : s_(SAMPLENew()) {
    SAMPLESetLength(s_, int32_t(values.size()));
    int32_t i = 0;
    for (int32_t v : values) SAMPLESet(s_, i++, v);
  }
  ~Sample() {
    if (s_) SAMPLEFree(&s_);
  }
  Sample(const Sample&) = delete;
  Sample& operator=(const Sample&) = delete;
  operator SAMPLE*() const { return s_; }
  SAMPLE* operator->() const { return s_; }
  SAMPLE* release() {
    SAMPLE* s = s_;
    s_ = nullptr;
    return s;
  }

 private:
  SAMPLE* s_;
};

inline std::vector<int32_t> Values(const SAMPLE* s) {
  return std::vector<int32_t>(s->items, s->items + s->length);
}

#endif
