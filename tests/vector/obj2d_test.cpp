// Line objects built segment by segment: drawing order, copies, farthest
// points and collision.
#include "obj2d.h"

#include <gtest/gtest.h>

#include "list.h"
#include "vector_test_util.h"

namespace {

struct Object {
  OBJ2D* o = OBJ2DNew();
  ~Object() {
    if (o) OBJ2DFree(&o);
  }
  Object& Add(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour = 0xFFFFFF) {
    SEG2D* s = SEG2DNew();
    s->start->x = x0, s->start->y = y0, s->end->x = x1, s->end->y = y1;
    s->start->color = s->end->color = colour;
    OBJ2DAddSegment(o, s);
    return *this;
  }
  VEC2D* Point(int32_t i) const { return static_cast<VEC2D*>(LISTGet(o->points, i)); }
};

TEST(Obj2d, DrawScalesThenRotatesThenTranslatesFromTheLastSegment) {
  Object a;
  a.Add(1, 0, 2, 0, 0x00FF00).Add(2, 0, 2, 1, 0x111111);  // share (2, 0): the first segment is drawn last
  a.o->scale->x = 3;  // (3, 0)-(6, 0)
  a.o->angle = 256;   // (0, 2)-(0, 5) after the table's rounding
  a.o->position->x = 10;
  a.o->position->y = 1;
  auto image = imagetest::Sized(16, 16), points = imagetest::Sized(16, 16), raw = imagetest::Sized(16, 16);
  OBJ2DDraw(a.o, image.get());
  EXPECT_EQ(LitPixels(image.get()), (Pixels{{10, 3}, {10, 4}, {10, 5}, {10, 6}, {9, 6}}));
  EXPECT_EQ(image->pixels[10 + 6 * 16], 0x00FF00u);
  OBJ2DDrawPointsTransformed(a.o, points.get());
  EXPECT_EQ(LitPixels(points.get()), (Pixels{{10, 3}, {10, 6}, {9, 6}}));
  OBJ2DDrawRaw(a.o, raw.get());
  OBJ2DDrawPoints(a.o, raw.get());
  EXPECT_EQ(LitPixels(raw.get()), (Pixels{{1, 0}, {2, 0}, {2, 1}}));
  EXPECT_EQ(a.Point(0)->x, 1);  // stored geometry unchanged until transformed
  OBJ2DTransformPoints(a.o);
  EXPECT_EQ(a.Point(1)->x * 100 + a.Point(1)->y, 10 * 100 + 6);
  OBJ2DSetColor(a.o, 0x123456);
  EXPECT_EQ(a.Point(3)->color, 0x123456u);
}

TEST(Obj2d, FarthestRules) {
  Object a;
  a.Add(9, 9, 1, 0);  // only the end is asked about when adding
  EXPECT_EQ(a.o->farthest, 1);
  a.Add(0, 2, 2, 0);  // (2, 0): 4 > 1
  EXPECT_EQ(a.o->farthest, 3);
  EXPECT_EQ(OBJ2DIsFarther(a.o, 0), 1);
  EXPECT_EQ(OBJ2DIsFarther(a.o, 2), 0);  // equal lengths: not farther
  EXPECT_EQ(OBJ2DIsFarther(a.o, 4) + OBJ2DIsFarther(a.o, -1), 0);  // outside points
  OBJ2DFindFarthest(a.o);
  EXPECT_EQ(a.o->farthest, 0);
  Object ties;
  ties.Add(0, 3, 3, 0);  // both 9: the highest index wins
  ties.o->farthest = 7;
  OBJ2DFindFarthest(ties.o);
  EXPECT_EQ(ties.o->farthest, 1);
  Object origin;
  origin.Add(0, 0, 0, 0);
  origin.o->farthest = -1;
  OBJ2DFindFarthest(origin.o);
  EXPECT_EQ(origin.o->farthest, -1);  // no point off the origin: left as it was
  LISTPush(origin.o->points, nullptr);  // a farthest entry without a point: any point is farther
  origin.o->farthest = 2;
  EXPECT_EQ(OBJ2DIsFarther(origin.o, 0), 1);
}

TEST(Obj2d, CloneCopiesGeometryColoursAndSharesTexts) {
  Object a;
  a.Add(1, 2, 3, 4, 0x10).Add(5, 6, 7, 8, 0x20);
  char name[] = "shape";
  a.o->name = name;
  a.o->angle = 9;
  a.o->scale->x = 2;
  OBJ2D* c = OBJ2DClone(a.o);
  ASSERT_EQ(c->segments->count, 2);
  SEG2D* second = static_cast<SEG2D*>(LISTGet(c->segments, 1));
  EXPECT_EQ(second->start->x * 1000 + second->end->y, 5 * 1000 + 8);
  EXPECT_EQ(second->start->color, 0x20u);
  EXPECT_EQ(c->name, name);
  EXPECT_EQ(c->scale->x * 100 + c->angle, 209);
  EXPECT_NE(LISTGet(c->points, 0), LISTGet(a.o->points, 0));  // its own points
  OBJ2DFree(&c);  // does not release the shared name
  a.o->name = nullptr;
  Object small;
  small.Add(0, 0, 1, 1);
  OBJ2DCopy(a.o, small.o);  // point counts differ: refused
  EXPECT_EQ(small.Point(1)->x, 1);
  auto image = imagetest::Sized(4, 4);
  OBJ2DDraw(nullptr, image.get());  // refused
  EXPECT_EQ(OBJ2DClone(nullptr), nullptr);
}

TEST(Obj2d, CollideNeedsMeetingBoundsAndOverlappingBoxes) {
  Object a, b, c, empty;
  a.Add(-2, -2, 2, 2);
  b.Add(-2, 2, 2, -2);
  b.o->position->x = 3;
  OBJ2DTranslate(b.o);  // world coordinates: b spans x 1..5
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, b.o) + OBJ2DCollide(a.o, b.o), 2);
  c.Add(-2, 2, 2, -2);  // the same shape around (30, 0): too far for the circles
  c.o->position->x = 30;
  OBJ2DTranslate(c.o);
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, c.o) + OBJ2DCollide(a.o, c.o), 0);
  EXPECT_EQ(OBJ2DCollide(a.o, empty.o) + OBJ2DBoundsMeet(a.o, empty.o), 0);  // no farthest point
  // Radii of 300 at a distance of 500: ra2 * rb2 = 8.1e9 would wrap in 32 bits
  // to a negative sum and reject circles that plainly meet.
  Object d, e;
  d.Add(0, 0, 300, 0);
  e.Add(500, 0, 500, 300);
  e.o->position->x = 500;
  EXPECT_EQ(OBJ2DBoundsMeet(d.o, e.o), 1);
  e.o->position->x = 2000000000;
  e.o->position->y = -2000000000;
  EXPECT_EQ(OBJ2DBoundsMeet(d.o, e.o), 1);  // capped sums still answer "maybe"
}

}  // namespace
