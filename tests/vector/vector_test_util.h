// Helpers shared by the vector tests: the lit pixels of an image, and probe
// line fonts whose glyph n is drawn in colour 0x1000 + n, so that an image
// reads back which character went where.
#ifndef VORN_TESTS_VECTOR_UTIL_H
#define VORN_TESTS_VECTOR_UTIL_H

#include <set>
#include <string>
#include <utility>

#include "image_fixture.h"
#include "img.h"
#include "lfont.h"
#include "list.h"

using Pixels = std::set<std::pair<int32_t, int32_t>>;

inline Pixels LitPixels(const IMG* image) {
  Pixels lit;
  for (int32_t y = 0; y < image->height; ++y)
    for (int32_t x = 0; x < image->width; ++x)
      if (image->pixels[x + y * image->width]) lit.insert({x, y});
  return lit;
}

constexpr uint32_t kProbe = 0x1000;

// A font of `glyphs` glyphs with cell x and y `cell`: glyph n is one dot at its
// origin, or (strokes) a line from the origin to (6, 2).
inline LFONT* ProbeFont(IMG* target, int32_t cell, int32_t glyphs = 256, bool strokes = false) {
  LFONT* f = LFONTNew();
  f->glyphs = LISTNew();
  for (int32_t n = 0; n < glyphs; ++n) {
    OBJ2D* glyph = OBJ2DNew();
    SEG2D* seg = SEG2DNew();
    seg->end->x = strokes ? 6 : 0;
    seg->end->y = strokes ? 2 : 0;
    seg->start->color = seg->end->color = kProbe + uint32_t(n);
    OBJ2DAddSegment(glyph, seg);
    LISTPush(f->glyphs, glyph);
  }
  f->cell->x = f->cell->y = cell;
  f->target = target;
  return f;
}

// The characters at (x0, y), (x0 + dx, y), ... ('.' where nothing was drawn).
inline std::string Shown(const IMG* image, int32_t x0, int32_t y, int32_t dx, int32_t cells) {
  std::string text;
  for (int32_t i = 0; i < cells; ++i) {
    const uint32_t p = IMGGetPixel(image, x0 + dx * i, y);
    text += p ? char(p - kProbe) : '.';
  }
  return text;
}

#endif
