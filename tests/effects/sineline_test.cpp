#include "sineline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "image/image_fixture.h"
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
  std::vector<int> draws;
  for (int i = 0; i < n; ++i) draws.push_back(rand());
  srand(seed);
  return draws;
}

// The randomized settings as the table gives them, from draws d[at..at+17].
void ExpectRandomized(const SINELINE* line, const std::vector<int>& d, size_t at) {
  const SINELINEWave *x = line->x, *y = line->y;
  EXPECT_EQ(x[0].phase, d[at + 0] % 1024);
  EXPECT_EQ(y[0].phase, d[at + 1] % 1024);
  EXPECT_EQ(x[0].advance, d[at + 2] % 16 + 3);
  EXPECT_EQ(y[0].advance, d[at + 3] % 16 + 3);
  EXPECT_EQ(x[0].step, d[at + 4] % 8 + 5);
  EXPECT_EQ(y[0].step, d[at + 5] % 8 + 6);
  EXPECT_EQ(x[1].phase, d[at + 6] % 1024);
  EXPECT_EQ(y[1].phase, d[at + 7] % 1024);
  EXPECT_EQ(x[1].advance, -2 - d[at + 8] % 8);
  EXPECT_EQ(y[1].advance, -2 - d[at + 9] % 8);
  EXPECT_EQ(x[1].step, -6 - d[at + 10] % 16);
  EXPECT_EQ(y[1].step, -7 - d[at + 11] % 16);
  EXPECT_EQ(x[2].phase, d[at + 12] % 1024);
  EXPECT_EQ(y[2].phase, d[at + 13] % 1024);
  EXPECT_EQ(x[2].advance, d[at + 14] % 4 + 1);
  EXPECT_EQ(y[2].advance, d[at + 15] % 4 + 1);
  EXPECT_EQ(x[2].step, d[at + 16] % 32 + 7);
  EXPECT_EQ(y[2].step, d[at + 17] % 32 + 8);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(x[k].amplitude, line->width / (2 << k));
    EXPECT_EQ(y[k].amplitude, line->height / (2 << k));
  }
}

// Phase arithmetic as described: the truncating remainder, plus 1024 when negative.
int32_t Reduce(int64_t q) {
  int64_t r = q % 1024;
  return int32_t(r < 0 ? r + 1024 : r);
}

// The points of one update, computed from a copy of the waves.
std::vector<SINELINEPoint> ExpectedPoints(const SINELINE& line) {
  std::vector<SINELINEPoint> points;
  int32_t qx[3], qy[3];
  for (int k = 0; k < 3; ++k) qx[k] = line.x[k].phase, qy[k] = line.y[k].phase;
  for (int32_t i = 0; i < line.count; ++i) {
    int32_t sx = 0, sy = 0;
    for (int k = 0; k < 3; ++k) {
      sx += (line.width >> (k + 1)) * SineTable[qx[k]];
      sy += (line.height >> (k + 1)) * SineTable[qy[k]];
      qx[k] = Reduce(int64_t(qx[k]) + line.x[k].step);
      qy[k] = Reduce(int64_t(qy[k]) + line.y[k].step);
    }
    points.push_back({(line.width >> 1) + (sx >> 16), (line.height >> 1) + (sy >> 16)});
  }
  return points;
}

// A line of n points spanning w x h, with random points (not from an update)
// so that every drawing sees ends inside and outside the image.
Line RandomLine(std::mt19937& rng, int32_t n, int32_t w, int32_t h) {
  Line line(SINELINENew());
  SINELINESetCount(line.get(), n);
  line->width = w;
  line->height = h;
  line->color = rng() & 0xFFFFFF;
  for (int32_t i = 0; i < n; ++i) line->points[i] = {Between(rng, -40, w + 40), Between(rng, -40, h + 40)};
  return line;
}

