// IMGFX filters. Each filter is one kernel written once over a tap reader:
// the plain path reads every tap bounds-checked and walks the pixels last to
// first (the defined order when source and destination are one Image); the
// fast path reads taps straight from the row where the whole kernel lies
// inside the source, bounds-checked only near the edges, and hands the
// interior of the three per-frame filters to SSE2.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "imgfx.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

uint32_t Ch(uint32_t p, int c) { return (p >> (8 * c)) & 0xFF; }

// A channel value 0..255 shifted right by s >= 0; from 8 on nothing is left.
uint32_t Shifted(uint32_t v, int32_t s) { return s >= 8 ? 0 : v >> s; }

// Source pixel (x, y), or 0 outside the source.
struct CheckedTap {
  const IMG* image;
  uint32_t operator()(int64_t x, int64_t y) const {
    if (x < 0 || y < 0 || x >= image->width || y >= image->height) return 0;
    return image->pixels[x + y * image->width];
  }
};

// Source pixel (x, y) for a kernel known to lie inside the source.
struct DirectTap {
  const uint32_t* pixels;
  int64_t width;
  uint32_t operator()(int64_t x, int64_t y) const { return pixels[x + y * width]; }
};

// ----------------------------------------------------------------- kernels
// Each has the reach rx, ry of its taps and computes one result pixel.

struct Blur3HKernel {
  int64_t rx = 1, ry = 0;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint32_t a = p(x - 1, y), b = p(x, y), c = p(x + 1, y), out = 0;
    for (int k = 0; k < 3; ++k) out |= ((Ch(a, k) + Ch(b, k) + Ch(c, k)) / 3) << (8 * k);
    return out;
  }
};

struct Blur121HKernel {
  int64_t rx = 1, ry = 0;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint32_t a = p(x - 1, y), b = p(x, y), c = p(x + 1, y), out = 0;
    for (int k = 0; k < 3; ++k) out |= ((Ch(a, k) + 2 * Ch(b, k) + Ch(c, k)) >> 2) << (8 * k);
    return out;
  }
};

struct Blur5HKernel {
  int64_t rx = 2, ry = 0;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint32_t t[5] = {p(x - 2, y), p(x - 1, y), p(x, y), p(x + 1, y), p(x + 2, y)}, out = 0;
    for (int k = 0; k < 3; ++k) {
      uint32_t sum = Ch(t[0], k) + Ch(t[1], k) + 4 * Ch(t[2], k) + Ch(t[3], k) + Ch(t[4], k);
      out |= (sum >> 3) << (8 * k);
    }
    return out;
  }
};

struct Blur7HKernel {
  int64_t rx = 3, ry = 0;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint32_t out = 0;
    for (int k = 0; k < 3; ++k) {
      uint32_t sum = Ch(p(x, y), k);  // the centre counts twice
      for (int64_t i = -3; i <= 3; ++i) sum += Ch(p(x + i, y), k);
      out |= (sum >> 3) << (8 * k);
    }
    return out;
  }
};

struct Blur3x3Kernel {
  int64_t rx = 1, ry = 1;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    static constexpr uint32_t kWeight[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    uint32_t sum[3] = {0, 0, 0};
    for (int64_t j = -1; j <= 1; ++j)
      for (int64_t i = -1; i <= 1; ++i) {
        uint32_t v = p(x + i, y + j), w = kWeight[j + 1][i + 1];
        for (int k = 0; k < 3; ++k) sum[k] += w * Ch(v, k);
      }
    return (sum[0] >> 4) | (sum[1] >> 4) << 8 | (sum[2] >> 4) << 16;
  }
};

// min(255, centre + the listed neighbours shifted right by s), per channel.
template <int64_t Reach, bool Square>
struct GlowKernel {
  int32_t shift;
  int64_t rx = Reach, ry = Square ? Reach : 0;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint32_t centre = p(x, y);
    uint32_t sum[3] = {Ch(centre, 0), Ch(centre, 1), Ch(centre, 2)};
    for (int64_t j = -ry; j <= ry; ++j)
      for (int64_t i = -Reach; i <= Reach; ++i) {
        if (i == 0 && j == 0) continue;
        uint32_t v = p(x + i, y + j);
        for (int k = 0; k < 3; ++k) sum[k] += Shifted(Ch(v, k), shift);
      }
    uint32_t out = 0;
    for (int k = 0; k < 3; ++k) out |= std::min<uint32_t>(255, sum[k]) << (8 * k);
    return out;
  }
};

