// Pictures and workloads shared by the imaging benchmarks, made the same way
// for our operations and for the SDL ones they are compared with.
#ifndef VORN_BENCH_IMAGE_IMAGES_H
#define VORN_BENCH_IMAGE_IMAGES_H

#include <cstdint>
#include <random>
#include <vector>

#include "img.h"

namespace benchimage {

inline IMG* Sized(int32_t w, int32_t h) {
  IMG* image = IMGNew();
  IMGResize(image, w, h);
  return image;
}

// Busy picture: random colours with about a third of the pixels black.
inline IMG* Picture(int32_t w, int32_t h, uint32_t seed) {
  IMG* image = Sized(w, h);
  std::mt19937 rng(seed);
  for (int64_t i = 0; i < int64_t(w) * h; ++i) image->pixels[i] = rng() % 3 ? rng() & 0xFFFFFF : 0;
  return image;
}

// A 16 x 16 sprite cell: a filled disc with a black surround, as the show's sprites.
inline IMG* Cell() {
  IMG* cell = Sized(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      int dx = 2 * x - 15, dy = 2 * y - 15;
      if (dx * dx + dy * dy <= 15 * 15) cell->pixels[x + y * 16] = 0x204080u + uint32_t(x * 8 + y);
    }
  return cell;
}

struct Point {
  int32_t x, y;
};

// Sprite places on a 256 x 256 target: wholly inside, or straddling the edges.
inline std::vector<Point> CellPlaces(bool clipped, size_t n) {
  std::mt19937 rng(clipped ? 2 : 1);
  std::vector<Point> places(n);
  for (Point& p : places) {
    if (clipped) {
      // One corner or edge cut off by 1 to 15 pixels.
      int32_t cut = int32_t(rng() % 15) + 1;
      p = Point{int32_t(rng() % 240), int32_t(rng() % 240)};
      switch (rng() % 4) {
        case 0: p.x = -cut; break;
        case 1: p.x = 256 - 16 + cut; break;
        case 2: p.y = -cut; break;
        default: p.y = 256 - 16 + cut; break;
      }
    } else {
      p = Point{int32_t(rng() % 241), int32_t(rng() % 241)};
    }
  }
  return places;
}

struct Segment {
  int32_t x0, y0, x1, y1;
};

// Lines of mixed lengths and directions on a 256 x 256 target, about a
// quarter running off the image.
inline std::vector<Segment> Lines(size_t n) {
  std::mt19937 rng(3);
  std::vector<Segment> lines(n);
  for (Segment& s : lines) {
    int32_t length = int32_t(rng() % 4 == 0 ? 200 : rng() % 4 == 0 ? 60 : 12);
    s.x0 = int32_t(rng() % 320) - 32;
    s.y0 = int32_t(rng() % 320) - 32;
    s.x1 = s.x0 + int32_t(rng() % (2 * length + 1)) - length;
    s.y1 = s.y0 + int32_t(rng() % (2 * length + 1)) - length;
  }
  return lines;
}

}  // namespace benchimage

#endif
