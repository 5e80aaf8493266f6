// OBJ2D: line objects, their drawing, copying and collision tests. The text
// format reader is in obj2d_parse.cpp.
#include "obj2d.h"

#include <cstdio>
#include <cstdlib>

#include "list.h"
#include "wrap32.h"

const char* const OBJ2DIdent[5] = {"OBJ2D   ", "20120916", "ZEKTORIN", "C", "CODE"};
uint8_t OBJ2DDebug = 0;

void OBJ2DError(void) {
  if (OBJ2DDebug) puts("OBJ2D error");
}

namespace {

bool Whole(const OBJ2D* o) { return o && o->position && o->size && o->scale && o->points && o->segments; }

VEC2D* PointAt(const OBJ2D* o, int32_t i) { return static_cast<VEC2D*>(LISTGet(o->points, i)); }
SEG2D* SegmentAt(const OBJ2D* o, int32_t i) { return static_cast<SEG2D*>(LISTGet(o->segments, i)); }

VEC2D* NewVector(int32_t x, int32_t y) {
  VEC2D* v = VEC2DNew();
  if (v) v->x = x, v->y = y;
  return v;
}

// Scale, then rotate, then translate: the order of every transforming draw.
void Transform(const OBJ2D* o, VEC2D* v) {
  VEC2DMul(v, o->scale);
  VEC2DRotate(v, o->angle);
  VEC2DAdd(o->position, v);
}

// Squared distance of two points, computed wide and capped at 2^62 so that the
// bounding test below can add and multiply such values without wrapping.
constexpr uint64_t kDistanceCap = uint64_t(1) << 62;

uint64_t Distance2(const VEC2D* a, const VEC2D* b) {
  int64_t dx = int64_t(a->x) - b->x, dy = int64_t(a->y) - b->y;
  uint64_t ux = uint64_t(dx < 0 ? -dx : dx), uy = uint64_t(dy < 0 ? -dy : dy);
  if (ux > (uint64_t(1) << 30) || uy > (uint64_t(1) << 30)) return kDistanceCap;
  return ux * ux + uy * uy;
}

}  // namespace

OBJ2D* OBJ2DNew(void) {
  OBJ2D* o = static_cast<OBJ2D*>(calloc(1, sizeof(OBJ2D)));
  if (!o) return OBJ2DError(), nullptr;
  o->position = NewVector(0, 0);
  o->size = NewVector(16, 16);
  o->scale = NewVector(1, 1);
  o->points = LISTNew();
  o->segments = LISTNew();
  o->farthest = -1;
  if (!Whole(o)) {
    OBJ2DFree(&o);
    return OBJ2DError(), nullptr;
  }
  return o;
}

void OBJ2DFree(OBJ2D** object) {
  if (!object || !*object) return OBJ2DError();
  OBJ2D* o = *object;
  if (o->segments) {
    for (int32_t i = o->segments->count - 1; i >= 0; --i) {
      SEG2D* s = SegmentAt(o, i);
      if (s) SEG2DFree(&s);
    }
    LISTFree(&o->segments);
  }
  if (o->points) LISTFree(&o->points);
  free(o->position);
  free(o->size);
  free(o->scale);
  free(o);
  *object = nullptr;
}

void OBJ2DFreeTexts(OBJ2D* object) {
  if (!object) return OBJ2DError();
  free(object->name);
  free(object->version);
  free(object->author);
  free(object->type);
  object->name = object->version = object->author = object->type = nullptr;
}

void OBJ2DListFree(LIST** list) {
  if (!list || !*list) return OBJ2DError();
  for (int32_t i = (*list)->count - 1; i >= 0; --i) {
    OBJ2D* o = static_cast<OBJ2D*>(LISTGet(*list, i));
    if (!o) continue;
    OBJ2DFreeTexts(o);
    OBJ2DFree(&o);
  }
  LISTFree(list);
}

char* OBJ2DToASCII(const OBJ2D* object) {
  if (!object) OBJ2DError();
  return nullptr;
}

OBJ2D* OBJ2DFromASCII(const char* text) {
  if (!text) OBJ2DError();
  return nullptr;
}

int OBJ2DEqual(const OBJ2D* a, const OBJ2D* b) {
  if (!a || !b) OBJ2DError();
  return 0;
}

void OBJ2DCopy(const OBJ2D* src, OBJ2D* dst) {
  if (!Whole(src) || !Whole(dst) || src->points->count != dst->points->count) return OBJ2DError();
  for (int32_t i = src->points->count - 1; i >= 0; --i) {
    VEC2D* from = PointAt(src, i);
    VEC2D* to = PointAt(dst, i);
    if (from && to) *to = *from;
  }
  *dst->position = *src->position;
  *dst->size = *src->size;
  *dst->scale = *src->scale;
  dst->angle = src->angle;
  dst->color = src->color;
  dst->name = src->name;
  dst->version = src->version;
  dst->author = src->author;
  dst->type = src->type;
  dst->farthest = src->farthest;
}

OBJ2D* OBJ2DClone(const OBJ2D* src) {
  if (!Whole(src)) return OBJ2DError(), nullptr;
  OBJ2D* o = OBJ2DNew();
  if (!o) return nullptr;
  for (int32_t i = 0; i < src->segments->count; ++i) {
    SEG2D* s = SEG2DNew();
    int32_t before = o->segments->count;
    if (s) OBJ2DAddSegment(o, s);
    if (!s || o->segments->count == before) {
      if (s) SEG2DFree(&s);
      OBJ2DFree(&o);
      return OBJ2DError(), nullptr;
    }
  }
  if (o->points->count != src->points->count) {  // src's lists were edited by hand
    OBJ2DFree(&o);
    return OBJ2DError(), nullptr;
  }
  OBJ2DCopy(src, o);
  return o;
}

