// IMG blits: the clipped rectangle blits with their per-pixel rules, the
// averaging overlay, wrapped row and column copies, masks and spread blits.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "channels.h"
#include "img.h"
#include "imgfx.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// ------------------------------------------------------------ pixel rules
// Each rule gives d's new value from s and d; with SSE2 also four at once.

struct KeyedRule {
  static uint32_t Apply(uint32_t s, uint32_t d) { return s ? s : d; }
#ifdef __SSE2__
  static __m128i Apply4(__m128i s, __m128i d) {
    __m128i black = _mm_cmpeq_epi32(s, _mm_setzero_si128());
    return _mm_or_si128(_mm_and_si128(black, d), s);  // s is 0 wherever black is set
  }
  // Four pixels of a sprite are mostly all key or all colour: those need no
  // read of the destination, and all key needs no write either.
  static void Store4(__m128i s, uint32_t* d) {
    __m128i black = _mm_cmpeq_epi32(s, _mm_setzero_si128());
    int mask = _mm_movemask_epi8(black);
    if (mask == 0xFFFF) return;
    __m128i* to = reinterpret_cast<__m128i*>(d);
    if (mask) s = _mm_or_si128(_mm_and_si128(black, _mm_loadu_si128(to)), s);
    _mm_storeu_si128(to, s);
  }
#endif
};

struct CopyRule {
  static uint32_t Apply(uint32_t s, uint32_t) { return s; }
#ifdef __SSE2__
  static __m128i Apply4(__m128i s, __m128i) { return s; }
#endif
};

struct AddRule {
  static uint32_t Apply(uint32_t s, uint32_t d) { return s + d; }
#ifdef __SSE2__
  static __m128i Apply4(__m128i s, __m128i d) { return _mm_add_epi32(s, d); }
#endif
};

struct AddSatRule {
  static uint32_t Apply(uint32_t s, uint32_t d) { return channels::AddSaturate(s, d); }
#ifdef __SSE2__
  static __m128i Apply4(__m128i s, __m128i d) {
    return _mm_and_si128(_mm_adds_epu8(s, d), _mm_set1_epi32(int(channels::kRgb)));
  }
#endif
};

struct AverageRule {
  static uint32_t Apply(uint32_t s, uint32_t d) { return s ? channels::Average(s, d) : d; }
#ifdef __SSE2__
  static __m128i Apply4(__m128i s, __m128i d) {
    const __m128i half = _mm_set1_epi32(0x7F7F7F);
    __m128i mean = _mm_add_epi32(_mm_and_si128(_mm_srli_epi32(s, 1), half),
                                 _mm_and_si128(_mm_srli_epi32(d, 1), half));
    __m128i black = _mm_cmpeq_epi32(s, _mm_setzero_si128());
    return _mm_or_si128(_mm_and_si128(black, d), _mm_andnot_si128(black, mean));
  }
#endif
};

// A rectangle already clipped to both Images: every pixel visited is inside.
struct Rect {
  int64_t sx, sy, dx, dy, w, h;
};

// The clipping steps of the rectangle blits, in 64-bit terms so that no
// sum of two coordinates can wrap. False when nothing is to be drawn.
bool ClipBlit(const IMG* source, const IMG* destination, int64_t sx, int64_t sy, int64_t dx,
              int64_t dy, int64_t w, int64_t h, Rect& out) {
  const int64_t sw = source->width, sh = source->height;
  const int64_t dw = destination->width, dh = destination->height;
  // Wholly inside both (most sprites): the steps below would change nothing.
  if ((sx | sy | dx | dy) >= 0 && w > 0 && h > 0 && sx + w <= sw && sy + h <= sh && dx + w <= dw &&
      dy + h <= dh) {
    out = Rect{sx, sy, dx, dy, w, h};
    return true;
  }
  if (dx >= dw || dx + w < 0 || dy >= dh || dy + h < 0 || sx >= sw || sx + w < 0 || sy >= sh ||
      sy + h < 0)
    return false;
  if (sx < 0) w += sx, dx -= sx, sx = 0;
  if (sy < 0) h += sy, dy -= sy, sy = 0;
  if (sx + w > sw) w = sw - sx;
  if (sy + h > sh) h = sh - sy;
  if (dx + w > dw) w = dw - std::max<int64_t>(dx, 0);
  else if (dx < 0) w += dx;
  if (dy + h > dh) h = dh - std::max<int64_t>(dy, 0);
  else if (dy < 0) h += dy;
  out = Rect{sx - std::min<int64_t>(dx, 0), sy - std::min<int64_t>(dy, 0), std::max<int64_t>(dx, 0),
             std::max<int64_t>(dy, 0), w, h};
  return w > 0 && h > 0;
}

// True when one Image is both ends and the two rectangles share pixels:
// then each pixel must see the writes before it, so the walk stays plain.
bool Overlapping(const IMG* source, const IMG* destination, const Rect& r) {
  return source->pixels == destination->pixels && r.sx < r.dx + r.w && r.dx < r.sx + r.w &&
         r.sy < r.dy + r.h && r.dy < r.sy + r.h;
}

