// IMG drawing: pixels, lines, spans, boxes and circles.
#include <algorithm>
#include <cstdlib>

#include "channels.h"
#include "img.h"
#include "imgfx.h"
#include "line_walk.h"
#include "sine.h"

uint8_t IMGPlainPaths = 0;

namespace {

bool Inside(const IMG* image, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < image->width && y < image->height;
}

// The plain walk, one IMGPutPixel per point: the reference path.
void PlainLine(IMG* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
  linewalk::Line line(x0, y0, x1, y1);
  int64_t x = x0, y = y0;
  int64_t err = int64_t(line.err0);
  const int64_t major = int64_t(line.major), minor = int64_t(line.minor);
  for (uint64_t n = 0; n <= line.major; ++n) {
    if (Inside(image, x, y)) image->pixels[x + y * image->width] = colour;
    if (line.xMajor) x += line.sx; else y += line.sy;
    err -= minor;
    if (err <= 0) {
      err += major;
      if (line.xMajor) y += line.sy; else x += line.sx;
    }
  }
}

// Plots steps first..last of a line whose points there all lie inside.
void PlotSteps(IMG* image, const linewalk::Line& line, uint64_t first, uint64_t last,
               uint32_t colour) {
  const int64_t width = image->width;
  int64_t x = line.x0, y = line.y0;
  int64_t err = int64_t(line.err0);
  if (first > 0) {
    int64_t q = int64_t(line.MinorSteps(first));
    int64_t i = int64_t(first);
    if (line.xMajor) x += line.sx * i, y += line.sy * q;
    else y += line.sy * i, x += line.sx * q;
    err = int64_t(line.ErrAfter(first));
  }
  int64_t stepX = line.sx, stepY = line.sy * width;
  linewalk::Plot(image->pixels, x + y * width, line.xMajor ? stepX : stepY,
                 line.xMajor ? stepY : stepX, err, int64_t(line.minor), int64_t(line.major),
                 last - first + 1, colour);
}

}  // namespace

void IMGPutPixel(IMG* image, int32_t x, int32_t y, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  if (Inside(image, x, y)) image->pixels[x + int64_t(y) * image->width] = colour;
}

uint32_t IMGGetPixel(const IMG* image, int32_t x, int32_t y) {
  if (!IMGUsable(image)) return IMGError(), 0;
  return Inside(image, x, y) ? image->pixels[x + int64_t(y) * image->width] : 0;
}

void IMGLine(IMG* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  linewalk::Line line(x0, y0, x1, y1);
  // Lines of one or two points, whose err starts at 0, walk as they are.
  if (IMGPlainPaths || line.major < 2) return PlainLine(image, x0, y0, x1, y1, colour);
  linewalk::Span span = linewalk::Clip(line, image->width, image->height);
  if (!span.Empty()) PlotSteps(image, line, span.first, span.last, colour);
}

void IMGLineInside(IMG* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  if (!Inside(image, x0, y0) || !Inside(image, x1, y1)) return;
  linewalk::Line line(x0, y0, x1, y1);
  PlotSteps(image, line, 0, line.major, colour);
}

int32_t* IMGLinePoints(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  linewalk::Line line(x0, y0, x1, y1);
  uint64_t points = line.major + 1;
  if (points > (uint64_t(INT32_MAX) - 1) / 2) return IMGError(), nullptr;
  int32_t* out = static_cast<int32_t*>(calloc(size_t(2 * points + 1), sizeof(int32_t)));
  if (!out) return IMGError(), nullptr;
  out[0] = int32_t(2 * points);
  int64_t x = x0, y = y0, err = int64_t(line.err0);
  const int64_t major = int64_t(line.major), minor = int64_t(line.minor);
  for (uint64_t n = 0; n < points; ++n) {
    out[1 + 2 * n] = int32_t(x);
    out[2 + 2 * n] = int32_t(y);
    if (line.xMajor) x += line.sx; else y += line.sy;
    err -= minor;
    if (err <= 0) {
      err += major;
      if (line.xMajor) y += line.sy; else x += line.sx;
    }
  }
  return out;
}

// ------------------------------------------------------------------- spans