// Taps at distance up to r in the row (or the block); those outside the source
// read 0, so the loops run over the part inside only.
struct BoxBlurHKernel {
  int64_t r;
  const IMG* source;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint64_t sum[3] = {0, 0, 0};
    for (int64_t i = std::max<int64_t>(x - r, 0); i <= std::min<int64_t>(x + r, source->width - 1); ++i)
      for (int k = 0; k < 3; ++k) sum[k] += Ch(p(i, y), k);
    uint64_t n = 2 * uint64_t(r) + 1;
    return uint32_t(sum[0] / n) | uint32_t(sum[1] / n) << 8 | uint32_t(sum[2] / n) << 16;
  }
};

struct BoxBlurKernel {
  int64_t r;
  const IMG* source;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint64_t sum[3] = {0, 0, 0};
    for (int64_t j = std::max<int64_t>(y - r, 0); j <= std::min<int64_t>(y + r, source->height - 1); ++j)
      for (int64_t i = std::max<int64_t>(x - r, 0); i <= std::min<int64_t>(x + r, source->width - 1); ++i)
        for (int k = 0; k < 3; ++k) sum[k] += Ch(p(i, j), k);
    uint64_t n = (2 * uint64_t(r) + 1) * (2 * uint64_t(r) + 1);
    return uint32_t(sum[0] / n) | uint32_t(sum[1] / n) << 8 | uint32_t(sum[2] / n) << 16;
  }
};

struct GlowHKernel {
  int64_t r;
  int32_t shift;
  const IMG* source;
  template <typename Tap>
  uint32_t operator()(const Tap& p, int64_t x, int64_t y) const {
    uint32_t centre = p(x, y);
    uint32_t sum[3] = {Ch(centre, 0), Ch(centre, 1), Ch(centre, 2)};
    for (int64_t i = std::max<int64_t>(x - r, 0); i <= std::min<int64_t>(x + r, source->width - 1); ++i)
      for (int k = 0; k < 3; ++k) sum[k] += Shifted(Ch(p(i, y), k), shift);
    uint32_t out = 0;
    for (int k = 0; k < 3; ++k) out |= std::min<uint32_t>(255, sum[k]) << (8 * k);
    return out;
  }
};

// ----------------------------------------------------------------- drivers

// The reference: every pixel of the source's size, last row and last column
// first, taps bounds-checked, results written only inside the destination.
template <typename Kernel>
void PlainFilter(const IMG* source, IMG* destination, const Kernel& kernel) {
  CheckedTap tap{source};
  for (int64_t y = int64_t(source->height) - 1; y >= 0; --y)
    for (int64_t x = int64_t(source->width) - 1; x >= 0; --x) {
      uint32_t value = kernel(tap, x, y);
      if (x < destination->width && y < destination->height)
        destination->pixels[x + y * destination->width] = value;
    }
}

// The interior hook of the fast driver: handles some pixels from x on in row
// y (all with the whole kernel inside the source, x < end) and returns where
// it stopped. The default handles none.
struct NoInterior {
  int64_t operator()(const IMG*, int64_t, int64_t x, int64_t, uint32_t*) const { return x; }
};

// Invariant: source and destination pixel arrays are distinct, so the order
// of the visits cannot be observed; each result covers the part of the
// source's size that lies inside the destination.
template <typename Kernel, typename Interior = NoInterior>
void FastFilter(const IMG* source, IMG* destination, const Kernel& kernel,
                Interior interior = Interior()) {
  const int64_t sw = source->width, sh = source->height;
  const int64_t w = std::min<int64_t>(sw, destination->width);
  const int64_t h = std::min<int64_t>(sh, destination->height);
  CheckedTap checked{source};
  DirectTap direct{source->pixels, sw};
  for (int64_t y = 0; y < h; ++y) {
    uint32_t* out = destination->pixels + y * destination->width;
    bool rowInside = y >= kernel.ry && y + kernel.ry < sh;
    int64_t x0 = rowInside ? std::min(kernel.rx, w) : w;
    int64_t x1 = rowInside ? std::max(x0, std::min(w, sw - kernel.rx)) : w;
    int64_t x = 0;
    for (; x < x0; ++x) out[x] = kernel(checked, x, y);
    for (x = interior(source, y, x, x1, out); x < x1; ++x) out[x] = kernel(direct, x, y);
    for (; x < w; ++x) out[x] = kernel(checked, x, y);
  }
}

