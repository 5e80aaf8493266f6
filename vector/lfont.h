// LFONT: text drawn with line-object glyphs. Entry n of the glyph list is the
// glyph of character code n; each glyph is drawn scaled, rotated about its
// origin and placed at the pen, which then advances by one cell.
//
// Every operation checks its arguments; a rejected call calls LFONTError and
// draws nothing (nor advances the pen).
#ifndef VORN_VECTOR_LFONT_H
#define VORN_VECTOR_LFONT_H

#include <cstdint>

#include "obj2d.h"
#include "vec2d.h"

struct IMG;
struct LIST;

struct LFONT {
  VEC2D* pen;      // (0, 0): where the next glyph's origin goes
  VEC2D* cell;     // (16, 16): x advance per character, y line height, before scaling
  int32_t code;    // 0: the character LFONTDrawChar draws
  VEC2D* scale;    // (1, 1): componentwise scale of each glyph
  int32_t angle;   // 0: rotation of each glyph in 1/1024 turns
  LIST* glyphs;    // OBJ2D*, entry n for code n; owned once set (null at first)
  IMG* target;     // the image drawn into; not owned (null at first)
};

// Identification strings: name, date, author, language, kind.
extern const char* const LFONTIdent[5];
// Set to make LFONTError print "LFONT Error."; clear.
extern uint8_t LFONTDebug;

// New font with the defaults above; null if an allocation fails.
LFONT* LFONTNew(void);
// Frees the vectors, every glyph with its texts, the glyph list and the record
// (not the target); sets *font to null.
void LFONTFree(LFONT** font);
// A font has no text form: always null.
char* LFONTToASCII(const LFONT* font);
// Always null.
LFONT* LFONTFromASCII(const char* text);
// 1 when pen, cell, code, scale, angle, glyph list and target are the same.
int LFONTEqual(const LFONT* a, const LFONT* b);
// dst takes src's pen, cell, code, scale, angle and target (not the glyphs).
void LFONTCopy(const LFONT* src, LFONT* dst);

// Draws the glyph of code at the pen and advances the pen by cell.x * scale.x.
// A code outside the list or without a glyph draws nothing and does not advance.
void LFONTDrawChar(LFONT* font);
// Draws the bytes of text (as codes 0..255) up to the first line feed or the end.
void LFONTDrawString(LFONT* font, const char* text);
// Draws text over several lines: a line feed returns to the x of the call and
// moves down by cell.y * scale.y.
void LFONTDrawText(LFONT* font, const char* text);
// Two upper-case hexadecimal digits of value, high first.
void LFONTDrawHex8(LFONT* font, uint32_t value);
// Four digits of the low 16 bits of value.
void LFONTDrawHex16(LFONT* font, uint32_t value);
// Eight digits.
void LFONTDrawHex32(LFONT* font, uint32_t value);
// Exactly ten decimal digits with leading zeros.
void LFONTDrawDecimal(LFONT* font, uint32_t value);
// Every glyph takes the colour, last first.
void LFONTSetColor(LFONT* font, uint32_t colour);
// Every glyph takes its own light colour (rand() & 0x7F7F7F) + 0x808080, last first.
void LFONTRandomColors(LFONT* font);
// The glyph of code takes a new light colour as above, then is drawn as by LFONTDrawChar.
void LFONTDrawCharRandomColor(LFONT* font);

// Prints "LFONT Error." when LFONTDebug is set.
void LFONTError(void);

#endif