void OBJ2DAddSegment(OBJ2D* object, SEG2D* segment) {
  if (!Whole(object) || !segment || !segment->start || !segment->end) return OBJ2DError();
  // All three appends or none, so that a refused call leaves the segment to the caller.
  int32_t segments = object->segments->count, points = object->points->count;
  LISTPush(object->segments, segment);
  LISTPush(object->points, segment->start);
  LISTPush(object->points, segment->end);
  if (object->segments->count != segments + 1 || object->points->count != points + 2) {
    object->segments->count = segments;
    object->points->count = points;
    return OBJ2DError();
  }
  if (OBJ2DIsFarther(object, points + 1)) object->farthest = points + 1;
}

void OBJ2DDraw(const OBJ2D* object, IMG* image) {
  if (!Whole(object) || !image) return OBJ2DError();
  for (int32_t i = object->segments->count - 1; i >= 0; --i) {
    const SEG2D* s = SegmentAt(object, i);
    if (!s || !s->start || !s->end) continue;
    VEC2D start = *s->start, end = *s->end;
    SEG2D work = {&start, &end};
    Transform(object, &start);
    Transform(object, &end);
    SEG2DDraw(&work, image);
  }
}

void OBJ2DDrawRaw(const OBJ2D* object, IMG* image) {
  if (!Whole(object) || !image) return OBJ2DError();
  for (int32_t i = object->segments->count - 1; i >= 0; --i) {
    const SEG2D* s = SegmentAt(object, i);
    if (s) SEG2DDraw(s, image);
  }
}

void OBJ2DDrawPoints(const OBJ2D* object, IMG* image) {
  if (!Whole(object) || !image) return OBJ2DError();
  for (int32_t i = object->points->count - 1; i >= 0; --i) {
    const VEC2D* v = PointAt(object, i);
    if (v) VEC2DDraw(v, image);
  }
}

void OBJ2DDrawPointsTransformed(const OBJ2D* object, IMG* image) {
  if (!Whole(object) || !image) return OBJ2DError();
  for (int32_t i = object->points->count - 1; i >= 0; --i) {
    const VEC2D* v = PointAt(object, i);
    if (!v) continue;
    VEC2D work = *v;
    Transform(object, &work);
    VEC2DDraw(&work, image);
  }
}

void OBJ2DTransformPoints(OBJ2D* object) {
  if (!Whole(object)) return OBJ2DError();
  for (int32_t i = object->points->count - 1; i >= 0; --i) {
    VEC2D* v = PointAt(object, i);
    if (v) Transform(object, v);
  }
}

void OBJ2DTranslate(OBJ2D* object) {
  if (!Whole(object)) return OBJ2DError();
  for (int32_t i = object->segments->count - 1; i >= 0; --i) {
    SEG2D* s = SegmentAt(object, i);
    if (s) SEG2DTranslate(s, object->position);
  }
}

void OBJ2DSetColor(OBJ2D* object, uint32_t colour) {
  if (!Whole(object)) return OBJ2DError();
  object->color = colour;
  for (int32_t i = object->points->count - 1; i >= 0; --i) {
    VEC2D* v = PointAt(object, i);
    if (v) v->color = colour;
  }
}

void OBJ2DFindFarthest(OBJ2D* object) {
  if (!Whole(object)) return OBJ2DError();
  int32_t best = 0;
  for (int32_t n = object->points->count - 1; n >= 0; --n) {
    const VEC2D* v = PointAt(object, n);
    if (!v) continue;
    int32_t length = VEC2DLength2(v);
    if (best < length) object->farthest = n, best = length;
  }
}

int OBJ2DIsFarther(const OBJ2D* object, int32_t index) {
  if (!Whole(object) || index < 0 || index >= object->points->count) return OBJ2DError(), 0;
  const VEC2D* candidate = PointAt(object, index);
  if (!candidate) return OBJ2DError(), 0;
  if (object->farthest < 0 || object->farthest >= object->points->count) return 1;
  const VEC2D* current = PointAt(object, object->farthest);
  if (!current) return 1;
  return VEC2DLength2(current) < VEC2DLength2(candidate);
}

int OBJ2DBoundsMeet(const OBJ2D* a, const OBJ2D* b) {
  if (!Whole(a) || !Whole(b)) return OBJ2DError(), 0;
  const VEC2D* farA = PointAt(a, a->farthest);
  const VEC2D* farB = PointAt(b, b->farthest);
  if (!farA || !farB) return OBJ2DError(), 0;
  uint64_t ra2 = Distance2(farA, a->position), rb2 = Distance2(farB, b->position);
  uint64_t d2 = Distance2(a->position, b->position);
  uint64_t product = (ra2 && rb2 > kDistanceCap / ra2) ? kDistanceCap : ra2 * rb2;
  return ra2 + rb2 + product >= d2;
}

int OBJ2DCollide(const OBJ2D* a, const OBJ2D* b) {
  if (!Whole(a) || !Whole(b) || a->points->count == 0 || b->points->count == 0) return OBJ2DError(), 0;
  if (!OBJ2DBoundsMeet(a, b)) return 0;
  for (int32_t i = 0; i < a->segments->count; ++i) {
    const SEG2D* sa = SegmentAt(a, i);
    if (!sa) continue;
    for (int32_t j = 0; j < b->segments->count; ++j) {
      const SEG2D* sb = SegmentAt(b, j);
      if (sb && SEG2DBoxesOverlap(sa, sb)) return 1;
    }
  }
  return 0;
}
