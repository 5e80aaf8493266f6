// The Bresenham walk shared by IMGLine, IMGLineInside and IMGLinePoints,
// and the clipping that starts it part-way along a line. Internal.
#ifndef VORN_IMAGE_LINE_WALK_H
#define VORN_IMAGE_LINE_WALK_H

#include <cstdint>

namespace linewalk {

// One line from (x0, y0) to (x1, y1). The major axis is x when |dx| > |dy|,
// else y (ties go to y). Step i (0 <= i <= major) sits major-step i and
// MinorSteps(i) minor-steps away from the start.
struct Line {
  int64_t x0, y0;
  int32_t sx, sy;   // -1, 0 or +1
  bool xMajor;
  uint64_t major;   // |dx| or |dy|, the larger (y on a tie)
  uint64_t minor;   // the other
  uint64_t err0;    // major >> 1

  Line(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    int64_t dx = int64_t(bx) - ax, dy = int64_t(by) - ay;
    x0 = ax;
    y0 = ay;
    sx = dx < 0 ? -1 : dx > 0 ? 1 : 0;
    sy = dy < 0 ? -1 : dy > 0 ? 1 : 0;
    uint64_t adx = uint64_t(dx < 0 ? -dx : dx), ady = uint64_t(dy < 0 ? -dy : dy);
    xMajor = adx > ady;
    major = xMajor ? adx : ady;
    minor = xMajor ? ady : adx;
    err0 = major >> 1;
  }

  // The walk keeps err in (0, major] after every step once major >= 2
  // (err0 >= 1 then), so after i steps err = err0 - i*minor + q*major
  // fixes q = floor((i*minor - err0 + major) / major). All terms stay
  // below 2^64 since major, minor < 2^32.
  uint64_t MinorSteps(uint64_t i) const { return (i * minor + (major - err0)) / major; }
  uint64_t ErrAfter(uint64_t i) const { return major - (i * minor + (major - err0)) % major; }
};

// The step indices [first, last] whose points lie inside a width x height
// Image, for a line with major >= 2; empty when first > last. The major
// coordinate moves every step, the minor one never goes back, so the
// inside points are one run of steps.
struct Span {
  uint64_t first = 1, last = 0;
  bool Empty() const { return first > last; }
};

// Steps i of an axis starting at c moving by s (nonzero) with 0 <= c + s*i < extent,
// intersected with [0, limit]. Returns false when empty.
inline bool AxisRange(int64_t c, int32_t s, int64_t extent, uint64_t limit, uint64_t& lo,
                      uint64_t& hi) {
  int64_t a = s > 0 ? -c : c - (extent - 1);  // first step inside
  int64_t b = s > 0 ? extent - 1 - c : c;     // last step inside
  if (b < 0 || extent <= 0) return false;
  lo = a < 0 ? 0 : uint64_t(a);
  hi = uint64_t(b) < limit ? uint64_t(b) : limit;
  return lo <= hi;
}

inline Span Clip(const Line& line, int64_t width, int64_t height) {
  Span span;
  int64_t majorStart = line.xMajor ? line.x0 : line.y0;
  int64_t minorStart = line.xMajor ? line.y0 : line.x0;
  int32_t majorStep = line.xMajor ? line.sx : line.sy;
  int32_t minorStep = line.xMajor ? line.sy : line.sx;
  int64_t majorExtent = line.xMajor ? width : height;
  int64_t minorExtent = line.xMajor ? height : width;
  uint64_t lo, hi;
  if (!AxisRange(majorStart, majorStep, majorExtent, line.major, lo, hi)) return span;
  if (minorStep == 0) {
    if (minorStart < 0 || minorStart >= minorExtent) return span;
  } else {
    // Minor steps q allowed, then the steps i whose MinorSteps(i) lies in [qlo, qhi].
    uint64_t qlo, qhi;
    if (!AxisRange(minorStart, minorStep, minorExtent, line.minor, qlo, qhi)) return span;
    const uint64_t D = line.major, d = line.minor, e = line.err0;
    // MinorSteps(i) >= qlo  <=>  i*d >= (qlo - 1)*D + e  (for qlo >= 1)
    if (qlo > 0) {
      uint64_t need = (qlo - 1) * D + e;
      uint64_t i = need / d + (need % d != 0);
      if (i > lo) lo = i;
    }
    // MinorSteps(i) <= qhi  <=>  i*d <= qhi*D + e - 1
    uint64_t i = (qhi * D + e - 1) / d;
    if (i < hi) hi = i;
  }
  span.first = lo;
  span.last = hi;
  return span;
}

// Sets count points starting at pixel index at with error term err, moving by
// majorStep each step and by minorStep when err drops to 0 or below.
// Invariant: every point visited lies inside the array (the caller clipped).
inline void Plot(uint32_t* pixels, int64_t at, int64_t majorStep, int64_t minorStep,
                 int64_t err, int64_t minor, int64_t major, uint64_t count, uint32_t colour) {
  for (uint64_t n = 0; n < count; ++n) {
    pixels[at] = colour;
    at += majorStep;
    err -= minor;
    if (err <= 0) {
      err += major;
      at += minorStep;
    }
  }
}

}  // namespace linewalk

#endif
