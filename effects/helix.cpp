// HELIX: the ribbon walk, the two-strand column and row drawings.
#include "helix.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "img.h"
#include "build_platform.h"
#include "imgfx.h"
#include "rgb888.h"
#include "sine.h"

const char* const HELIXIdent[5] = {"HELIX   ", "20121110", "ZEKTORIN", "C", "CODE"};
uint8_t HELIXDebug = 0;

void HELIXError(void) {
  if (HELIXDebug) puts("HELIX error");
}

namespace {

// (phase + by) & 1023 on the unsigned sum, which cannot overflow.
int32_t Turn(int32_t phase, int32_t by) {
  return int32_t((uint32_t(phase) + uint32_t(by)) & uint32_t(SineTableMask));
}

// axis + ((amplitude * T[p]) >> 15). The product fits 32 bits for amplitudes
// up to 65536; in 64 bits any amplitude is safe and the result is the same.
int64_t Wave(int64_t axis, int32_t amplitude, int32_t p) {
  return axis + ((int64_t(amplitude) * SineTable[p]) >> 15);
}

// A span end brought into -1..extent: the spans clip to the image, so an end
// further out draws exactly the same pixels, and the value fits 32 bits.
int32_t Near(int64_t v, int64_t extent) { return int32_t(std::clamp<int64_t>(v, -1, extent)); }

// The draws of one random value: random() shares glibc's generator with rand()
// and gives 31 bits; the Windows rand() gives 15 bits, so its colour takes two.
int32_t Draw() { return PlatformRandom(); }
uint32_t DrawColour() {
  uint32_t first = uint32_t(PlatformRandom());
  if constexpr (kWindowsBuild) return first + uint32_t(PlatformRandom()) * 65536u;
  return first;
}

// The ribbon's span at walk position t and cross position c, e + 1 long along
// the walk: a row span for horizontal ribbons, a column span for vertical ones.
void RibbonSpan(IMG* image, bool vertical, int64_t t, int64_t c, int64_t e, uint32_t colour) {
  if (vertical)
    IMGFXVLine(image, int32_t(c), Near(t, image->height), Near(t + e, image->height), colour);
  else
    IMGFXHLine(image, int32_t(c), Near(t, image->width), Near(t + e, image->width), colour);
}

// One ribbon pass. The walk goes over positions t = -e .. L + e - 1 of the
// walked axis (length L); at each it takes the wave value cur at the running
// phase p and, when it moved the pass's way from prev, draws a span at every
// cross position from prev to cur.
//
// Two cuts keep a huge offset or amplitude from running away, neither
// changing a drawn pixel:
// - cross positions are limited to the image, and positions t beyond L - 1
//   are not walked (their spans start past the last column);
// - for e >= L - 1 the spans of positions L - 1 - e .. 0 all cover the whole
//   walked axis. The state (p, prev) repeats every 1024 positions, so each of
//   those spans is redrawn whole 1024 positions later; all but the last
//   1024..2047 of them are skipped, in whole blocks of 1024 positions.
void Ribbon(const HELIX* helix, IMG* image, bool vertical, bool front) {
  if (!helix || !IMGUsable(image)) return HELIXError();
  const int64_t walked = vertical ? image->height : image->width;
  const int64_t across = vertical ? image->width : image->height;
  if (walked <= 0 || across <= 0) return;  // an empty image: nothing to draw, nothing to walk
  const int64_t axis = across >> 1, e = helix->offset;
  const uint32_t base = front ? helix->color : helix->shade;
  const int shift = front ? 8 : 9;

  int32_t p = Turn(helix->phase, 0);
  int64_t prev = Wave(axis, helix->amplitude, p);
  p = Turn(p, helix->step);

  const int64_t last = std::min(walked + e - 1, walked - 1);
  const int64_t coverFrom = walked - 1 - e;
  int64_t skip = 0;
  if (e >= walked - 1) {
    const int64_t covering = 1 - coverFrom;  // positions coverFrom .. 0
    if (covering >= 2048) skip = (covering - 1024) / 1024 * 1024;
  }
  for (int64_t t = -e; t <= last; ++t) {
    if (t == coverFrom) t += skip;
    const int64_t cur = Wave(axis, helix->amplitude, p);
    if (front ? cur > prev : cur < prev) {
      const int32_t v = SineTable[p] >> shift;
      const uint32_t colour = RGB888SubGrey(base, uint32_t(v < 0 ? -v : v));
      const int64_t lo = std::max<int64_t>(std::min(prev, cur), 0);
      const int64_t hi = std::min<int64_t>(std::max(prev, cur), across - 1);
      for (int64_t c = lo; c <= hi; ++c) RibbonSpan(image, vertical, t, c, e, colour);
    }
    p = Turn(p, helix->step);
    prev = cur;
  }
}

// The two-strand drawings: strands at p and q = p + offset, one position per
// column (rows: per row) of the image. span(position, s1, s2) draws.
template <typename Span>
void Strands(const HELIX* helix, IMG* image, bool rows, Span span) {
  if (!helix || !IMGUsable(image)) return HELIXError();
  const int64_t walked = rows ? image->height : image->width;
  const int64_t across = rows ? image->width : image->height;
  int32_t p = Turn(helix->phase, 0), q = Turn(helix->phase, helix->offset);
  for (int64_t t = 0; t < walked; ++t) {
    span(int32_t(t), Wave(across >> 1, helix->amplitude, p), Wave(across >> 1, helix->amplitude, q), across);
    p = Turn(p, helix->step);
    q = Turn(q, helix->step);
  }
}

}  // namespace

