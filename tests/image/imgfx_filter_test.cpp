#include <functional>

#include "image_fixture.h"
#include "imgfx.h"

namespace {

using namespace imagetest;

struct Case { const char* name; std::function<void(const IMG*, IMG*)> call; };

std::vector<Case> Filters(int32_t shift, int32_t radius) {
  return {{"Blur3H", IMGFXBlur3H}, {"Blur121H", IMGFXBlur121H}, {"Blur5H", IMGFXBlur5H}, {"Blur7H", IMGFXBlur7H},
          {"Blur3x3", IMGFXBlur3x3}, {"Glow5H", [=](const IMG* a, IMG* b) { IMGFXGlow5H(a, b, shift); }},
          {"Glow7H", [=](const IMG* a, IMG* b) { IMGFXGlow7H(a, b, shift); }},
          {"Glow3x3", [=](const IMG* a, IMG* b) { IMGFXGlow3x3(a, b, shift); }},
          {"GlowH", [=](const IMG* a, IMG* b) { IMGFXGlowH(a, b, radius, shift); }},
          {"BoxBlurH", [=](const IMG* a, IMG* b) { IMGFXBoxBlurH(a, b, radius); }},
          {"BoxBlur", [=](const IMG* a, IMG* b) { IMGFXBoxBlur(a, b, radius); }}};
}

// Random pictures of every size (bright ones drive the glows into their clamp), radii and shifts
// from 0 to far past the picture, destinations of the same, a smaller and a larger size.
TEST(Filters, FastPathsMatchThePlainPath) {
  std::mt19937 rng(1);
  for (int n = 0; n < 120; ++n) {
    int32_t shift = n % 8 == 0 ? Between(rng, 8, 40) : Between(rng, 0, 7);
    int32_t radius = n % 10 == 0 ? Between(rng, 20, 400) : Between(rng, 0, 4);
    int32_t limit = n % 16 == 0 ? 300 : 40;
    int32_t sw = Between(rng, 1, limit), sh = Between(rng, 1, n % 16 == 0 ? 40 : limit);
    int32_t dw = n % 3 ? sw : Between(rng, 1, limit), dh = n % 3 ? sh : Between(rng, 1, limit);
    Image source = Random(rng, sw, sh, 5, true);
    if (n % 4 == 0)
      for (int64_t i = 0; i < int64_t(sw) * sh; ++i) source->pixels[i] |= 0xC0C0C0;
    Image destination = Random(rng, dw, dh, 0, true);
    for (const Case& filter : Filters(shift, radius)) {
      if (radius > 4 && std::string(filter.name) == "BoxBlur" && sw * sh > 400) continue;
      ASSERT_TRUE(SamePaths(destination.get(), [&](IMG* d) { filter.call(source.get(), d); }))
          << filter.name << " " << sw << "x" << sh << " into " << dw << "x" << dh << " shift " << shift
          << " radius " << radius;
    }
  }
}

// The kernels' weights, shown by one pixel (red 128, green 96, blue 64) in a
// black row or block, and their edges and clamps by constant rows.
TEST(Filters, WorkedCases) {
  const uint32_t v = 0x806040, v2 = 0x403020, v4 = 0x201810, v8 = 0x100C08;
  const Pix impulse = {0, 0, 0, 0, v, 0, 0, 0, 0};
  Pix block(27, 0);
  block[13] = v;
  const struct { int index, shift, radius; Pix input, output; } cases[] = {
      {0, 0, 0, impulse, {0, 0, 0, 0x2A2015, 0x2A2015, 0x2A2015, 0, 0, 0}},
      {1, 0, 0, impulse, {0, 0, 0, v4, v2, v4, 0, 0, 0}},
      {2, 0, 0, impulse, {0, 0, v8, v8, v2, v8, v8, 0, 0}},
      {3, 0, 0, impulse, {0, v8, v8, v8, v4, v8, v8, v8, 0}},
      {5, 2, 0, impulse, {0, 0, v4, v4, v, v4, v4, 0, 0}},
      {6, 1, 0, impulse, {0, v2, v2, v2, v, v2, v2, v2, 0}},
      {8, 1, 2, impulse, {0, 0, v2, v2, 0xC09060, v2, v2, 0, 0}},
      {9, 0, 1, impulse, {0, 0, 0, 0x2A2015, 0x2A2015, 0x2A2015, 0, 0, 0}},
      {2, 0, 0, Pix(9, 0x808080), {0x606060, 0x707070, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x707070, 0x606060}},
      {5, 3, 0, Pix(9, 0xC08040), {0xF0A050, 0xFFB058, 0xFFC060, 0xFFC060, 0xFFC060, 0xFFC060, 0xFFC060, 0xFFB058, 0xF0A050}},
      {4, 0, 0, block, {0, 0, 0, 0x080604, v8, 0x080604, 0, 0, 0, 0, 0, 0, v8, v4, v8, 0, 0, 0, 0, 0, 0, 0x080604, v8, 0x080604, 0, 0, 0}},
      {7, 3, 0, block, {0, 0, 0, v8, v8, v8, 0, 0, 0, 0, 0, 0, v8, v, v8, 0, 0, 0, 0, 0, 0, v8, v8, v8, 0, 0, 0}},
      {10, 0, 1, block, {0, 0, 0, 0x0E0A07, 0x0E0A07, 0x0E0A07, 0, 0, 0, 0, 0, 0, 0x0E0A07, 0x0E0A07, 0x0E0A07, 0, 0, 0, 0, 0, 0, 0x0E0A07, 0x0E0A07, 0x0E0A07, 0, 0, 0}},
      {4, 0, 0, Pix(27, 0x808080), {0x484848, 0x606060, 0x606060, 0x606060, 0x606060, 0x606060, 0x606060, 0x606060, 0x484848, 0x606060, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x606060, 0x484848, 0x606060, 0x606060, 0x606060, 0x606060, 0x606060, 0x606060, 0x606060, 0x484848}},
  };
  for (const auto& c : cases) {
    Image source = Sized(9, int32_t(c.input.size() / 9)), result = Sized(9, source->height, 0x5A5A5A);
    std::copy(c.input.begin(), c.input.end(), source->pixels);
    Filters(c.shift, c.radius)[size_t(c.index)].call(source.get(), result.get());
    EXPECT_EQ(Pixels(result.get()), c.output) << Filters(0, 0)[size_t(c.index)].name;
  }
  // One Image as both ends: last pixel first, each reading the results after it.
  Image row = Sized(4, 1);
  row->pixels[3] = 0x404040;
  IMGFXBlur121H(row.get(), row.get());
  EXPECT_EQ(Pixels(row.get()), (Pix{0, 0x020202, 0x080808, 0x202020}));
  // The result covers the source's size only.
  Image small = Sized(4, 3, 0x808080), large = Sized(7, 6, 0x123456);
  IMGFXBlur5H(small.get(), large.get());
  for (int i = 0; i < 42; ++i) EXPECT_EQ(large->pixels[i] == 0x123456, i % 7 >= 4 || i >= 21) << i;
}

}  // namespace
