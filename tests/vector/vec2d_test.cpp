// Vectors and segments: table rotation, the arithmetic, drawing and the overlap tests.
#include "seg2d.h"
#include "vec2d.h"

#include <gtest/gtest.h>

#include "vector_test_util.h"

namespace {

struct Vec {
  VEC2D* v = VEC2DNew();
  Vec(int32_t x, int32_t y) { v->x = x, v->y = y; }
  ~Vec() { VEC2DFree(&v); }
};

struct Seg {
  SEG2D* s = SEG2DNew();
  Seg(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour = 0xFFFFFF) {
    s->start->x = x0, s->start->y = y0, s->end->x = x1, s->end->y = y1;
    s->start->color = colour;
  }
  ~Seg() { SEG2DFree(&s); }
};

TEST(Vec2d, RotationByTheTable) {
  const struct {
    int32_t x, y, angle, rx, ry;
  } cases[] = {
      {16, 16, 0, 16, 16},      // exact: no arithmetic at all
      {16, 16, 1024, 15, 15},   // a whole turn is not 0: cosine 32766 shrinks it
      {16, 16, -1024, 15, 15},
      {100, 0, 256, 0, 99},     // a quarter turn turns x towards y (clockwise on screen)
      {0, 100, 256, -100, 0},   // both results come from the old x and y
      {-1, 0, 1024, -1, 0},     // -32766 >> 15 rounds towards minus infinity
  };
  for (const auto& c : cases) {
    Vec v(c.x, c.y);
    VEC2DRotate(v.v, c.angle);
    EXPECT_EQ(v.v->x, c.rx) << c.x << "," << c.y << " by " << c.angle;
    EXPECT_EQ(v.v->y, c.ry) << c.x << "," << c.y << " by " << c.angle;
  }
}

TEST(Vec2d, ArithmeticWrapsIn32Bits) {
  Vec a(1, 2), b(10, 20), k(3, -2);
  VEC2DAdd(a.v, b.v);  // into the second
  EXPECT_EQ(b.v->x * 100 + b.v->y, 11 * 100 + 22);
  VEC2DSub(a.v, b.v);  // into the first
  EXPECT_EQ(a.v->x * 100 + a.v->y, -10 * 100 - 20);
  VEC2DScale(a.v, -3);
  VEC2DMul(a.v, k.v);
  EXPECT_EQ(a.v->x * 1000 + a.v->y, 90 * 1000 - 120);
  VEC2DNeg(a.v);
  EXPECT_EQ(VEC2DCompareX(a.v, b.v) * 1000 + VEC2DCompareY(a.v, b.v), -101 * 1000 + 98);
  Vec l(3, 4), big(INT32_MIN, 0);
  EXPECT_EQ(VEC2DLength2(l.v), 25);
  VEC2DNeg(big.v);
  EXPECT_EQ(big.v->x, INT32_MIN);
  VEC2D* clone = VEC2DClone(l.v);
  EXPECT_TRUE(VEC2DEqual(clone, l.v));
  VEC2DCopy(b.v, clone);
  EXPECT_EQ(clone->x * 100 + clone->y, 11 * 100 + 22);
  VEC2DFree(&clone);
}

TEST(Vec2d, NullArgumentsReportVec2dOnlyAndChangeNothing) {
  Vec a(1, 1);
  testing::internal::CaptureStdout();
  VEC2DAdd(nullptr, a.v);
  VEC2DRotate(nullptr, 5);
  EXPECT_EQ(VEC2DLength2(nullptr), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "VEC2D error\nVEC2D error\nVEC2D error\n");
  EXPECT_EQ(a.v->x, 1);
  testing::internal::CaptureStdout();
  SEG2DRotate(nullptr, 5);  // the segment module's reports are off
  EXPECT_EQ(SEG2DCross(nullptr, nullptr), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(Seg2d, DrawingAndTransformsLeaveTheSegment) {
  auto image = imagetest::Sized(16, 16);
  Seg dot(3, 3, 3, 3, 0xABCDEF), across(-3, 2, 20, 2);
  dot.s->end->color = 0x111111;
  SEG2DDraw(dot.s, image.get());
  EXPECT_EQ(image->pixels[3 + 3 * 16], 0xABCDEFu);  // the start's colour
  SEG2DDraw(across.s, image.get());
  EXPECT_EQ(LitPixels(image.get()).size(), 17u);  // clipped to the image
  Seg s(2, 0, 4, 0);
  Vec offset(8, 8), k(3, 2);
  auto rotated = imagetest::Sized(16, 16);
  SEG2DDrawRotated(s.s, 256, offset.v, rotated.get());
  EXPECT_EQ(LitPixels(rotated.get()), (Pixels{{8, 9}, {8, 10}, {8, 11}}));
  SEG2DTranslate(s.s, offset.v);  // the offset is added into both ends, not changed
  SEG2DMul(s.s, k.v);
  SEG2DScale(s.s, -1);
  EXPECT_EQ(s.s->start->x * 1000 + s.s->end->y, -30 * 1000 - 16);
  EXPECT_EQ(s.s->end->x, -36);
  EXPECT_EQ(offset.v->x, 8);
}

TEST(Seg2d, OverlapAndCrossing) {
  // Boxes count touching; extents take "between" as p <= v <= q, or q < v < p for reversed ends.
  Seg a(0, 0, 4, 4), b(4, 4, 9, 2), c(5, 0, 9, 3), d(0, 5, 3, 9);
  EXPECT_EQ(SEG2DBoxesOverlap(a.s, b.s) * 100 + SEG2DBoxesOverlap(a.s, c.s) * 10 + SEG2DBoxesOverlap(a.s, d.s), 100);
  EXPECT_EQ(SEG2DOverlaps(a.s, b.s), 1);
  Seg r(4, 0, 0, 4), atFour(4, 10, 9, 12), inside(2, 1, 7, 3), e(4, 2, 9, 12);
  EXPECT_EQ(SEG2DExtentsOverlap(r.s, inside.s), 1);
  EXPECT_EQ(SEG2DExtentsOverlap(r.s, atFour.s), 0);  // x passes at 4, y 10..12 misses
  EXPECT_EQ(SEG2DExtentsOverlap(r.s, e.s), 1);
  Seg l(0, 0, 10, 10), m(0, 10, 10, 0), n(20, 0, 30, 10), o(5, 5, 20, 20), p(11, 11, 20, 20), v(12, 0, 12, 30);
  EXPECT_EQ(SEG2DCross(l.s, m.s), 1);
  EXPECT_EQ(SEG2DCross(l.s, n.s), 0);  // parallel, different intercepts
  EXPECT_EQ(SEG2DCross(l.s, o.s), 1);  // same line, extents overlap
  EXPECT_EQ(SEG2DCross(l.s, p.s), 0);  // same line, apart
  EXPECT_EQ(SEG2DCross(l.s, v.s), 0);  // vertical: run taken as 1; the crossing lies beyond l
}

}  // namespace
