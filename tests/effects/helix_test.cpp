#include "helix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "image_fixture.h"
#include "img.h"
#include "build_platform.h"
#include "sine.h"

namespace {

using imagetest::Between;
using imagetest::Image;
using imagetest::Printed;
using imagetest::Sized;

struct HelixDeleter {
  void operator()(HELIX* helix) const { HELIXFree(&helix); }
};
using Helix = std::unique_ptr<HELIX, HelixDeleter>;

// random() shares its generator with rand() in glibc: the draws as rand() sees
// them (PlatformRandom: random() on Linux, rand() on Windows).
std::vector<uint32_t> Draws(unsigned seed, int n) {
  srand(seed);
  std::vector<uint32_t> draws;
  for (int i = 0; i < n; ++i) draws.push_back(uint32_t(PlatformRandom()));
  srand(seed);
  return draws;
}

uint32_t Darken(uint32_t c, int32_t v) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) out |= uint32_t(std::max<int32_t>(int32_t((c >> shift) & 255) - v, 0)) << shift;
  return out;
}

int64_t WaveAt(int64_t axis, int32_t amplitude, int32_t p) { return axis + ((int64_t(amplitude) * SineTable[p]) >> 15); }

bool Between64(int64_t v, int64_t a, int64_t b) { return v >= std::min(a, b) && v <= std::max(a, b); }

void Put(IMG* image, int64_t x, int64_t y, uint32_t colour) {
  if (x >= 0 && y >= 0 && x < image->width && y < image->height) image->pixels[x + y * image->width] = colour;
}

// A ribbon pass as described, walking every position of -e .. L + e - 1 and
// testing every pixel of the image against the rows and the span.
void RefRibbon(const HELIX& h, IMG* image, bool vertical, bool front) {
  const int64_t walked = vertical ? image->height : image->width;
  const int64_t across = vertical ? image->width : image->height;
  const int64_t e = h.offset;
  int32_t p = h.phase;
  int64_t prev = WaveAt(across >> 1, h.amplitude, p);
  p = (p + h.step) & 1023;
  for (int64_t t = -e; t <= walked + e - 1; ++t) {
    const int64_t cur = WaveAt(across >> 1, h.amplitude, p);
    if (front ? cur > prev : cur < prev) {
      const int32_t v = SineTable[p] >> (front ? 8 : 9);
      const uint32_t colour = Darken(front ? h.color : h.shade, std::abs(v));
      for (int64_t c = 0; c < across; ++c)
        if (Between64(c, prev, cur))
          for (int64_t u = 0; u < walked; ++u)
            if (Between64(u, t, t + e)) vertical ? Put(image, c, u, colour) : Put(image, u, c, colour);
    }
    p = (p + h.step) & 1023;
    prev = cur;
  }
}

// The two-strand drawings as described, pixel by pixel.
void RefStrands(const HELIX& h, IMG* image, bool rows, bool front) {
  const int64_t walked = rows ? image->height : image->width;
  const int64_t across = rows ? image->width : image->height;
  int32_t p = h.phase, q = (h.phase + h.offset) & 1023;
  for (int64_t t = 0; t < walked; ++t) {
    const int64_t s1 = WaveAt(across >> 1, h.amplitude, p), s2 = WaveAt(across >> 1, h.amplitude, q);
    for (int64_t c = 0; c < across; ++c) {
      bool inside;
      if (front)
        inside = s2 >= s1 && c >= s1 && c <= s2;
      else if (rows)
        inside = s2 < s1 && c >= s2 && c <= s1;
      else
        inside = s2 < s1 && c >= s1 && c <= s1 + 32;
      if (inside) rows ? Put(image, c, t, front ? h.color : h.shade) : Put(image, t, c, front ? h.color : h.shade);
    }
    p = (p + h.step) & 1023;
    q = (q + h.step) & 1023;
  }
}

HELIX RandomHelix(std::mt19937& rng, int round) {
  HELIX h{};
  h.phase = Between(rng, 0, 1023);
  h.step = Between(rng, -40, 40);
  const int32_t amplitudes[] = {Between(rng, -200, 200), 0, Between(rng, -3000000, 3000000), INT32_MAX, INT32_MIN};
  h.amplitude = amplitudes[round % 7 < 5 ? round % 7 : 0];
  const int32_t offsets[] = {Between(rng, -30, 150), 0, Between(rng, 2100, 2400), -1, Between(rng, 2, 6)};
  h.offset = offsets[round % 5];
  h.color = rng() & 0xFFFFFF;
  h.shade = rng() & 0xFFFFFF;
  return h;
}

