// The line starfield: placement order, the margins and wrap, the three drawings, bad input.
#include "lstars.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "font.h"
#include "image_fixture.h"
#include "img.h"

namespace {

using imagetest::Image;
using imagetest::Sized;

struct StarsDeleter {
  void operator()(LSTARS* s) const { LSTARSFree(&s); }
};
using Stars = std::unique_ptr<LSTARS, StarsDeleter>;

constexpr int32_t kOne = 65536;

TEST(Lstars, NewPlacesStarsLastToFirstXThenY) {
  srand(1234);
  Stars s(LSTARSNew());
  srand(1234);
  ASSERT_EQ(s->count, 16);
  for (int32_t i = 15; i >= 0; --i) {
    const int32_t x = rand() % 256, y = rand() % 256;
    EXPECT_EQ(s->stars[i].x, x * kOne) << i;
    EXPECT_EQ(s->stars[i].y, y * kOne) << i;
  }
}

TEST(Lstars, MovingDownWrapsPastTheMargin) {
  Stars s(LSTARSNew());
  s->stars[0] = LSTARSPoint{10 * kOne, 257 * kOne};
  s->stars[1] = LSTARSPoint{20 * kOne, 257 * kOne + 0xFFFF};
  s->stars[3] = LSTARSPoint{20 * kOne, 256 * kOne + 0xFFFF};
  LSTARSMove(s.get());
  // my = 2: py reaches 258 and the star restarts at py = -1.
  EXPECT_EQ(s->stars[0].y, -1 * kOne);
  EXPECT_EQ(s->stars[0].x, 10 * kOne);  // dx = 0: x never wraps
  EXPECT_EQ(s->stars[1].y, -1 * kOne);
  EXPECT_EQ(s->stars[3].y, 257 * kOne + 0xFFFF);  // py 257: still inside the margin
  // A full lap of moves brings every star back to its pixel (a lap is height + 3 moves).
  s->stars[2] = LSTARSPoint{30 * kOne, 100 * kOne};
  for (int i = 0; i < 256 + 3; ++i) LSTARSMove(s.get());
  EXPECT_EQ(s->stars[2].y, 100 * kOne);
  EXPECT_EQ(s->stars[2].x, 30 * kOne);
}

TEST(Lstars, MarginsFollowTheSizeOfTheVelocity) {
  Stars s(LSTARSNew());
  s->width = 100;
  s->velocity = LSTARSVelocity{3 * kOne / 2, 0};  // mx = 3
  s->stars[0] = LSTARSPoint{101 * kOne, 0};
  LSTARSMove(s.get());
  EXPECT_EQ(s->stars[0].x, 102 * kOne + kOne / 2);
  LSTARSMove(s.get());  // px 104 >= 103: back at 1 - 3
  EXPECT_EQ(s->stars[0].x, -2 * kOne);
  // Moving left by the same amount: the star leaves past -3 and comes back at 102.
  s->velocity.dx = -3 * kOne / 2;
  s->stars[0] = LSTARSPoint{-1 * kOne, 0};
  LSTARSMove(s.get());
  EXPECT_EQ(s->stars[0].x, -3 * kOne + kOne / 2);  // px -3: not yet past -3
  LSTARSMove(s.get());                              // px -4 < -3: back at 3 + 100 - 1
  EXPECT_EQ(s->stars[0].x, 102 * kOne);
  // A tiny leftward velocity has no margin: a star at column 0 stays until it is past it.
  s->velocity.dx = -1;
  s->stars[0].x = 0;
  LSTARSMove(s.get());
  EXPECT_EQ(s->stars[0].x, 99 * kOne);
  s->stars[0].x = kOne;
  LSTARSMove(s.get());
  EXPECT_EQ(s->stars[0].x, kOne - 1);
}

TEST(Lstars, DotsAndStreaks) {
  Stars s(LSTARSNew());
  LSTARSSetCount(s.get(), 2);
  s->stars[0] = LSTARSPoint{5 * kOne, 6 * kOne};
  s->stars[1] = LSTARSPoint{-1 * kOne, 3 * kOne};
  s->color = 0x123456;
  Image image = Sized(40, 30);
  LSTARSDrawDots(s.get(), image.get());
  EXPECT_EQ(s->width, 40);
  EXPECT_EQ(s->height, 30);
  Image dot = Sized(40, 30);
  IMGPutPixel(dot.get(), 5, 6, 0x123456);
  EXPECT_EQ(IMGEqual(image.get(), dot.get()), 1);
  // Streaks point back two steps along the velocity: the same as IMGLine of those ends.
  s->velocity = LSTARSVelocity{3 * kOne, -2 * kOne};
  Image streaks = Sized(40, 30), expected = Sized(40, 30);
  LSTARSDrawStreaks(s.get(), streaks.get());
  IMGLine(expected.get(), -1, 3, -7, 7, 0x123456);
  IMGLine(expected.get(), 5, 6, -1, 10, 0x123456);
  EXPECT_EQ(IMGEqual(streaks.get(), expected.get()), 1);
}

TEST(Lstars, SpritesUseTheRowAsCell) {
  FONT* font = FONTNew();
  font->sheet = Sized(256, 256).release();
  font->cellWidth = font->cellHeight = 16;
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) font->sheet->pixels[x + 256 * y] = uint32_t((y / 16) * 16 + x / 16 + 1);
  Stars s(LSTARSNew());
  LSTARSSetCount(s.get(), 2);
  s->sprites = font;
  s->stars[0] = LSTARSPoint{40 * kOne, 70 * kOne};
  s->stars[1] = LSTARSPoint{100 * kOne, -5 * kOne};  // negative cell: nothing drawn
  Image image = Sized(128, 128);
  LSTARSDrawSprites(s.get(), image.get());
  EXPECT_EQ(font->target, image.get());
  EXPECT_EQ(IMGGetPixel(image.get(), 24, 54), 7u);  // cell 6 at (24, 54)
  EXPECT_EQ(IMGGetPixel(image.get(), 39, 69), 7u);
  EXPECT_EQ(IMGGetPixel(image.get(), 23, 54), 0u);
  FONTFree(&font);
}

TEST(Lstars, BadInputIsRefused) {
  Stars s(LSTARSNew());
  const LSTARSPoint first = s->stars[0];
  Image image = Sized(8, 8);
  std::string printed = imagetest::Printed(LSTARSDebug, [&] {
    LSTARSSetCount(s.get(), 0);
    LSTARSSetCount(s.get(), -4);
    LSTARSPlace(s.get(), 16);
    LSTARSPlace(s.get(), -1);
    LSTARSDrawSprites(s.get(), image.get());  // no sprite font
    LSTARSDrawDots(s.get(), nullptr);
    LSTARSMove(nullptr);
  });
  EXPECT_EQ(printed.size(), 7 * std::string("LSTARS error\n").size());
  EXPECT_EQ(s->count, 16);
  EXPECT_EQ(s->stars[0].x, first.x);
  EXPECT_EQ(s->stars[0].y, first.y);
  // An area of no size cannot be placed in (no division by zero).
  s->width = 0;
  LSTARSReset(s.get());
  EXPECT_EQ(s->stars[0].x, first.x);
}

}  // namespace
