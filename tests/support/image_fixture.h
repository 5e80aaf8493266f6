// Imaging test helpers: owned Images, random pictures, fast against plain, error lines.
#ifndef VORN_TESTS_IMAGE_FIXTURE_H
#define VORN_TESTS_IMAGE_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

#include "img.h"

namespace imagetest {

// Frees a module's record through its Free(T**), for std::unique_ptr.
template <typename T, void (*F)(T**)>
struct Freer { void operator()(T* p) const { F(&p); } };
using Image = std::unique_ptr<IMG, Freer<IMG, IMGFree>>;
using Pix = std::vector<uint32_t>;

inline Image Sized(int32_t w, int32_t h, uint32_t fill = 0) {
  Image image(IMGNew());
  IMGResize(image.get(), w, h);
  std::fill(image->pixels, image->pixels + int64_t(w) * h, fill);
  return image;
}

// The pixels in order; none for a null Image.
inline Pix Pixels(const IMG* image) {
  return image ? Pix(image->pixels, image->pixels + int64_t(image->width) * image->height) : Pix();
}

inline int32_t Between(std::mt19937& rng, int32_t lo, int32_t hi) {
  return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
}

// The (x, y) of every pixel that is not black.
using Lit = std::set<std::pair<int32_t, int32_t>>;
inline Lit LitPixels(const IMG* image) {
  Lit lit;
  for (int32_t i = 0; i < image->width * image->height; ++i)
    if (image->pixels[i]) lit.insert({i % image->width, i / image->width});
  return lit;
}

// Random pixels, about one in keyEvery black (the key); with fullWord a random top byte too.
inline Image Random(std::mt19937& rng, int32_t w, int32_t h, int keyEvery = 4, bool fullWord = false) {
  Image image = Sized(w, h);
  for (int64_t i = 0; i < int64_t(w) * h; ++i) {
    uint32_t p = fullWord ? rng() : rng() & 0xFFFFFF;
    image->pixels[i] = keyEvery > 0 && rng() % keyEvery == 0 ? 0 : p;
  }
  return image;
}

// Runs a call with the module's debug flag set and returns what it printed.
template <typename F>
std::string Printed(uint8_t& flag, F call) {
  flag = 1;
  testing::internal::CaptureStdout();
  call();
  flag = 0;
  return testing::internal::GetCapturedStdout();
}

// Runs call on two copies of start, through the fast paths and the plain reference ones.
template <typename F>
testing::AssertionResult SamePaths(const IMG* start, F call) {
  Image fast(IMGCopy(start)), plain(IMGCopy(start));
  call(fast.get());
  IMGPlainPaths = 1;
  call(plain.get());
  IMGPlainPaths = 0;
  if (IMGEqual(fast.get(), plain.get())) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the fast path differs from the plain one";
}

}  // namespace imagetest

#endif
