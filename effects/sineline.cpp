// SINELINE: the three-wave curve, its update and its drawings.
#include "sineline.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "img.h"
#include "imgfx.h"
#include "sine.h"

const char* const SINELINEIdent[5] = {"SINELINE", "20121102", "ZEKTORIN", "C", "CODE"};
uint8_t SINELINEDebug = 0;

void SINELINEError(void) {
  if (SINELINEDebug) puts("SINELINE error");
}

namespace {

constexpr int32_t kPhases = 1024;

// (phase + by) reduced to 0..1023. The truncating remainder corrected by 1024
// when negative is the same as the low ten bits of the two's-complement sum;
// the unsigned sum cannot overflow.
int32_t Turn(int32_t phase, int32_t by) {
  return int32_t((uint32_t(phase) + uint32_t(by)) & uint32_t(SineTableMask));
}

bool HasPoints(const SINELINE* line) { return line && line->points && line->count > 0; }

bool StepAllowed(int32_t step) { return step >= -SINELINE_MAX_STEP && step <= SINELINE_MAX_STEP; }

int32_t Clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The waves' amplitudes from the area, halved per wave: by division when
// randomizing, by shifting at every update (the two differ only for odd
// negative sizes).
void SetAmplitudesByDivision(SINELINE* line) {
  for (int k = 0; k < 3; ++k) {
    line->x[k].amplitude = line->width / (2 << k);
    line->y[k].amplitude = line->height / (2 << k);
  }
}

void SetAmplitudesByShift(SINELINE* line) {
  for (int k = 0; k < 3; ++k) {
    line->x[k].amplitude = line->width >> (k + 1);
    line->y[k].amplitude = line->height >> (k + 1);
  }
}

// One coordinate of a point: centre + (sum of amplitude * table) >> 16. For
// sizes up to 65536 the sum fits 32 bits; in 64 bits it never overflows, and
// the result stays within 32 bits for any 32-bit size.
int32_t Coordinate(int32_t centre, const SINELINEWave waves[3], const int32_t q[3]) {
  int64_t sum = 0;
  for (int k = 0; k < 3; ++k) sum += int64_t(waves[k].amplitude) * SineTable[q[k]];
  return int32_t(centre + (sum >> 16));
}

// Segment i of a graph with step s spans i*s .. (i+1)*s along an axis of the
// given extent. Calls draw(i, a, b) for the segments that can reach into
// 0..extent-1 and stops at the first one past the edge the graph runs
// towards: every later one lies wholly outside as well, so no drawn pixel
// is lost. The drawn ends fit 32 bits because |s| <= SINELINE_MAX_STEP.
template <typename Draw>
void GraphSegments(const SINELINE* line, int32_t step, int64_t extent, Draw draw) {
  for (int32_t i = 0; i + 1 < line->count; ++i) {
    int64_t a = int64_t(i) * step, b = a + step;
    if ((step > 0 && a >= extent) || (step < 0 && a < 0)) break;
    draw(i, int32_t(a), int32_t(b));
  }
}

// The filled and blended graphs: each segment, then a column below its start.
template <typename Column>
void FilledGraph(const SINELINE* line, IMG* image, int32_t step, Column column) {
  const SINELINEPoint* p = line->points;
  const int32_t bottom = Clamp32(int64_t(line->height) - 1);
  GraphSegments(line, step, image->width, [&](int32_t i, int32_t a, int32_t b) {
    IMGLine(image, a, p[i].y, b, p[i + 1].y, line->color);
    column(a, p[i].y, bottom);
  });
  const int64_t last = int64_t(line->count - 1) * step;
  const int32_t top = line->count > 1 ? p[line->count - 1].y : 0;
  if (last >= 0 && last < image->width) column(int32_t(last), top, bottom);
}

// One image of a segment: exchange x and y first, then mirror x to W - x
// and y to H - y. The sums wrap in 32 bits instead of overflowing; points
// made by SINELINEUpdate stay far inside that range.
struct Mirror {
  bool swap, mirrorX, mirrorY;
};

void MirroredLine(IMG* image, const Mirror& m, SINELINEPoint a, SINELINEPoint b, uint32_t colour) {
  if (m.swap) {
    std::swap(a.x, a.y);
    std::swap(b.x, b.y);
  }
  const uint32_t w = uint32_t(image->width), h = uint32_t(image->height);
  if (m.mirrorX) {
    a.x = int32_t(w - uint32_t(a.x));
    b.x = int32_t(w - uint32_t(b.x));
  }
  if (m.mirrorY) {
    a.y = int32_t(h - uint32_t(a.y));
    b.y = int32_t(h - uint32_t(b.y));
  }
  IMGLine(image, a.x, a.y, b.x, b.y, colour);
}

template <size_t N>
void DrawMirrored(const SINELINE* line, IMG* image, const Mirror (&images)[N]) {
  if (!HasPoints(line) || !IMGUsable(image)) return SINELINEError();
  const SINELINEPoint* p = line->points;
  for (int32_t i = 0; i + 1 < line->count; ++i)
    for (const Mirror& m : images) MirroredLine(image, m, p[i], p[i + 1], line->color);
}

}  // namespace

