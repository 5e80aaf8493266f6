// SEG2D: segments, their transformation, drawing and overlap tests.
#include "seg2d.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "img.h"
#include "wrap32.h"

const char* const SEG2DIdent[5] = {"SEG2D   ", "20120916", "ZEKTORIN", "C", "CODE"};
uint8_t SEG2DDebug = 0;

void SEG2DError(void) {
  if (SEG2DDebug) puts("SEG2D error");
}

namespace {

bool Whole(const SEG2D* s) { return s && s->start && s->end; }

// v lies between p and q: p <= v <= q when p <= q, q < v < p when p > q.
bool Between(int32_t v, int32_t p, int32_t q) { return (v < p) != (v <= q); }

struct Line {
  int32_t slope;      // 8-bit fixed point
  int32_t intercept;  // 8-bit fixed point
};

Line LineThrough(const SEG2D* s) {
  int32_t run = Sub32(s->end->x, s->start->x);
  if (run == 0) run = 1;
  Line line;
  line.slope = Div32(Mul32(Sub32(s->end->y, s->start->y), 256), run);
  line.intercept = Sub32(Mul32(s->start->y, 256), Mul32(line.slope, s->start->x));
  return line;
}

}  // namespace

SEG2D* SEG2DNew(void) {
  SEG2D* s = static_cast<SEG2D*>(calloc(1, sizeof(SEG2D)));
  if (!s) return SEG2DError(), nullptr;
  s->start = VEC2DNew();
  s->end = VEC2DNew();
  if (!s->start || !s->end) {
    free(s->start);
    free(s->end);
    free(s);
    return SEG2DError(), nullptr;
  }
  s->end->x = 1;
  s->end->y = 1;
  return s;
}

void SEG2DFree(SEG2D** s) {
  if (!s || !*s) return SEG2DError();
  free((*s)->start);
  free((*s)->end);
  free(*s);
  *s = nullptr;
}

char* SEG2DToASCII(const SEG2D* s) {
  if (!s) SEG2DError();
  return nullptr;
}

SEG2D* SEG2DFromASCII(const char* text) {
  if (!text) SEG2DError();
  return nullptr;
}

int SEG2DEqual(const SEG2D* a, const SEG2D* b) {
  if (!Whole(a) || !Whole(b)) return SEG2DError(), 0;
  return VEC2DEqual(a->start, b->start) && VEC2DEqual(a->end, b->end);
}

void SEG2DCopy(const SEG2D* src, SEG2D* dst) {
  if (!Whole(src) || !Whole(dst)) return SEG2DError();
  *dst->start = *src->start;
  *dst->end = *src->end;
}

SEG2D* SEG2DClone(const SEG2D* src) {
  if (!Whole(src)) return SEG2DError(), nullptr;
  SEG2D* s = SEG2DNew();
  if (s) SEG2DCopy(src, s);
  return s;
}

void SEG2DDraw(const SEG2D* s, IMG* image) {
  if (!Whole(s) || !image) return SEG2DError();
  IMGLine(image, s->start->x, s->start->y, s->end->x, s->end->y, s->start->color);
}

void SEG2DDrawEnds(const SEG2D* s, IMG* image) {
  if (!Whole(s) || !image) return SEG2DError();
  VEC2DDraw(s->start, image);
  VEC2DDraw(s->end, image);
}

void SEG2DDrawRotated(const SEG2D* s, int32_t angle, const VEC2D* offset, IMG* image) {
  if (!Whole(s) || !offset || !image) return SEG2DError();
  VEC2D start = *s->start, end = *s->end;
  SEG2D work = {&start, &end};
  SEG2DRotate(&work, angle);
  SEG2DTranslate(&work, offset);
  SEG2DDraw(&work, image);
}

void SEG2DRotate(SEG2D* s, int32_t angle) {
  if (!Whole(s)) return SEG2DError();
  VEC2DRotate(s->start, angle);
  VEC2DRotate(s->end, angle);
}

void SEG2DTranslate(SEG2D* s, const VEC2D* v) {
  if (!Whole(s) || !v) return SEG2DError();
  VEC2DAdd(v, s->start);
  VEC2DAdd(v, s->end);
}

void SEG2DScale(SEG2D* s, int32_t k) {
  if (!Whole(s)) return SEG2DError();
  VEC2DScale(s->start, k);
  VEC2DScale(s->end, k);
}

void SEG2DMul(SEG2D* s, const VEC2D* v) {
  if (!Whole(s) || !v) return SEG2DError();
  VEC2DMul(s->start, v);
  VEC2DMul(s->end, v);
}

int SEG2DBoxesOverlap(const SEG2D* a, const SEG2D* b) {
  if (!Whole(a) || !Whole(b)) return SEG2DError(), 0;
  auto [aMinX, aMaxX] = std::minmax(a->start->x, a->end->x);
  auto [bMinX, bMaxX] = std::minmax(b->start->x, b->end->x);
  auto [aMinY, aMaxY] = std::minmax(a->start->y, a->end->y);
  auto [bMinY, bMaxY] = std::minmax(b->start->y, b->end->y);
  if (aMaxX < bMinX || bMaxX < aMinX) return 0;
  if (aMaxY < bMinY || bMaxY < aMinY) return 0;
  return 1;
}

int SEG2DOverlaps(const SEG2D* a, const SEG2D* b) { return SEG2DBoxesOverlap(a, b); }

int SEG2DExtentsOverlap(const SEG2D* a, const SEG2D* b) {
  if (!Whole(a) || !Whole(b)) return SEG2DError(), 0;
  bool x = Between(b->start->x, a->start->x, a->end->x) || Between(b->end->x, a->start->x, a->end->x) ||
           Between(a->start->x, b->start->x, b->end->x) || Between(a->end->x, b->start->x, b->end->x);
  if (!x) return 0;
  return Between(b->start->y, a->start->y, a->end->y) || Between(b->end->y, a->start->y, a->end->y) ||
         Between(a->start->y, b->start->y, b->end->y) || Between(a->end->y, b->start->y, b->end->y);
}

int SEG2DCross(const SEG2D* a, const SEG2D* b) {
  if (!Whole(a) || !Whole(b)) return SEG2DError(), 0;
  Line la = LineThrough(a), lb = LineThrough(b);
  if (la.slope == lb.slope) return la.intercept == lb.intercept && SEG2DExtentsOverlap(a, b);
  int32_t x = Div32(Sub32(lb.intercept, la.intercept), Sub32(la.slope, lb.slope));
  return Between(x, a->start->x, a->end->x) && Between(x, b->start->x, b->end->x);
}
