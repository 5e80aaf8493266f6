// SCROLL: a bitmap-font text band moved by a pixel offset and a text cursor.
#include "scroll.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cursor.h"
#include "font.h"
#include "img.h"

const char* const SCROLLIdent[5] = {"SCROLL  ", "20120815", "ZEKTORIN", "C", "CODE"};
uint8_t SCROLLDebug = 0;

void SCROLLError(void) {
  if (SCROLLDebug) puts("SCROLL error");
}

namespace {

const char kDefaultText[] = "A scroll's default text. ";

using DrawCell = void (*)(FONT*);

// Length of a text up to its NUL, as a cursor length.
int32_t TextLength(const char* text) { return int32_t(strnlen(text, size_t(INT32_MAX))); }

// The cursor's step for a move of q cells: q itself when it fits, otherwise
// q reduced by the text length, which moves the cursor to the same place.
int32_t CellStep(int64_t q, int32_t length) {
  if (q >= INT32_MIN && q <= INT32_MAX) return int32_t(q);
  return int32_t(q % (length > 0 ? length : 1));
}

bool Drawable(const SCROLL* s) {
  return s && s->text && s->cursor && s->font && s->target && s->font->cellWidth > 0;
}

void Draw(SCROLL* s, DrawCell draw) {
  if (!Drawable(s)) return SCROLLError();
  CURSOR* cursor = s->cursor;
  if (cursor->length <= 0) return;
  FONT* font = s->font;
  const int32_t w = font->cellWidth;
  font->x = int32_t(uint32_t(s->x) - uint32_t(s->offset));
  font->y = s->y;
  font->target = s->target;
  const int64_t n = s->width / w;
  // The cursor walks its own text and keeps its position in 0..length-1 (a
  // position a caller stored directly is wrapped first), so every byte read
  // lies inside the text.
  CURSORSet(cursor, cursor->position);
  CURSORSave(cursor);
  cursor->step = 1;
  for (int64_t i = 0; i < n + 2; ++i) {
    font->code = static_cast<signed char>(cursor->text[cursor->position]);
    draw(font);
    CURSORStep(cursor);
  }
  CURSORRestore(cursor);
}

}  // namespace

SCROLL* SCROLLNew(void) {
  SCROLL* s = static_cast<SCROLL*>(calloc(1, sizeof(SCROLL)));
  if (!s) return SCROLLError(), nullptr;
  s->cursor = CURSORNew();
  if (!s->cursor) {
    free(s);
    return SCROLLError(), nullptr;
  }
  CURSORInit(s->cursor, kDefaultText, TextLength(kDefaultText), 1, 1);
  s->speed = 1;
  return s;
}

void SCROLLFree(SCROLL** scroller) {
  if (!scroller || !*scroller) return SCROLLError();
  if ((*scroller)->cursor) CURSORFree(&(*scroller)->cursor);
  free(*scroller);
  *scroller = nullptr;
}

char* SCROLLToASCII(const SCROLL* scroller) {
  if (!scroller) SCROLLError();
  return nullptr;
}

SCROLL* SCROLLFromASCII(const char* text) {
  if (!text) SCROLLError();
  return nullptr;
}

int SCROLLEqual(const SCROLL* a, const SCROLL* b) {
  if (!a || !b) return SCROLLError(), 0;
  if (a->x != b->x || a->y != b->y || a->width != b->width || a->height != b->height ||
      a->speed != b->speed || a->offset != b->offset || a->text != b->text ||
      a->font != b->font || a->target != b->target)
    return 0;
  if (!a->cursor || !b->cursor) return a->cursor == b->cursor;
  return CURSOREqual(a->cursor, b->cursor);
}

SCROLL* SCROLLCopy(const SCROLL* scroller) {
  if (!scroller) return SCROLLError(), nullptr;
  SCROLL* copy = static_cast<SCROLL*>(calloc(1, sizeof(SCROLL)));
  if (!copy) return SCROLLError(), nullptr;
  *copy = *scroller;
  copy->cursor = scroller->cursor ? CURSORCopy(scroller->cursor) : nullptr;
  if (scroller->cursor && !copy->cursor) {
    free(copy);
    return SCROLLError(), nullptr;
  }
  return copy;
}

void SCROLLSet(SCROLL* scroller, const char* text, FONT* font, IMG* target) {
  if (!scroller || !text || !font || !target) return SCROLLError();
  CURSOR* cursor = CURSORNew();
  if (!cursor) return SCROLLError();
  CURSORInit(cursor, text, TextLength(text), 1, 1);
  if (scroller->cursor) CURSORFree(&scroller->cursor);
  scroller->cursor = cursor;
  scroller->text = text;
  scroller->font = font;
  scroller->target = target;
  scroller->x = 0;
  scroller->y = 0;
  scroller->width = target->width;
  scroller->height = font->cellHeight;
}

void SCROLLDraw(SCROLL* scroller) { Draw(scroller, FONTDrawChar); }

void SCROLLDrawSolid(SCROLL* scroller) { Draw(scroller, FONTDrawCharSolid); }

void SCROLLStep(SCROLL* scroller) {
  if (!Drawable(scroller)) return SCROLLError();
  CURSOR* cursor = scroller->cursor;
  const int32_t w = scroller->font->cellWidth;
  int64_t offset = int64_t(scroller->offset) + scroller->speed;
  if (offset >= w) {
    cursor->step = CellStep(offset / w, cursor->length);
    CURSORStep(cursor);
    offset %= w;
  } else if (offset < 0) {
    cursor->step = CellStep(offset / w - 1, cursor->length);
    CURSORStep(cursor);
    offset = offset % w + w;  // 1..w
  }
  scroller->offset = int32_t(offset);
}
