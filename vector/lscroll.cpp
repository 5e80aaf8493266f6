// LSCROLL: a line-font text row or spiral moved by a pixel offset and a cursor.
#include "lscroll.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cursor.h"
#include "img.h"
#include "lfont.h"
#include "sine.h"
#include "vec2d.h"
#include "wrap32.h"

const char* const LSCROLLIdent[5] = {"LSCROLL ", "20120815", "ZEKTORIN", "C", "CODE"};
uint8_t LSCROLLDebug = 0;

void LSCROLLError(void) {
  if (LSCROLLDebug) puts("LSCROLL error");
}

namespace {

const char kDefaultText[] = "A scroll's default text.";
constexpr int32_t kSpiralLength = 512;

int32_t TextLength(const char* text) { return int32_t(strnlen(text, size_t(INT32_MAX))); }

bool HasMetrics(const LFONT* font) { return font && font->cell && font->scale; }

// The cell advance of the font; 0 (unusable) for a font without metrics.
int32_t CellAdvance(const LFONT* font) {
  return HasMetrics(font) ? Mul32(font->cell->x, font->scale->x) : 0;
}

// Stepping needs a text to walk and a font whose cells have width: a cell x
// of 0 would make the advance 0 and every step a division by zero.
bool Steppable(const LSCROLL* s) {
  return s && s->text && s->cursor && CellAdvance(s->font) != 0;
}

bool Drawable(const LSCROLL* s) { return Steppable(s) && IMGUsable(s->target); }

// The cursor's step for a move of q cells: q itself when it fits, otherwise
// q reduced by the text length, which moves the cursor to the same place.
int32_t CellStep(int64_t q, int32_t length) {
  if (q >= INT32_MIN && q <= INT32_MAX) return int32_t(q);
  return int32_t(q % (length > 0 ? length : 1));
}

// The character at the cursor as a signed byte. A position a caller stored
// directly is wrapped first, so the byte lies inside the cursor's text.
int32_t CodeAtCursor(CURSOR* cursor) {
  return static_cast<signed char>(cursor->text[cursor->position]);
}

enum class Colouring { kAsIs, kRandom };

// n + 2 characters from the cursor on at the pen the caller has placed; the
// cursor comes back to where it was, its step left at 1.
void DrawRow(LSCROLL* s, Colouring colouring) {
  CURSOR* cursor = s->cursor;
  LFONT* font = s->font;
  const int32_t cw = CellAdvance(font);
  font->pen->x = Sub32(s->x, s->offset);
  font->pen->y = s->y;
  font->target = s->target;
  const int64_t n = Div32(s->width, cw);
  CURSORSet(cursor, cursor->position);
  CURSORSave(cursor);
  cursor->step = 1;
  for (int64_t i = 0; i < n + 2; ++i) {
    font->code = CodeAtCursor(cursor);
    if (colouring == Colouring::kRandom) LFONTDrawCharRandomColor(font);
    else LFONTDrawChar(font);
    CURSORStep(cursor);
  }
  CURSORRestore(cursor);
}

// Everything a row needs, and a text with characters to show.
bool ReadyToDraw(const LSCROLL* s) {
  if (!Drawable(s) || !s->font->pen) return LSCROLLError(), false;
  return s->cursor->length > 0;
}

}  // namespace

LSCROLL* LSCROLLNew(void) {
  LSCROLL* s = static_cast<LSCROLL*>(calloc(1, sizeof(LSCROLL)));
  if (!s) return LSCROLLError(), nullptr;
  s->cursor = CURSORNew();
  if (!s->cursor) {
    free(s);
    return LSCROLLError(), nullptr;
  }
  s->text = kDefaultText;
  CURSORInit(s->cursor, kDefaultText, TextLength(kDefaultText), 1, 1);
  s->speed = 1;
  return s;
}

void LSCROLLFree(LSCROLL** scroller) {
  if (!scroller || !*scroller) return LSCROLLError();
  if ((*scroller)->cursor) CURSORFree(&(*scroller)->cursor);
  free(*scroller);
  *scroller = nullptr;
}

char* LSCROLLToASCII(const LSCROLL* scroller) {
  if (!scroller) LSCROLLError();
  return nullptr;
}

LSCROLL* LSCROLLFromASCII(const char* text) {
  if (!text) LSCROLLError();
  return nullptr;
}

