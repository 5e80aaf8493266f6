// IMG: the one picture type of the system, a rectangle of 32-bit pixels
// 0x00RRGGBB in memory, row-major, top row first, no pitch and no alpha.
// Pixel value 0 (black) is the transparent key of every keyed operation.
//
// Every operation checks its arguments; a rejected call calls IMGError,
// changes nothing and returns null, 0 or nothing.
#ifndef VORN_IMAGE_IMG_H
#define VORN_IMAGE_IMG_H

#include <cstddef>
#include <cstdint>

struct IMG {
  int32_t width;     // number of columns
  int32_t height;    // number of rows
  uint32_t* pixels;  // width x height pixels; pixel (x, y) is pixels[x + y * width]
};

// Identification strings: name, date, author, language, kind.
extern const char* const IMGIdent[5];

// Set to make IMGError print "IMG error"; clear at start, set by nothing in the show.
extern uint8_t IMGDebug;

// Largest side and largest pixel count an Image may have (64 Mi pixels, 256 MiB).
// IMGResize and every reader refuse anything larger before allocating.
constexpr int32_t IMG_MAX_SIDE = 1 << 16;
constexpr int64_t IMG_MAX_PIXELS = int64_t(1) << 26;

// True when width x height is a size an Image may have (both sides 0 or more).
inline bool IMGSizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= IMG_MAX_SIDE && height <= IMG_MAX_SIDE &&
         width * height <= IMG_MAX_PIXELS;
}

// True when image exists and holds its pixel array: the check every operation
// makes before it reads or writes pixels.
inline bool IMGUsable(const IMG* image) { return image && image->pixels; }

// New 16 x 16 black Image; null if an allocation fails.
IMG* IMGNew(void);
// Frees the pixels and the record and sets *image to null; null image or *image: error only.
void IMGFree(IMG** image);
// Discards the pixels and allocates width x height black ones, also for the same size.
// Negative sizes or more than IMG_MAX_PIXELS are refused with the Image unchanged;
// if the allocation fails the Image is left 0 x 0 with no pixels.
void IMGResize(IMG* image, int32_t width, int32_t height);
// All pixels to 0; null image or pixels: error.
void IMGClear(IMG* image);
// Copies all pixels; the two must have the same width and height.
void IMGCopyTo(const IMG* source, IMG* destination);
// New Image of the same size and pixels; null on a null source or allocation failure.
IMG* IMGCopy(const IMG* source);
// 1 if same size and all pixels equal, else 0 (a null argument: error, 0).
int IMGEqual(const IMG* a, const IMG* b);

// Text dump "IMG{\nP3\nW H\n255\n" + " rrr ggg bbb" per pixel, six pixels a line, "}\n".
// "IMG{}" for an Image without pixels. Caller frees the text with free(). Null on error.
char* IMGToASCII(const IMG* image);
// Parses a text dump (stops at the end of the text); null if it is not one.
IMG* IMGFromASCII(const char* text);
// Offset just past the first occurrence of pattern in text; 0 if absent or null.
int32_t IMGFindText(const char* text, const char* pattern);

// Picture files (img_pnm.cpp). Bitmaps (P1, P4) read a set bit or text 1 as white
// 0xFFFFFF and 0 as black, unlike netpbm's convention: a bitmap is a mask, its lit
// pixels white and its black the transparent key of the keyed blits.
//
// PBM/PGM/PPM (P1 to P6) from memory without a length: for the pictures compiled
// into the program. A NUL byte in the header or in a text raster ends the data.
// The width of P1 and P4 is rounded up to a multiple of 8 (the row fill becomes
// pixels); a P1 pixel is one digit character.
IMG* IMGParsePNM(const unsigned char* data);
// The same reader bounded by length: fails on data that ends inside the header
// or the raster. Use this form for every picture that is not our own content.
IMG* IMGParsePNMBounded(const unsigned char* data, size_t length);
// PBM/PGM/PPM from a file; null if it cannot be opened or is not a whole picture.
// Header numbers consume the character that ends them; bitmaps keep their declared
// width, each P4 row starting on a new byte; a P1 pixel is a whole number (0 black,
// any other white).
IMG* IMGReadPNM(const char* filename);
// Writes a binary PPM (P6); 1 on success, 0 on any failure, write errors included.
int IMGWritePPM(const IMG* image, const char* filename);

// Prints "IMG error" when IMGDebug is set.
void IMGError(void);

// ------------------------------------------------------------------ drawing
// Coordinates are signed, x to the right and y downwards, (0, 0) top left.
// Points outside the Image are skipped silently; a null Image or pixel array
// is an error. Drawing sources: img_draw.cpp.

// Set to make every operation that has a fast path take its plain per-pixel
// path instead (the reference the fast paths are tested against); clear at start.
extern uint8_t IMGPlainPaths;