uint32_t Blend128(uint32_t old, uint32_t colour) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8)
    out |= ((((old >> shift) & 255) * 128 + ((colour >> shift) & 255) * 128) >> 8) << shift;
  return out;
}

// A column from y0 to y1 (either order), pixel by pixel, blended or painted.
void RefColumn(IMG* image, int64_t x, int64_t y0, int64_t y1, uint32_t colour, bool blend) {
  for (int64_t y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
    if (x >= 0 && y >= 0 && x < image->width && y < image->height) {
      uint32_t& p = image->pixels[x + y * image->width];
      p = blend ? Blend128(p, colour) : colour;
    }
}

void RefFilled(const SINELINE& line, IMG* image, int32_t s, bool blend) {
  const SINELINEPoint* p = line.points;
  for (int32_t i = 0; i + 1 < line.count; ++i) {
    IMGLine(image, i * s, p[i].y, (i + 1) * s, p[i + 1].y, line.color);
    RefColumn(image, int64_t(i) * s, p[i].y, line.height - 1, line.color, blend);
  }
  RefColumn(image, int64_t(line.count - 1) * s, line.count > 1 ? p[line.count - 1].y : 0, line.height - 1,
            line.color, blend);
}

using Map = std::function<SINELINEPoint(SINELINEPoint, int32_t, int32_t)>;

// The images of each segment exactly as listed, one function per image.
void RefMirrored(const SINELINE& line, IMG* image, const std::vector<Map>& maps) {
  for (int32_t i = 0; i + 1 < line.count; ++i)
    for (const Map& m : maps) {
      SINELINEPoint a = m(line.points[i], image->width, image->height);
      SINELINEPoint b = m(line.points[i + 1], image->width, image->height);
      IMGLine(image, a.x, a.y, b.x, b.y, line.color);
    }
}

const Map kXY = [](SINELINEPoint p, int32_t, int32_t) { return p; };
const Map kWxY = [](SINELINEPoint p, int32_t w, int32_t) { return SINELINEPoint{w - p.x, p.y}; };
const Map kXHy = [](SINELINEPoint p, int32_t, int32_t h) { return SINELINEPoint{p.x, h - p.y}; };
const Map kWxHy = [](SINELINEPoint p, int32_t w, int32_t h) { return SINELINEPoint{w - p.x, h - p.y}; };
const Map kYX = [](SINELINEPoint p, int32_t, int32_t) { return SINELINEPoint{p.y, p.x}; };
const Map kWyX = [](SINELINEPoint p, int32_t w, int32_t) { return SINELINEPoint{w - p.y, p.x}; };
const Map kYHx = [](SINELINEPoint p, int32_t, int32_t h) { return SINELINEPoint{p.y, h - p.x}; };
const Map kWyHx = [](SINELINEPoint p, int32_t w, int32_t h) { return SINELINEPoint{w - p.y, h - p.x}; };

TEST(SineLine, NewAndCloneRandomizeTwiceAndKeepTheSecondSettings) {
  std::vector<int> d = Draws(77, 37);
  Line line(SINELINENew());
  ASSERT_TRUE(line);
  EXPECT_EQ(line->width, 256);
  EXPECT_EQ(line->height, 256);
  EXPECT_EQ(line->color, 0xFF0000u);
  ASSERT_EQ(line->count, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(line->points[i].x | line->points[i].y, 0);
  ExpectRandomized(line.get(), d, 18);
  EXPECT_EQ(rand(), d[36]);  // exactly 36 draws

  line->color = 0x123456;
  line->width = 10;
  d = Draws(78, 36);
  Line clone(SINELINEClone(line.get()));
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->color, 0xFF0000u);
  EXPECT_EQ(clone->width, 256);
  ExpectRandomized(clone.get(), d, 18);
  EXPECT_EQ(Printed(SINELINEDebug, [] { EXPECT_EQ(SINELINEClone(nullptr), nullptr); }), "SINELINE error\n");
}

TEST(SineLine, SetCountReplacesThePointsAndRandomizesOrRefusesWithoutDrawing) {
  Line line(SINELINENew());
  std::vector<int> d = Draws(5, 19);
  SINELINESetCount(line.get(), 640);
  ASSERT_EQ(line->count, 640);
  for (int i = 0; i < 640; ++i) ASSERT_EQ(line->points[i].x | line->points[i].y, 0);
  ExpectRandomized(line.get(), d, 0);
  EXPECT_EQ(rand(), d[18]);

  SINELINEUpdate(line.get());
  const SINELINE before = *line;
  const SINELINEPoint kept = line->points[5];
  d = Draws(6, 1);
  for (int32_t n : {0, -1, INT32_MIN})
    EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINESetCount(line.get(), n); }), "SINELINE error\n");
  EXPECT_EQ(line->count, 640);
  EXPECT_EQ(line->points, before.points);
  EXPECT_EQ(line->points[5].x, kept.x);
  EXPECT_EQ(line->x[0].phase, before.x[0].phase);
  EXPECT_EQ(rand(), d[0]);  // nothing drawn
}

