// The line effects: the helix's draws and the drawings the show never makes (strands, half turns
// per column, huge amplitudes and offsets), the sine line's forms as worked pictures, the
// starfield's placement, wrap and drawings, and bad input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "font.h"
#include "helix.h"
#include "image_fixture.h"
#include "imgfx.h"
#include "lstars.h"
#include "sineline.h"

namespace {

using imagetest::Between;
using imagetest::Sized;

using imagetest::Freer;
using Line = std::unique_ptr<SINELINE, Freer<SINELINE, SINELINEFree>>;
using Stars = std::unique_ptr<LSTARS, Freer<LSTARS, LSTARSFree>>;

// Half a turn per column from phase 256: crest (T = 32766) on even columns or rows,
// trough on odd ones; amplitude 3 on 10 x 8 spans 1..6 down, 2..7 across. Per walked
// column or row: '.' untouched, 'F' front colour over fLo..fHi, 'B' back over bLo..bHi.
TEST(Helix, HalfTurnStepsDrawWorkedPictures) {
  constexpr uint32_t kColour = 0xFFC080, kShade = 0x604020;
  constexpr uint32_t kFront = 0x804101, kBack = 0x200000;  // ribbons: less 127 and 64 per channel
  const struct {
    void (*draw)(const HELIX*, IMG*);
    bool vertical, ribbon;
    int32_t amplitude, offset;
    const char* pattern;
    int32_t fLo, fHi, bLo, bHi;
  } cases[] = {
      {HELIXDrawRibbonHFront, false, true, 3, 0, ".F.F.F.F.F", 1, 6, 0, 0},
      {HELIXDrawRibbonHBack, false, true, 3, 0, "B.B.B.B.B.", 0, 0, 1, 6},
      {HELIXDrawRibbonV, true, true, 3, 0, "BFBFBFBF", 2, 7, 2, 7},
      {HELIXDrawRibbonH, false, true, 3, -1, "BFFFFFFFF.", 1, 6, 1, 6},  // spans t - 1 .. t
      {HELIXDrawRibbonH, false, true, 3, 1, "FFFFFFFFFF", 1, 6, 1, 6},   // from column -1 on
      {HELIXDrawRibbonHFront, false, true, INT32_MAX, 0, ".F.F.F.F.F", 0, 7, 0, 0},
      {HELIXDrawColumnsFront, false, false, 3, 512, ".F.F.F.F.F", 1, 6, 0, 0},
      {HELIXDrawColumnsBack, false, false, 3, 512, "B.B.B.B.B.", 0, 0, 6, 7},
      {HELIXDrawColumns, false, false, 3, 512 - 1024 * 3, "BFBFBFBFBF", 1, 6, 6, 7},
      {HELIXDrawRows, true, false, 3, 512, "BFBFBFBF", 2, 7, 2, 7},
      {HELIXDrawRowsFront, true, false, 0, 0, "FFFFFFFF", 5, 5, 0, 0},  // strands meet: one pixel
      {HELIXDrawColumnsFront, false, false, 0, 0, "FFFFFFFFFF", 4, 4, 0, 0},
      {HELIXDrawRowsBack, true, false, INT32_MAX, 512, "B.B.B.B.", 0, 0, 0, 9},
      {HELIXDrawRowsBack, true, false, 0, 0, "........", 0, 0, 0, 0},  // the front takes where they meet
      {HELIXDrawColumnsFront, false, false, -100, 0, "..........", 0, 0, 0, 0},  // off both edges
      {HELIXDrawColumnsBack, false, false, INT32_MIN, 512, "..........", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const HELIX h{256 - 1024 * 2, 0, 512, c.amplitude, c.offset, kColour, kShade};  // phase reduced first
    auto image = Sized(10, 8, 0x0000FF), expected = Sized(10, 8, 0x0000FF);
    for (int32_t t = 0; c.pattern[t]; ++t) {
      if (c.pattern[t] == '.') continue;
      const bool front = c.pattern[t] == 'F';
      const uint32_t colour = c.ribbon ? (front ? kFront : kBack) : (front ? kColour : kShade);
      for (int32_t u = front ? c.fLo : c.bLo; u <= (front ? c.fHi : c.bHi); ++u)
        IMGPutPixel(expected.get(), c.vertical ? u : t, c.vertical ? t : u, colour);
    }
    c.draw(&h, image.get());
    EXPECT_TRUE(IMGEqual(image.get(), expected.get())) << c.pattern << " amplitude " << c.amplitude;
  }
}

// Offsets whose spans cover the image and differ by whole turns draw the same:
// a huge one, whose walk is cut short, against one walked in full.
TEST(Helix, HugeOffsetDrawsWhatTheSameOffsetLessWholeTurnsDraws) {
  std::mt19937 rng(25);
  for (int round = 0; round < 16; ++round) {
    const HELIX big{Between(rng, 0, 1023), 0, Between(rng, -40, 40),
                    round % 3 ? Between(rng, -200, 200) : INT32_MAX, INT32_MAX - Between(rng, 0, 5000),
                    uint32_t(rng() & 0xFFFFFF), uint32_t(rng() & 0xFFFFFF)};
    HELIX small = big;
    small.offset = big.offset % 1024 + 1024;
    auto a = imagetest::Random(rng, 30, 20);
    imagetest::Image b(IMGCopy(a.get()));
    auto draw = round % 2 ? HELIXDrawRibbonV : HELIXDrawRibbonH;
    draw(&big, a.get());
    draw(&small, b.get());
    ASSERT_TRUE(IMGEqual(a.get(), b.get())) << round;
  }
}

// Amplitudes halve by shifts when updated; a sum of waves past 2^31 wraps, and
// phases stored out of range are reduced first.
TEST(SineLine, UpdateOnAWideAreaAndWrappedPhases) {
  Line line(SINELINENew());
  line->color = 0x123456;
  Line clone(SINELINEClone(line.get()));  // a new default line
  EXPECT_EQ(clone->color + uint32_t(clone->count), 0xFF0000u + 16);
  SINELINESetCount(line.get(), 3);
  line->width = 100000;  // the sum of the waves passes 2^31
  line->height = -301;
  for (int k = 0; k < 3; ++k) line->x[k] = line->y[k] = SINELINEWave{256, 0, 0, 0};
  line->x[0] = SINELINEWave{256 + 5 * 1024, -3, 256, 0};  // stored out of range: reduced first
  line->x[1].advance = 4 * 1024 + 5;
  line->x[2].advance = -300;
  SINELINEUpdate(line.get());
  const int32_t xs[] = {93747, 68748, 43750};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(line->points[i].x * 1000 + line->points[i].y, xs[i] * 1000 - 284) << i;
  EXPECT_EQ(line->x[0].phase * 1000000 + line->x[1].phase * 1000 + line->x[2].phase, 253261980);
}

using Lines = std::vector<std::vector<int32_t>>;

template <void (*F)(const SINELINE*, IMG*)>
void NoStep(const SINELINE* line, IMG* image, int32_t) { F(line, image); }

// The first count of the points (3, 5), (7, 2), (1, 6) in green over blue on a 12 x 10 image, the
// line's height 9: the lines each form draws, and the filled columns from y0 down to 8 (blended half
// and half by BlendY). The mirror forms exchange x and y first, then mirror x to W - x and y to H - y.
TEST(SineLine, EveryFormDrawsAWorkedPicture) {
  const struct { void (*draw)(const SINELINE*, IMG*, int32_t); int32_t step, count; Lines lines, columns; } cases[] = {
      {NoStep<SINELINEDraw>, 0, 3, {{3, 5, 7, 2}, {7, 2, 1, 6}}, {}},
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
  };
  for (const auto& c : cases) {
    Line line(SINELINENew());
    SINELINESetCount(line.get(), c.count);
    const SINELINEPoint points[] = {{3, 5}, {7, 2}, {1, 6}};
    for (int32_t i = 0; i < c.count; ++i) line->points[i] = points[i];
    line->height = 9, line->color = 0x00FF00;
    auto image = Sized(12, 10, 0x0000FF), expected = Sized(12, 10, 0x0000FF);
    for (const auto& l : c.lines) IMGLine(expected.get(), l[0], l[1], l[2], l[3], 0x00FF00);
    for (const auto& col : c.columns)
      c.draw == SINELINEDrawBlendY ? IMGFXVLineBlend(expected.get(), col[0], col[1], 8, 0x00FF00, 128)
                                   : IMGFXVLine(expected.get(), col[0], col[1], 8, 0x00FF00);
    c.draw(line.get(), image.get(), c.step);
    EXPECT_TRUE(IMGEqual(image.get(), expected.get())) << &c - cases;
  }
}

constexpr int32_t kOne = 65536;

// New stars are placed last to first, x then y. One move from a position with
// a velocity on a 100 x 256 area: the margin is the pixels of two steps, the
// same either way, and a star past it comes back at the far margin's whole pixel.
TEST(Lstars, PlacedLastToFirstAndWrappedPastMarginsOfTheVelocitysSize) {
  srand(1234);
  Stars s(LSTARSNew());
  srand(1234);
  for (int32_t i = 15; i >= 0; --i) {
    const int32_t x = rand() % 256, y = rand() % 256;
    EXPECT_EQ(std::make_pair(s->stars[i].x, s->stars[i].y), std::make_pair(x * kOne, y * kOne)) << i;
  }
  s->width = 1;  // an area one pixel wide: every star in column 0
  LSTARSReset(s.get());
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(s->stars[i].x, 0) << i;
  constexpr int32_t k3 = 3 * kOne / 2, kHalf = kOne / 2;
  const int32_t cases[][6] = {  // dx, dy, x, y -> x, y
      {0, kOne, 10 * kOne, 257 * kOne, 10 * kOne, -1 * kOne},     // my = 2: py 258 restarts at -1
      {0, kOne, 0, 256 * kOne + 0xFFFF, 0, 257 * kOne + 0xFFFF},  // py 257: still inside
      {k3, 0, 101 * kOne, 0, 102 * kOne + kHalf, 0}, {k3, 0, 102 * kOne + kHalf, 0, -2 * kOne, 0},  // mx 3: 104 >= 103
      {-k3, 0, -kOne, 0, -3 * kOne + kHalf, 0}, {-k3, 0, -3 * kOne + kHalf, 0, 102 * kOne, 0},  // -3 stays, -4 wraps
      {-1, 0, 0, 0, 99 * kOne, 0}, {-1, -1, kOne, kOne, kOne - 1, kOne - 1}};  // no margin: column 0 is left at once
  LSTARSSetCount(s.get(), 1);
  s->width = 100;
  for (const auto& c : cases) {
    s->velocity = LSTARSVelocity{c[0], c[1]};
    s->stars[0] = LSTARSPoint{c[2], c[3]};
    LSTARSMove(s.get());
    EXPECT_EQ(s->stars[0].x, c[4]) << c[0] << " " << c[2];
    EXPECT_EQ(s->stars[0].y, c[5]) << c[1] << " " << c[3];
  }
}

TEST(Lstars, DotsStreaksAndSpritesTakeTheImagesArea) {
  Stars s(LSTARSNew());
  LSTARSSetCount(s.get(), 2);
  s->stars[0] = LSTARSPoint{5 * kOne, 6 * kOne};
  s->stars[1] = LSTARSPoint{-1 * kOne, 3 * kOne};
  s->color = 0x123456;
  s->velocity = LSTARSVelocity{3 * kOne, -2 * kOne};
  auto image = Sized(40, 30), expected = Sized(40, 30);
  LSTARSDrawDots(s.get(), image.get());
  EXPECT_EQ(s->width * 1000 + s->height, 40030);
  IMGPutPixel(expected.get(), 5, 6, 0x123456);
  EXPECT_TRUE(IMGEqual(image.get(), expected.get()));
  LSTARSDrawStreaks(s.get(), image.get());  // back two steps along the velocity
  IMGLine(expected.get(), -1, 3, -7, 7, 0x123456);
  IMGLine(expected.get(), 5, 6, -1, 10, 0x123456);
  EXPECT_TRUE(IMGEqual(image.get(), expected.get()));
  FONT* font = FONTNew();  // 64 cells of 16 x 16 in a column, cell n filled with n + 1
  font->sheet = Sized(16, 16 * 64).release();
  font->cellWidth = font->cellHeight = 16;
  for (int32_t i = 0; i < 16 * 16 * 64; ++i) font->sheet->pixels[i] = uint32_t(i / 256 + 1);
  s->sprites = font;
  s->stars[0] = LSTARSPoint{40 * kOne, 70 * kOne};  // cell 70 % 64 at (24, 54)
  s->stars[1] = LSTARSPoint{100 * kOne, -5 * kOne};  // negative cell: nothing drawn
  auto sprites = Sized(128, 128), cell = Sized(128, 128);
  IMGFillBox(cell.get(), 24, 54, 16, 16, 7);
  LSTARSDrawSprites(s.get(), sprites.get());
  EXPECT_TRUE(IMGEqual(sprites.get(), cell.get()));
  FONTFree(&font);
}

// Refused calls print their module's error line (with the module's flag set),
// once, and change nothing; an empty image is no error.
TEST(Effects, BadInputIsRefusedAndReported) {
  HELIX h{0, 0, 0, 100, INT32_MAX, 0, 0};
  Line line(SINELINENew());
  Stars stars(LSTARSNew());
  const LSTARSPoint first = stars->stars[0];
  auto image = Sized(8, 8), empty = Sized(0, 5);
  IMG noPixels{16, 16, nullptr};
  srand(77);
  const int next = rand();
  srand(77);
  const std::tuple<uint8_t*, std::string, std::vector<std::function<void()>>> modules[] = {
      {&HELIXDebug, "HELIX error\n",
       {[&] { HELIXDrawRibbonHFront(&h, nullptr); }, [&] { HELIXDrawRibbonVBack(&h, &noPixels); },
        [&] { HELIXDrawColumnsFront(nullptr, image.get()); }, [&] { HELIXDrawRowsBack(&h, &noPixels); },
        [&] { EXPECT_EQ(HELIXClone(nullptr), nullptr); }, [&] { HELIXCopy(nullptr, &h); }}},
      {&SINELINEDebug, "SINELINE error\n",
       {[&] { SINELINEUpdate(nullptr); }, [&] { SINELINEDrawMirror8(line.get(), &noPixels); },
        [&] { EXPECT_EQ(SINELINEClone(nullptr), nullptr); }, [&] { SINELINEDraw(nullptr, image.get()); },
        [&] { EXPECT_EQ(SINELINEEqual(line.get(), nullptr), 0); },
        [&] { SINELINEDrawGraphX(line.get(), image.get(), SINELINE_MAX_STEP + 1); },
        [&] { SINELINEDrawGraphY(line.get(), image.get(), INT32_MIN); },
        [&] { SINELINESetCount(line.get(), 0); }, [&] { SINELINESetCount(line.get(), INT32_MIN); },
        [&] { line->count = 0, SINELINEDrawFilledY(line.get(), image.get(), 1), line->count = 16; }}},  // not read
      {&LSTARSDebug, "LSTARS error\n",
       {[&] { LSTARSSetCount(stars.get(), -4); }, [&] { LSTARSPlace(stars.get(), 16); },
        [&] { LSTARSPlace(stars.get(), -1); }, [&] { LSTARSDrawSprites(stars.get(), image.get()); },  // no font
        [&] { LSTARSDrawDots(stars.get(), nullptr); }, [&] { LSTARSMove(nullptr); },
        [&] { stars->width = 0, LSTARSReset(stars.get()); }}}};  // an area of no size: no division by zero
  for (const auto& m : modules)
    for (const auto& call : std::get<2>(m)) EXPECT_EQ(imagetest::Printed(*std::get<0>(m), call), std::get<1>(m));
  EXPECT_EQ(imagetest::Printed(HELIXDebug, [&] { HELIXDrawRibbonH(&h, empty.get()); }), "");
  EXPECT_TRUE(IMGEqual(image.get(), Sized(8, 8).get()));
  EXPECT_EQ(line->count + stars->count, 16 + 16);
  EXPECT_EQ(rand(), next);  // no random draw, the points kept
  EXPECT_EQ(std::make_pair(stars->stars[0].x, stars->stars[0].y), std::make_pair(first.x, first.y));
}

}  // namespace
