// IMG colour operations: saturating shifts by a colour and inversions.
#include <algorithm>

#include "channels.h"
#include "img.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

size_t Count(const IMG* image) { return size_t(image->width) * size_t(image->height); }

// Applies a per-channel saturating rule to every pixel. Pixels are independent,
// so the order (the plain walk goes last to first) cannot be observed.
template <uint32_t (*Rule)(uint32_t, uint32_t)>
void EveryPixel(IMG* image, uint32_t colour, bool subtract) {
  uint32_t* p = image->pixels;
  size_t n = Count(image), i = 0;
  if (IMGPlainPaths) {
    for (size_t k = n; k-- > 0;) p[k] = Rule(p[k], colour);
    return;
  }
#ifdef __SSE2__
  const __m128i k = _mm_set1_epi32(int(colour & channels::kRgb));
  const __m128i rgb = _mm_set1_epi32(int(channels::kRgb));
  for (; i + 4 <= n; i += 4) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    v = subtract ? _mm_subs_epu8(v, k) : _mm_adds_epu8(v, k);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_and_si128(v, rgb));
  }
#else
  (void)subtract;
#endif
  for (; i < n; ++i) p[i] = Rule(p[i], colour);
}

}  // namespace

void IMGAddColour(IMG* image, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  EveryPixel<channels::AddSaturate>(image, colour, false);
}

void IMGSubColour(IMG* image, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  EveryPixel<channels::SubSaturate>(image, colour, true);
}

void IMGInvert(IMG* image) {
  if (!IMGUsable(image)) return IMGError();
  uint32_t* p = image->pixels;
  for (size_t i = 0, n = Count(image); i < n; ++i) p[i] = ~p[i] & channels::kRgb;
}

void IMGInvertBox(IMG* image, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!IMGUsable(image)) return IMGError();
  const int64_t width = image->width, height = image->height;
  int64_t x0 = x, y0 = y, bw = w, bh = h;
  if (x0 >= width || x0 + bw < 0 || y0 >= height || y0 + bh < 0) return;
  if (x0 < 0) bw += x0, x0 = 0;
  if (y0 < 0) bh += y0, y0 = 0;
  bw = std::min(bw, width - x0);
  bh = std::min(bh, height - y0);
  for (int64_t row = y0; row < y0 + bh; ++row)
    for (int64_t col = x0; col < x0 + bw; ++col) {
      uint32_t& p = image->pixels[col + row * width];
      p = ~p;
    }
}