TEST(SineLine, UpdateFromTheCentreWithPhasesZero) {
  Line line(SINELINENew());
  for (int k = 0; k < 3; ++k) line->x[k].phase = line->y[k].phase = 0;
  SINELINEUpdate(line.get());
  EXPECT_EQ(line->points[0].x, 128);
  EXPECT_EQ(line->points[0].y, 128);
  // Point 1 sits one step of each wave further on.
  int32_t x1 = 128 + ((128 * SineTable[line->x[0].step] + 64 * SineTable[Reduce(line->x[1].step)] +
                       32 * SineTable[line->x[2].step]) >> 16);
  EXPECT_EQ(line->points[1].x, x1);
  // Wave 2 advances backwards from 0 and wraps to the top of the table.
  EXPECT_EQ(line->x[1].phase, 1024 + line->x[1].advance);
  EXPECT_EQ(line->x[0].phase, line->x[0].advance);
}

TEST(SineLine, UpdateMatchesTheFormulaAndKeepsPhasesInRange) {
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
    for (int frame = 0; frame < 3; ++frame) {
      SINELINE copy = *line;
      std::vector<SINELINEPoint> expected = ExpectedPoints(copy);
      SINELINEUpdate(line.get());
      for (int32_t i = 0; i < line->count; ++i) {
        ASSERT_EQ(line->points[i].x, expected[i].x) << round << " " << i;
        ASSERT_EQ(line->points[i].y, expected[i].y) << round << " " << i;
      }
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(line->x[k].phase, Reduce(int64_t(copy.x[k].phase) + copy.x[k].advance));
        ASSERT_EQ(line->y[k].phase, Reduce(int64_t(copy.y[k].phase) + copy.y[k].advance));
        ASSERT_EQ(line->x[k].amplitude, line->width >> (k + 1));
        ASSERT_EQ(line->y[k].amplitude, line->height >> (k + 1));
      }
      line->width += Between(rng, -9, 9);  // the amplitudes follow at the next update
    }
  }
}

TEST(SineLine, PolylineAndGraphsDrawTheDescribedSegmentsClipped) {
  std::mt19937 rng(12);
  for (int round = 0; round < 300; ++round) {
    const int32_t w = Between(rng, 1, 90), h = Between(rng, 1, 90);
    Line line = RandomLine(rng, Between(rng, 1, 40), w, h);
    const int32_t steps[] = {1, 0, -3, 7, Between(rng, -200, 200), 40000000};
    const int32_t s = steps[round % 6];
    Image image = imagetest::Random(rng, w, h), expected(IMGCopy(image.get()));
    const SINELINEPoint* p = line->points;
    for (int32_t i = 0; i + 1 < line->count; ++i)
      IMGLine(expected.get(), p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, line->color);
    for (int32_t i = 0; i + 1 < line->count; ++i)
      IMGLine(expected.get(), i * s, p[i].y, (i + 1) * s, p[i + 1].y, line->color ^ 0x010101);
    for (int32_t i = 0; i + 1 < line->count; ++i)
      IMGLine(expected.get(), p[i].x, i * s, p[i + 1].x, (i + 1) * s, line->color ^ 0x020202);
    SINELINEDraw(line.get(), image.get());
    line->color ^= 0x010101;
    SINELINEDrawGraphY(line.get(), image.get(), s);
    line->color ^= 0x030303;
    SINELINEDrawGraphX(line.get(), image.get(), s);
    ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << round;
  }
}