template <typename Rule>
void RowPlain(const uint32_t* s, uint32_t* d, int64_t n) {
  for (int64_t i = 0; i < n; ++i) d[i] = Rule::Apply(s[i], d[i]);
}

#ifdef __SSE2__
// Four pixels: s[0..4) and d[0..4) inside their arrays, sharing no pixel.
// kWholeCell: they belong to a whole sprite row, whose pattern of key and
// colour repeats from call to call, so a keyed blit may branch on it.
template <typename Rule, bool kWholeCell>
void Step4(const uint32_t* s, uint32_t* d) {
  __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  if constexpr (kWholeCell && std::is_same_v<Rule, KeyedRule>) {
    KeyedRule::Store4(vs, d);
  } else {
    __m128i vd = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), Rule::Apply4(vs, vd));
  }
}
#endif

// Invariant: s[0..n) and d[0..n) are inside their arrays and share no pixel.
template <typename Rule>
void RowFast(const uint32_t* s, uint32_t* d, int64_t n) {
  int64_t i = 0;
#ifdef __SSE2__
  for (; i + 4 <= n; i += 4) Step4<Rule, false>(s + i, d + i);
#endif
  for (; i < n; ++i) d[i] = Rule::Apply(s[i], d[i]);
}

// The rows of a clipped rectangle through one row routine; set-up and the
// choice of routine are made once.
template <void (*Row)(const uint32_t*, uint32_t*, int64_t)>
void ApplyRows(const uint32_t* s, uint32_t* d, const Rect& r, int64_t sourceWidth, int64_t destinationWidth) {
  for (int64_t row = 0; row < r.h; ++row, s += sourceWidth, d += destinationWidth) Row(s, d, r.w);
}

// A whole 16-pixel row (the sprite and font cell width) in four fixed steps.
template <typename Rule>
void Row16(const uint32_t* s, uint32_t* d, int64_t) {
#ifdef __SSE2__
  for (int i = 0; i < 16; i += 4) Step4<Rule, true>(s + i, d + i);
#else
  RowFast<Rule>(s, d, 16);
#endif
}

template <typename Rule>
void ApplyRect(const IMG* source, IMG* destination, const Rect& r) {
  const uint32_t* s = source->pixels + r.sx + r.sy * source->width;
  uint32_t* d = destination->pixels + r.dx + r.dy * destination->width;
  const int64_t sw = source->width, dw = destination->width;
  if (IMGPlainPaths || Overlapping(source, destination, r))
    ApplyRows<RowPlain<Rule>>(s, d, r, sw, dw);
  else if (r.w == 16)
    ApplyRows<Row16<Rule>>(s, d, r, sw, dw);
  else
    ApplyRows<RowFast<Rule>>(s, d, r, sw, dw);
}

template <typename Rule>
void Blit(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx, int32_t dy,
          int32_t w, int32_t h, void (*error)(void)) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return error();
  Rect r;
  if (ClipBlit(source, destination, sx, sy, dx, dy, w, h, r)) ApplyRect<Rule>(source, destination, r);
}

}  // namespace

void IMGBlitKeyed(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                  int32_t dy, int32_t w, int32_t h) {
  Blit<KeyedRule>(source, destination, sx, sy, dx, dy, w, h, IMGError);
}

void IMGBlit(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx, int32_t dy,
             int32_t w, int32_t h) {
  Blit<CopyRule>(source, destination, sx, sy, dx, dy, w, h, IMGError);
}

void IMGBlitAdd(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                int32_t dy, int32_t w, int32_t h) {
  Blit<AddRule>(source, destination, sx, sy, dx, dy, w, h, IMGError);
}

void IMGBlitAddSat(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                   int32_t dy, int32_t w, int32_t h) {
  Blit<AddSatRule>(source, destination, sx, sy, dx, dy, w, h, IMGError);
}

void IMGFXBlitAverage(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                      int32_t dy, int32_t w, int32_t h) {
  Blit<AverageRule>(source, destination, sx, sy, dx, dy, w, h, IMGFXError);
}

void IMGOverlayAverage(const IMG* source, IMG* destination, int32_t x, int32_t y) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGError();
  const int64_t sw = source->width, sh = source->height;
  const int64_t dw = destination->width, dh = destination->height;
  if (sw + x <= 0 || sh + y <= 0 || x >= dw || y >= dh) return;
  int64_t w = sw + x < dw ? sw + std::min<int64_t>(x, 0) : dw - std::max<int64_t>(x, 0);
  int64_t h = sh + y < dh ? sh + std::min<int64_t>(y, 0) : dh - std::max<int64_t>(y, 0);
  Rect r{-std::min<int64_t>(x, 0), -std::min<int64_t>(y, 0), std::max<int64_t>(x, 0),
         std::max<int64_t>(y, 0), w, h};
  ApplyRect<AverageRule>(source, destination, r);
}

