// SINELINE: a moving curve of count points whose x and y are each the sum of
// three sine waves of falling amplitude. Every point moves the waves' running
// phases on by a per-point step; every update moves the starting phases on by
// a per-update advance, so the curve wriggles and drifts. It is drawn as a
// polyline, as graphs of one coordinate, or mirrored two, four or eight ways.
// All of it is integer arithmetic on the shared sine table.
//
// A null sine line, image or point array is reported through SINELINEError
// and the operation does nothing.
#ifndef VORN_EFFECTS_SINELINE_H
#define VORN_EFFECTS_SINELINE_H

#include <cstdint>

struct IMG;

// One wave of one coordinate.
struct SINELINEWave {
  int32_t phase;      // 0..1023: table index at point 0
  int32_t advance;    // added to phase by every update
  int32_t step;       // added to the running phase from one point to the next
  int32_t amplitude;  // wave 1: size >> 1, wave 2: >> 2, wave 3: >> 3 (set by every update)
};

struct SINELINEPoint {
  int32_t x, y;
};

struct SINELINE {
  int32_t width, height;  // the area the curve spans, 256 x 256 by default; its centre is the curve's
  SINELINEWave x[3];      // waves 1, 2, 3 of the x coordinate
  SINELINEWave y[3];      // and of the y coordinate
  uint32_t color;         // 0x00RRGGBB, red by default
  int32_t count;          // number of points, 16 by default
  SINELINEPoint* points;  // count points, owned, filled by SINELINEUpdate
};

// Identification strings: name, date, author, language, kind.
extern const char* const SINELINEIdent[5];
// Set to make SINELINEError print "SINELINE error"; clear, set by nothing in the show.
extern uint8_t SINELINEDebug;
// Prints "SINELINE error" when SINELINEDebug is set.
void SINELINEError(void);

// Largest step magnitude the graph drawings accept (larger ones are refused).
constexpr int32_t SINELINE_MAX_STEP = 1 << 30;

// New 256 x 256 red line of 16 points, randomized twice (36 rand draws); null if out of memory.
SINELINE* SINELINENew(void);
// Frees the points and the record and sets *line to null.
void SINELINEFree(SINELINE** line);
// A sine line has no text form: null (reports a null line).
char* SINELINEToASCII(const SINELINE* line);
// Null (reports a null text).
SINELINE* SINELINEFromASCII(const char* text);
// Always 0 (reports a null argument).
int SINELINEEqual(const SINELINE* a, const SINELINE* b);
// A new default sine line (SINELINENew); the source's settings are not copied. Null for a null source.
SINELINE* SINELINEClone(const SINELINE* source);

// n > 0: n zeroed points replace the old ones, count = n, then SINELINERandomize.
// n <= 0, or no memory for n points: reported, nothing changes.
void SINELINESetCount(SINELINE* line, int32_t n);
// 18 rand draws, in order: phases, advances and steps of wave 1, 2, 3; amplitudes from the size.
void SINELINERandomize(SINELINE* line);
// Computes all points from the phases, then moves each phase on by its advance.
void SINELINEUpdate(SINELINE* line);

// The polyline P[0] -> P[1] -> ... in color, with IMGLine.
void SINELINEDraw(const SINELINE* line, IMG* image);
// Graph of y: lines (i*s, P[i].y) -> ((i+1)*s, P[i+1].y); |s| > SINELINE_MAX_STEP is refused.
void SINELINEDrawGraphY(const SINELINE* line, IMG* image, int32_t step);
// Graph of x: lines (P[i].x, i*s) -> (P[i+1].x, (i+1)*s); the same refusal.
void SINELINEDrawGraphX(const SINELINE* line, IMG* image, int32_t step);
// Graph of y filled below: each segment, then a column from P[i].y to the line's height - 1;
// the last column at (count - 1)*s, from y 0 when count is 1.
void SINELINEDrawFilledY(const SINELINE* line, IMG* image, int32_t step);
// The same with the columns blended at weight 128 of 256.
void SINELINEDrawBlendY(const SINELINE* line, IMG* image, int32_t step);

// Mirror forms: W and H are the image's size and the mirror of x is W - x (of y, H - y).
// Each segment is drawn in all its images before the next segment.
// (x, y), (W - x, y).
void SINELINEDrawMirrorH(const SINELINE* line, IMG* image);
// (x, y), (x, H - y).
void SINELINEDrawMirrorV(const SINELINE* line, IMG* image);
// (x, y), (W - x, y), (x, H - y), (W - x, H - y).
void SINELINEDrawMirror4(const SINELINE* line, IMG* image);
// (x, y), (y, x), (W - x, H - y), (W - y, H - x).
void SINELINEDrawMirrorDiag(const SINELINE* line, IMG* image);
// (x, y), (W - x, y), (x, H - y), (W - x, H - y), (y, x), (W - y, x), (y, H - x), (W - y, H - x).
void SINELINEDrawMirror8(const SINELINE* line, IMG* image);

#endif