TEST(SineLine, FilledAndBlendedGraphsFillDownToTheLinesOwnHeight) {
  std::mt19937 rng(13);
  for (int round = 0; round < 300; ++round) {
    const int32_t w = Between(rng, 1, 90), h = Between(rng, 1, 90);
    Line line = RandomLine(rng, Between(rng, 1, 40), w, h);
    line->height = Between(rng, -20, h + 20);  // not the image's height
    const int32_t s = round % 3 == 0 ? Between(rng, -5, 5) : Between(rng, 1, 4);
    const bool blend = round % 2;
    Image image = imagetest::Random(rng, w, h), expected(IMGCopy(image.get()));
    RefFilled(*line, expected.get(), s, blend);
    (blend ? SINELINEDrawBlendY : SINELINEDrawFilledY)(line.get(), image.get(), s);
    ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << round;
  }
}

TEST(SineLine, OnePointDrawsOnlyTheLastColumnOfTheFilledGraphs) {
  std::mt19937 rng(14);
  Line line = RandomLine(rng, 1, 32, 20);
  line->points[0] = {5, 7};
  line->color = 0x00FF00;
  for (auto draw : {SINELINEDraw, SINELINEDrawMirrorH, SINELINEDrawMirrorV, SINELINEDrawMirror4,
                    SINELINEDrawMirrorDiag, SINELINEDrawMirror8}) {
    Image image = Sized(32, 32);
    draw(line.get(), image.get());
    EXPECT_TRUE(IMGEqual(image.get(), Sized(32, 32).get()));
  }
  Image image = Sized(32, 32, 0x0000FF);
  SINELINEDrawGraphY(line.get(), image.get(), 3);
  SINELINEDrawGraphX(line.get(), image.get(), 3);
  EXPECT_TRUE(IMGEqual(image.get(), Sized(32, 32, 0x0000FF).get()));
  SINELINEDrawFilledY(line.get(), image.get(), 3);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x)
      ASSERT_EQ(IMGGetPixel(image.get(), x, y), x == 0 && y < 20 ? 0x00FF00u : 0x0000FFu) << x << "," << y;
  image = Sized(32, 32, 0x0000FF);
  SINELINEDrawBlendY(line.get(), image.get(), 3);
  EXPECT_EQ(IMGGetPixel(image.get(), 0, 0), 0x007F7Fu);
  EXPECT_EQ(IMGGetPixel(image.get(), 0, 19), 0x007F7Fu);
  EXPECT_EQ(IMGGetPixel(image.get(), 0, 20), 0x0000FFu);
  EXPECT_EQ(IMGGetPixel(image.get(), 1, 0), 0x0000FFu);
}