// Sets pixel (x, y) if it lies inside, else nothing.
void IMGPutPixel(IMG* image, int32_t x, int32_t y, uint32_t colour);
// Pixel (x, y), or 0 outside; a null Image: error, 0.
uint32_t IMGGetPixel(const IMG* image, int32_t x, int32_t y);
// Bresenham line, both ends included, start first; only its points inside are set.
void IMGLine(IMG* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);
// The same line, drawn only when both ends lie inside (silently nothing otherwise).
void IMGLineInside(IMG* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);
// New array (free with free()): element 0 is 2n, then x, y of each of the n points of
// the line; null (error) when it cannot be allocated or 2n + 1 elements exceed int32.
int32_t* IMGLinePoints(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// Horizontal line x0..x1 on row y, colour first; nothing when x0 > x1 (ends not swapped).
void IMGHLineColour(IMG* image, uint32_t colour, int32_t y, int32_t x0, int32_t x1);
// Vertical line y0..y1 in column x, colour first; nothing when y0 > y1.
void IMGVLineColour(IMG* image, uint32_t colour, int32_t x, int32_t y0, int32_t y1);
// Blended horizontal span x0..x1 (not swapped), alpha as in IMGFXHLineBlend.
void IMGHLineBlendColour(IMG* image, uint32_t colour, int32_t y, int32_t x0, int32_t x1,
                         int32_t alpha);
// Fills the w x h rectangle at (x, y); no clipping: a rectangle not wholly inside,
// or w or h below 1, is an error and draws nothing.
void IMGFillBox(IMG* image, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);
// Outline of the same rectangle, with the same refusals as IMGFillBox.
void IMGBox(IMG* image, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);
// Circle outline of radius r from the sine table, 2u pixels wide at each height;
// a centre outside or r below 1 is an error.
void IMGCircle(IMG* image, int32_t cx, int32_t cy, int32_t r, uint32_t colour);

// ----------------------------------------------------------------- blitting
// Rectangle blits take (source, destination, sx, sy, dx, dy, w, h): the w x h
// source rectangle at (sx, sy) goes to (dx, dy). Exactly those of its pixels
// that lie inside the source and whose place lies inside the destination are
// drawn, rows top to bottom, pixels left to right; anything else is skipped
// silently. Source and destination may be one Image. Sources: img_blit.cpp.

// d := s where s is not 0 (black is transparent).
void IMGBlitKeyed(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                  int32_t dy, int32_t w, int32_t h);
// d := s.
void IMGBlit(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx, int32_t dy,
             int32_t w, int32_t h);
// d := d + s as one 32-bit sum: a channel that overflows carries into the next.
void IMGBlitAdd(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                int32_t dy, int32_t w, int32_t h);
// Each channel min(255, d + s), top byte 0.
void IMGBlitAddSat(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                   int32_t dy, int32_t w, int32_t h);
// The whole source placed at (x, y): every non-zero source pixel s inside the destination
// makes d ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F).
void IMGOverlayAverage(const IMG* source, IMG* destination, int32_t x, int32_t y);
// Non-zero pixels of source row sourceRow into destinationRow from column start on (taken
// modulo the destination width), wrapping to column 0; min of the two widths are used.
// A row outside its Image is an error.
void IMGRowWrapKeyed(const IMG* source, IMG* destination, int32_t sourceRow,
                     int32_t destinationRow, int32_t start);
// The same, every source pixel ORed into the destination pixel.
void IMGRowWrapOr(const IMG* source, IMG* destination, int32_t sourceRow, int32_t destinationRow,
                  int32_t start);
// The keyed wrap for a column, from row start (modulo the destination height) on.
void IMGColumnWrapKeyed(const IMG* source, IMG* destination, int32_t sourceColumn,
                        int32_t destinationColumn, int32_t start);
// Copies min of the two widths pixels of a row from column 0; a row outside is an error.
void IMGCopyRow(const IMG* source, IMG* destination, int32_t sourceRow, int32_t destinationRow);
// Each destination pixel := destination AND source, index by index over the smaller
// of the two pixel counts (Images of one size are the intended use).
void IMGMaskAnd(const IMG* source, IMG* destination);
// Keyed copy of the w x h source rectangle spread out: source pixel (sx + i, sy + j) goes to
// (dx + i * stepX, dy + j * stepY) when it is inside both; a step below 1 is an error.
void IMGBlitStep(const IMG* source, IMG* destination, int32_t sx, int32_t sy, int32_t dx,
                 int32_t dy, int32_t w, int32_t h, int32_t stepX, int32_t stepY);

// ------------------------------------------------------- colour operations
// Sources: img_colour.cpp.

// Each channel min(255, channel + that channel of colour), top byte 0.
void IMGAddColour(IMG* image, uint32_t colour);
// Each channel max(0, channel - that channel of colour), top byte 0: the show's fade.
void IMGSubColour(IMG* image, uint32_t colour);
// Every pixel (NOT pixel) AND 0xFFFFFF.
void IMGInvert(IMG* image);
// NOT of the whole 32-bit word (the top byte becomes 0xFF when it was 0) inside the
// w x h rectangle at (x, y), clipped to the Image.
void IMGInvertBox(IMG* image, int32_t x, int32_t y, int32_t w, int32_t h);

// --------------------------------------------------------------- transforms
// Sources: img_transform.cpp. Run tables are for image extents: an extent
// larger than IMG_MAX_SIDE is refused.

// The source resampled, nearest neighbour, into the destination's current size.
void IMGScale(const IMG* source, IMG* destination);
// New Image (width * 92667) >> 16 by (height * 92667) >> 16 holding the source turned by
// angle (1024 steps a turn) about the centres, black where no source pixel lands;
// null on a null source or when the new Image cannot be made.
IMG* IMGRotate(const IMG* source, int32_t angle);
// New array (free with free()) of min(|a|, |b|) + 1 run lengths: how many units of the
// larger extent each unit of the smaller one covers; the first min(|a|, |b|) add up to
// max(|a|, |b|). Null (error) when an extent is too large or allocation fails.
int32_t* IMGRunTable(int32_t a, int32_t b);
// New array of min(|a|, |b|) run lengths filled from both ends towards the middle.
int32_t* IMGRunTableSymmetric(int32_t a, int32_t b);

#endif