SINELINE* SINELINENew(void) {
  SINELINE* line = static_cast<SINELINE*>(calloc(1, sizeof(SINELINE)));
  if (!line) return SINELINEError(), nullptr;
  line->width = 256;
  line->height = 256;
  SINELINESetCount(line, 16);
  if (!line->points) {
    free(line);
    return nullptr;
  }
  line->color = 0xFF0000;
  SINELINERandomize(line);
  return line;
}

void SINELINEFree(SINELINE** line) {
  if (!line || !*line) return SINELINEError();
  free((*line)->points);
  free(*line);
  *line = nullptr;
}

char* SINELINEToASCII(const SINELINE* line) {
  if (!line) SINELINEError();
  return nullptr;
}

SINELINE* SINELINEFromASCII(const char* text) {
  if (!text) SINELINEError();
  return nullptr;
}

int SINELINEEqual(const SINELINE* a, const SINELINE* b) {
  if (!a || !b) SINELINEError();
  return 0;
}

SINELINE* SINELINEClone(const SINELINE* source) {
  if (!source) return SINELINEError(), nullptr;
  return SINELINENew();
}

void SINELINESetCount(SINELINE* line, int32_t n) {
  if (!line || n <= 0) return SINELINEError();
  // calloc checks n * sizeof for overflow itself; n is positive and 32-bit.
  SINELINEPoint* points = static_cast<SINELINEPoint*>(calloc(size_t(n), sizeof(SINELINEPoint)));
  if (!points) return SINELINEError();
  free(line->points);
  line->points = points;
  line->count = n;
  SINELINERandomize(line);
}

void SINELINERandomize(SINELINE* line) {
  if (!line || !line->points) return SINELINEError();
  // The draws in their fixed order; rand() is never negative, so each
  // truncating remainder is already in range.
  SINELINEWave *x = line->x, *y = line->y;
  x[0].phase = rand() % kPhases;
  y[0].phase = rand() % kPhases;
  x[0].advance = rand() % 16 + 3;
  y[0].advance = rand() % 16 + 3;
  x[0].step = rand() % 8 + 5;
  y[0].step = rand() % 8 + 6;
  x[1].phase = rand() % kPhases;
  y[1].phase = rand() % kPhases;
  x[1].advance = -2 - rand() % 8;
  y[1].advance = -2 - rand() % 8;
  x[1].step = -6 - rand() % 16;
  y[1].step = -7 - rand() % 16;
  x[2].phase = rand() % kPhases;
  y[2].phase = rand() % kPhases;
  x[2].advance = rand() % 4 + 1;
  y[2].advance = rand() % 4 + 1;
  x[2].step = rand() % 32 + 7;
  y[2].step = rand() % 32 + 8;
  SetAmplitudesByDivision(line);
}

