#include "sineline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "image_fixture.h"
#include "img.h"
#include "sine.h"

namespace {

using imagetest::Between;
using imagetest::Image;
using imagetest::Printed;
using imagetest::Sized;

struct LineDeleter {
  void operator()(SINELINE* line) const { SINELINEFree(&line); }
};
using Line = std::unique_ptr<SINELINE, LineDeleter>;

std::vector<int> Draws(unsigned seed, int n) {
  srand(seed);
  std::vector<int> d;
  for (int i = 0; i < n; ++i) d.push_back(rand());
  srand(seed);
  return d;
}

// The randomized settings as the table gives them, from draws d[at..at+17].
void ExpectRandomized(const SINELINE* line, const std::vector<int>& d, size_t at) {
  const int expected[18] = {d[at] % 1024,           d[at + 1] % 1024,       d[at + 2] % 16 + 3,
                            d[at + 3] % 16 + 3,     d[at + 4] % 8 + 5,      d[at + 5] % 8 + 6,
                            d[at + 6] % 1024,       d[at + 7] % 1024,       -2 - d[at + 8] % 8,
                            -2 - d[at + 9] % 8,     -6 - d[at + 10] % 16,   -7 - d[at + 11] % 16,
                            d[at + 12] % 1024,      d[at + 13] % 1024,      d[at + 14] % 4 + 1,
                            d[at + 15] % 4 + 1,     d[at + 16] % 32 + 7,    d[at + 17] % 32 + 8};
  for (int k = 0; k < 3; ++k) {
    const int* e = expected + 6 * k;
    EXPECT_EQ(line->x[k].phase, e[0]);
    EXPECT_EQ(line->y[k].phase, e[1]);
    EXPECT_EQ(line->x[k].advance, e[2]);
    EXPECT_EQ(line->y[k].advance, e[3]);
    EXPECT_EQ(line->x[k].step, e[4]);
    EXPECT_EQ(line->y[k].step, e[5]);
    EXPECT_EQ(line->x[k].amplitude, line->width / (2 << k));
  }
}

// Phases as described: the truncating remainder, plus 1024 when negative.
int32_t Reduce(int64_t q) { return int32_t((q % 1024 + 1024) % 1024); }

// A line of n random points (not from an update) around a w x h image, so
// that the drawings see ends inside and outside.
Line RandomLine(std::mt19937& rng, int32_t n, int32_t w, int32_t h) {
  Line line(SINELINENew());
  SINELINESetCount(line.get(), n);
  line->width = w;
  line->height = Between(rng, -20, h + 20);
  line->color = rng() & 0xFFFFFF;
  for (int32_t i = 0; i < n; ++i) line->points[i] = {Between(rng, -40, w + 40), Between(rng, -40, h + 40)};
  return line;
}

uint32_t Blend128(uint32_t old, uint32_t c) {
  uint32_t out = 0;
  for (int s = 0; s <= 16; s += 8) out |= ((((old >> s) & 255) * 128 + ((c >> s) & 255) * 128) >> 8) << s;
  return out;
}

// A column from y0 to y1 (either order), pixel by pixel.
void RefColumn(IMG* image, int64_t x, int64_t y0, int64_t y1, uint32_t c, bool blend) {
  for (int64_t y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
    if (x >= 0 && y >= 0 && x < image->width && y < image->height) {
      uint32_t& p = image->pixels[x + y * image->width];
      p = blend ? Blend128(p, c) : c;
    }
}

TEST(SineLine, NewSetCountAndCloneDrawInOrderAndRefusalsDrawNothing) {
  std::vector<int> d = Draws(77, 37);
  Line line(SINELINENew());
  ASSERT_TRUE(line);
  EXPECT_EQ(line->width + line->height, 512);
  EXPECT_EQ(line->color, 0xFF0000u);
  ASSERT_EQ(line->count, 16);
  ExpectRandomized(line.get(), d, 18);  // randomized twice, the second one kept
  EXPECT_EQ(rand(), d[36]);

  d = Draws(5, 19);
  SINELINESetCount(line.get(), 640);
  ASSERT_EQ(line->count, 640);
  for (int i = 0; i < 640; ++i) ASSERT_EQ(line->points[i].x | line->points[i].y, 0);
  ExpectRandomized(line.get(), d, 0);
  EXPECT_EQ(rand(), d[18]);

  const SINELINE before = *line;
  d = Draws(6, 1);
  for (int32_t n : {0, -1, INT32_MIN})
    EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINESetCount(line.get(), n); }), "SINELINE error\n");
  EXPECT_EQ(line->count, 640);
  EXPECT_EQ(line->points, before.points);
  EXPECT_EQ(rand(), d[0]);

  line->color = 0x123456;
  Line clone(SINELINEClone(line.get()));
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->color, 0xFF0000u);
  EXPECT_EQ(clone->count, 16);
}

