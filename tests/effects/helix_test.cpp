// The helix: its draws, and the drawings the show never makes (strands, half
// turns per column, huge amplitudes and offsets) as worked pictures.
#include "helix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "build_platform.h"
#include "image_fixture.h"
#include "img.h"

namespace {

using imagetest::Between;
using imagetest::Sized;

struct HelixDeleter {
  void operator()(HELIX* helix) const { HELIXFree(&helix); }
};
using Helix = std::unique_ptr<HELIX, HelixDeleter>;

// The draws as the helix sees them; the generator is seeded again afterwards.
std::vector<uint32_t> Draws(unsigned seed, int n) {
  srand(seed);
  std::vector<uint32_t> draws;
  for (int i = 0; i < n; ++i) draws.push_back(uint32_t(PlatformRandom()));
  srand(seed);
  return draws;
}

// Windows' rand() has 15 bits: its colour takes two draws, first + second * 65536.
uint32_t DrawnColour(const std::vector<uint32_t>& d) {
  return ((kWindowsBuild ? d[5] + d[6] * 65536u : d[5]) & 0x7F7F7F) + 0x808080;
}

TEST(Helix, RandomizeDrawsSixValuesInOrderAndCloneKeepsItsShade) {
  std::vector<uint32_t> d = Draws(273880913u, 8);
  Helix helix(HELIXNew());
  ASSERT_TRUE(helix);
  const HELIX expected{int32_t(d[0] & 1023), int32_t(d[1] % 24 + 8), int32_t(d[2] % 8 + 1), int32_t(d[3] % 100 + 16),
                       int32_t(d[4] % 63 + 64), DrawnColour(d), 0};
  EXPECT_TRUE(HELIXEqual(helix.get(), &expected));
  EXPECT_EQ(helix->shade, (helix->color & 0xFEFEFE) >> 1);
  EXPECT_EQ(uint32_t(PlatformRandom()), d[kWindowsBuild ? 7 : 6]);
  d = Draws(3, 7);
  Helix clone(HELIXClone(helix.get()));  // new random settings, then all but the shade copied
  EXPECT_TRUE(HELIXEqual(clone.get(), helix.get()));
  EXPECT_EQ(clone->shade, (DrawnColour(d) & 0xFEFEFE) >> 1);
  for (int32_t HELIX::*field : {&HELIX::phase, &HELIX::speed, &HELIX::step, &HELIX::amplitude, &HELIX::offset}) {
    (*clone).*field += 1;
    EXPECT_FALSE(HELIXEqual(clone.get(), helix.get()));
    (*clone).*field -= 1;
  }
}

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
      {HELIXDrawRibbonVFront, true, true, 3, 0, ".F.F.F.F", 2, 7, 0, 0},
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

}  // namespace
