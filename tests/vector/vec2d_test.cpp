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
  Vec v(16, 16);
  VEC2DRotate(v.v, 0);  // exact: no arithmetic at all
  EXPECT_EQ(v.v->x, 16);
  EXPECT_EQ(v.v->y, 16);
  VEC2DRotate(v.v, 1024);  // not 0: cosine 32766 shrinks it
  EXPECT_EQ(v.v->x, 15);
  EXPECT_EQ(v.v->y, 15);
  Vec w(16, 16);
  VEC2DRotate(w.v, -1024);
  EXPECT_EQ(w.v->x, 15);
  EXPECT_EQ(w.v->y, 15);

  Vec q(100, 0);
  VEC2DRotate(q.v, 256);  // a quarter turn turns x towards y (clockwise on screen)
  EXPECT_EQ(q.v->x, 0);
  EXPECT_EQ(q.v->y, 99);

  Vec m(-1, 0);
  VEC2DRotate(m.v, 1024);  // -32766 >> 15 rounds towards minus infinity
  EXPECT_EQ(m.v->x, -1);
  EXPECT_EQ(m.v->y, 0);

  Vec h(0, 100);  // both results come from the old x and y
  VEC2DRotate(h.v, 256);
  EXPECT_EQ(h.v->x, -100);
  EXPECT_EQ(h.v->y, 0);
}

TEST(Vec2d, AddAccumulatesIntoSecondSubIntoFirst) {
  Vec a(1, 2), b(10, 20);
  VEC2DAdd(a.v, b.v);
  EXPECT_EQ(a.v->x, 1);
  EXPECT_EQ(b.v->x, 11);
  EXPECT_EQ(b.v->y, 22);
  VEC2DSub(a.v, b.v);
  EXPECT_EQ(a.v->x, -10);
  EXPECT_EQ(a.v->y, -20);
  EXPECT_EQ(b.v->x, 11);
  Vec l(3, 4);
  EXPECT_EQ(VEC2DLength2(l.v), 25);
  EXPECT_EQ(VEC2DLength2(nullptr), -1);
}

TEST(Vec2d, NullArgumentsReportVec2dOnlyAndChangeNothing) {
  Vec a(1, 1);
  testing::internal::CaptureStdout();
  VEC2DAdd(nullptr, a.v);
  VEC2DRotate(nullptr, 5);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "VEC2D error\nVEC2D error\n");
  EXPECT_EQ(a.v->x, 1);
  testing::internal::CaptureStdout();
  SEG2DRotate(nullptr, 5);  // the segment module's reports are off
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(Seg2d, DrawOnePointAndClippedLines) {
  Image image = NewImage(8, 8);
  Seg dot(3, 3, 3, 3, 0xABCDEF);
  dot.s->end->color = 0x111111;
  SEG2DDraw(dot.s, image.get());
  EXPECT_EQ(LitPixels(image.get()), (Pixels{{3, 3}}));
  EXPECT_EQ(image->pixels[3 + 3 * 8], 0xABCDEFu);  // the start's colour

  Image clipped = NewImage(8, 8);
  Seg across(-3, 2, 10, 2);
  SEG2DDraw(across.s, clipped.get());
  EXPECT_EQ(LitPixels(clipped.get()).size(), 8u);

}

TEST(Seg2d, TransformsAndRotatedDrawLeaveTheSegment) {
  Seg s(2, 0, 4, 0);
  Vec offset(8, 8), k(3, 2);
  Image image = NewImage(16, 16);
  SEG2DDrawRotated(s.s, 256, offset.v, image.get());
  EXPECT_EQ(LitPixels(image.get()), (Pixels{{8, 9}, {8, 10}, {8, 11}}));
  EXPECT_EQ(s.s->start->x, 2);
  SEG2DTranslate(s.s, offset.v);  // the offset is added into both ends, not changed
  EXPECT_EQ(s.s->start->x, 10);
  EXPECT_EQ(s.s->end->y, 8);
  EXPECT_EQ(offset.v->x, 8);
  SEG2DMul(s.s, k.v);
  EXPECT_EQ(s.s->end->x, 36);
  EXPECT_EQ(s.s->end->y, 16);
}

TEST(Seg2d, BoxesOverlapCountsTouching) {
  Seg a(0, 0, 4, 4), b(4, 4, 9, 2), c(5, 0, 9, 3), d(0, 5, 3, 9);
  EXPECT_EQ(SEG2DBoxesOverlap(a.s, b.s), 1);  // one shared end point
  EXPECT_EQ(SEG2DOverlaps(a.s, b.s), 1);
  EXPECT_EQ(SEG2DBoxesOverlap(a.s, c.s), 0);  // apart in x
  EXPECT_EQ(SEG2DBoxesOverlap(a.s, d.s), 0);  // apart in y
  EXPECT_EQ(SEG2DBoxesOverlap(a.s, nullptr), 0);
}

TEST(Seg2d, ExtentsBetweenIsHalfOpenForReversedEnds) {
  // a runs from x 4 down to 0: "between" is then 0 < v < 4, exclusive.
  Seg a(4, 0, 0, 4), atFour(4, 10, 9, 12), inside(2, 1, 7, 3);
  EXPECT_EQ(SEG2DExtentsOverlap(a.s, inside.s), 1);
  // b's x range 4..9 holds a.start.x = 4 (p <= v <= q for b): x passes, y 10..12 misses.
  EXPECT_EQ(SEG2DExtentsOverlap(a.s, atFour.s), 0);
  Seg b(4, 2, 9, 12);
  EXPECT_EQ(SEG2DExtentsOverlap(a.s, b.s), 1);
}

TEST(Seg2d, CrossOfLinesAndParallels) {
  Seg a(0, 0, 10, 10), b(0, 10, 10, 0), c(20, 0, 30, 10);
  EXPECT_EQ(SEG2DCross(a.s, b.s), 1);
  EXPECT_EQ(SEG2DCross(a.s, c.s), 0);  // parallel, different intercepts
  Seg d(5, 5, 20, 20), e(11, 11, 20, 20);
  EXPECT_EQ(SEG2DCross(a.s, d.s), 1);  // same line, extents overlap
  EXPECT_EQ(SEG2DCross(a.s, e.s), 0);  // same line, apart
  Seg f(12, 0, 12, 30);  // vertical: run taken as 1; crossing point lies beyond a
  EXPECT_EQ(SEG2DCross(a.s, f.s), 0);
}

}  // namespace
