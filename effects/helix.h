// HELIX: a twisting band across a whole image from one sine wave. Each column
// (or row) takes the wave at a phase that grows by step from one to the next;
// the ribbon drawings fill the falling part of the wave (its front) bright and
// the rising part (its back) darker, so it looks like a ribbon wound round an
// axis. HELIXStep moves the phase by speed, so the band scrolls and turns.
// The drawing area is the whole target image, W x H, with the axis at H >> 1
// (horizontal drawings) or W >> 1 (vertical ones). Wave value of phase p:
// axis + ((amplitude * T[p]) >> 15), T the shared sine table.
//
// A null helix or image (or pixel array) is reported through HELIXError and
// the operation does nothing.
#ifndef VORN_EFFECTS_HELIX_H
#define VORN_EFFECTS_HELIX_H

#include <cstdint>

struct IMG;

struct HELIX {
  int32_t phase;      // 0..1023: table index at the first column (or row)
  int32_t speed;      // added to phase by HELIXStep
  int32_t step;       // phase increase from one column (or row) to the next
  int32_t amplitude;  // wave height in pixels; negative mirrors the wave about its axis
  int32_t offset;     // ribbons: span length and margin beyond the edges; columns and rows:
                      // the phase distance between the two strands
  uint32_t color;     // front colour 0x00RRGGBB
  uint32_t shade;     // back colour; HELIXRandomize makes it half of color
};

// Identification strings: name, date, author, language, kind.
extern const char* const HELIXIdent[5];
// Set to make HELIXError print "HELIX error"; clear, set by nothing in the show.
extern uint8_t HELIXDebug;
// Prints "HELIX error" when HELIXDebug is set.
void HELIXError(void);

// New helix with random settings (HELIXRandomize); null if out of memory.
HELIX* HELIXNew(void);
// Frees the record and sets *helix to null.
void HELIXFree(HELIX** helix);
// A helix has no text form: null (reports a null helix).
char* HELIXToASCII(const HELIX* helix);
// Null (reports a null text).
HELIX* HELIXFromASCII(const char* text);
// 1 when phase, speed, step, amplitude, offset and color agree (shade is not compared); 0
// otherwise or for a null argument.
int HELIXEqual(const HELIX* a, const HELIX* b);
// Copies phase, speed, step, amplitude, offset and color (not shade) from source to destination.
void HELIXCopy(const HELIX* source, HELIX* destination);
// HELIXNew, then source's phase, speed, amplitude, step, color and offset; the shade stays the
// randomized one. Null for a null source (no random draws then).
HELIX* HELIXClone(const HELIX* source);
// Six draws (random() on Linux, rand() with color from two draws on Windows): phase 0..1023,
// speed 8..31, step 1..8, amplitude 16..115, offset 64..126, color with channels 128..255;
// shade = (color & 0xFEFEFE) >> 1.
void HELIXRandomize(HELIX* helix);
// phase = (phase + speed) & 1023.
void HELIXStep(HELIX* helix);

// Ribbon passes. The walk runs over columns -offset .. W + offset - 1; where the wave falls
// (front, value grows) every row it crosses gets a span of offset + 1 pixels from the column
// on, in color darkened by |T[p] >> 8|; where it rises (back), in shade darkened by |T[p] >> 9|.
void HELIXDrawRibbonHFront(const HELIX* helix, IMG* image);
void HELIXDrawRibbonHBack(const HELIX* helix, IMG* image);
// The same with x and y exchanged: walk over rows, vertical spans in the columns crossed.
void HELIXDrawRibbonVFront(const HELIX* helix, IMG* image);
void HELIXDrawRibbonVBack(const HELIX* helix, IMG* image);
// Back pass, then front pass.
void HELIXDrawRibbonH(const HELIX* helix, IMG* image);
void HELIXDrawRibbonV(const HELIX* helix, IMG* image);

// Two strands at phases p and p + offset per column: front where the second lies at or below
// the first (a column span between them in color), back where it lies above (a span of 33
// pixels from the first down, in shade). The combined form draws back, then front.
void HELIXDrawColumnsFront(const HELIX* helix, IMG* image);
void HELIXDrawColumnsBack(const HELIX* helix, IMG* image);
void HELIXDrawColumns(const HELIX* helix, IMG* image);
// The same per row: front spans from the first strand to the second in color, back spans
// from the second to the first in shade.
void HELIXDrawRowsFront(const HELIX* helix, IMG* image);
void HELIXDrawRowsBack(const HELIX* helix, IMG* image);
void HELIXDrawRows(const HELIX* helix, IMG* image);

#endif