bool PlainWanted(const IMG* source, const IMG* destination) {
  return IMGPlainPaths || source->pixels == destination->pixels;
}

template <typename Kernel, typename Interior = NoInterior>
void Filter(const IMG* source, IMG* destination, const Kernel& kernel,
            Interior interior = Interior()) {
  if (PlainWanted(source, destination)) PlainFilter(source, destination, kernel);
  else FastFilter(source, destination, kernel, interior);
}

// ------------------------------------------------------- SSE2 interiors

#ifdef __SSE2__
// Four pixels as two halves of 16-bit channel lanes.
struct Lanes {
  __m128i lo, hi;
};

inline Lanes Load(const uint32_t* p) {
  __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  __m128i zero = _mm_setzero_si128();
  return {_mm_unpacklo_epi8(v, zero), _mm_unpackhi_epi8(v, zero)};
}

inline Lanes operator+(Lanes a, Lanes b) {
  return {_mm_add_epi16(a.lo, b.lo), _mm_add_epi16(a.hi, b.hi)};
}

inline Lanes ShiftLeft(Lanes a, int n) {
  return {_mm_slli_epi16(a.lo, n), _mm_slli_epi16(a.hi, n)};
}

inline Lanes ShiftRight(Lanes a, __m128i n) { return {_mm_srl_epi16(a.lo, n), _mm_srl_epi16(a.hi, n)}; }

// Packs with unsigned saturation at 255 (the glow's clamp; blur lanes never
// pass 255) and clears the top byte, whose lane summed the sources' top bytes.
inline void Store(uint32_t* out, Lanes a) {
  __m128i packed = _mm_packus_epi16(a.lo, a.hi);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                   _mm_and_si128(packed, _mm_set1_epi32(0x00FFFFFF)));
}

// Lanes hold at most 8 * 255 (blur 5), 5 * 255 (glow 5) or 16 * 255 (3 x 3):
// no 16-bit lane overflows.
struct Blur5HInterior {
  int64_t operator()(const IMG* s, int64_t y, int64_t x, int64_t end, uint32_t* out) const {
    const uint32_t* row = s->pixels + y * s->width;
    const __m128i three = _mm_cvtsi32_si128(3);
    for (; x + 4 <= end; x += 4) {
      Lanes sum = Load(row + x - 2) + Load(row + x - 1) + ShiftLeft(Load(row + x), 2) +
                  Load(row + x + 1) + Load(row + x + 2);
      Store(out + x, ShiftRight(sum, three));
    }
    return x;
  }
};

struct Glow5HInterior {
  int32_t shift;
  int64_t operator()(const IMG* s, int64_t y, int64_t x, int64_t end, uint32_t* out) const {
    const uint32_t* row = s->pixels + y * s->width;
    const __m128i n = _mm_cvtsi32_si128(shift);  // 16 or more clears a lane, as it should
    for (; x + 4 <= end; x += 4) {
      // Each neighbour is shifted alone: (a >> s) + (b >> s) is not (a + b) >> s.
      Lanes sum = Load(row + x) + ShiftRight(Load(row + x - 2), n) +
                  ShiftRight(Load(row + x - 1), n) + ShiftRight(Load(row + x + 1), n) +
                  ShiftRight(Load(row + x + 2), n);
      Store(out + x, sum);
    }
    return x;
  }
};

