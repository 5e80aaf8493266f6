// Helpers shared by the vector tests: images that free themselves and a
// list of the lit pixels of an image.
#ifndef VORN_TESTS_VECTOR_UTIL_H
#define VORN_TESTS_VECTOR_UTIL_H

#include <memory>
#include <set>
#include <utility>

#include "img.h"

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;

inline Image NewImage(int32_t width, int32_t height) {
  IMG* image = IMGNew();
  IMGResize(image, width, height);
  return Image(image);
}

using Pixels = std::set<std::pair<int32_t, int32_t>>;

inline Pixels LitPixels(const IMG* image) {
  Pixels lit;
  for (int32_t y = 0; y < image->height; ++y)
    for (int32_t x = 0; x < image->width; ++x)
      if (image->pixels[x + y * image->width]) lit.insert({x, y});
  return lit;
}

#endif