TEST(SineLine, MirrorFormsDrawEverySegmentInItsListedImages) {
  const struct {
    void (*draw)(const SINELINE*, IMG*);
    std::vector<Map> maps;
  } forms[] = {
      {SINELINEDrawMirrorH, {kXY, kWxY}},
      {SINELINEDrawMirrorV, {kXY, kXHy}},
      {SINELINEDrawMirror4, {kXY, kWxY, kXHy, kWxHy}},
      {SINELINEDrawMirrorDiag, {kXY, kYX, kWxHy, kWyHx}},
      {SINELINEDrawMirror8, {kXY, kWxY, kXHy, kWxHy, kYX, kWyX, kYHx, kWyHx}},
  };
  std::mt19937 rng(15);
  for (int round = 0; round < 100; ++round)
    for (const auto& form : forms) {
      const int32_t w = Between(rng, 1, 80), h = Between(rng, 1, 80);
      Line line = RandomLine(rng, Between(rng, 2, 30), w, h);
      Image image = imagetest::Random(rng, w, h), expected(IMGCopy(image.get()));
      RefMirrored(*line, expected.get(), form.maps);
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
  // The image (640, 0) -> (630, 10): its first pixel is off the image, the next is (639, 1).
  EXPECT_EQ(IMGGetPixel(image.get(), 639, 1), 0xFFFFFFu);
  EXPECT_EQ(IMGGetPixel(image.get(), 630, 10), 0xFFFFFFu);
  EXPECT_EQ(IMGGetPixel(image.get(), 639, 0), 0u);
  EXPECT_EQ(IMGGetPixel(image.get(), 0, 480 - 1), 0u);  // (0, 480) is off the image too
  EXPECT_EQ(IMGGetPixel(image.get(), 1, 479), 0xFFFFFFu);
  EXPECT_EQ(IMGGetPixel(image.get(), 639, 479), 0xFFFFFFu);  // (640, 480) -> (630, 470)
}

TEST(SineLine, RefusesAbsentArgumentsAndHugeSteps) {
  Line line(SINELINENew());
  Image image = Sized(16, 16);
  IMG noPixels{16, 16, nullptr};
  const std::string error = "SINELINE error\n";
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEUpdate(nullptr); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINERandomize(nullptr); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDraw(line.get(), nullptr); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawMirror8(line.get(), &noPixels); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawGraphY(nullptr, image.get(), 1); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEFree(nullptr); }), error);
  EXPECT_EQ(Printed(SINELINEDebug, [&] { EXPECT_EQ(SINELINEEqual(line.get(), line.get()), 0); }), "");
  EXPECT_EQ(SINELINEToASCII(line.get()), nullptr);
  EXPECT_EQ(SINELINEFromASCII("SINELINE"), nullptr);

  SINELINEUpdate(line.get());
  for (int32_t s : {SINELINE_MAX_STEP + 1, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawGraphX(line.get(), image.get(), s); }), error);
    EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawBlendY(line.get(), image.get(), s); }), error);
  }
  EXPECT_TRUE(IMGEqual(image.get(), Sized(16, 16).get()));
  // A point array that went missing, or a count set to 0, is refused, not read.
  line->count = 0;
  EXPECT_EQ(Printed(SINELINEDebug, [&] { SINELINEDrawFilledY(line.get(), image.get(), 1); }), error);
  EXPECT_TRUE(IMGEqual(image.get(), Sized(16, 16).get()));
  line->count = 16;
}

TEST(SineLine, LargestStepDrawsTheSegmentsThatReachTheImage) {
  std::mt19937 rng(16);
  Line line = RandomLine(rng, 3, 20, 20);
  Image image = Sized(20, 20), expected = Sized(20, 20);
  IMGLine(expected.get(), 0, line->points[0].y, SINELINE_MAX_STEP, line->points[1].y, line->color);
  SINELINEDrawGraphY(line.get(), image.get(), SINELINE_MAX_STEP);
  EXPECT_TRUE(IMGEqual(image.get(), expected.get()));
  IMGClear(expected.get());
  IMGLine(expected.get(), line->points[0].x, 0, line->points[1].x, -SINELINE_MAX_STEP, line->color);
  IMGClear(image.get());
  SINELINEDrawGraphX(line.get(), image.get(), -SINELINE_MAX_STEP);
  EXPECT_TRUE(IMGEqual(image.get(), expected.get()));
}

}  // namespace
