// LSTARS: stars moving together in 16.16 fixed point, wrapping with a margin.
#include "lstars.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "font.h"
#include "img.h"

const char* const LSTARSIdent[5] = {"LSTARS  ", "20120815", "ZEKTORIN", "C", "CODE"};
uint8_t LSTARSDebug = 0;

void LSTARSError(void) {
  if (LSTARSDebug) puts("LSTARS error");
}

namespace {

constexpr int32_t kNewCount = 16;
constexpr int64_t kOne = 65536;

bool HasStars(const LSTARS* s) { return s && s->stars && s->count > 0; }

// Stores a 64-bit position into a 32-bit field, wrapping rather than
// overflowing when a caller drives a star absurdly far out.
int32_t Narrow(int64_t value) { return int32_t(uint32_t(uint64_t(value))); }

// Whole pixel of a 16.16 value, an arithmetic shift.
int64_t Pixel(int64_t value) { return value >> 16; }

// Margin of one axis: the pixels a streak (two steps) spans. It is taken
// from the size of the velocity so that a star moving left or up gets the
// same margin as one moving right or down.
int64_t Margin(int32_t d) { return Pixel(2 * (d < 0 ? -int64_t(d) : int64_t(d))); }

// Wraps one coordinate of a star: past the far margin it comes back at the
// near one and the other way round, always at a whole pixel.
int32_t Wrap(int64_t value, int64_t margin, int32_t size) {
  const int64_t p = Pixel(value);
  if (p < -margin) return Narrow((margin + size - 1) * kOne);
  if (p >= margin + size) return Narrow((1 - margin) * kOne);
  return Narrow(value);
}

void TakeArea(LSTARS* s, const IMG* image) {
  s->width = image->width;
  s->height = image->height;
}

}  // namespace

LSTARS* LSTARSNew(void) {
  LSTARS* s = static_cast<LSTARS*>(calloc(1, sizeof(LSTARS)));
  if (!s) return LSTARSError(), nullptr;
  s->width = 256;
  s->height = 256;
  s->velocity = LSTARSVelocity{0, 0x10000};
  s->color = 0xFFFFFF;
  LSTARSSetCount(s, kNewCount);
  if (!s->stars) {
    free(s);
    return nullptr;
  }
  return s;
}

void LSTARSFree(LSTARS** stars) {
  if (!stars || !*stars) return LSTARSError();
  free((*stars)->stars);
  free(*stars);
  *stars = nullptr;
}

char* LSTARSToASCII(const LSTARS* stars) {
  if (!stars) LSTARSError();
  return nullptr;
}

LSTARS* LSTARSFromASCII(const char* text) {
  if (!text) LSTARSError();
  return nullptr;
}

int LSTARSEqual(const LSTARS* a, const LSTARS* b) {
  if (!a || !b) LSTARSError();
  return 0;
}

LSTARS* LSTARSClone(const LSTARS* source) {
  if (!source) return LSTARSError(), nullptr;
  return LSTARSNew();
}

void LSTARSSetCount(LSTARS* stars, int32_t n) {
  if (!stars || n <= 0) return LSTARSError();
  if (uint64_t(n) > SIZE_MAX / sizeof(LSTARSPoint)) return LSTARSError();
  LSTARSPoint* points = static_cast<LSTARSPoint*>(calloc(size_t(n), sizeof(LSTARSPoint)));
  if (!points) return LSTARSError();
  free(stars->stars);
  stars->stars = points;
  stars->count = n;
  LSTARSReset(stars);
}

void LSTARSReset(LSTARS* stars) {
  if (!HasStars(stars) || stars->width <= 0 || stars->height <= 0) return LSTARSError();
  for (int32_t i = stars->count - 1; i >= 0; --i) LSTARSPlace(stars, i);
}

void LSTARSPlace(LSTARS* stars, int32_t index) {
  if (!HasStars(stars) || stars->width <= 0 || stars->height <= 0) return LSTARSError();
  if (index < 0 || index >= stars->count) return LSTARSError();
  // Positions are whole pixels of the area; an area wider than 32767 pixels
  // would not fit in 16.16 and wraps like any far-out star.
  const int32_t x = Narrow(int64_t(rand() % stars->width) * kOne);
  const int32_t y = Narrow(int64_t(rand() % stars->height) * kOne);
  stars->stars[index] = LSTARSPoint{x, y};
}

void LSTARSMove(LSTARS* stars) {
  if (!HasStars(stars)) return LSTARSError();
  const LSTARSVelocity v = stars->velocity;
  const int64_t mx = Margin(v.dx), my = Margin(v.dy);
  for (int32_t i = 0; i < stars->count; ++i) {
    LSTARSPoint& p = stars->stars[i];
    p.x = Wrap(int64_t(p.x) + v.dx, mx, stars->width);
    p.y = Wrap(int64_t(p.y) + v.dy, my, stars->height);
  }
}

void LSTARSDrawDots(LSTARS* stars, IMG* image) {
  if (!HasStars(stars) || !IMGUsable(image)) return LSTARSError();
  TakeArea(stars, image);
  for (int32_t i = 0; i < stars->count; ++i) {
    const LSTARSPoint p = stars->stars[i];
    IMGPutPixel(image, p.x >> 16, p.y >> 16, stars->color);
  }
}

void LSTARSDrawStreaks(LSTARS* stars, IMG* image) {
  if (!HasStars(stars) || !IMGUsable(image)) return LSTARSError();
  TakeArea(stars, image);
  const LSTARSVelocity v = stars->velocity;
  for (int32_t i = stars->count - 1; i >= 0; --i) {
    const LSTARSPoint p = stars->stars[i];
    const int32_t tailX = Narrow(Pixel(int64_t(p.x) - 2 * int64_t(v.dx)));
    const int32_t tailY = Narrow(Pixel(int64_t(p.y) - 2 * int64_t(v.dy)));
    IMGLine(image, p.x >> 16, p.y >> 16, tailX, tailY, stars->color);
  }
}

void LSTARSDrawSprites(LSTARS* stars, IMG* image) {
  if (!HasStars(stars) || !IMGUsable(image) || !stars->sprites) return LSTARSError();
  TakeArea(stars, image);
  FONT* font = stars->sprites;
  for (int32_t i = 0; i < stars->count; ++i) {
    const int32_t px = stars->stars[i].x >> 16, py = stars->stars[i].y >> 16;
    font->target = image;
    font->code = py % 64;
    font->x = px - 16;
    font->y = py - 16;
    FONTDrawChar(font);
  }
}
