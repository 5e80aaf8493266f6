// The sine line: what the show's runs leave open, and every drawing form as a
// worked picture on a small image.
#include "sineline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "image_fixture.h"
#include "img.h"
#include "imgfx.h"

namespace {

using imagetest::Sized;

struct LineDeleter {
  void operator()(SINELINE* line) const { SINELINEFree(&line); }
};
using Line = std::unique_ptr<SINELINE, LineDeleter>;

TEST(SineLine, SizesHalveByDivisionWhenRandomizedAndByShiftWhenUpdated) {
  Line line(SINELINENew());
  ASSERT_TRUE(line);
  line->width = -301;
  SINELINESetCount(line.get(), 640);
  ASSERT_EQ(line->count, 640);
  EXPECT_EQ(line->points[639].x | line->points[639].y, 0);
  EXPECT_EQ(line->x[0].amplitude, -150);
  EXPECT_EQ(line->x[2].amplitude, -37);
  SINELINEUpdate(line.get());
  EXPECT_EQ(line->x[0].amplitude, -151);
  EXPECT_EQ(line->x[2].amplitude, -38);
  line->color = 0x123456;
  Line clone(SINELINEClone(line.get()));  // a new default line
  EXPECT_EQ(clone->color + uint32_t(clone->count), 0xFF0000u + 16);
}

TEST(SineLine, UpdateOnAWideAreaAndWrappedPhases) {
  Line line(SINELINENew());
  SINELINESetCount(line.get(), 3);
  line->width = 100000;  // the sum of the waves passes 2^31
  line->height = -301;
  for (int k = 0; k < 3; ++k) line->x[k] = line->y[k] = SINELINEWave{256, 0, 0, 0};
  line->x[0] = SINELINEWave{256 + 5 * 1024, -3, 256, 0};  // stored out of range: reduced first
  line->x[1].advance = 4 * 1024 + 5;
  line->x[2].advance = -300;
  SINELINEUpdate(line.get());
  const int32_t xs[] = {93747, 68748, 43750};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(line->points[i].x, xs[i]) << i;
    EXPECT_EQ(line->points[i].y, -284) << i;
  }
  EXPECT_EQ(line->x[0].phase, 253);
  EXPECT_EQ(line->x[1].phase, 261);
  EXPECT_EQ(line->x[2].phase, 980);
}

template <void (*F)(const SINELINE*, IMG*)>
void NoStep(const SINELINE* line, IMG* image, int32_t) { F(line, image); }

// The first count of the points (3, 5), (7, 2), (1, 6) in green over blue on a
// 12 x 10 image, the line's height 9: the lines each form draws, and the filled
// columns from y0 down to 8 (blended half and half by BlendY). The mirror forms
// exchange x and y first, then mirror x to W - x and y to H - y.
TEST(SineLine, EveryFormDrawsAWorkedPicture) {
  const struct {
    void (*draw)(const SINELINE*, IMG*, int32_t);
    int32_t step, count;
    std::vector<std::vector<int32_t>> lines, columns;
  } cases[] = {
      {NoStep<SINELINEDraw>, 0, 3, {{3, 5, 7, 2}, {7, 2, 1, 6}}, {}},
      {SINELINEDrawGraphY, 0, 3, {{0, 5, 0, 2}, {0, 2, 0, 6}}, {}},
      {SINELINEDrawGraphY, -3, 3, {{0, 5, -3, 2}}, {}},  // the next segment starts left of the image
      {SINELINEDrawGraphY, 3, 1, {}, {}},
      {SINELINEDrawGraphX, 40000000, 3, {{3, 0, 7, 40000000}}, {}},
      {SINELINEDrawFilledY, 4, 3, {{0, 5, 4, 2}, {4, 2, 8, 6}}, {{0, 5}, {4, 2}, {8, 6}}},
      {SINELINEDrawBlendY, 5, 3, {{0, 5, 5, 2}, {5, 2, 10, 6}}, {{0, 5}, {5, 2}, {10, 6}}},
      {SINELINEDrawBlendY, -5, 3, {{0, 5, -5, 2}}, {{0, 5}}},
      {SINELINEDrawBlendY, 3, 1, {}, {{0, 0}}},  // one point: only the last column, from y 0
      {NoStep<SINELINEDrawMirrorH>, 0, 2, {{3, 5, 7, 2}, {9, 5, 5, 2}}, {}},
      {NoStep<SINELINEDrawMirrorV>, 0, 2, {{3, 5, 7, 2}, {3, 5, 7, 8}}, {}},
      {NoStep<SINELINEDrawMirror4>, 0, 2, {{3, 5, 7, 2}, {9, 5, 5, 2}, {3, 5, 7, 8}, {9, 5, 5, 8}}, {}},
      {NoStep<SINELINEDrawMirrorDiag>, 0, 2, {{3, 5, 7, 2}, {5, 3, 2, 7}, {9, 5, 5, 8}, {7, 7, 10, 3}}, {}},
      {NoStep<SINELINEDrawMirror8>, 0, 2,
       {{3, 5, 7, 2}, {9, 5, 5, 2}, {3, 5, 7, 8}, {9, 5, 5, 8}, {5, 3, 2, 7}, {7, 3, 10, 7}, {5, 7, 2, 3}, {7, 7, 10, 3}},
       {}},
  };
  for (const auto& c : cases) {
    Line line(SINELINENew());
    SINELINESetCount(line.get(), c.count);
    const SINELINEPoint points[] = {{3, 5}, {7, 2}, {1, 6}};
    for (int32_t i = 0; i < c.count; ++i) line->points[i] = points[i];
    line->height = 9;
    line->color = 0x00FF00;
    auto image = Sized(12, 10, 0x0000FF), expected = Sized(12, 10, 0x0000FF);
    for (const auto& l : c.lines) IMGLine(expected.get(), l[0], l[1], l[2], l[3], 0x00FF00);
    for (const auto& col : c.columns)
      c.draw == SINELINEDrawBlendY ? IMGFXVLineBlend(expected.get(), col[0], col[1], 8, 0x00FF00, 128)
                                   : IMGFXVLine(expected.get(), col[0], col[1], 8, 0x00FF00);
    c.draw(line.get(), image.get(), c.step);
    EXPECT_TRUE(IMGEqual(image.get(), expected.get())) << &c - cases;
  }
}

}  // namespace