HELIX* HELIXNew(void) {
  HELIX* helix = static_cast<HELIX*>(calloc(1, sizeof(HELIX)));
  if (!helix) return HELIXError(), nullptr;
  HELIXRandomize(helix);
  return helix;
}

void HELIXFree(HELIX** helix) {
  if (!helix || !*helix) return HELIXError();
  free(*helix);
  *helix = nullptr;
}

char* HELIXToASCII(const HELIX* helix) {
  if (!helix) HELIXError();
  return nullptr;
}

HELIX* HELIXFromASCII(const char* text) {
  if (!text) HELIXError();
  return nullptr;
}

int HELIXEqual(const HELIX* a, const HELIX* b) {
  if (!a || !b) return HELIXError(), 0;
  return a->phase == b->phase && a->speed == b->speed && a->step == b->step && a->amplitude == b->amplitude &&
         a->offset == b->offset && a->color == b->color;
}

void HELIXCopy(const HELIX* source, HELIX* destination) {
  if (!source || !destination) return HELIXError();
  destination->phase = source->phase;
  destination->speed = source->speed;
  destination->step = source->step;
  destination->amplitude = source->amplitude;
  destination->offset = source->offset;
  destination->color = source->color;
}

HELIX* HELIXClone(const HELIX* source) {
  if (!source) return HELIXError(), nullptr;
  HELIX* clone = HELIXNew();
  if (clone) HELIXCopy(source, clone);
  return clone;
}

void HELIXRandomize(HELIX* helix) {
  if (!helix) return HELIXError();
  // The draws in their fixed order; each value is non-negative.
  helix->phase = Draw() & 1023;
  helix->speed = Draw() % 24 + 8;
  helix->step = Draw() % 8 + 1;
  helix->amplitude = Draw() % 100 + 16;
  helix->offset = Draw() % 63 + 64;
  helix->color = (DrawColour() & 0x7F7F7F) + 0x808080;
  helix->shade = (helix->color & 0xFEFEFE) >> 1;
}

void HELIXStep(HELIX* helix) {
  if (!helix) return HELIXError();
  helix->phase = Turn(helix->phase, helix->speed);
}

void HELIXDrawRibbonHFront(const HELIX* helix, IMG* image) { Ribbon(helix, image, false, true); }
void HELIXDrawRibbonHBack(const HELIX* helix, IMG* image) { Ribbon(helix, image, false, false); }
void HELIXDrawRibbonVFront(const HELIX* helix, IMG* image) { Ribbon(helix, image, true, true); }
void HELIXDrawRibbonVBack(const HELIX* helix, IMG* image) { Ribbon(helix, image, true, false); }

void HELIXDrawRibbonH(const HELIX* helix, IMG* image) {
  HELIXDrawRibbonHBack(helix, image);
  HELIXDrawRibbonHFront(helix, image);
}

void HELIXDrawRibbonV(const HELIX* helix, IMG* image) {
  HELIXDrawRibbonVBack(helix, image);
  HELIXDrawRibbonVFront(helix, image);
}

void HELIXDrawColumnsFront(const HELIX* helix, IMG* image) {
  Strands(helix, image, false, [&](int32_t x, int64_t s1, int64_t s2, int64_t across) {
    if (s2 >= s1) IMGFXVLine(image, x, Near(s1, across), Near(s2, across), helix->color);
  });
}

void HELIXDrawColumnsBack(const HELIX* helix, IMG* image) {
  Strands(helix, image, false, [&](int32_t x, int64_t s1, int64_t s2, int64_t across) {
    if (s2 < s1) IMGFXVLine(image, x, Near(s1, across), Near(s1 + 32, across), helix->shade);
  });
}

void HELIXDrawColumns(const HELIX* helix, IMG* image) {
  HELIXDrawColumnsBack(helix, image);
  HELIXDrawColumnsFront(helix, image);
}

void HELIXDrawRowsFront(const HELIX* helix, IMG* image) {
  Strands(helix, image, true, [&](int32_t y, int64_t s1, int64_t s2, int64_t across) {
    if (s2 >= s1) IMGFXHLine(image, y, Near(s1, across), Near(s2, across), helix->color);
  });
}

void HELIXDrawRowsBack(const HELIX* helix, IMG* image) {
  Strands(helix, image, true, [&](int32_t y, int64_t s1, int64_t s2, int64_t across) {
    if (s2 < s1) IMGFXHLine(image, y, Near(s2, across), Near(s1, across), helix->shade);
  });
}

void HELIXDrawRows(const HELIX* helix, IMG* image) {
  HELIXDrawRowsBack(helix, image);
  HELIXDrawRowsFront(helix, image);
}
