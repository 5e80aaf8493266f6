#include <gtest/gtest.h>

#include <cstdlib>

#include "image_fixture.h"
#include "imgfx.h"

namespace {

using namespace imagetest;
using Points = std::vector<std::pair<int32_t, int32_t>>;

// The list of IMGLinePoints as points.
Points Listed(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  int32_t* list = IMGLinePoints(x0, y0, x1, y1);
  Points points;
  for (int32_t i = 0; list && i < list[0]; i += 2) points.push_back({list[1 + i], list[2 + i]});
  free(list);
  return points;
}

// Walks in several octants, start first; IMGLine sets exactly those points.
TEST(Lines, WorkedWalksAndPixels) {
  const struct { int32_t x0, y0, x1, y1; Points walk; } cases[] = {
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
      {4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
      {0, 0, 2, 5, {{0, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
      {5, 0, 0, 5, {{5, 0}, {4, 1}, {3, 2}, {2, 3}, {1, 4}, {0, 5}}},
      {3, 3, 3, 3, {{3, 3}}},
      {2, 6, 1, 6, {{2, 6}, {1, 6}}}};
  for (const auto& c : cases) {
    EXPECT_EQ(Listed(c.x0, c.y0, c.x1, c.y1), c.walk) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    Image image = Sized(8, 8);
    IMGLine(image.get(), c.x0, c.y0, c.x1, c.y1, 1);
    EXPECT_EQ(LitPixels(image.get()), Lit(c.walk.begin(), c.walk.end()));
  }
  Image image = Sized(4, 3, 0x111111);  // pixels outside are skipped and read 0
  for (auto [x, y] : Points{{-1, 0}, {4, 0}, {0, 3}, {0, -1}, {3, 2}}) IMGPutPixel(image.get(), x, y, 0xABCDEF);
  Pix expected(12, 0x111111);
  expected[11] = 0xABCDEF;
  EXPECT_EQ(Pixels(image.get()), expected);
  IMG* p = image.get();
  EXPECT_EQ(Pix({IMGGetPixel(p, 3, 2), IMGGetPixel(p, -1, 0), IMGGetPixel(p, 0, 3)}), Pix({0xABCDEF, 0, 0}));
}

// Lines of every direction and length, many running off the edges: the clipped fast path against the
// plain walk, which the point list and the line drawn only when both ends are inside follow too.
TEST(Lines, FastPathAndPointListMatchThePlainWalk) {
  std::mt19937 rng(7);
  for (int n = 0; n < 3000; ++n) {
    int32_t w = Between(rng, 1, 70), h = Between(rng, 1, 70);
    int32_t reach = n % 3 == 0 ? std::max(w, h) + 2 : n % 10 == 1 ? 3000 : 90;
    int32_t x0 = Between(rng, -reach, reach), y0 = Between(rng, -reach, reach);
    int32_t x1 = Between(rng, -reach, reach), y1 = Between(rng, -reach, reach);
    if (n % 7 == 0) y1 = y0 + (x1 - x0) * (n % 2 ? 1 : -1);  // exact diagonals
    Image base = Sized(w, h), plain(IMGCopy(base.get())), listed(IMGCopy(base.get()));
    ASSERT_TRUE(SamePaths(base.get(), [&](IMG* i) { IMGLine(i, x0, y0, x1, y1, 7); }))
        << w << "x" << h << " line " << x0 << "," << y0 << " to " << x1 << "," << y1;
    IMGPlainPaths = 1;
    IMGLine(plain.get(), x0, y0, x1, y1, 7);
    IMGPlainPaths = 0;
    for (auto [x, y] : Listed(x0, y0, x1, y1)) IMGPutPixel(listed.get(), x, y, 7);
    ASSERT_TRUE(IMGEqual(listed.get(), plain.get()));
    bool ends = x0 >= 0 && y0 >= 0 && x1 >= 0 && y1 >= 0 && x0 < w && x1 < w && y0 < h && y1 < h;
    IMGLineInside(base.get(), x0, y0, x1, y1, 7);
    ASSERT_TRUE(ends ? IMGEqual(base.get(), plain.get()) : LitPixels(base.get()).empty());
  }
  // Far ends are clipped without walking them; two million steps before the
  // Image the error term must still be picked up exactly.
  Image row = Sized(16, 16), diagonal = Sized(16, 16);
  IMGLine(row.get(), INT32_MIN, 5, INT32_MAX, 5, 1);
  IMGLine(diagonal.get(), -(1 << 30), -(1 << 30), 1 << 30, 1 << 30, 1);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(row->pixels[k + 80] + diagonal->pixels[k * 17], 2u) << k;
  EXPECT_EQ(LitPixels(row.get()).size() + LitPixels(diagonal.get()).size(), 32u);
  EXPECT_TRUE(SamePaths(Sized(40, 30).get(), [](IMG* i) { IMGLine(i, -2000000, -7, 39, 20, 9); }));
}

// Which pixels each span sets on a 12 x 4 Image: ends swapped or not, clamped; then the blends:
// (old * (256 - alpha) + colour * alpha) >> 8 per channel, top byte cleared, alpha held to 0..256.
TEST(Spans, ExtentsAndBlends) {
  const struct { void (*draw)(IMG*); int32_t first, last, step; } cases[] = {
      {[](IMG* i) { IMGFXHLine(i, 1, 10, 2, 1); }, 14, 22, 1},
      {[](IMG* i) { IMGHLineColour(i, 1, 1, 2, 10); }, 14, 22, 1},
      {[](IMG* i) { IMGHLineColour(i, 1, 1, 10, 2); }, 0, -1, 1},  // not swapped: nothing
      {[](IMG* i) { IMGFXHLine(i, 3, -100, 100, 1); }, 36, 47, 1},
      {[](IMG* i) { IMGFXHLine(i, 4, 0, 5, 1); }, 0, -1, 1},  // row outside
      {[](IMG* i) { IMGFXVLine(i, 2, 100, -100, 1); }, 2, 38, 12},
      {[](IMG* i) { IMGVLineColour(i, 1, 11, 1, 3); }, 23, 47, 12},
      {[](IMG* i) { IMGVLineColour(i, 1, 11, 3, 1); }, 0, -1, 1},
      {[](IMG* i) { IMGFXVLine(i, 12, 0, 3, 1); }, 0, -1, 1},  // column outside
      {[](IMG* i) { IMGFXHLineBlend(i, 2, 30, -3, 0xFFFFFF, 256); }, 24, 35, 1},
      {[](IMG* i) { IMGFXVLineBlend(i, 5, 3, 1, 0xFFFFFF, 300); }, 17, 41, 12},
      {[](IMG* i) { IMGHLineBlendColour(i, 0xFFFFFF, 0, 5, 4, 256); }, 0, -1, 1},
      {[](IMG* i) { IMGFXVLineBlend(i, -1, 0, 3, 0xFFFFFF, 256); }, 0, -1, 1}};
  for (const auto& c : cases) {
    Image image = Sized(12, 4);
    c.draw(image.get());
    Lit expected;
    for (int32_t i = c.first; i <= c.last; i += c.step) expected.insert({i % 12, i / 12});
    EXPECT_EQ(LitPixels(image.get()), expected) << &c - cases;
  }
  Image mix = Sized(3, 1, 0xFF204060);
  IMGFXHLineBlend(mix.get(), 0, 0, 0, 0xA0C0E0, 64);
  IMGFXVLineBlend(mix.get(), 1, 0, 0, 0x000000, 1);
  IMGHLineBlendColour(mix.get(), 0x102030, 0, 2, 2, 1000);
  EXPECT_EQ(Pixels(mix.get()), (Pix{0x406080, 0x1F3F5F, 0x102030}));
}

TEST(Shapes, BoxesAndCircles) {
  Image bar = Sized(256, 16);
  IMGFillBox(bar.get(), 0, 0, 256, 16, 0xFFFFFF);
  EXPECT_EQ(Pixels(bar.get()), Pix(256 * 16, 0xFFFFFF));
  Image box = Sized(6, 5), thin = Sized(6, 5);
  IMGBox(box.get(), 1, 1, 4, 3, 1);
  EXPECT_EQ(LitPixels(box.get()),
            (Lit{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}));
  IMGBox(thin.get(), 2, 0, 1, 5, 1);
  IMGBox(thin.get(), 0, 4, 6, 1, 1);
  EXPECT_EQ(LitPixels(thin.get()).size(), 5u + 6u - 1u);
  Image dot = Sized(10, 10), ring = Sized(30, 30), edge = Sized(8, 8);
  IMGCircle(dot.get(), 5, 5, 1, 1);
  EXPECT_EQ(LitPixels(dot.get()), (Lit{{4, 5}, {5, 5}}));
  IMGCircle(ring.get(), 15, 15, 10, 1);
  EXPECT_EQ(ring->pixels[15 * 30 + 6] + ring->pixels[15 * 30 + 23], 2u);  // the widest row
  EXPECT_EQ(ring->pixels[15 * 30 + 5] + ring->pixels[15 * 30 + 24], 0u);
  // Mirror symmetry with the one-column shift: (x, y) set <=> (2cx - 1 - x, 2cy - y) set.
  for (auto [x, y] : LitPixels(ring.get())) EXPECT_TRUE(ring->pixels[(29 - x) + (30 - y) * 30]);
  EXPECT_EQ(Printed(IMGDebug, [&] { IMGCircle(edge.get(), 0, 0, 50, 1); }), "");  // clipped silently
}

}  // namespace
