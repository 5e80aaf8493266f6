// IMGFX: whole-image filters (blurs and glows), spans with blending, and the
// averaging blit. Filters read source pixels as 0 outside the source (so the
// edges darken), compute each of red, green and blue alone and write the
// result over the source's size into the destination, only where it lies
// inside: a smaller destination receives its part, a larger one keeps the rest.
// Source and destination are meant to be two Images; given one Image twice,
// the pixels are visited last row first, last column first, each reading what
// earlier visits already wrote.
//
// A null Image or pixel array calls IMGFXError (the spans: IMGError) and
// changes nothing.
#ifndef VORN_IMAGE_IMGFX_H
#define VORN_IMAGE_IMGFX_H

#include <cstdint>

#include "img.h"

// Identification strings: name, date, author, language, kind.
extern const char* const IMGFXIdent[5];
// Set to make IMGFXError print "IMGFX error"; clear at start, set by nothing in the show.
extern uint8_t IMGFXDebug;
// Prints "IMGFX error" when IMGFXDebug is set.
void IMGFXError(void);

// Horizontal line x0..x1 on row y (ends swapped if needed, clamped); errors via IMGError.
void IMGFXHLine(IMG* image, int32_t y, int32_t x0, int32_t x1, uint32_t colour);
// Vertical line y0..y1 in column x (ends swapped if needed, clamped); errors via IMGError.
void IMGFXVLine(IMG* image, int32_t x, int32_t y0, int32_t y1, uint32_t colour);
// Span x0..x1 whose pixels become (old * (256 - alpha) + colour * alpha) >> 8 per
// channel, top byte 0; alpha is clamped to 0..256 (256 paints, 0 keeps the channels).
void IMGFXHLineBlend(IMG* image, int32_t y, int32_t x0, int32_t x1, uint32_t colour,
                     int32_t alpha);
// The same blend along column x from y0 to y1.
void IMGFXVLineBlend(IMG* image, int32_t x, int32_t y0, int32_t y1, uint32_t colour,
                     int32_t alpha);

// Mean of the (2r + 1) x (2r + 1) block around each pixel, truncating; r < 0 is an error.
void IMGFXBoxBlur(const IMG* source, IMG* destination, int32_t radius);
// Mean of the 2r + 1 pixels of the row around each pixel, truncating; r < 0 is an error.
void IMGFXBoxBlurH(const IMG* source, IMG* destination, int32_t radius);
// (left + centre + right) / 3, truncating.
void IMGFXBlur3H(const IMG* source, IMG* destination);
// (left + 2 centre + right) >> 2.
void IMGFXBlur121H(const IMG* source, IMG* destination);
// (p(x-2) + p(x-1) + 4 p(x) + p(x+1) + p(x+2)) >> 3: the show's blur.
void IMGFXBlur5H(const IMG* source, IMG* destination);
// (p(x-3) + p(x-2) + p(x-1) + 2 p(x) + p(x+1) + p(x+2) + p(x+3)) >> 3.
void IMGFXBlur7H(const IMG* source, IMG* destination);
// Kernel 1 2 1 / 2 4 2 / 1 2 1, >> 4: the dissolve of the text screens.
void IMGFXBlur3x3(const IMG* source, IMG* destination);
// min(255, p(x) + the four neighbours at distance 1 and 2, each >> shift): the show's
// glare. A shift of 8 or more adds nothing; a negative shift is an error.
void IMGFXGlow5H(const IMG* source, IMG* destination, int32_t shift);
// The same with the six neighbours at distance 1 to 3.
void IMGFXGlow7H(const IMG* source, IMG* destination, int32_t shift);
// min(255, p(x) + the sum of p(x+i) >> shift for i = -r..r, centre included);
// a negative radius or shift is an error.
void IMGFXGlowH(const IMG* source, IMG* destination, int32_t radius, int32_t shift);
// min(255, p + the eight neighbours >> shift); a negative shift is an error.
void IMGFXGlow3x3(const IMG* source, IMG* destination, int32_t shift);

// Clipped rectangle blit (as IMGBlit) in which every non-zero source pixel s makes the
// destination pixel d ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F); black is skipped.
void IMGFXBlitAverage(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                      int32_t dy, int32_t w, int32_t h);

#endif