struct Blur3x3Interior {
  int64_t operator()(const IMG* s, int64_t y, int64_t x, int64_t end, uint32_t* out) const {
    const int64_t w = s->width;
    const uint32_t* mid = s->pixels + y * w;
    const uint32_t* up = mid - w;
    const uint32_t* down = mid + w;
    const __m128i four = _mm_cvtsi32_si128(4);
    for (; x + 4 <= end; x += 4) {
      // Column sums up + 2 mid + down at x - 1, x, x + 1, then 1 2 1 across them.
      Lanes left = Load(up + x - 1) + ShiftLeft(Load(mid + x - 1), 1) + Load(down + x - 1);
      Lanes centre = Load(up + x) + ShiftLeft(Load(mid + x), 1) + Load(down + x);
      Lanes right = Load(up + x + 1) + ShiftLeft(Load(mid + x + 1), 1) + Load(down + x + 1);
      Store(out + x, ShiftRight(left + ShiftLeft(centre, 1) + right, four));
    }
    return x;
  }
};
#else
using Blur5HInterior = NoInterior;
using Blur3x3Interior = NoInterior;
struct Glow5HInterior : NoInterior {
  int32_t shift;
};
#endif

// --------------------------------------------- sliding windows for radii

// Per-channel running sums of one source row (of the channel values shifted
// right by shift): prefix[3 * i + k] is the sum over columns 0..i-1.
void RowPrefix(const uint32_t* row, int64_t width, int32_t shift, std::vector<uint32_t>& prefix) {
  for (int k = 0; k < 3; ++k) prefix[k] = 0;
  for (int64_t i = 0; i < width; ++i)
    for (int k = 0; k < 3; ++k)
      prefix[3 * (i + 1) + k] = prefix[3 * i + k] + Shifted(Ch(row[i], k), shift);
}

// The window [x - r, x + r] cut to the row, as prefix indices [a, b).
void Window(int64_t x, int64_t r, int64_t width, int64_t& a, int64_t& b) {
  a = x - r < 0 ? 0 : x - r;
  b = x + r + 1 > width ? width : x + r + 1;
}

void FastBoxBlurH(const IMG* source, IMG* destination, int64_t r) {
  const int64_t sw = source->width;
  const int64_t w = std::min<int64_t>(sw, destination->width);
  const int64_t h = std::min<int64_t>(source->height, destination->height);
  const uint64_t n = 2 * uint64_t(r) + 1;
  std::vector<uint32_t> prefix(size_t(3 * (sw + 1)));
  for (int64_t y = 0; y < h; ++y) {
    RowPrefix(source->pixels + y * sw, sw, 0, prefix);
    uint32_t* out = destination->pixels + y * destination->width;
    for (int64_t x = 0, a, b; x < w; ++x) {
      Window(x, r, sw, a, b);
      uint32_t value = 0;
      for (int k = 0; k < 3; ++k)
        value |= uint32_t((prefix[3 * b + k] - prefix[3 * a + k]) / n) << (8 * k);
      out[x] = value;
    }
  }
}

void FastGlowH(const IMG* source, IMG* destination, int64_t r, int32_t shift) {
  const int64_t sw = source->width;
  const int64_t w = std::min<int64_t>(sw, destination->width);
  const int64_t h = std::min<int64_t>(source->height, destination->height);
  std::vector<uint32_t> prefix(size_t(3 * (sw + 1)));
  for (int64_t y = 0; y < h; ++y) {
    const uint32_t* row = source->pixels + y * sw;
    RowPrefix(row, sw, shift, prefix);
    uint32_t* out = destination->pixels + y * destination->width;
    for (int64_t x = 0, a, b; x < w; ++x) {
      Window(x, r, sw, a, b);
      uint32_t value = 0;
      for (int k = 0; k < 3; ++k) {
        uint32_t sum = Ch(row[x], k) + prefix[3 * b + k] - prefix[3 * a + k];
        value |= std::min<uint32_t>(255, sum) << (8 * k);
      }
      out[x] = value;
    }
  }
}

