// VEC2D: integer points, their arithmetic and table rotation.
#include "vec2d.h"

#include <cstdio>
#include <cstdlib>

#include "img.h"
#include "sine.h"
#include "wrap32.h"

const char* const VEC2DIdent[5] = {"VEC2D   ", "20120916", "ZEKTORIN", "C", "CODE"};
uint8_t VEC2DDebug = 1;

void VEC2DError(void) {
  if (VEC2DDebug) puts("VEC2D error");
}

VEC2D* VEC2DNew(void) {
  VEC2D* v = static_cast<VEC2D*>(calloc(1, sizeof(VEC2D)));
  if (!v) return VEC2DError(), nullptr;
  v->color = 0xFFFFFF;
  return v;
}

void VEC2DFree(VEC2D** v) {
  if (!v || !*v) return VEC2DError();
  free(*v);
  *v = nullptr;
}

char* VEC2DToASCII(const VEC2D* v) {
  if (!v) VEC2DError();
  return nullptr;
}

VEC2D* VEC2DFromASCII(const char* text) {
  if (!text) VEC2DError();
  return nullptr;
}

int VEC2DEqual(const VEC2D* a, const VEC2D* b) {
  if (!a || !b) return VEC2DError(), 0;
  return a->x == b->x && a->y == b->y && a->color == b->color;
}

void VEC2DCopy(const VEC2D* src, VEC2D* dst) {
  if (!src || !dst) return VEC2DError();
  *dst = *src;
}

VEC2D* VEC2DClone(const VEC2D* src) {
  if (!src) return VEC2DError(), nullptr;
  VEC2D* v = VEC2DNew();
  if (v) *v = *src;
  return v;
}

void VEC2DDraw(const VEC2D* v, IMG* image) {
  if (!v || !image) return VEC2DError();
  IMGPutPixel(image, v->x, v->y, v->color);
}

void VEC2DAdd(const VEC2D* a, VEC2D* b) {
  if (!a || !b) return VEC2DError();
  b->x = Add32(b->x, a->x);
  b->y = Add32(b->y, a->y);
}

void VEC2DSub(VEC2D* a, const VEC2D* b) {
  if (!a || !b) return VEC2DError();
  a->x = Sub32(a->x, b->x);
  a->y = Sub32(a->y, b->y);
}

void VEC2DNeg(VEC2D* v) {
  if (!v) return VEC2DError();
  v->x = Neg32(v->x);
  v->y = Neg32(v->y);
}

void VEC2DRotate(VEC2D* v, int32_t angle) {
  if (!v) return VEC2DError();
  // Angle 0 is exact; the table's cosine at 0 is 32766, so the arithmetic
  // below would shrink the vector by one part in 32768.
  if (angle == 0) return;
  int32_t sine = SineTable[angle & SineTableMask];
  int32_t cosine = SineTable[(angle + 256) & SineTableMask];
  int32_t x = v->x, y = v->y;
  v->x = Sub32(Mul32(x, cosine), Mul32(y, sine)) >> 15;
  v->y = Add32(Mul32(x, sine), Mul32(y, cosine)) >> 15;
}

void VEC2DDrawRotated(const VEC2D* v, int32_t angle, const VEC2D* offset, IMG* image) {
  if (!v || !offset || !image) return VEC2DError();
  VEC2D work = *v;
  VEC2DRotate(&work, angle);
  VEC2DAdd(offset, &work);
  IMGPutPixel(image, work.x, work.y, v->color);
}

void VEC2DScale(VEC2D* v, int32_t k) {
  if (!v) return VEC2DError();
  v->x = Mul32(v->x, k);
  v->y = Mul32(v->y, k);
}

void VEC2DMul(VEC2D* v, const VEC2D* s) {
  if (!v || !s) return VEC2DError();
  v->x = Mul32(v->x, s->x);
  v->y = Mul32(v->y, s->y);
}

int32_t VEC2DCompareX(const VEC2D* a, const VEC2D* b) {
  if (!a || !b) return VEC2DError(), 0;
  return Sub32(a->x, b->x);
}

int32_t VEC2DCompareY(const VEC2D* a, const VEC2D* b) {
  if (!a || !b) return VEC2DError(), 0;
  return Sub32(a->y, b->y);
}

int32_t VEC2DLength2(const VEC2D* v) {
  if (!v) return VEC2DError(), -1;
  return Add32(Mul32(v->x, v->x), Mul32(v->y, v->y));
}
