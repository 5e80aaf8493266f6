// Vectors, segments and line objects: table rotation, the arithmetic, drawing,
// the overlap tests, farthest points, collision and the object text reader.
#include <gtest/gtest.h>

#include <string>

#include "build_platform.h"
#include "image_fixture.h"
#include "list.h"
#include "obj2d.h"
#include "seg2d.h"
#include "vec2d.h"

namespace {

using imagetest::LitPixels;
using Pixels = imagetest::Lit;

struct Vec {
  VEC2D* v = VEC2DNew();
  Vec(int32_t x, int32_t y) { v->x = x, v->y = y; }
  ~Vec() { VEC2DFree(&v); }
};

struct Seg {
  SEG2D* s = SEG2DNew();
  Seg(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour = 0xFFFFFF) {
    s->start->x = x0, s->start->y = y0, s->end->x = x1, s->end->y = y1, s->start->color = colour;
  }
  ~Seg() { SEG2DFree(&s); }
};

TEST(Vec2d, RotationByTheTableAndWrappingArithmetic) {
  const int32_t cases[][5] = {  // x, y, angle -> x, y
      {16, 16, 0, 16, 16},     // exact: no arithmetic at all
      {16, 16, 1024, 15, 15},  {16, 16, -1024, 15, 15},  // a whole turn is not 0: cosine 32766 shrinks it
      {100, 0, 256, 0, 99},    // a quarter turn turns x towards y (clockwise on screen)
      {0, 100, 256, -100, 0},  // both results come from the old x and y
      {-1, 0, 1024, -1, 0}};   // -32766 >> 15 rounds towards minus infinity
  for (const auto& c : cases) {
    Vec v(c[0], c[1]);
    VEC2DRotate(v.v, c[2]);
    EXPECT_EQ(v.v->x * 1000 + v.v->y, c[3] * 1000 + c[4]) << c[0] << "," << c[1] << " by " << c[2];
  }
  Vec a(1, 2), b(10, 20), k(3, -2), l(3, 4), big(INT32_MIN, 0);
  VEC2DAdd(a.v, b.v);  // into the second
  EXPECT_EQ(b.v->x * 100 + b.v->y, 11 * 100 + 22);
  VEC2DSub(a.v, b.v);  // into the first
  EXPECT_EQ(a.v->x * 100 + a.v->y, -10 * 100 - 20);
  VEC2DScale(a.v, -3);
  VEC2DMul(a.v, k.v);
  EXPECT_EQ(a.v->x * 1000 + a.v->y, 90 * 1000 - 120);
  VEC2DNeg(a.v);
  EXPECT_EQ(VEC2DCompareX(a.v, b.v) * 1000 + VEC2DCompareY(a.v, b.v), -101 * 1000 + 98);
  EXPECT_EQ(VEC2DLength2(l.v), 25);
  VEC2DNeg(big.v);
  EXPECT_EQ(big.v->x, INT32_MIN);
  VEC2D* clone = VEC2DClone(l.v);
  EXPECT_TRUE(VEC2DEqual(clone, l.v));
  VEC2DCopy(b.v, clone);
  EXPECT_EQ(clone->x * 100 + clone->y, 11 * 100 + 22);
  VEC2DFree(&clone);
}

// Refused calls change nothing; of the vector modules only VEC2D reports by default.
TEST(Vec2d, NullArgumentsReportVec2dOnlyAndChangeNothing) {
  Vec a(1, 1);
  testing::internal::CaptureStdout();
  VEC2DAdd(nullptr, a.v);
  VEC2DRotate(nullptr, 5);
  EXPECT_EQ(VEC2DLength2(nullptr), -1);
  SEG2DRotate(nullptr, 5);
  EXPECT_EQ(SEG2DCross(nullptr, nullptr) + OBJ2DIsFarther(nullptr, 0) + VEC2DCompareY(a.v, nullptr), 0);
  EXPECT_EQ(OBJ2DClone(nullptr), nullptr);
  OBJ2DListFree(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "VEC2D error\nVEC2D error\nVEC2D error\nVEC2D error\n");
  EXPECT_EQ(a.v->x, 1);
}

TEST(Seg2d, DrawingAndTransformsLeaveTheSegment) {
  auto image = imagetest::Sized(16, 16), rotated = imagetest::Sized(16, 16);
  Seg dot(3, 3, 3, 3, 0xABCDEF), across(-3, 2, 20, 2);
  dot.s->end->color = 0x111111;
  SEG2DDraw(dot.s, image.get());
  EXPECT_EQ(image->pixels[3 + 3 * 16], 0xABCDEFu);  // the start's colour
  SEG2DDraw(across.s, image.get());
  EXPECT_EQ(LitPixels(image.get()).size(), 17u);  // clipped to the image
  Seg s(2, 0, 4, 0);
  Vec offset(8, 8), k(3, 2);
  SEG2DDrawRotated(s.s, 256, offset.v, rotated.get());
  VEC2DDrawRotated(s.s->start, 0, k.v, rotated.get());  // (2, 0) moved by (3, 2)
  EXPECT_EQ(LitPixels(rotated.get()), (Pixels{{5, 2}, {8, 9}, {8, 10}, {8, 11}}));
  SEG2DTranslate(s.s, offset.v);  // the offset is added into both ends, not changed
  SEG2DMul(s.s, k.v);
  SEG2DScale(s.s, -1);
  EXPECT_EQ(s.s->start->x * 1000 + s.s->end->y, -30 * 1000 - 16);
  EXPECT_EQ(s.s->end->x * 10 + offset.v->x, -36 * 10 + 8);
  SEG2D* freed = SEG2DNew();
  SEG2DFree(&freed);
  EXPECT_EQ(freed, nullptr);
}

TEST(Seg2d, OverlapAndCrossing) {
  // Boxes count touching; extents take "between" as p <= v <= q, or q < v < p for reversed ends.
  Seg a(0, 0, 4, 4), b(4, 4, 9, 2), c(5, 0, 9, 3), d(0, 5, 3, 9);
  EXPECT_EQ(SEG2DBoxesOverlap(a.s, b.s) * 100 + SEG2DBoxesOverlap(a.s, c.s) * 10 + SEG2DBoxesOverlap(a.s, d.s), 100);
  EXPECT_EQ(SEG2DOverlaps(a.s, b.s), 1);
  Seg r(4, 0, 0, 4), atFour(4, 10, 9, 12), inside(2, 1, 7, 3), e(4, 2, 9, 12);
  EXPECT_EQ(SEG2DExtentsOverlap(r.s, inside.s) * 100 + SEG2DExtentsOverlap(r.s, atFour.s) * 10 +
                SEG2DExtentsOverlap(r.s, e.s),
            101);  // at four x passes, but y 10..12 misses
  // Parallel with different intercepts, the same line with overlapping extents,
  // the same line apart, a vertical (run taken as 1) crossing beyond l, and a
  // slope of 2^31 / -1 that wraps instead of trapping.
  Seg l(0, 0, 10, 10), m(0, 10, 10, 0), n(20, 0, 30, 10), o(5, 5, 20, 20), p(11, 11, 20, 20), v(12, 0, 12, 30),
      steep(1, 0, 0, 1 << 23);
  const std::pair<const Seg*, int> crossing[] = {{&m, 1}, {&n, 0}, {&o, 1}, {&p, 0}, {&v, 0}, {&steep, 0}};
  for (const auto& x : crossing) EXPECT_EQ(SEG2DCross(l.s, x.first->s), x.second) << &x - crossing;
}

struct Object {
  OBJ2D* o = OBJ2DNew();
  ~Object() { OBJ2DFree(&o); }
  Object& Add(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour = 0xFFFFFF) {
    SEG2D* s = SEG2DNew();
    s->start->x = x0, s->start->y = y0, s->end->x = x1, s->end->y = y1;
    s->start->color = s->end->color = colour;
    OBJ2DAddSegment(o, s);
    return *this;
  }
  VEC2D* Point(int32_t i) const { return static_cast<VEC2D*>(LISTGet(o->points, i)); }
};

TEST(Obj2d, DrawScalesThenRotatesThenTranslatesFromTheLastSegmentAndClonesCopy) {
  Object a;
  a.Add(1, 0, 2, 0, 0x00FF00).Add(2, 0, 2, 1, 0x111111);  // share (2, 0): the first segment is drawn last
  a.o->scale->x = 3;  // (3, 0)-(6, 0)
  a.o->angle = 256;   // (0, 2)-(0, 5) after the table's rounding
  a.o->position->x = 10, a.o->position->y = 1;
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
  Object b, small;  // a clone copies geometry and colours into its own points and shares the texts
  b.Add(1, 2, 3, 4, 0x10).Add(5, 6, 7, 8, 0x20);
  char name[] = "shape";
  b.o->name = name, b.o->angle = 9, b.o->scale->x = 2;
  OBJ2D* c = OBJ2DClone(b.o);
  ASSERT_EQ(c->segments->count, 2);
  const SEG2D* second = static_cast<SEG2D*>(LISTGet(c->segments, 1));
  EXPECT_EQ(second->start->x * 1000 + second->end->y, 5 * 1000 + 8);
  EXPECT_EQ(second->start->color * 1000 + c->scale->x * 100 + c->angle, 0x20 * 1000 + 209);
  EXPECT_TRUE(c->name == name && c->farthest == b.o->farthest && LISTGet(c->points, 0) != LISTGet(b.o->points, 0));
  OBJ2DFree(&c);  // does not release the shared name
  b.o->name = nullptr;
  small.Add(0, 0, 1, 1);
  OBJ2DCopy(b.o, small.o);  // point counts differ: refused
  EXPECT_EQ(small.Point(1)->x, 1);
}

TEST(Obj2d, FarthestRules) {
  Object a, ties, origin;
  a.Add(9, 9, 1, 0);  // only the end is asked about when adding
  EXPECT_EQ(a.o->farthest, 1);
  a.Add(0, 2, 2, 0);  // (2, 0): 4 > 1
  EXPECT_EQ(a.o->farthest, 3);
  EXPECT_EQ(OBJ2DIsFarther(a.o, 0) * 10 + OBJ2DIsFarther(a.o, 2), 10);  // equal lengths: not farther
  EXPECT_EQ(OBJ2DIsFarther(a.o, 4) + OBJ2DIsFarther(a.o, -1), 0);       // outside points
  OBJ2DFindFarthest(a.o);
  EXPECT_EQ(a.o->farthest, 0);
  ties.Add(0, 3, 3, 0);  // both 9: the highest index wins
  ties.o->farthest = 7;
  OBJ2DFindFarthest(ties.o);
  EXPECT_EQ(ties.o->farthest, 1);
  origin.Add(0, 0, 0, 0);
  origin.o->farthest = -1;
  OBJ2DFindFarthest(origin.o);
  EXPECT_EQ(origin.o->farthest, -1);  // no point off the origin: left as it was
  LISTPush(origin.o->points, nullptr);  // a farthest entry without a point: any point is farther
  origin.o->farthest = 2;
  EXPECT_EQ(OBJ2DIsFarther(origin.o, 0), 1);
}

TEST(Obj2d, CollideNeedsMeetingBoundsAndOverlappingBoxes) {
  Object a, b, c, empty, d, e;
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
  d.Add(0, 0, 300, 0);
  e.Add(500, 0, 500, 300);
  e.o->position->x = 500;
  EXPECT_EQ(OBJ2DBoundsMeet(d.o, e.o), 1);
  e.o->position->x = 2000000000, e.o->position->y = -2000000000;
  EXPECT_EQ(OBJ2DBoundsMeet(d.o, e.o), 1);  // capped sums still answer "maybe"
}

// A parse as one line: each object in braces with its texts ("name:...|") and
// its segments "x0,y0,x1,y1", followed by "#start#end" colours when either is set.
std::string Parse(const std::string& text) {
  LIST* list = OBJ2DListFromASCII(text.c_str());
  std::string out;
  for (int32_t i = 0; i < list->count; ++i) {
    const OBJ2D* o = static_cast<OBJ2D*>(LISTGet(list, i));
    out += "{";
    const std::pair<const char*, const char*> texts[] = {
        {"name:", o->name}, {"version:", o->version}, {"author:", o->author}, {"type:", o->type}};
    for (const auto& t : texts)
      if (t.second) out += t.first + std::string(t.second) + "|";
    for (int32_t k = 0; k < o->segments->count; ++k) {
      const SEG2D* s = static_cast<SEG2D*>(LISTGet(o->segments, k));
      out += (k ? " " : "") + std::to_string(s->start->x) + "," + std::to_string(s->start->y) + "," +
             std::to_string(s->end->x) + "," + std::to_string(s->end->y);
      if (s->start->color || s->end->color)
        out += "#" + std::to_string(s->start->color) + "#" + std::to_string(s->end->color);
    }
    out += "}";
  }
  OBJ2DListFree(&list);
  return out;
}

TEST(Obj2dParse, TokensCommentsBlocksAndKeyWords) {
  const std::string q254(254, 'q');
  const std::pair<std::string, std::string> cases[] = {
      // Blocks: empty, never nested, released when never closed; a stray closing
      // brace keeps its place as an empty object.
      {"{ }", "{}"}, {"{ name A\n{\n}\n", "{name:A|}"}, {"{ s 1 2 3 4", ""}, {"# only a comment\ns 1 2 3 4\n", ""},
      {"} { name B\n s 1 1 2 2 }", "{}{name:B|1,1,2,2}"},
      // Segments run on across blocks; numbers outside one are dropped.
      {"{ s 1, 2 } { s 3, 4 }", "{}{1,2,3,4}"}, {"{ 7 8 s 1;2;3;4 9 }", "{1,2,3,4}"},
      {"s 1 2 3 4 { s 5 6 7 8 }", "{5,6,7,8}"},
      {"{ segment 8,0 8,9\nS 1 1 2 2 s1 3 3 4 4 }", "{8,0,8,9 1,1,2,2 3,3,4,4}"},
      // A sign waits across words that are not numbers and goes to the next number.
      {"{ s - 5, 6, -7, 8 }", "{-5,6,-7,8}"}, {"{ s - x1 2 3 4 5 }", "{-2,3,4,5}"}, {"{ - 9 s 1 2 3 4 }", "{1,2,3,4}"},
      // Colours: a colour word waits for a hexadecimal value; each end takes the
      // colour current when its y is read.
      {"color 255 $ff { s 1 2 3 4 }", "{1,2,3,4#255#255}"},
      {"c $ff { s 1 2 3 color $ 00ff00 }", "{1,2,3,0#255#0}"},  // blank after $: value 0
      {"c x00abcd { s 1 2 3 4 }", "{1,2,3,4#43981#43981}"}, {"COLOR H12 { s 1 2 3 4 }", "{1,2,3,4#18#18}"},
      {"color $123456789 { s 1 2 3 4 }", "{1,2,3,4#591751049#591751049}"},  // high digits shift out
      {"$ff color { s 1 2 3 4 }", "{1,2,3,4}"}, {"color $00ff00z99 { s 1 2 3 4 }", "{1,2,3,4#65280#65280}"},
      {"color $10 c $,ff { s 1 2 3 4 }", "{1,2,3,4}"},
      {"color $10 { s 1 2 } c $20 { 3 4 } { s 5 6 7 8 }", "{}{1,2,3,4#16#32}{5,6,7,8#32#32}"},
      // Key words take the rest of the line: name skips blanks across lines, the
      // others separators; any case, the last one wins; bytes above 127 are blanks.
      {"name file\n{ name  apple 1 \r\n version = 2; type vector shape\n version=3\n}",
       "{name:apple 1 \r|version:= 2; type vector shape|}"},
      {"{ name\n\n  s 1, 2, 3, 4\n}", "{name:s 1, 2, 3, 4|}"}, {"{ name \xC8\ns 1 2 3 4\n}", "{name:s 1 2 3 4|}"},
      {"{ author ,; Some One\nname ;x\n}", "{name:;x|author:Some One|}"},
      {"{ name a\nNAME b\nName c\n}", "{name:c|}"}, {"{ name", ""}, {"{ names 1 2 }", "{}"},
      // The Linux builds also take a leading part of a key word.
      {"{ a s 1 2 3 4\nauth me\nv 2\nt x\nn s 5 6 7 8\ns 1 2 3 4 }",
       kWindowsBuild ? "{1,2,3,4 5,6,7,8 1,2,3,4}" : "{name:s 5 6 7 8|version:2|author:me|type:x|1,2,3,4}"},
      // Punctuation is a token of its own only where a token starts.
      {"# { not a block\n{ \"q\" = s 1 2 # 3 4\n 5 6 }", "{1,2,5,6}"},
      {"{}", "{}"}, {"{s}", ""}, {"{name=x s 1 2 3 4}", ""},
      // Runs split after 255 characters and start again with the last one taken.
      {"{ s " + q254 + "5x 6 7 8 }", "{5,6,7,8}"}, {"{ s " + q254 + "5 6 7 8 9 }", "{6,7,8,9}"},
      {"{ s 1 c $" + std::string(253, '0') + "79 2 3 }", "{1,79,2,3#7#7}"},
      {"{ s " + std::string(300, '1') + " 2 3 4 }", "{-954437177,-954437177,2,3}"}};  // numbers wrap
  for (const auto& c : cases) EXPECT_EQ(Parse(c.first), c.second) << c.first.substr(0, 60);
  EXPECT_EQ(OBJ2DListFromASCII(nullptr), nullptr);
  LIST* list = OBJ2DListFromASCII("{ s 1 1 2 2 s 9 9 0 0 s 3 0 4 0 }");  // points and farthest as when added
  OBJ2D* o = static_cast<OBJ2D*>(LISTGet(list, 0));
  EXPECT_EQ(o->points->count, 6);
  EXPECT_EQ(LISTGet(o->points, 2), static_cast<SEG2D*>(LISTGet(o->segments, 1))->start);  // the segments' own
  EXPECT_EQ(o->farthest, 5);  // only end points count when adding: (2, 2), (0, 0), (4, 0)
  OBJ2DListFree(&list);
}

}  // namespace
