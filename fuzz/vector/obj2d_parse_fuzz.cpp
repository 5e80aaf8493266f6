// OBJ2DListFromASCII on arbitrary bytes: it must not read past the
// terminator (the text sits in a heap block of exactly its size), must keep
// every object's points in step with its segments, and what it returns must
// draw, copy and free cleanly (the leak checker sees the rest).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "img.h"
#include "lfont.h"
#include "list.h"
#include "obj2d.h"

namespace {

// Coordinates this small draw quickly; larger ones would make lines of
// billions of pixels, which tells nothing about the parser.
bool SmallEnough(const OBJ2D* o) {
  for (int32_t i = 0; i < o->points->count; ++i) {
    const VEC2D* p = static_cast<const VEC2D*>(LISTGet(o->points, i));
    if (p->x < -512 || p->x > 512 || p->y < -512 || p->y > 512) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char* text = static_cast<char*>(malloc(size + 1));
  memcpy(text, data, size);
  text[size] = 0;
  LIST* list = OBJ2DListFromASCII(text);
  free(text);
  if (!list) abort();  // only a missing text or memory may fail

  IMG* image = IMGNew();
  IMGResize(image, 64, 64);
  bool drawable = true;
  for (int32_t i = 0; i < list->count; ++i) {
    OBJ2D* o = static_cast<OBJ2D*>(LISTGet(list, i));
    if (!o || o->points->count != 2 * o->segments->count) abort();
    if (o->farthest >= o->points->count) abort();
    if (!SmallEnough(o)) {
      drawable = false;
      continue;
    }
    o->angle = 100 * i;
    OBJ2DDraw(o, image);
    OBJ2D* copy = OBJ2DClone(o);
    if (!copy) abort();
    OBJ2DTransformPoints(copy);
    OBJ2DCollide(o, copy);
    OBJ2DFree(&copy);  // shares the texts: the list still owns them
  }

  LFONT* font = LFONTNew();
  font->glyphs = list;  // the font takes the list over and frees it
  font->target = image;
  if (drawable) LFONTDrawText(font, "AZ az 09\n?!\x7f\xff");
  LFONTFree(&font);
  IMGFree(&image);
  return 0;
}
