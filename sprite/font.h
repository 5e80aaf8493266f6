// FONT: a cell sheet. The sheet Image is cut into equal cells numbered left
// to right, then top to bottom; one cell at a time is drawn into the target
// Image at the pen (x, y), which then moves right by one cell width. With a
// sheet of glyphs it is a bitmap font (cell number = character code), with a
// sheet of animation frames a sprite or tile sheet (cell number = frame).
//
// Cell n starts at sheet pixel (a mod sheet width, (a / sheet width) * cellHeight)
// with a = n * cellWidth. A cell beyond the last one, a negative cell number, or
// a sheet smaller than one cell draws nothing, but the pen still advances.
// Clipping at the target's edges is the blits'. Drawing needs the font, its
// sheet, its target and cells of at least 1 x 1 pixel; otherwise FONTError is
// called and nothing changes.
#ifndef VORN_SPRITE_FONT_H
#define VORN_SPRITE_FONT_H

#include <cstdint>

struct IMG;

struct FONT {
  int32_t x;           // pen x in target pixels: left edge of the next cell drawn
  int32_t y;           // pen y in target pixels: top edge of the next cell drawn
  int32_t cellWidth;   // cell width in pixels; 6 for a new font
  int32_t cellHeight;  // cell height in pixels; 6 for a new font
  int32_t code;        // number of the cell the next draw uses
  IMG* sheet;          // the cells; owned by the font, freed with it
  IMG* target;         // where cells are drawn; not owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const FONTIdent[5];
// Set to make FONTError print "FONT Error."; clear by default.
extern uint8_t FONTDebug;

// New font with 6 x 6 cells, pen (0, 0), cell 0, no sheet, no target; null if allocation fails.
FONT* FONTNew(void);
// Frees the sheet and the record and sets *font to null; null font or *font: error only.
void FONTFree(FONT** font);
// Text "FONT{\nx y cellWidth cellHeight code\n" + the sheet's IMGToASCII (if any) + "}\n";
// the caller frees it with free(). The target is not part of it. Null on error.
char* FONTToASCII(const FONT* font);
// Parses the text of FONTToASCII into a new font without a target; null if it is not one:
// the pen and the code must be 32-bit numbers and the cells 1..IMG_MAX_SIDE pixels a side.
FONT* FONTFromASCII(const char* text);
// 1 if the pen, cell size, code and target match and the sheets are both absent or equal;
// a null argument: error, 0.
int FONTEqual(const FONT* a, const FONT* b);
// New font with the same fields, its own copy of the sheet and the same target; null on error.
FONT* FONTCopy(const FONT* font);

// Copies cell code to the pen with black pixels transparent (IMGBlitKeyed); x += cellWidth.
void FONTDrawChar(FONT* font);
// The same copying every pixel, black included (IMGBlit).
void FONTDrawCharSolid(FONT* font);
// The same adding each cell pixel to the target's as one 32-bit sum (IMGBlitAdd).
void FONTDrawCharAdd(FONT* font);
// FONTDrawChar of every byte up to the NUL or the first line feed; null text: error.
void FONTDrawText(FONT* font, const char* text);
// FONTDrawCharSolid of every byte up to the NUL; a line feed returns x to its value at the
// start of the call and moves y down by cellHeight. Null text: error.
void FONTDrawTextSolid(FONT* font, const char* text);
// Exactly ten decimal digits with leading zeros, most significant first.
void FONTDrawDecimal(FONT* font, uint32_t value);
// The low byte as two upper-case hexadecimal digits, high digit first.
void FONTDrawHex8(FONT* font, uint32_t value);
// FONTDrawHex8 of value >> 8, then of value: four digits.
void FONTDrawHex16(FONT* font, uint32_t value);
// FONTDrawHex16 of value >> 16, then of value: eight digits.
void FONTDrawHex32(FONT* font, uint32_t value);
// Draws big's current cell enlarged: every non-black pixel (j, i) of it becomes small's
// current cell drawn (keyed) at big pen + (j * small cellWidth, i * small cellHeight) in
// big's target, which small takes as its target. Then big x += small cellWidth * big
// cellWidth. Needs big's sheet and target and small's sheet.
void FONTDrawBig(FONT* big, FONT* small);

// Prints "FONT Error." when FONTDebug is set.
void FONTError(void);

#endif
