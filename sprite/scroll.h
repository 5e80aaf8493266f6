// SCROLL: the horizontal text scroller. A text runs right to left across a
// band of an Image, drawn cell by cell with a bitmap font (FONT) and repeated
// endlessly. The pixel offset into the first visible character gives smooth
// movement; whole characters are skipped through a text cursor (CURSOR) whose
// position is the index of the first visible character.
//
// Divisions and remainders truncate towards zero. A rejected call calls
// SCROLLError and changes nothing.
#ifndef VORN_SPRITE_SCROLL_H
#define VORN_SPRITE_SCROLL_H

#include <cstdint>

struct CURSOR;
struct FONT;
struct IMG;

struct SCROLL {
  int32_t x;         // left edge of the band in target pixels
  int32_t y;         // top edge of the band
  int32_t width;     // band width: the target's width, taken by SCROLLSet
  int32_t height;    // the font's cellHeight, taken by SCROLLSet
  int32_t speed;     // pixels per SCROLLStep; 1 for a new scroller; negative scrolls back
  int32_t offset;    // pixels scrolled into the first character: 0..w-1 forward, 1..w back
  const char* text;  // NUL-terminated text; not owned
  CURSOR* cursor;    // owned; index of the first visible character
  FONT* font;        // not owned
  IMG* target;       // not owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const SCROLLIdent[5];
// Set to make SCROLLError print "SCROLL error"; clear by default.
extern uint8_t SCROLLDebug;

// New scroller at (0, 0), speed 1, offset 0, no text, font or target; its cursor walks the
// default text "A scroll's default text. ". Draws nothing until SCROLLSet. Null on failure.
SCROLL* SCROLLNew(void);
// Frees the cursor and the record (not text, font or target); sets *scroller to null.
void SCROLLFree(SCROLL** scroller);
// No text form: always null.
char* SCROLLToASCII(const SCROLL* scroller);
// Always null.
SCROLL* SCROLLFromASCII(const char* text);
// 1 if the fields match, the same text, font and target and equal cursors; null: error, 0.
int SCROLLEqual(const SCROLL* a, const SCROLL* b);
// New scroller with the same fields sharing text, font and target, with its own cursor.
SCROLL* SCROLLCopy(const SCROLL* scroller);

// Takes a text, a font and a target (all needed): a new cursor over the text at its first
// character, the band at (0, 0), width of the target, height of the font's cells. Offset
// and speed stay.
void SCROLLSet(SCROLL* scroller, const char* text, FONT* font, IMG* target);
// Draws width / cellWidth + 2 characters from the cursor on, starting at x - offset, black
// transparent (FONTDrawChar). Bytes above 127 are negative cell numbers: nothing is drawn
// for them but the pen advances. An empty text draws nothing.
void SCROLLDraw(SCROLL* scroller);
// The same with opaque cells (FONTDrawCharSolid).
void SCROLLDrawSolid(SCROLL* scroller);
// offset += speed; whole cells of it move the cursor. Needs a font with cells at least
// 1 pixel wide.
void SCROLLStep(SCROLL* scroller);

// Prints "SCROLL error" when SCROLLDebug is set.
void SCROLLError(void);

#endif
