// VEC2D: the integer 2D point of the vector graphics, with the colour it is
// plotted in. y grows downwards. Angles are in 1/1024 turns (only angle & 1023
// counts); rotation uses the shared sine table with 15-bit products.
//
// Every operation checks its arguments; a rejected call calls VEC2DError,
// changes nothing and returns 0, -1 or null.
#ifndef VORN_VECTOR_VEC2D_H
#define VORN_VECTOR_VEC2D_H

#include <cstdint>

struct IMG;

struct VEC2D {
  int32_t x;       // pixels, to the right
  int32_t y;       // pixels, downwards
  uint32_t color;  // 0x00RRGGBB: plotted colour, and a segment's colour when it is its start
};

// Identification strings: name, date, author, language, kind.
extern const char* const VEC2DIdent[5];
// Set (the one module whose reports are on): VEC2DError prints "VEC2D error".
extern uint8_t VEC2DDebug;

// New vector (0, 0), colour 0xFFFFFF; null if the allocation fails.
VEC2D* VEC2DNew(void);
// Frees *v and sets it to null; a null v or *v only reports.
void VEC2DFree(VEC2D** v);
// A vector has no text form: always null.
char* VEC2DToASCII(const VEC2D* v);
// Always null.
VEC2D* VEC2DFromASCII(const char* text);
// 1 when x, y and colour are equal; 0 otherwise or for a null argument.
int VEC2DEqual(const VEC2D* a, const VEC2D* b);
// dst takes src's x, y and colour.
void VEC2DCopy(const VEC2D* src, VEC2D* dst);
// New vector with src's x, y and colour; null for a null src or a failed allocation.
VEC2D* VEC2DClone(const VEC2D* src);
// Sets pixel (x, y) of image to the colour; outside the image nothing happens.
void VEC2DDraw(const VEC2D* v, IMG* image);
// b += a (a unchanged): the sum goes into the second argument.
void VEC2DAdd(const VEC2D* a, VEC2D* b);
// a -= b (b unchanged): the difference goes into the first argument.
void VEC2DSub(VEC2D* a, const VEC2D* b);
// x = -x, y = -y.
void VEC2DNeg(VEC2D* v);
// Rotates v about the origin by angle (clockwise on screen); angle 0 leaves v exactly.
void VEC2DRotate(VEC2D* v, int32_t angle);
// Plots v rotated by angle and moved by offset, in v's colour; v is unchanged.
void VEC2DDrawRotated(const VEC2D* v, int32_t angle, const VEC2D* offset, IMG* image);
// x *= k, y *= k.
void VEC2DScale(VEC2D* v, int32_t k);
// v.x *= s.x, v.y *= s.y.
void VEC2DMul(VEC2D* v, const VEC2D* s);
// a.x - b.x; 0 when either is null.
int32_t VEC2DCompareX(const VEC2D* a, const VEC2D* b);
// a.y - b.y; 0 when either is null.
int32_t VEC2DCompareY(const VEC2D* a, const VEC2D* b);
// x*x + y*y in 32-bit (wraps); -1 for a null v.
int32_t VEC2DLength2(const VEC2D* v);

// Prints "VEC2D error" when VEC2DDebug is set.
void VEC2DError(void);

#endif