TEST(Helix, RandomizeDrawsSixValuesInOrder) {
  for (unsigned seed : {1u, 273880913u, 99u}) {
    std::vector<uint32_t> d = Draws(seed, 8);
    // Windows' rand() has 15 bits: its colour takes two draws, first + second * 65536.
    const uint32_t colour = kWindowsBuild ? d[5] + d[6] * 65536u : d[5];
    Helix helix(HELIXNew());
    ASSERT_TRUE(helix);
    EXPECT_EQ(helix->phase, int32_t(d[0] & 1023));
    EXPECT_EQ(helix->speed, int32_t(d[1] % 24 + 8));
    EXPECT_EQ(helix->step, int32_t(d[2] % 8 + 1));
    EXPECT_EQ(helix->amplitude, int32_t(d[3] % 100 + 16));
    EXPECT_EQ(helix->offset, int32_t(d[4] % 63 + 64));
    EXPECT_EQ(helix->color, (colour & 0x7F7F7F) + 0x808080);
    EXPECT_EQ(helix->shade, (helix->color & 0xFEFEFE) >> 1);
    EXPECT_EQ(uint32_t(PlatformRandom()), d[kWindowsBuild ? 7 : 6]);
  }
}

TEST(Helix, EqualCopyAndCloneLeaveTheShadeAloneAndStepWraps) {
  Helix a(HELIXNew()), b(HELIXNew());
  EXPECT_FALSE(HELIXEqual(a.get(), b.get()));
  b->shade = 0x010203;
  HELIXCopy(a.get(), b.get());
  EXPECT_TRUE(HELIXEqual(a.get(), b.get()));
  EXPECT_EQ(b->shade, 0x010203u);
  b->offset += 1;
  EXPECT_FALSE(HELIXEqual(a.get(), b.get()));

  a->color = 0x808080;
  std::vector<uint32_t> d = Draws(3, 7);
  const uint32_t colour = kWindowsBuild ? d[5] + d[6] * 65536u : d[5];  // as in RandomizeDraws...
  Helix clone(HELIXClone(a.get()));
  ASSERT_TRUE(clone);
  EXPECT_TRUE(HELIXEqual(clone.get(), a.get()));
  EXPECT_EQ(clone->shade, (((colour & 0x7F7F7F) + 0x808080) & 0xFEFEFE) >> 1);

  const std::string error = "HELIX error\n";
  EXPECT_EQ(Printed(HELIXDebug, [&] { EXPECT_EQ(HELIXClone(nullptr), nullptr); }), error);
  EXPECT_EQ(Printed(HELIXDebug, [&] { HELIXCopy(nullptr, b.get()); }), error);

  HELIX h{};
  h.phase = 5;
  h.speed = -9;
  HELIXStep(&h);
  EXPECT_EQ(h.phase, 1020);
  h.speed = INT32_MIN;  // a whole number of turns
  HELIXStep(&h);
  EXPECT_EQ(h.phase, 1020);
}

TEST(Helix, RibbonPassesMatchTheWalkPixelByPixel) {
  struct Pass {
    void (*draw)(const HELIX*, IMG*);
    bool vertical, front;
  };
  const Pass passes[] = {{HELIXDrawRibbonHFront, false, true},
                         {HELIXDrawRibbonHBack, false, false},
                         {HELIXDrawRibbonVFront, true, true},
                         {HELIXDrawRibbonVBack, true, false}};
  std::mt19937 rng(21);
  for (int round = 0; round < 160; ++round)
    for (const Pass& pass : passes) {
      const HELIX h = RandomHelix(rng, round);
      const int32_t w = Between(rng, 1, 40), hh = Between(rng, 1, 40);
      Image image = imagetest::Random(rng, w, hh), expected(IMGCopy(image.get()));
      RefRibbon(h, expected.get(), pass.vertical, pass.front);
      pass.draw(&h, image.get());
      ASSERT_TRUE(IMGEqual(image.get(), expected.get()))
          << round << " amplitude " << h.amplitude << " offset " << h.offset << " step " << h.step;
    }
}