TEST(SineLine, UpdateStartsAtTheCentreAndFollowsTheFormula) {
  Line centred(SINELINENew());
  for (int k = 0; k < 3; ++k) centred->x[k].phase = centred->y[k].phase = 0;
  SINELINEUpdate(centred.get());
  EXPECT_EQ(centred->points[0].x, 128);
  EXPECT_EQ(centred->points[0].y, 128);
  EXPECT_EQ(centred->x[1].phase, 1024 + centred->x[1].advance);  // wave 2 runs backwards and wraps

  std::mt19937 rng(11);
  for (int round = 0; round < 200; ++round) {
    Line line(SINELINENew());
    SINELINESetCount(line.get(), Between(rng, 1, 700));
    line->width = Between(rng, -70000, 70000);
    line->height = Between(rng, -300, 70000);
    for (SINELINEWave* w : {&line->x[0], &line->x[1], &line->x[2], &line->y[0], &line->y[1], &line->y[2]}) {
      w->phase = Between(rng, 0, 1023);
      w->advance = Between(rng, -5000, 5000);
      w->step = Between(rng, -3000, 3000);
      w->amplitude = 12345;  // recomputed by the update
    }
    const SINELINE was = *line;
    SINELINEUpdate(line.get());
    int32_t q[2][3];
    for (int k = 0; k < 3; ++k) q[0][k] = was.x[k].phase, q[1][k] = was.y[k].phase;
    for (int32_t i = 0; i < line->count; ++i) {
      int32_t sum[2] = {0, 0};
      for (int k = 0; k < 3; ++k) {
        sum[0] += (was.width >> (k + 1)) * SineTable[q[0][k]];
        sum[1] += (was.height >> (k + 1)) * SineTable[q[1][k]];
        q[0][k] = Reduce(int64_t(q[0][k]) + was.x[k].step);
        q[1][k] = Reduce(int64_t(q[1][k]) + was.y[k].step);
      }
      ASSERT_EQ(line->points[i].x, (was.width >> 1) + (sum[0] >> 16)) << round << " " << i;
      ASSERT_EQ(line->points[i].y, (was.height >> 1) + (sum[1] >> 16)) << round << " " << i;
    }
    for (int k = 0; k < 3; ++k) {
      ASSERT_EQ(line->x[k].phase, Reduce(int64_t(was.x[k].phase) + was.x[k].advance));
      ASSERT_EQ(line->y[k].amplitude, was.height >> (k + 1));
    }
  }
}

TEST(SineLine, PolylineAndGraphsDrawTheDescribedSegmentsClipped) {
  std::mt19937 rng(12);
  for (int round = 0; round < 400; ++round) {
    const int32_t w = Between(rng, 1, 90), h = Between(rng, 1, 90);
    Line line = RandomLine(rng, Between(rng, 1, 40), w, h);
    const int32_t steps[] = {1, 0, -3, 7, Between(rng, -200, 200), 40000000};
    const int32_t s = steps[round % 6];
    const int form = round % 5;
    Image image = imagetest::Random(rng, w, h), expected(IMGCopy(image.get()));
    const SINELINEPoint* p = line->points;
    IMG* e = expected.get();
    for (int32_t i = 0; i + 1 < line->count; ++i) {
      if (form == 0) IMGLine(e, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, line->color);
      if (form == 1) IMGLine(e, i * s, p[i].y, (i + 1) * s, p[i + 1].y, line->color);
      if (form == 2) IMGLine(e, p[i].x, i * s, p[i + 1].x, (i + 1) * s, line->color);
      if (form >= 3) {
        IMGLine(e, i * s, p[i].y, (i + 1) * s, p[i + 1].y, line->color);
        RefColumn(e, int64_t(i) * s, p[i].y, line->height - 1, line->color, form == 4);
      }
    }
    if (form >= 3)  // the last column, from y 0 for a single point
      RefColumn(e, int64_t(line->count - 1) * s, line->count > 1 ? p[line->count - 1].y : 0, line->height - 1,
                line->color, form == 4);
    if (form == 0) SINELINEDraw(line.get(), image.get());
    if (form == 1) SINELINEDrawGraphY(line.get(), image.get(), s);
    if (form == 2) SINELINEDrawGraphX(line.get(), image.get(), s);
    if (form == 3) SINELINEDrawFilledY(line.get(), image.get(), s);
    if (form == 4) SINELINEDrawBlendY(line.get(), image.get(), s);
    ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << round;
  }
}