// ------------------------------------------------------ rows and columns

namespace {

bool RowsValid(const IMG* source, const IMG* destination, int32_t sourceRow,
               int32_t destinationRow) {
  return IMGUsable(source) && IMGUsable(destination) && sourceRow >= 0 && sourceRow < source->height &&
         destinationRow >= 0 && destinationRow < destination->height;
}

// Start reduced into 0..extent-1, a negative start counting from the end.
int64_t Wrapped(int64_t start, int64_t extent) {
  int64_t m = start % extent;
  return m < 0 ? m + extent : m;
}

template <typename Rule>
void RowWrap(const IMG* source, IMG* destination, int32_t sourceRow, int32_t destinationRow,
             int32_t start) {
  if (!RowsValid(source, destination, sourceRow, destinationRow)) return IMGError();
  const int64_t count = std::min(source->width, destination->width);
  if (count == 0) return;  // nothing to copy, and no width to wrap around
  const int64_t dw = destination->width;
  const uint32_t* s = source->pixels + int64_t(sourceRow) * source->width;
  uint32_t* d = destination->pixels + int64_t(destinationRow) * dw;
  int64_t at = Wrapped(start, dw);
  int64_t first = std::min(count, dw - at);  // up to the last column, then from column 0
  RowPlain<Rule>(s, d + at, first);
  RowPlain<Rule>(s + first, d, count - first);
}

struct OrRule {
  static uint32_t Apply(uint32_t s, uint32_t d) { return s | d; }
};

}  // namespace

void IMGRowWrapKeyed(const IMG* source, IMG* destination, int32_t sourceRow,
                     int32_t destinationRow, int32_t start) {
  RowWrap<KeyedRule>(source, destination, sourceRow, destinationRow, start);
}

void IMGRowWrapOr(const IMG* source, IMG* destination, int32_t sourceRow, int32_t destinationRow,
                  int32_t start) {
  RowWrap<OrRule>(source, destination, sourceRow, destinationRow, start);
}

void IMGColumnWrapKeyed(const IMG* source, IMG* destination, int32_t sourceColumn,
                        int32_t destinationColumn, int32_t start) {
  if (!IMGUsable(source) || !IMGUsable(destination) || sourceColumn < 0 ||
      sourceColumn >= source->width || destinationColumn < 0 ||
      destinationColumn >= destination->width)
    return IMGError();
  const int64_t count = std::min(source->height, destination->height);
  if (count == 0) return;
  const int64_t dh = destination->height;
  int64_t at = Wrapped(start, dh);
  for (int64_t i = 0; i < count; ++i, at = at + 1 == dh ? 0 : at + 1) {
    uint32_t s = source->pixels[sourceColumn + i * source->width];
    uint32_t& d = destination->pixels[destinationColumn + at * destination->width];
    d = KeyedRule::Apply(s, d);
  }
}

void IMGCopyRow(const IMG* source, IMG* destination, int32_t sourceRow, int32_t destinationRow) {
  if (!RowsValid(source, destination, sourceRow, destinationRow)) return IMGError();
  const int64_t count = std::min(source->width, destination->width);
  memmove(destination->pixels + int64_t(destinationRow) * destination->width,
          source->pixels + int64_t(sourceRow) * source->width, size_t(count) * sizeof(uint32_t));
}

void IMGMaskAnd(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGError();
  const int64_t count = std::min(int64_t(source->width) * source->height,
                                 int64_t(destination->width) * destination->height);
  for (int64_t i = 0; i < count; ++i) destination->pixels[i] &= source->pixels[i];
}

// ---------------------------------------------------------- spread blit

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Indices i in [0, n) with 0 <= s + i < sourceExtent and 0 <= d + i * step < destinationExtent.
void SpreadRange(int64_t s, int64_t d, int64_t n, int64_t step, int64_t sourceExtent,
                 int64_t destinationExtent, int64_t& lo, int64_t& hi) {
  lo = std::max({int64_t(0), -s, CeilDiv(-d, step)});
  hi = std::min({n, sourceExtent - s, FloorDiv(destinationExtent - 1 - d, step) + 1});
}

}  // namespace

void IMGBlitStep(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                 int32_t dy, int32_t w, int32_t h, int32_t stepX, int32_t stepY) {
  if (!IMGUsable(source) || !IMGUsable(destination) || stepX < 1 || stepY < 1) return IMGError();
  int64_t i0, i1, j0, j1;
  SpreadRange(sx, dx, w, stepX, source->width, destination->width, i0, i1);
  SpreadRange(sy, dy, h, stepY, source->height, destination->height, j0, j1);
  const int64_t sw = source->width, dw = destination->width;
  for (int64_t j = j0; j < j1; ++j) {
    const int64_t from = sx + (sy + j) * sw, to = dx + (dy + j * stepY) * dw;
    for (int64_t i = i0; i < i1; ++i) {
      uint32_t& d = destination->pixels[to + i * stepX];
      d = KeyedRule::Apply(source->pixels[from + i], d);
    }
  }
}