TEST(Helix, ColumnAndRowDrawingsMatchTheStrandsPixelByPixel) {
  struct Pass {
    void (*draw)(const HELIX*, IMG*);
    bool rows, front;
  };
  const Pass passes[] = {{HELIXDrawColumnsFront, false, true},
                         {HELIXDrawColumnsBack, false, false},
                         {HELIXDrawRowsFront, true, true},
                         {HELIXDrawRowsBack, true, false}};
  std::mt19937 rng(23);
  for (int round = 0; round < 200; ++round)
    for (const Pass& pass : passes) {
      HELIX h = RandomHelix(rng, round);
      h.offset = Between(rng, -3000, 3000);
      const int32_t w = Between(rng, 1, 60), hh = Between(rng, 1, 60);
      Image image = imagetest::Random(rng, w, hh), expected(IMGCopy(image.get()));
      RefStrands(h, expected.get(), pass.rows, pass.front);
      pass.draw(&h, image.get());
      ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << round;
    }
}

TEST(Helix, TroughOfTheTableDarkensTheFrontBy128) {
  // From phase 768 to 769 the wave rises out of its trough, where T[769] >> 8 is -128.
  ASSERT_EQ(SineTable[769] >> 8, -128);
  HELIX h{};
  h.phase = 768;
  h.step = 1;
  h.amplitude = 30000;
  h.offset = 0;
  h.color = 0xFFC080;
  Image image = Sized(1, 65536);
  const int64_t prev = WaveAt(32768, 30000, 768), cur = WaveAt(32768, 30000, 769);
  ASSERT_GT(cur, prev);
  HELIXDrawRibbonHFront(&h, image.get());
  EXPECT_EQ(IMGGetPixel(image.get(), 0, int32_t(prev)), 0x7F4000u);
  EXPECT_EQ(IMGGetPixel(image.get(), 0, int32_t(cur)), 0x7F4000u);
  EXPECT_EQ(IMGGetPixel(image.get(), 0, int32_t(prev) - 1), 0u);
}

TEST(Helix, HugeOffsetDrawsWhatTheSameOffsetLessWholeTurnsDraws) {
  // Offsets that differ by whole 1024-position turns give the same picture
  // once their spans cover the image; the smaller one is checked against
  // the walk above, the larger one could not be walked in a test.
  std::mt19937 rng(25);
  for (int round = 0; round < 12; ++round) {
    HELIX big = RandomHelix(rng, 0);
    big.offset = INT32_MAX - Between(rng, 0, 5000);
    if (round % 3 == 0) big.amplitude = INT32_MAX;
    HELIX small = big;
    small.offset = big.offset % 1024 + 3 * 1024;
    const bool vertical = round % 2, front = round % 4 < 2;
    Image a = imagetest::Random(rng, 30, 20), b(IMGCopy(a.get())), c(IMGCopy(a.get()));
    auto draw = vertical ? (front ? HELIXDrawRibbonVFront : HELIXDrawRibbonVBack)
                         : (front ? HELIXDrawRibbonHFront : HELIXDrawRibbonHBack);
    draw(&big, a.get());
    draw(&small, b.get());
    RefRibbon(small, c.get(), vertical, front);
    ASSERT_TRUE(IMGEqual(b.get(), c.get())) << round;
    ASSERT_TRUE(IMGEqual(a.get(), b.get())) << round;
  }
}

TEST(Helix, RefusesAbsentImagesAndSkipsEmptyOnes) {
  HELIX h{};
  h.offset = INT32_MAX;
  h.amplitude = 100;
  IMG noPixels{16, 16, nullptr};
  for (auto draw : {HELIXDrawRibbonH, HELIXDrawRibbonV, HELIXDrawColumns, HELIXDrawRows}) {
    EXPECT_EQ(Printed(HELIXDebug, [&] { draw(&h, nullptr); }), "HELIX error\nHELIX error\n");
    EXPECT_EQ(Printed(HELIXDebug, [&] { draw(&h, &noPixels); }), "HELIX error\nHELIX error\n");
    EXPECT_EQ(Printed(HELIXDebug, [&] { draw(nullptr, &noPixels); }), "HELIX error\nHELIX error\n");
    Image empty = Sized(0, 5);
    draw(&h, empty.get());  // nothing to walk: returns at once
  }
}

}  // namespace
