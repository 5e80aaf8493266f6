// OBJ2D: a line drawing. A list of segments in the object's own coordinates,
// drawn scaled (componentwise), then rotated, then moved to its position.
// OBJ2DListFromASCII reads a whole set of objects from the line-object text
// format; both line fonts of the show are such texts.
//
// Ownership: an object owns its three vectors, both lists and its segments
// (the points list refers to the segments' own end points). The four texts
// are shared with copies and are not released by OBJ2DFree; whoever made
// them releases them (OBJ2DFreeTexts, OBJ2DListFree for parsed lists).
//
// Every operation checks its arguments; a rejected call calls OBJ2DError,
// changes nothing and returns 0 or null.
#ifndef VORN_VECTOR_OBJ2D_H
#define VORN_VECTOR_OBJ2D_H

#include <cstdint>

#include "seg2d.h"
#include "vec2d.h"

struct IMG;
struct LIST;

struct OBJ2D {
  char* name;        // set by the name key, or null
  char* version;     // set by the version key, or null
  char* author;      // set by the author key, or null
  char* type;        // set by the type key, or null
  VEC2D* position;   // (0, 0): translation applied when drawing
  VEC2D* size;       // (16, 16): nominal extent, copied but not read here
  VEC2D* scale;      // (1, 1): componentwise multiplier applied when drawing
  int32_t angle;     // 0: rotation in 1/1024 turns applied when drawing
  uint32_t color;    // 0: the last colour given to OBJ2DSetColor
  int32_t farthest;  // -1: index in points of the point farthest from the origin
  LIST* points;      // VEC2D*: start and end of every segment, two per segment
  LIST* segments;    // SEG2D*: in the order added
};

// Identification strings: name, date, author, language, kind.
extern const char* const OBJ2DIdent[5];
// Set to make OBJ2DError print "OBJ2D error"; clear.
extern uint8_t OBJ2DDebug;

// New object with no segments, the defaults above; null if an allocation fails.
OBJ2D* OBJ2DNew(void);
// Frees segments, lists, vectors and the record (not the texts); sets *object to null.
void OBJ2DFree(OBJ2D** object);
// Releases the four texts and sets them to null; for the owner of texts no copy shares.
void OBJ2DFreeTexts(OBJ2D* object);
// Frees every object of a parsed list with its texts, then the list; sets *list to null.
void OBJ2DListFree(LIST** list);
// An object has no text form of its own: always null.
char* OBJ2DToASCII(const OBJ2D* object);
// Always null; OBJ2DListFromASCII reads the text format.
OBJ2D* OBJ2DFromASCII(const char* text);
// No comparison is defined: always 0.
int OBJ2DEqual(const OBJ2D* a, const OBJ2D* b);
// Copies points, position, size, scale, angle, colour, text references and farthest
// from src into dst; refused unless both have the same number of points.
void OBJ2DCopy(const OBJ2D* src, OBJ2D* dst);
// New object with as many segments as src, then OBJ2DCopy; null on a null src.
OBJ2D* OBJ2DClone(const OBJ2D* src);
// Parses the zero-terminated text into a new list of objects in the order their
// blocks close; null for a null text or when memory runs out. Never fails on content.
LIST* OBJ2DListFromASCII(const char* text);
// Appends segment (the object takes it over) and its ends to points; updates farthest.
// Nothing is taken over when refused: the caller still owns segment.
void OBJ2DAddSegment(OBJ2D* object, SEG2D* segment);
// Draws every segment scaled, rotated and moved by position, last added first.
void OBJ2DDraw(const OBJ2D* object, IMG* image);
// Draws every stored segment as it is, last added first.
void OBJ2DDrawRaw(const OBJ2D* object, IMG* image);
// Plots every stored point as it is, last added first.
void OBJ2DDrawPoints(const OBJ2D* object, IMG* image);
// Plots every point scaled, rotated and moved; the stored points are unchanged.
void OBJ2DDrawPointsTransformed(const OBJ2D* object, IMG* image);
// Scales, rotates and moves the stored points in place, last added first.
void OBJ2DTransformPoints(OBJ2D* object);
// Adds position to both ends of every stored segment; position is unchanged.
void OBJ2DTranslate(OBJ2D* object);
// color = colour, and every point takes that colour.
void OBJ2DSetColor(OBJ2D* object, uint32_t colour);
// Recomputes farthest over all points (ties keep the highest index; unchanged
// when no point lies off the origin).
void OBJ2DFindFarthest(OBJ2D* object);
// 1 when point index lies farther out than the point at farthest (or farthest
// is no valid index); 0 otherwise or for an index outside points.
int OBJ2DIsFarther(const OBJ2D* object, int32_t index);
// 1 when the bounding circles meet and some pair of segments' boxes overlap,
// on the stored coordinates.
int OBJ2DCollide(const OBJ2D* a, const OBJ2D* b);
// Bounding-circle pre-test around the two positions; 0 when a farthest point is missing.
int OBJ2DBoundsMeet(const OBJ2D* a, const OBJ2D* b);

// Prints "OBJ2D error" when OBJ2DDebug is set.
void OBJ2DError(void);

#endif