// Column sums over the window of rows [y - r, y + r] cut to the source, kept
// up to date row by row; each result sums a window of them.
void FastBoxBlur(const IMG* source, IMG* destination, int64_t r) {
  const int64_t sw = source->width, sh = source->height;
  const int64_t w = std::min<int64_t>(sw, destination->width);
  const int64_t h = std::min<int64_t>(sh, destination->height);
  const uint64_t side = 2 * uint64_t(r) + 1, n = side * side;
  std::vector<uint32_t> columns(size_t(3 * sw), 0);  // at most height * 255 each
  std::vector<uint64_t> prefix(size_t(3 * (sw + 1)), 0);
  auto addRow = [&](int64_t y, bool add) {
    const uint32_t* row = source->pixels + y * sw;
    for (int64_t i = 0; i < sw; ++i)
      for (int k = 0; k < 3; ++k) {
        uint32_t v = Ch(row[i], k);
        columns[3 * i + k] = add ? columns[3 * i + k] + v : columns[3 * i + k] - v;
      }
  };
  for (int64_t y = 0; y <= std::min(r, sh - 1); ++y) addRow(y, true);
  for (int64_t y = 0; y < h; ++y) {
    if (y > 0 && y + r < sh) addRow(y + r, true);
    if (y - r - 1 >= 0) addRow(y - r - 1, false);
    for (int64_t i = 0; i < sw; ++i)
      for (int k = 0; k < 3; ++k) prefix[3 * (i + 1) + k] = prefix[3 * i + k] + columns[3 * i + k];
    uint32_t* out = destination->pixels + y * destination->width;
    for (int64_t x = 0, a, b; x < w; ++x) {
      Window(x, r, sw, a, b);
      uint32_t value = 0;
      for (int k = 0; k < 3; ++k)
        value |= uint32_t((prefix[3 * b + k] - prefix[3 * a + k]) / n) << (8 * k);
      out[x] = value;
    }
  }
}

}  // namespace

void IMGFXBlur3H(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGFXError();
  Filter(source, destination, Blur3HKernel{});
}

void IMGFXBlur121H(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGFXError();
  Filter(source, destination, Blur121HKernel{});
}

void IMGFXBlur5H(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGFXError();
  Filter(source, destination, Blur5HKernel{}, Blur5HInterior{});
}

void IMGFXBlur7H(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGFXError();
  Filter(source, destination, Blur7HKernel{});
}

void IMGFXBlur3x3(const IMG* source, IMG* destination) {
  if (!IMGUsable(source) || !IMGUsable(destination)) return IMGFXError();
  Filter(source, destination, Blur3x3Kernel{}, Blur3x3Interior{});
}

void IMGFXGlow5H(const IMG* source, IMG* destination, int32_t shift) {
  if (!IMGUsable(source) || !IMGUsable(destination) || shift < 0) return IMGFXError();
  Glow5HInterior interior;
  interior.shift = shift;
  Filter(source, destination, GlowKernel<2, false>{shift}, interior);
}

void IMGFXGlow7H(const IMG* source, IMG* destination, int32_t shift) {
  if (!IMGUsable(source) || !IMGUsable(destination) || shift < 0) return IMGFXError();
  Filter(source, destination, GlowKernel<3, false>{shift});
}

void IMGFXGlow3x3(const IMG* source, IMG* destination, int32_t shift) {
  if (!IMGUsable(source) || !IMGUsable(destination) || shift < 0) return IMGFXError();
  Filter(source, destination, GlowKernel<1, true>{shift});
}

void IMGFXGlowH(const IMG* source, IMG* destination, int32_t radius, int32_t shift) {
  if (!IMGUsable(source) || !IMGUsable(destination) || radius < 0 || shift < 0) return IMGFXError();
  GlowHKernel kernel{radius, shift, source};
  if (PlainWanted(source, destination)) PlainFilter(source, destination, kernel);
  else FastGlowH(source, destination, radius, shift);
}

void IMGFXBoxBlurH(const IMG* source, IMG* destination, int32_t radius) {
  if (!IMGUsable(source) || !IMGUsable(destination) || radius < 0) return IMGFXError();
  BoxBlurHKernel kernel{radius, source};
  if (PlainWanted(source, destination)) PlainFilter(source, destination, kernel);
  else FastBoxBlurH(source, destination, radius);
}

void IMGFXBoxBlur(const IMG* source, IMG* destination, int32_t radius) {
  if (!IMGUsable(source) || !IMGUsable(destination) || radius < 0) return IMGFXError();
  BoxBlurKernel kernel{radius, source};
  if (PlainWanted(source, destination)) PlainFilter(source, destination, kernel);
  else FastBoxBlur(source, destination, radius);
}
