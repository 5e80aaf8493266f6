// The lit pixels of an image, for the vector tests.
#ifndef VORN_TESTS_VECTOR_UTIL_H
#define VORN_TESTS_VECTOR_UTIL_H

#include <set>
#include <utility>

#include "image_fixture.h"

using Pixels = std::set<std::pair<int32_t, int32_t>>;

inline Pixels LitPixels(const IMG* image) {
  Pixels lit;
  for (int32_t i = 0; i < image->width * image->height; ++i)
    if (image->pixels[i]) lit.insert({i % image->width, i / image->width});
  return lit;
}

#endif
