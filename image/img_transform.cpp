// IMG transforms: run tables, nearest-neighbour scaling and rotation.
#include <cstdlib>

#include "img.h"
#include "sine.h"

namespace {

struct Extents {
  int64_t small, large;
};

// The smaller and larger of |a| and |b|; false when either passes IMG_MAX_SIDE.
bool Order(int32_t a, int32_t b, Extents& e) {
  int64_t x = a < 0 ? -int64_t(a) : a, y = b < 0 ? -int64_t(b) : b;
  if (x > IMG_MAX_SIDE || y > IMG_MAX_SIDE) return false;
  e = x < y ? Extents{x, y} : Extents{y, x};
  return true;
}

int32_t* Counters(int64_t n) {
  return static_cast<int32_t*>(calloc(size_t(n > 0 ? n : 1), sizeof(int32_t)));
}

// Arithmetic shift right by 15, written as a floor division so that it does
// not rest on how the compiler shifts negative numbers.
int64_t Down15(int64_t v) { return v >= 0 ? v / 32768 : -((-v + 32767) / 32768); }

int64_t Modulo(int64_t a, int64_t n) {
  int64_t m = a % n;
  return m < 0 ? m + n : m;
}

}  // namespace

int32_t* IMGRunTable(int32_t a, int32_t b) {
  Extents e;
  if (!Order(a, b, e)) return IMGError(), nullptr;
  int32_t* runs = Counters(e.small + 1);
  if (!runs) return IMGError(), nullptr;
  // err stays in (0, large], so i = floor(t * small / large) after t steps:
  // it reaches small only at the last of the large + 1 steps.
  int64_t err = e.large, i = 0;
  for (int64_t t = 0; t <= e.large; ++t) {
    runs[i] += 1;
    err -= e.small;
    if (err <= 0) i += 1, err += e.large;
  }
  return runs;
}

int32_t* IMGRunTableSymmetric(int32_t a, int32_t b) {
  Extents e;
  if (!Order(a, b, e)) return IMGError(), nullptr;
  int32_t* runs = Counters(e.small);
  if (!runs) return IMGError(), nullptr;
  int64_t err = e.large, i = 0, j = e.small - 1;
  while (j >= i) {
    runs[i] += 1;
    err -= e.small;
    if (err <= 0) runs[j] = runs[i], i += 1, j -= 1, err += e.large;
  }
  return runs;
}

namespace {

// For each of the `to` destination units, the source unit it shows. Growing
// (or keeping) repeats source unit m runs[m] times; shrinking takes the last
// unit of each run, or the first when takeFirst is set.
bool SourceMap(int32_t to, int32_t from, bool takeFirst, int32_t* map) {
  int32_t* runs = IMGRunTable(to, from);
  if (!runs) return false;
  if (to >= from) {
    int64_t k = 0;
    for (int32_t m = 0; m < from; ++m)
      for (int32_t n = 0; n < runs[m] && k < to; ++n) map[k++] = m;
  } else {
    int64_t start = 0;
    for (int32_t k = 0; k < to; ++k) {
      map[k] = int32_t(takeFirst ? start : start + runs[k] - 1);
      start += runs[k];
    }
  }
  free(runs);
  return true;
}

}  // namespace

void IMGScale(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination) || destination->width < 0 ||
      destination->height < 0)
    return IMGError();
  const int32_t sw = source->width, sh = source->height;
  const int32_t dw = destination->width, dh = destination->height;
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;  // no source pixel or no place
  int32_t* columns = Counters(dw);
  int32_t* rows = Counters(dh);
  bool widthShrinks = dw < sw;
  bool mapped = columns && rows && SourceMap(dw, sw, false, columns) &&
                SourceMap(dh, sh, !widthShrinks, rows);
  if (mapped) {
    // One Image given twice has one size: every map is the identity then.
    for (int64_t y = 0; y < dh; ++y) {
      const uint32_t* from = source->pixels + int64_t(rows[y]) * sw;
      uint32_t* to = destination->pixels + y * dw;
      for (int64_t x = 0; x < dw; ++x) to[x] = from[columns[x]];
    }
  }
  free(columns);
  free(rows);
  if (!mapped) IMGError();
}

IMG* IMGRotate(const IMG* source, int32_t angle) {
  if (!IMGUsable(source)) return IMGError(), nullptr;
  const int64_t w = source->width, h = source->height;
  const int64_t rw = (w * 92667) >> 16, rh = (h * 92667) >> 16;
  if (rw > IMG_MAX_SIDE || rh > IMG_MAX_SIDE) return IMGError(), nullptr;
  IMG* turned = IMGNew();
  if (!turned) return nullptr;
  IMGResize(turned, int32_t(rw), int32_t(rh));
  if (turned->width != rw || turned->height != rh) {
    IMGFree(&turned);
    return nullptr;
  }
  const int64_t n = SineTableCount;
  const int64_t sb = SineTable[Modulo(-int64_t(angle), n)];
  const int64_t sc = SineTable[Modulo(-(int64_t(angle) + 256), n)];
  for (int64_t y = 0; y < rh; ++y) {
    const int64_t v = y - rh / 2;
    for (int64_t x = 0; x < rw; ++x) {
      const int64_t u = x - rw / 2;
      int64_t fx = Down15(u * sc) + w / 2 - Down15(v * sb);
      int64_t fy = h / 2 + Down15(u * sb) + Down15(v * sc);
      if (fx >= 0 && fy >= 0 && fx < w && fy < h) turned->pixels[x + y * rw] = source->pixels[fx + fy * w];
    }
  }
  return turned;
}
