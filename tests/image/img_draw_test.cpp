#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "image_fixture.h"
#include "imgfx.h"

namespace {

using namespace imagetest;
using Points = std::vector<std::pair<int64_t, int64_t>>;

// The line walk exactly as the drawing rules state it, with 64-bit terms.
Points WalkedLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  int64_t dx = x1 - x0, dy = y1 - y0;
  int64_t sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
  dx = dx < 0 ? -dx : dx;
  dy = dy < 0 ? -dy : dy;
  Points points;
  int64_t x = x0, y = y0;
  if (dx > dy) {
    int64_t err = dx >> 1;
    for (int64_t n = 0; n <= dx; ++n) {
      points.push_back({x, y});
      x += sx;
      err -= dy;
      if (err <= 0) err += dx, y += sy;
    }
  } else {
    int64_t err = dy >> 1;
    for (int64_t n = 0; n <= dy; ++n) {
      points.push_back({x, y});
      y += sy;
      err -= dx;
      if (err <= 0) err += dy, x += sx;
    }
  }
  return points;
}

Image Plotted(int32_t w, int32_t h, const Points& points, uint32_t colour, uint32_t base = 0) {
  Image image = Sized(w, h, base);
  for (auto [x, y] : points)
    if (x >= 0 && y >= 0 && x < w && y < h) image->pixels[x + y * w] = colour;
  return image;
}

Points Set(const IMG* image) {
  Points points;
  for (int32_t y = 0; y < image->height; ++y)
    for (int32_t x = 0; x < image->width; ++x)
      if (image->pixels[x + y * image->width]) points.push_back({x, y});
  return points;
}