namespace {

// Clamps [start, end] to [0, extent - 1]; false when nothing is left.
bool ClampRange(int64_t& start, int64_t& end, int64_t extent) {
  start = std::max<int64_t>(start, 0);
  end = std::min<int64_t>(end, extent - 1);
  return start <= end;
}

// Caller checked: the image is drawable. The span's ends are taken as given.
void FillRow(IMG* image, int64_t y, int64_t x0, int64_t x1, uint32_t colour) {
  if (y < 0 || y >= image->height || !ClampRange(x0, x1, image->width)) return;
  uint32_t* row = image->pixels + y * image->width;
  std::fill(row + x0, row + x1 + 1, colour);
}

void FillColumn(IMG* image, int64_t x, int64_t y0, int64_t y1, uint32_t colour) {
  if (x < 0 || x >= image->width || !ClampRange(y0, y1, image->height)) return;
  for (int64_t y = y0; y <= y1; ++y) image->pixels[x + y * image->width] = colour;
}

uint32_t ClampAlpha(int32_t alpha) { return uint32_t(std::clamp<int32_t>(alpha, 0, 256)); }

void BlendRow(IMG* image, int64_t y, int64_t x0, int64_t x1, uint32_t colour, uint32_t alpha) {
  if (y < 0 || y >= image->height || !ClampRange(x0, x1, image->width)) return;
  uint32_t* row = image->pixels + y * image->width;
  for (int64_t x = x0; x <= x1; ++x) row[x] = channels::Blend(row[x], colour, alpha);
}

void BlendColumn(IMG* image, int64_t x, int64_t y0, int64_t y1, uint32_t colour, uint32_t alpha) {
  if (x < 0 || x >= image->width || !ClampRange(y0, y1, image->height)) return;
  for (int64_t y = y0; y <= y1; ++y) {
    uint32_t& p = image->pixels[x + y * image->width];
    p = channels::Blend(p, colour, alpha);
  }
}

void Order(int32_t& a, int32_t& b) {
  if (a > b) std::swap(a, b);
}

}  // namespace

void IMGFXHLine(IMG* image, int32_t y, int32_t x0, int32_t x1, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  Order(x0, x1);
  FillRow(image, y, x0, x1, colour);
}

void IMGFXVLine(IMG* image, int32_t x, int32_t y0, int32_t y1, uint32_t colour) {
  if (!IMGUsable(image)) return IMGError();
  Order(y0, y1);
  FillColumn(image, x, y0, y1, colour);
}

void IMGFXHLineBlend(IMG* image, int32_t y, int32_t x0, int32_t x1, uint32_t colour,
                     int32_t alpha) {
  if (!IMGUsable(image)) return IMGError();
  Order(x0, x1);
  BlendRow(image, y, x0, x1, colour, ClampAlpha(alpha));
}

void IMGFXVLineBlend(IMG* image, int32_t x, int32_t y0, int32_t y1, uint32_t colour,
                     int32_t alpha) {
  if (!IMGUsable(image)) return IMGError();
  Order(y0, y1);
  BlendColumn(image, x, y0, y1, colour, ClampAlpha(alpha));
}

void IMGHLineColour(IMG* image, uint32_t colour, int32_t y, int32_t x0, int32_t x1) {
  if (!IMGUsable(image)) return IMGError();
  FillRow(image, y, x0, x1, colour);
}

void IMGVLineColour(IMG* image, uint32_t colour, int32_t x, int32_t y0, int32_t y1) {
  if (!IMGUsable(image)) return IMGError();
  FillColumn(image, x, y0, y1, colour);
}

void IMGHLineBlendColour(IMG* image, uint32_t colour, int32_t y, int32_t x0, int32_t x1,
                         int32_t alpha) {
  if (!IMGUsable(image)) return IMGError();
  BlendRow(image, y, x0, x1, colour, ClampAlpha(alpha));
}

// ------------------------------------------------------- boxes and circles

namespace {

bool BoxInside(const IMG* image, int32_t x, int32_t y, int32_t w, int32_t h) {
  return IMGUsable(image) && x >= 0 && y >= 0 && x < image->width && y < image->height && w > 0 &&
         h > 0 && int64_t(x) + w <= image->width && int64_t(y) + h <= image->height;
}

}  // namespace

void IMGFillBox(IMG* image, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
  if (!BoxInside(image, x, y, w, h)) return IMGError();
  for (int64_t row = y; row < int64_t(y) + h; ++row) FillRow(image, row, x, x + w - 1, colour);
}

void IMGBox(IMG* image, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
  if (!BoxInside(image, x, y, w, h)) return IMGError();
  FillRow(image, y, x, x + w - 1, colour);
  FillRow(image, y + h - 1, x, x + w - 1, colour);
  FillColumn(image, x, y, y + h - 1, colour);
  FillColumn(image, x + w - 1, y, y + h - 1, colour);
}

void IMGCircle(IMG* image, int32_t cx, int32_t cy, int32_t r, uint32_t colour) {
  if (!IMGUsable(image) || !Inside(image, cx, cy) || r < 1) return IMGError();
  const int32_t n = SineTableCount, quarter = SineTableCount / 4;
  for (int32_t k = 0; k < quarter; ++k) {
    // Arithmetic shifts of products that may pass 32 bits for large radii.
    int64_t u = (int64_t(r) * SineTable[(k + quarter) % n]) >> 15;
    int64_t v = (int64_t(r) * SineTable[k % n]) >> 15;
    const int64_t xs[4] = {cx + u - 1, cx - u, cx + u - 1, cx - u};
    const int64_t ys[4] = {cy + v, cy + v, cy - v, cy - v};
    for (int i = 0; i < 4; ++i)
      if (Inside(image, xs[i], ys[i])) image->pixels[xs[i] + ys[i] * image->width] = colour;
  }
}
