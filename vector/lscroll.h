// LSCROLL: a text scrolled through a line font (LFONT). It keeps the text, a
// text cursor (CURSOR) at the first visible character and a pixel offset into
// that character's cell, and draws the visible characters as a row, as a row
// in one or in random colours, or wound onto a spiral of 512 characters
// around the image's centre with every glyph turned along the curve.
//
// The cell advance is cw = font cell x * font scale x. Divisions and
// remainders truncate towards zero; products are 32-bit and wrap. A rejected
// call calls LSCROLLError and changes nothing.
#ifndef VORN_VECTOR_LSCROLL_H
#define VORN_VECTOR_LSCROLL_H

#include <cstdint>

struct CURSOR;
struct IMG;
struct LFONT;

struct LSCROLL {
  int32_t x;         // left end of the row on the image
  int32_t y;         // top of the row
  int32_t width;     // row length in pixels: the image's width, taken by LSCROLLSet
  int32_t height;    // row height: the font's cell y, taken by LSCROLLSet
  int32_t speed;     // pixels added to offset per step; 1; negative scrolls backwards
  int32_t offset;    // pixels into the first character's cell: 0..cw-1 forward, 1..cw back
  const char* text;  // the scrolled characters; not owned
  CURSOR* cursor;    // owned; index of the first visible character
  LFONT* font;       // not owned
  IMG* target;       // not owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const LSCROLLIdent[5];
// Set to make LSCROLLError print "LSCROLL error"; clear.
extern uint8_t LSCROLLDebug;

// New scroller over "A scroll's default text.", speed 1, everything else 0 or absent; null
// on allocation failure.
LSCROLL* LSCROLLNew(void);
// Frees the cursor and the record (not text, font or image); sets *scroller to null.
void LSCROLLFree(LSCROLL** scroller);
// No text form: always null.
char* LSCROLLToASCII(const LSCROLL* scroller);
// Always null.
LSCROLL* LSCROLLFromASCII(const char* text);
// 1 if the fields match, the same text, font and image and equal cursors; null: error, 0.
int LSCROLLEqual(const LSCROLL* a, const LSCROLL* b);
// New scroller with the same fields sharing text, font and image, with its own cursor.
LSCROLL* LSCROLLCopy(const LSCROLL* scroller);

// Takes a text, a font and an image (all needed): a new cursor at the text's first
// character, the row at (0, 0), width of the image, height of the font's cell y.
void LSCROLLSet(LSCROLL* scroller, const char* text, LFONT* font, IMG* image);
// offset += speed; whole cells of it move the cursor. Needs text, cursor and a font with a
// non-zero cell advance.
void LSCROLLStep(LSCROLL* scroller);
// Draws width / cw + 2 characters from the cursor on, the pen starting at (x - offset, y);
// nothing when the row lies off the image. Bytes above 127 are negative codes, which the
// font refuses (nothing drawn, no advance). An empty text draws nothing.
void LSCROLLDraw(LSCROLL* scroller);
// The same row, without the test for lying off the image, each glyph first given a new
// random light colour (LFONTDrawCharRandomColor).
void LSCROLLDrawRandomColors(LSCROLL* scroller);
// The same row, without the test, after colouring the whole font (LFONTSetColor).
void LSCROLLDrawColored(LSCROLL* scroller, uint32_t colour);
// 512 characters on a spiral about the image's centre, outermost first, each glyph turned
// to follow the curve; the font keeps the angle of the last. mode & 3 selects how fast the
// spiral closes (0: widest).
void LSCROLLDrawSpiral(LSCROLL* scroller, int32_t mode);

// Prints "LSCROLL error" when LSCROLLDebug is set.
void LSCROLLError(void);

#endif
