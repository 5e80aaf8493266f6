// LSTARS: a two-dimensional starfield. Stars sit at random 16.16 fixed-point
// positions, all move by the same velocity each step and wrap around the
// edges of the area with a margin, so that a streak leaves the area
// completely before its star comes back on the other side. Stars are drawn
// as dots, as streaks trailing two steps behind, or as cells of a bitmap font.
//
// A star's pixel is (x >> 16, y >> 16), arithmetic shifts. A rejected call
// calls LSTARSError and changes nothing.
#ifndef VORN_EFFECTS_LSTARS_H
#define VORN_EFFECTS_LSTARS_H

#include <cstdint>

struct FONT;
struct IMG;

struct LSTARSPoint {
  int32_t x;  // 16.16 fixed point
  int32_t y;
};

struct LSTARSVelocity {
  int32_t dx;  // 16.16 fixed point per move
  int32_t dy;
};

struct LSTARS {
  int32_t width;            // area width in pixels; 256, then the image's at every draw
  int32_t height;           // area height in pixels; 256, then the image's at every draw
  LSTARSVelocity velocity;  // movement per LSTARSMove; (0, 0x10000): one pixel down
  uint32_t color;           // colour of dots and streaks; 0xFFFFFF
  FONT* sprites;            // cells drawn by LSTARSDrawSprites; not owned
  int32_t count;            // number of stars; 16
  LSTARSPoint* stars;       // count positions; owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const LSTARSIdent[5];
// Set to make LSTARSError print "LSTARS error"; clear by default.
extern uint8_t LSTARSDebug;

// New 256 x 256 starfield of 16 white stars moving one pixel down, placed with rand();
// null on allocation failure.
LSTARS* LSTARSNew(void);
// Frees the stars and the record and sets *stars to null; null stars or *stars: error only.
void LSTARSFree(LSTARS** stars);
// No text form: always null.
char* LSTARSToASCII(const LSTARS* stars);
// Always null.
LSTARS* LSTARSFromASCII(const char* text);
// No equality of starfields: always 0 (a null argument is an error).
int LSTARSEqual(const LSTARS* a, const LSTARS* b);
// A new starfield with default settings; the source must be present, nothing of it is copied.
LSTARS* LSTARSClone(const LSTARS* source);

// n > 0 new stars (the old ones are released), placed by LSTARSReset. If they cannot be
// allocated nothing changes.
void LSTARSSetCount(LSTARS* stars, int32_t n);
// LSTARSPlace of every star, last to first.
void LSTARSReset(LSTARS* stars);
// Star index to x = (rand() mod width) << 16, then y = (rand() mod height) << 16. Needs a
// positive width and height and 0 <= index < count.
void LSTARSPlace(LSTARS* stars, int32_t index);
// Moves every star by the velocity and wraps it with the margin of two steps.
void LSTARSMove(LSTARS* stars);
// Each star's pixel set to color (outside the image skipped).
void LSTARSDrawDots(LSTARS* stars, IMG* image);
// Each star, last to first, as a line from its pixel back to where it was two steps ago.
void LSTARSDrawStreaks(LSTARS* stars, IMG* image);
// Each star as the keyed cell py mod 64 of sprites with its top-left at (px - 16, py - 16);
// a negative py gives a negative cell, which draws nothing.
void LSTARSDrawSprites(LSTARS* stars, IMG* image);

// Prints "LSTARS error" when LSTARSDebug is set.
void LSTARSError(void);

#endif