TEST(Pixels, OutsideIsSkippedAndReadsBlack) {
  Image image = Sized(4, 3, 0x111111);
  for (auto [x, y] : Points{{-1, 0}, {4, 0}, {0, 3}, {0, -1}}) {
    EXPECT_EQ(Printed(IMGDebug, [&] { IMGPutPixel(image.get(), x, y, 0xFFFFFF); }), "");
    EXPECT_EQ(IMGGetPixel(image.get(), x, y), 0u);
  }
  EXPECT_EQ(Set(image.get()).size(), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(image->pixels[i], 0x111111u);
  IMGPutPixel(image.get(), 3, 2, 0xABCDEF);
  EXPECT_EQ(IMGGetPixel(image.get(), 3, 2), 0xABCDEFu);
  EXPECT_EQ(image->pixels[11], 0xABCDEFu);
}

TEST(Lines, WorkedExamples) {
  Image a = Sized(8, 8);
  IMGLine(a.get(), 0, 0, 4, 2, 1);
  EXPECT_EQ(Set(a.get()), (Points{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
  Image b = Sized(8, 8);
  IMGLine(b.get(), 3, 3, 3, 3, 1);
  EXPECT_EQ(Set(b.get()), (Points{{3, 3}}));
  Image c = Sized(8, 8);
  IMGLine(c.get(), 0, 0, 3, 3, 1);
  EXPECT_EQ(Set(c.get()), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  int32_t* points = IMGLinePoints(0, 0, 4, 2);
  ASSERT_NE(points, nullptr);
  EXPECT_EQ(std::vector<int32_t>(points, points + 11),
            (std::vector<int32_t>{10, 0, 0, 1, 1, 2, 1, 3, 2, 4, 2}));
  free(points);
}

// Lines of every direction and length, many running off one or more edges,
// against the full walk clipped point by point; also the plain path.
TEST(Lines, ClippedLineDrawsExactlyTheInsidePointsOfTheFullLine) {
  std::mt19937 rng(7);
  for (int n = 0; n < 4000; ++n) {
    int32_t w = Between(rng, 1, 70), h = Between(rng, 1, 70);
    int32_t reach = n % 10 == 0 ? 3000 : 90;
    int32_t x0 = Between(rng, -reach, reach), y0 = Between(rng, -reach, reach);
    int32_t x1 = Between(rng, -reach, reach), y1 = Between(rng, -reach, reach);
    if (n % 7 == 0) y1 = y0 + (x1 - x0) * (n % 2 ? 1 : -1);  // exact diagonals
    Points full = WalkedLine(x0, y0, x1, y1);
    Image expected = Plotted(w, h, full, 0xC0FFEE, 0x010203);
    Image fast = Sized(w, h, 0x010203);
    IMGLine(fast.get(), x0, y0, x1, y1, 0xC0FFEE);
    ASSERT_TRUE(IMGEqual(fast.get(), expected.get()))
        << w << "x" << h << " line " << x0 << "," << y0 << " to " << x1 << "," << y1;
    Image plain = Sized(w, h, 0x010203);
    {
      PlainPaths force;
      IMGLine(plain.get(), x0, y0, x1, y1, 0xC0FFEE);
    }
    ASSERT_TRUE(IMGEqual(plain.get(), expected.get()));
  }
}

TEST(Lines, FarEndsAreClippedWithoutWalkingThem) {
  Image image = Sized(16, 16);
  IMGLine(image.get(), INT32_MIN, 5, INT32_MAX, 5, 1);
  Points row;
  for (int x = 0; x < 16; ++x) row.push_back({x, 5});
  EXPECT_EQ(Set(image.get()), row);

  Image diagonal = Sized(16, 16);
  IMGLine(diagonal.get(), -(1 << 30), -(1 << 30), 1 << 30, 1 << 30, 1);
  Points main;
  for (int k = 0; k < 16; ++k) main.push_back({k, k});
  EXPECT_EQ(Set(diagonal.get()), main);

  // A shallow line from far away: compared with the walk from its start
  // (two million steps), so the error term must be picked up exactly.
  Image shallow = Sized(40, 30);
  IMGLine(shallow.get(), -2000000, -7, 39, 20, 9);
  Image expected = Plotted(40, 30, WalkedLine(-2000000, -7, 39, 20), 9);
  EXPECT_TRUE(IMGEqual(shallow.get(), expected.get()));
}

TEST(Lines, InsideDrawsOnlyWhenBothEndsAreInside) {
  std::mt19937 rng(3);
  for (int n = 0; n < 500; ++n) {
    int32_t w = Between(rng, 1, 40), h = Between(rng, 1, 40);
    int32_t x0 = Between(rng, -3, w + 2), y0 = Between(rng, -3, h + 2);
    int32_t x1 = Between(rng, -3, w + 2), y1 = Between(rng, -3, h + 2);
    bool inside = x0 >= 0 && y0 >= 0 && x1 >= 0 && y1 >= 0 && x0 < w && x1 < w && y0 < h && y1 < h;
    Image image = Sized(w, h, 5);
    EXPECT_EQ(Printed(IMGDebug, [&] { IMGLineInside(image.get(), x0, y0, x1, y1, 7); }), "");
    Image expected = inside ? Plotted(w, h, WalkedLine(x0, y0, x1, y1), 7, 5) : Sized(w, h, 5);
    ASSERT_TRUE(IMGEqual(image.get(), expected.get()));
  }
}

TEST(Lines, PointsListTheWholeWalk) {
  std::mt19937 rng(5);
  for (int n = 0; n < 300; ++n) {
    int32_t x0 = Between(rng, -50, 50), y0 = Between(rng, -50, 50);
    int32_t x1 = Between(rng, -50, 50), y1 = Between(rng, -50, 50);
    Points walk = WalkedLine(x0, y0, x1, y1);
    int32_t* points = IMGLinePoints(x0, y0, x1, y1);
    ASSERT_NE(points, nullptr);
    ASSERT_EQ(points[0], int32_t(2 * walk.size()));
    for (size_t i = 0; i < walk.size(); ++i) {
      ASSERT_EQ(points[1 + 2 * i], walk[i].first);
      ASSERT_EQ(points[2 + 2 * i], walk[i].second);
    }
    free(points);
  }
  // 2^32 points cannot be listed in an int32 array: refused, not wrapped.
  EXPECT_EQ(Printed(IMGDebug, [] { EXPECT_EQ(IMGLinePoints(INT32_MIN, 0, INT32_MAX, 0), nullptr); }),
            "IMG error\n");
}

TEST(Spans, SwappedEndsAndClamping) {
  Image image = Sized(12, 4);
  IMGFXHLine(image.get(), 1, 10, 2, 1);
  Points row;
  for (int x = 2; x <= 10; ++x) row.push_back({x, 1});
  EXPECT_EQ(Set(image.get()), row);

  Image colourFirst = Sized(12, 4);
  IMGHLineColour(colourFirst.get(), 1, 1, 10, 2);
  EXPECT_TRUE(Set(colourFirst.get()).empty());
  IMGHLineColour(colourFirst.get(), 1, 1, 2, 10);
  EXPECT_EQ(Set(colourFirst.get()), row);

  Image column = Sized(3, 6);
  IMGFXVLine(column.get(), 2, 100, -100, 1);
  IMGFXVLine(column.get(), 3, 0, 5, 1);   // column outside: nothing
  IMGFXHLine(column.get(), -1, 0, 5, 1);  // row outside: nothing
  Points full;
  for (int y = 0; y < 6; ++y) full.push_back({2, y});
  EXPECT_EQ(Set(column.get()), full);
  IMGVLineColour(column.get(), 1, 0, 4, 1);
  EXPECT_EQ(Set(column.get()).size(), 6u);
  IMGVLineColour(column.get(), 1, 0, 1, 4);
  EXPECT_EQ(Set(column.get()).size(), 10u);
}

uint32_t Blended(uint32_t o, uint32_t k, uint32_t alpha) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c)
    out |= ((Channel(o, c) * (256 - alpha) + Channel(k, c) * alpha) >> 8) << (8 * c);
  return out;
}

TEST(Spans, BlendMixesEachChannelAndClearsTheTopByte) {
  std::mt19937 rng(11);
  for (int n = 0; n < 200; ++n) {
    int32_t alpha = Between(rng, 0, 256);
    uint32_t colour = rng();
    Image image = Random(rng, 9, 9, 0, true);
    Image before(IMGCopy(image.get()));
    int32_t y = Between(rng, -1, 9), x0 = Between(rng, -3, 12), x1 = Between(rng, -3, 12);
    IMGFXHLineBlend(image.get(), y, x0, x1, colour, alpha);
    IMGFXVLineBlend(image.get(), x0, y, x1, colour, alpha);  // the same rules along a column
    for (int32_t py = 0; py < 9; ++py)
      for (int32_t px = 0; px < 9; ++px) {
        uint32_t expected = before->pixels[px + py * 9];
        bool onRow = py == y && px >= std::min(x0, x1) && px <= std::max(x0, x1);
        bool onColumn = px == x0 && py >= std::min(y, x1) && py <= std::max(y, x1);
        if (onRow) expected = Blended(expected, colour, alpha);
        if (onColumn) expected = Blended(expected, colour, alpha);
        ASSERT_EQ(image->pixels[px + py * 9], expected) << alpha << " " << px << "," << py;
      }
  }
  // Alpha 256 paints exactly as the plain span; alpha 0 keeps the channels.
  Image painted = Sized(5, 1, 0x12345678), plain = Sized(5, 1, 0x12345678);
  IMGFXHLineBlend(painted.get(), 0, 0, 4, 0xABCDEF, 256);
  IMGFXHLine(plain.get(), 0, 0, 4, 0xABCDEF);
  EXPECT_TRUE(IMGEqual(painted.get(), plain.get()));
  IMGHLineBlendColour(painted.get(), 0x000000, 0, 0, 4, 0);
  EXPECT_EQ(painted->pixels[2], 0xABCDEFu);
  // Out-of-range weights are held to 0..256 instead of spilling between channels.
  IMGHLineBlendColour(painted.get(), 0x102030, 0, 0, 1, 1000);
  IMGHLineBlendColour(painted.get(), 0x102030, 0, 2, 3, -5);
  EXPECT_EQ(painted->pixels[0], 0x102030u);
  EXPECT_EQ(painted->pixels[2], 0xABCDEFu);
}

TEST(Boxes, MustLieWhollyInside) {
  Image bar = Sized(256, 16);
  IMGFillBox(bar.get(), 0, 0, 256, 16, 0xFFFFFF);
  for (int i = 0; i < 256 * 16; ++i) ASSERT_EQ(bar->pixels[i], 0xFFFFFFu);
  Image other = Sized(256, 16);
  EXPECT_EQ(Printed(IMGDebug, [&] { IMGFillBox(other.get(), 1, 0, 256, 16, 1); }), "IMG error\n");
  for (auto box : std::vector<std::vector<int32_t>>{
           {-1, 0, 2, 2}, {0, 0, 0, 3}, {0, 0, 3, -1}, {0, 16, 1, 1}, {255, 0, INT32_MAX, 1}}) {
    EXPECT_EQ(Printed(IMGDebug, [&] { IMGBox(other.get(), box[0], box[1], box[2], box[3], 1); }),
              "IMG error\n");
    IMGFillBox(other.get(), box[0], box[1], box[2], box[3], 1);
  }
  EXPECT_TRUE(Set(other.get()).empty());
}

TEST(Boxes, OutlineAndThinBoxes) {
  Image image = Sized(6, 5);
  IMGBox(image.get(), 1, 1, 4, 3, 1);
  EXPECT_EQ(Set(image.get()), (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3},
                                      {2, 3}, {3, 3}, {4, 3}}));
  Image thin = Sized(6, 5);
  IMGBox(thin.get(), 2, 0, 1, 5, 1);
  IMGBox(thin.get(), 0, 4, 6, 1, 1);
  EXPECT_EQ(Set(thin.get()).size(), 5u + 6u - 1u);
}

TEST(Circles, SmallAndWidestRows) {
  Image dot = Sized(10, 10);
  IMGCircle(dot.get(), 5, 5, 1, 1);
  EXPECT_EQ(Set(dot.get()), (Points{{4, 5}, {5, 5}}));

  Image ring = Sized(30, 30);
  IMGCircle(ring.get(), 15, 15, 10, 1);
  Points row;
  for (int x = 0; x < 30; ++x)
    if (ring->pixels[x + 15 * 30]) row.push_back({x, 15});
  EXPECT_EQ(row.front().first, 15 - 9);
  EXPECT_EQ(row.back().first, 15 + 8);
  // Mirror symmetry with the one-column shift: (x, y) set <=> (2cx - 1 - x, 2cy - y) set.
  for (auto [x, y] : Set(ring.get())) EXPECT_TRUE(ring->pixels[(29 - x) + (30 - y) * 30]);

  Image edge = Sized(8, 8);
  IMGCircle(edge.get(), 0, 0, 50, 1);  // mostly off the image, silently clipped
  EXPECT_EQ(Printed(IMGDebug, [&] { IMGCircle(edge.get(), 8, 0, 3, 1); }), "IMG error\n");
  EXPECT_EQ(Printed(IMGDebug, [&] { IMGCircle(edge.get(), 3, 3, 0, 1); }), "IMG error\n");
}

TEST(Drawing, NullImagesAreReported) {
  IMG empty{4, 4, nullptr};
  for (IMG* image : {static_cast<IMG*>(nullptr), &empty}) {
    std::string out = Printed(IMGDebug, [&] {
      IMGPutPixel(image, 0, 0, 1);
      EXPECT_EQ(IMGGetPixel(image, 0, 0), 0u);
      IMGLine(image, 0, 0, 3, 3, 1);
      IMGLineInside(image, 0, 0, 3, 3, 1);
      IMGFXHLine(image, 0, 0, 3, 1);
      IMGFXVLine(image, 0, 0, 3, 1);
      IMGFXHLineBlend(image, 0, 0, 3, 1, 9);
      IMGFXVLineBlend(image, 0, 0, 3, 1, 9);
      IMGHLineColour(image, 1, 0, 0, 3);
      IMGVLineColour(image, 1, 0, 0, 3);
      IMGHLineBlendColour(image, 1, 0, 0, 3, 9);
      IMGFillBox(image, 0, 0, 2, 2, 1);
      IMGBox(image, 0, 0, 2, 2, 1);
      IMGCircle(image, 1, 1, 1, 1);
    });
    std::string expected;
    for (int i = 0; i < 14; ++i) expected += "IMG error\n";
    EXPECT_EQ(out, expected);
  }
}

}  // namespace