int LSCROLLEqual(const LSCROLL* a, const LSCROLL* b) {
  if (!a || !b) return LSCROLLError(), 0;
  if (a->x != b->x || a->y != b->y || a->width != b->width || a->height != b->height ||
      a->speed != b->speed || a->offset != b->offset || a->text != b->text ||
      a->font != b->font || a->target != b->target)
    return 0;
  if (!a->cursor || !b->cursor) return a->cursor == b->cursor;
  return CURSOREqual(a->cursor, b->cursor);
}

LSCROLL* LSCROLLCopy(const LSCROLL* scroller) {
  if (!scroller) return LSCROLLError(), nullptr;
  LSCROLL* copy = static_cast<LSCROLL*>(calloc(1, sizeof(LSCROLL)));
  if (!copy) return LSCROLLError(), nullptr;
  *copy = *scroller;
  copy->cursor = scroller->cursor ? CURSORCopy(scroller->cursor) : nullptr;
  if (scroller->cursor && !copy->cursor) {
    free(copy);
    return LSCROLLError(), nullptr;
  }
  return copy;
}

void LSCROLLSet(LSCROLL* scroller, const char* text, LFONT* font, IMG* image) {
  if (!scroller || !text || !HasMetrics(font) || !image) return LSCROLLError();
  CURSOR* cursor = CURSORNew();
  if (!cursor) return LSCROLLError();
  CURSORInit(cursor, text, TextLength(text), 1, 1);
  if (scroller->cursor) CURSORFree(&scroller->cursor);
  scroller->cursor = cursor;
  scroller->text = text;
  scroller->font = font;
  scroller->target = image;
  scroller->x = 0;
  scroller->y = 0;
  scroller->width = image->width;
  scroller->height = font->cell->y;
}

void LSCROLLStep(LSCROLL* scroller) {
  if (!Steppable(scroller)) return LSCROLLError();
  CURSOR* cursor = scroller->cursor;
  const int64_t cw = CellAdvance(scroller->font);
  int64_t offset = int64_t(scroller->offset) + scroller->speed;
  if (offset >= cw) {
    cursor->step = CellStep(offset / cw, cursor->length);
    CURSORStep(cursor);
    offset %= cw;
  } else if (offset < 0) {
    cursor->step = CellStep(offset / cw - 1, cursor->length);
    CURSORStep(cursor);
    offset = cw + offset % cw;  // 1..cw
  }
  scroller->offset = int32_t(offset);
}

void LSCROLLDraw(LSCROLL* scroller) {
  if (!ReadyToDraw(scroller)) return;
  const IMG* image = scroller->target;
  const int64_t x = scroller->x, y = scroller->y;
  if (x > image->width || y > image->height || x + scroller->width < 0 ||
      y + scroller->height < 0)
    return;
  DrawRow(scroller, Colouring::kAsIs);
}

void LSCROLLDrawRandomColors(LSCROLL* scroller) {
  if (!ReadyToDraw(scroller)) return;
  DrawRow(scroller, Colouring::kRandom);
}

void LSCROLLDrawColored(LSCROLL* scroller, uint32_t colour) {
  if (!ReadyToDraw(scroller)) return;
  LFONTSetColor(scroller->font, colour);
  DrawRow(scroller, Colouring::kAsIs);
}

void LSCROLLDrawSpiral(LSCROLL* scroller, int32_t mode) {
  if (!ReadyToDraw(scroller)) return;
  LFONT* font = scroller->font;
  CURSOR* cursor = scroller->cursor;
  const int32_t shift = (mode & 3) + 14;
  const int32_t cw = CellAdvance(font);
  const int32_t ch = Mul32(font->cell->y, font->scale->y);
  const int32_t offset = scroller->offset;
  const int32_t cx = scroller->target->width / 2, cy = scroller->target->height / 2;
  font->target = scroller->target;
  CURSORSet(cursor, cursor->position);
  CURSORSave(cursor);
  cursor->step = 1;
  for (int32_t n = kSpiralLength; n >= 1; --n) {
    // |n * T[..]| <= 512 * 32767 < 2^24: these products cannot overflow.
    const int32_t across = SineTable[Mul32(Add32(Mul32(n, cw), offset), 4) & SineTableMask];
    const int32_t down = SineTable[Add32(Mul32(Add32(Mul32(n, ch), offset), 4), 256) & SineTableMask];
    font->pen->x = cx + ((n * across) >> shift);
    font->pen->y = cy + ((n * down) >> shift);
    font->code = CodeAtCursor(cursor);
    font->angle = Add32(Sub32(Sub32(1024, Mul32(Mul32(4, n), cw)), Mul32(4, offset)), 512) & 1023;
    LFONTDrawChar(font);
    CURSORStep(cursor);
  }
  CURSORRestore(cursor);
}
