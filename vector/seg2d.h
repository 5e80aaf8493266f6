// SEG2D: a line segment that owns its two end points. It is drawn in the
// colour of its start point; both end pixels belong to the line.
//
// Every operation checks its arguments (a segment must hold both end points);
// a rejected call calls SEG2DError, changes nothing and returns 0 or null.
#ifndef VORN_VECTOR_SEG2D_H
#define VORN_VECTOR_SEG2D_H

#include <cstdint>

#include "vec2d.h"

struct SEG2D {
  VEC2D* start;  // owned; its colour is the line colour
  VEC2D* end;    // owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const SEG2DIdent[5];
// Set to make SEG2DError print "SEG2D error"; clear.
extern uint8_t SEG2DDebug;

// New segment from (0, 0) to (1, 1), both white; null if an allocation fails.
SEG2D* SEG2DNew(void);
// Frees both end points and the segment, sets *s to null; a null s or *s only reports.
void SEG2DFree(SEG2D** s);
// A segment has no text form: always null.
char* SEG2DToASCII(const SEG2D* s);
// Always null.
SEG2D* SEG2DFromASCII(const char* text);
// 1 when starts and ends are equal, colours included; 0 otherwise or for a null argument.
int SEG2DEqual(const SEG2D* a, const SEG2D* b);
// dst's end points take the coordinates and colours of src's.
void SEG2DCopy(const SEG2D* src, SEG2D* dst);
// New segment equal to src; null for a null src or a failed allocation.
SEG2D* SEG2DClone(const SEG2D* src);
// Line from start to end in the start's colour; pixels outside the image are skipped.
void SEG2DDraw(const SEG2D* s, IMG* image);
// Plots the start and then the end, each in its own colour.
void SEG2DDrawEnds(const SEG2D* s, IMG* image);
// Draws s rotated by angle about the origin and moved by offset; s is unchanged.
void SEG2DDrawRotated(const SEG2D* s, int32_t angle, const VEC2D* offset, IMG* image);
// Rotates both ends about the origin.
void SEG2DRotate(SEG2D* s, int32_t angle);
// Adds v to both ends.
void SEG2DTranslate(SEG2D* s, const VEC2D* v);
// Multiplies both ends by k.
void SEG2DScale(SEG2D* s, int32_t k);
// Multiplies both ends componentwise by v.
void SEG2DMul(SEG2D* s, const VEC2D* v);
// 1 when the bounding boxes overlap (touching counts); 0 otherwise or on a null argument.
int SEG2DBoxesOverlap(const SEG2D* a, const SEG2D* b);
// The same answer as SEG2DBoxesOverlap.
int SEG2DOverlaps(const SEG2D* a, const SEG2D* b);
// 1 when an end of one lies within the other's extent in x, and likewise in y.
int SEG2DExtentsOverlap(const SEG2D* a, const SEG2D* b);
// 1 when the lines through the segments cross within both (8-bit fixed-point slopes).
int SEG2DCross(const SEG2D* a, const SEG2D* b);

// Prints "SEG2D error" when SEG2DDebug is set.
void SEG2DError(void);

#endif
