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

// One move from a position with a velocity on a 100 x 256 area: the margin is
// the pixels of two steps, the same either way, and a star past it comes
// back at the far margin's whole pixel.
TEST(Lstars, MovesWrapPastMarginsOfTheVelocitysSize) {
  const struct {
    int32_t dx, dy, x, y, nextX, nextY;
  } cases[] = {
      {0, kOne, 10 * kOne, 257 * kOne, 10 * kOne, -1 * kOne},  // my = 2: py 258 restarts at -1
      {0, kOne, 0, 256 * kOne + 0xFFFF, 0, 257 * kOne + 0xFFFF},  // py 257: still inside
      {3 * kOne / 2, 0, 101 * kOne, 0, 102 * kOne + kOne / 2, 0},  // mx = 3
      {3 * kOne / 2, 0, 102 * kOne + kOne / 2, 0, -2 * kOne, 0},   // px 104 >= 103: back at 1 - 3
      {-3 * kOne / 2, 0, -1 * kOne, 0, -3 * kOne + kOne / 2, 0},   // px -3: not yet past -3
      {-3 * kOne / 2, 0, -3 * kOne + kOne / 2, 0, 102 * kOne, 0},  // px -4: back at 3 + 100 - 1
      {-1, 0, 0, 0, 99 * kOne, 0},          // no margin: column 0 is left at once
      {-1, -1, kOne, kOne, kOne - 1, kOne - 1},
  };
  Stars s(LSTARSNew());
  LSTARSSetCount(s.get(), 1);
  s->width = 100;
  for (const auto& c : cases) {
    s->velocity = LSTARSVelocity{c.dx, c.dy};
    s->stars[0] = LSTARSPoint{c.x, c.y};
    LSTARSMove(s.get());
    EXPECT_EQ(s->stars[0].x, c.nextX) << c.dx << " " << c.x;
    EXPECT_EQ(s->stars[0].y, c.nextY) << c.dy << " " << c.y;
  }
  s->velocity = LSTARSVelocity{0, kOne};  // a lap is height + 3 moves
  s->stars[0] = LSTARSPoint{30 * kOne, 100 * kOne};
  for (int i = 0; i < 256 + 3; ++i) LSTARSMove(s.get());
  EXPECT_EQ(s->stars[0].y, 100 * kOne);
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
  EXPECT_EQ(font->target, sprites.get());
  EXPECT_TRUE(IMGEqual(sprites.get(), cell.get()));
  FONTFree(&font);
}

}  // namespace
