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
  SEG2D* Add(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour = 0xFFFFFF) {
    SEG2D* s = SEG2DNew();
    s->start->x = x0, s->start->y = y0, s->end->x = x1, s->end->y = y1;
    s->start->color = s->end->color = colour;
    OBJ2DAddSegment(o, s);
    return s;
  }
  VEC2D* Point(int32_t i) const { return static_cast<VEC2D*>(LISTGet(o->points, i)); }
};

TEST(Obj2d, DrawScalesThenRotatesThenTranslates) {
  Object a;
  a.Add(1, 0, 2, 0, 0x00FF00);
  a.o->scale->x = 3;  // (3, 0)-(6, 0)
  a.o->angle = 256;   // (0, 2)-(0, 5) after the table's rounding
  a.o->position->x = 10;
  a.o->position->y = 1;
  Image image = NewImage(16, 16);
  OBJ2DDraw(a.o, image.get());
  EXPECT_EQ(LitPixels(image.get()), (Pixels{{10, 3}, {10, 4}, {10, 5}, {10, 6}}));
  EXPECT_EQ(image->pixels[10 + 3 * 16], 0x00FF00u);
  EXPECT_EQ(a.Point(0)->x, 1);  // stored geometry unchanged

  Image points = NewImage(16, 16);
  OBJ2DDrawPointsTransformed(a.o, points.get());
  EXPECT_EQ(LitPixels(points.get()), (Pixels{{10, 3}, {10, 6}}));
  OBJ2DTransformPoints(a.o);
  EXPECT_EQ(a.Point(1)->x, 10);
  EXPECT_EQ(a.Point(1)->y, 6);
}

TEST(Obj2d, DrawGoesFromTheLastSegmentToTheFirst) {
  Object a;
  a.Add(0, 0, 3, 0, 0x111111);
  a.Add(3, 0, 3, 3, 0x222222);  // shares (3, 0): the first segment is drawn last
  Image image = NewImage(8, 8);
  OBJ2DDraw(a.o, image.get());
  EXPECT_EQ(image->pixels[3], 0x111111u);
}

TEST(Obj2d, FarthestRules) {
  Object a;
  a.Add(9, 9, 1, 0);  // only the end is asked about when adding
  EXPECT_EQ(a.o->farthest, 1);
  a.Add(0, 2, 2, 0);  // (2, 0): 4 > 1
  EXPECT_EQ(a.o->farthest, 3);
  EXPECT_EQ(OBJ2DIsFarther(a.o, 0), 1);
  EXPECT_EQ(OBJ2DIsFarther(a.o, 2), 0);  // equal lengths: not farther
  EXPECT_EQ(OBJ2DIsFarther(a.o, 4), 0);  // outside points
  EXPECT_EQ(OBJ2DIsFarther(a.o, -1), 0);
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
}

TEST(Obj2d, CloneCopiesGeometryColoursAndSharesTexts) {
  Object a;
  a.Add(1, 2, 3, 4, 0x10);
  a.Add(5, 6, 7, 8, 0x20);
  char name[] = "shape";
  a.o->name = name;
  a.o->angle = 9;
  a.o->scale->x = 2;
  OBJ2D* c = OBJ2DClone(a.o);
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->segments->count, 2);
  SEG2D* second = static_cast<SEG2D*>(LISTGet(c->segments, 1));
  EXPECT_EQ(second->start->x, 5);
  EXPECT_EQ(second->end->y, 8);
  EXPECT_EQ(second->start->color, 0x20u);
  EXPECT_EQ(c->name, name);
  EXPECT_EQ(c->scale->x, 2);
  EXPECT_NE(LISTGet(c->points, 0), LISTGet(a.o->points, 0));  // its own points
  OBJ2DFree(&c);  // does not release the shared name
  a.o->name = nullptr;

  Object small;
  small.Add(0, 0, 1, 1);
  OBJ2DCopy(a.o, small.o);  // point counts differ: refused
  EXPECT_EQ(small.Point(1)->x, 1);
}

TEST(Obj2d, CollideNeedsMeetingBoundsAndOverlappingBoxes) {
  Object a, b;
  a.Add(-2, -2, 2, 2);
  b.Add(-2, 2, 2, -2);
  b.o->position->x = 3;
  OBJ2DTranslate(b.o);  // world coordinates: b spans x 1..5
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, b.o), 1);
  EXPECT_EQ(OBJ2DCollide(a.o, b.o), 1);

  Object c;  // the same shape around (30, 0): too far for the circles
  c.Add(-2, 2, 2, -2);
  c.o->position->x = 30;
  OBJ2DTranslate(c.o);
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, c.o), 0);
  EXPECT_EQ(OBJ2DCollide(a.o, c.o), 0);

  Object empty;
  EXPECT_EQ(OBJ2DCollide(a.o, empty.o), 0);
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, empty.o), 0);  // no farthest point
}

TEST(Obj2d, BoundsOfLargeObjectsDoNotWrap) {
  // Radii of 300 at a distance of 500: ra2 * rb2 = 8.1e9 would wrap in 32 bits
  // to a negative sum and reject circles that plainly meet.
  Object a, b;
  a.Add(0, 0, 300, 0);
  b.Add(500, 0, 500, 300);
  b.o->position->x = 500;
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, b.o), 1);
  b.o->position->x = 2000000000;
  b.o->position->y = -2000000000;
  EXPECT_EQ(OBJ2DBoundsMeet(a.o, b.o), 1);  // capped sums still answer "maybe"
}

}  // namespace