void SINELINEUpdate(SINELINE* line) {
  if (!HasPoints(line)) return SINELINEError();
  SetAmplitudesByShift(line);
  const int32_t cx = line->width >> 1, cy = line->height >> 1;
  // Stored phases outside 0..1023 (written by a caller) are reduced first,
  // so every table index stays in range.
  int32_t qx[3], qy[3];
  for (int k = 0; k < 3; ++k) {
    qx[k] = Turn(line->x[k].phase, 0);
    qy[k] = Turn(line->y[k].phase, 0);
  }
  for (int32_t i = 0; i < line->count; ++i) {
    line->points[i].x = Coordinate(cx, line->x, qx);
    line->points[i].y = Coordinate(cy, line->y, qy);
    for (int k = 0; k < 3; ++k) {
      qx[k] = Turn(qx[k], line->x[k].step);
      qy[k] = Turn(qy[k], line->y[k].step);
    }
  }
  for (int k = 0; k < 3; ++k) {
    line->x[k].phase = Turn(line->x[k].phase, line->x[k].advance);
    line->y[k].phase = Turn(line->y[k].phase, line->y[k].advance);
  }
}

void SINELINEDraw(const SINELINE* line, IMG* image) {
  if (!HasPoints(line) || !IMGUsable(image)) return SINELINEError();
  const SINELINEPoint* p = line->points;
  for (int32_t i = 0; i + 1 < line->count; ++i) IMGLine(image, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, line->color);
}

void SINELINEDrawGraphY(const SINELINE* line, IMG* image, int32_t step) {
  if (!HasPoints(line) || !IMGUsable(image) || !StepAllowed(step)) return SINELINEError();
  const SINELINEPoint* p = line->points;
  GraphSegments(line, step, image->width,
                [&](int32_t i, int32_t a, int32_t b) { IMGLine(image, a, p[i].y, b, p[i + 1].y, line->color); });
}

void SINELINEDrawGraphX(const SINELINE* line, IMG* image, int32_t step) {
  if (!HasPoints(line) || !IMGUsable(image) || !StepAllowed(step)) return SINELINEError();
  const SINELINEPoint* p = line->points;
  GraphSegments(line, step, image->height,
                [&](int32_t i, int32_t a, int32_t b) { IMGLine(image, p[i].x, a, p[i + 1].x, b, line->color); });
}

void SINELINEDrawFilledY(const SINELINE* line, IMG* image, int32_t step) {
  if (!HasPoints(line) || !IMGUsable(image) || !StepAllowed(step)) return SINELINEError();
  FilledGraph(line, image, step,
              [&](int32_t x, int32_t y0, int32_t y1) { IMGFXVLine(image, x, y0, y1, line->color); });
}

void SINELINEDrawBlendY(const SINELINE* line, IMG* image, int32_t step) {
  if (!HasPoints(line) || !IMGUsable(image) || !StepAllowed(step)) return SINELINEError();
  FilledGraph(line, image, step,
              [&](int32_t x, int32_t y0, int32_t y1) { IMGFXVLineBlend(image, x, y0, y1, line->color, 128); });
}

void SINELINEDrawMirrorH(const SINELINE* line, IMG* image) {
  static constexpr Mirror kImages[] = {{false, false, false}, {false, true, false}};
  DrawMirrored(line, image, kImages);
}

void SINELINEDrawMirrorV(const SINELINE* line, IMG* image) {
  static constexpr Mirror kImages[] = {{false, false, false}, {false, false, true}};
  DrawMirrored(line, image, kImages);
}

void SINELINEDrawMirror4(const SINELINE* line, IMG* image) {
  static constexpr Mirror kImages[] = {
      {false, false, false}, {false, true, false}, {false, false, true}, {false, true, true}};
  DrawMirrored(line, image, kImages);
}

void SINELINEDrawMirrorDiag(const SINELINE* line, IMG* image) {
  static constexpr Mirror kImages[] = {
      {false, false, false}, {true, false, false}, {false, true, true}, {true, true, true}};
  DrawMirrored(line, image, kImages);
}

void SINELINEDrawMirror8(const SINELINE* line, IMG* image) {
  static constexpr Mirror kImages[] = {{false, false, false}, {false, true, false}, {false, false, true},
                                       {false, true, true},   {true, false, false}, {true, true, false},
                                       {true, false, true},   {true, true, true}};
  DrawMirrored(line, image, kImages);
}
