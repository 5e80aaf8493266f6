// The show's content, compiled into the program: the bitmap font picture,
// the two sprite strips, the two line fonts and the word list of the
// typewriter screens; and the two builders that turn them into a cell sheet
// and a line font, used by the show and by the gallery alike.
//
// Every embedded array is NUL-terminated; its Size is the byte count without
// the NUL. The pictures are drawn by tools/vorn_assets.cpp.
#ifndef VORN_DEMO_CONTENT_H
#define VORN_DEMO_CONTENT_H

#include <cstdint>

struct FONT;
struct IMG;
struct LFONT;

// 256 x 256 grey picture (P5) of 16 x 16 cells: tiles in cells 0..15, glyphs in 32..127.
extern const unsigned char vornFontPicture[];
extern const unsigned int vornFontPictureSize;
// 16 x 256 colour strip (P6): ten frames of a spinning ball in cells 2..11.
extern const unsigned char vornBallPicture[];
extern const unsigned int vornBallPictureSize;
// 16 x 256 colour strip (P6): ten rain sprites in cells 2..11.
extern const unsigned char vornRainPicture[];
extern const unsigned int vornRainPictureSize;
// The 8 x 8 line font: 256 line-object blocks, glyphs drawn in 0..7.
extern const unsigned char lineFont8x8[];
extern const unsigned int lineFont8x8Size;
// The 16 x 16 wire font: 256 line-object blocks, glyphs drawn in 0..15.
extern const unsigned char wireFont16x16[];
extern const unsigned int wireFont16x16Size;
// 26 words of upper-case letters and digits, one a line.
extern const unsigned char wordList[];
extern const unsigned int wordListSize;

// Side of a cell in every sheet of the content.
constexpr int32_t CONTENT_CELL = 16;

// New sheet of 16 x 16 cells that owns sheet and draws into target; null when
// sheet is null or the record cannot be had (sheet is then freed).
FONT* ContentNewSheet(IMG* sheet, IMG* target);
// New line font parsed from a line-object text (one glyph per character code)
// with cell x cell cells, drawing into target. centred moves every glyph by
// half a cell so that it turns about its middle. Null if the text does not parse.
LFONT* ContentNewLineFont(const unsigned char* text, int32_t cell, bool centred, IMG* target);

#endif
