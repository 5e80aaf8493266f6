// Shared helpers of the imaging tests: owned Images, random pictures, and
// capturing the error lines the modules print when their debug flag is set.
#ifndef VORN_TESTS_IMAGE_FIXTURE_H
#define VORN_TESTS_IMAGE_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "img.h"

namespace imagetest {

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;

inline Image Sized(int32_t w, int32_t h, uint32_t fill = 0) {
  Image image(IMGNew());
  IMGResize(image.get(), w, h);
  for (int64_t i = 0; i < int64_t(w) * h; ++i) image->pixels[i] = fill;
  return image;
}

// Random pixels; about one in keyEvery is black (the transparent key), and
// with fullWord the top byte is random too.
inline Image Random(std::mt19937& rng, int32_t w, int32_t h, int keyEvery = 4,
                    bool fullWord = false) {
  Image image = Sized(w, h);
  for (int64_t i = 0; i < int64_t(w) * h; ++i) {
    uint32_t p = rng();
    if (!fullWord) p &= 0xFFFFFF;
    if (keyEvery > 0 && rng() % keyEvery == 0) p = 0;
    image->pixels[i] = p;
  }
  return image;
}

inline int32_t Between(std::mt19937& rng, int32_t lo, int32_t hi) {
  return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
}

// Runs a call with the module's debug flag set and returns what it printed.
template <typename F>
std::string Printed(uint8_t& flag, F call) {
  flag = 1;
  testing::internal::CaptureStdout();
  call();
  std::string out = testing::internal::GetCapturedStdout();
  flag = 0;
  return out;
}

// Sets IMGPlainPaths for one scope: the plain per-pixel reference paths.
struct PlainPaths {
  PlainPaths() { IMGPlainPaths = 1; }
  ~PlainPaths() { IMGPlainPaths = 0; }
};

inline uint32_t Channel(uint32_t p, int c) { return (p >> (8 * c)) & 0xFF; }

}  // namespace imagetest

#endif