TEST(SineLine, MirrorFormsDrawEverySegmentInItsListedImages) {
  // Each image as (a, b, c) for a*W + b*x + c*y in x, then the same for y (W, H the image's).
  struct Map {
    int ax, bx, cx, ay, by, cy;
  };
  const Map xy{0, 1, 0, 0, 0, 1}, Wxy{1, -1, 0, 0, 0, 1}, xHy{0, 1, 0, 1, 0, -1}, WxHy{1, -1, 0, 1, 0, -1},
      yx{0, 0, 1, 0, 1, 0}, Wyx{1, 0, -1, 0, 1, 0}, yHx{0, 0, 1, 1, -1, 0}, WyHx{1, 0, -1, 1, -1, 0};
  const struct {
    void (*draw)(const SINELINE*, IMG*);
    std::vector<Map> maps;
  } forms[] = {{SINELINEDrawMirrorH, {xy, Wxy}},
               {SINELINEDrawMirrorV, {xy, xHy}},
               {SINELINEDrawMirror4, {xy, Wxy, xHy, WxHy}},
               {SINELINEDrawMirrorDiag, {xy, yx, WxHy, WyHx}},
               {SINELINEDrawMirror8, {xy, Wxy, xHy, WxHy, yx, Wyx, yHx, WyHx}}};
  std::mt19937 rng(15);
  for (int round = 0; round < 100; ++round)
    for (const auto& form : forms) {
      const int32_t w = Between(rng, 1, 80), h = Between(rng, 1, 80);
      Line line = RandomLine(rng, Between(rng, 1, 30), w, h);
      Image image = imagetest::Random(rng, w, h), expected(IMGCopy(image.get()));
      for (int32_t i = 0; i + 1 < line->count; ++i)
        for (const Map& m : form.maps) {
          auto at = [&](SINELINEPoint p) {
            return SINELINEPoint{m.ax * w + m.bx * p.x + m.cx * p.y, m.ay * h + m.by * p.x + m.cy * p.y};
          };
          SINELINEPoint a = at(line->points[i]), b = at(line->points[i + 1]);
          IMGLine(expected.get(), a.x, a.y, b.x, b.y, line->color);
        }
      form.draw(line.get(), image.get());
      ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << round;
    }
}

TEST(SineLine, MirrorOfXIsWidthMinusX) {
  Line line(SINELINENew());
  SINELINESetCount(line.get(), 2);
  line->points[0] = {0, 0};
  line->points[1] = {10, 10};
  line->color = 0xFFFFFF;
  Image image = Sized(640, 480);
  SINELINEDrawMirror4(line.get(), image.get());
  // (640, 0) -> (630, 10): the first pixel is off the image, the next one is (639, 1).
  EXPECT_EQ(IMGGetPixel(image.get(), 639, 0), 0u);
  EXPECT_EQ(IMGGetPixel(image.get(), 639, 1), 0xFFFFFFu);
  EXPECT_EQ(IMGGetPixel(image.get(), 630, 10), 0xFFFFFFu);
  EXPECT_EQ(IMGGetPixel(image.get(), 639, 479), 0xFFFFFFu);  // from (640, 480)
}

TEST(SineLine, OnePointDrawsOnlyTheLastColumnOfTheFilledGraph) {
  std::mt19937 rng(14);
  Line line = RandomLine(rng, 1, 32, 20);
  line->height = 20;
  line->color = 0x00FF00;
  Image image = Sized(32, 32, 0x0000FF);
  for (auto draw : {SINELINEDraw, SINELINEDrawMirror8}) draw(line.get(), image.get());
  SINELINEDrawGraphY(line.get(), image.get(), 3);
  EXPECT_TRUE(IMGEqual(image.get(), Sized(32, 32, 0x0000FF).get()));
  SINELINEDrawBlendY(line.get(), image.get(), 3);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x)
      ASSERT_EQ(IMGGetPixel(image.get(), x, y), x == 0 && y < 20 ? 0x007F7Fu : 0x0000FFu) << x << "," << y;
}

TEST(SineLine, RefusesAbsentArgumentsZeroCountsAndHugeSteps) {
  Line line(SINELINENew());
  Image image = Sized(16, 16);
  IMG noPixels{16, 16, nullptr};
  const std::string error = "SINELINE error\n";
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEUpdate(nullptr); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawMirror8(line.get(), &noPixels); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { EXPECT_EQ(SINELINEClone(nullptr), nullptr); }), error);
  SINELINEUpdate(line.get());
  for (int32_t s : {SINELINE_MAX_STEP + 1, INT32_MIN})
    EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawGraphX(line.get(), image.get(), s); }), error);
  line->count = 0;  // a count written by hand is refused, not read
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawFilledY(line.get(), image.get(), 1); }), error);
  EXPECT_TRUE(IMGEqual(image.get(), Sized(16, 16).get()));
  line->count = 16;
}

}  // namespace
