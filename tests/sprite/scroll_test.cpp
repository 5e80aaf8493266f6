// The bitmap text scroller: what a band shows, the step's wrap both ways, bad input.
#include "scroll.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "cursor.h"
#include "image_fixture.h"
#include "img.h"
#include "sprite_fixture.h"

namespace {

using spritetest::Shown;

struct ScrollDeleter {
  void operator()(SCROLL* s) const { SCROLLFree(&s); }
};

// A scroller over a 256 x 40 target with 16 x 16 cells that read back as their codes.
struct Band {
  imagetest::Image target = imagetest::Sized(256, 40);
  spritetest::Font font = spritetest::Coded();
  std::unique_ptr<SCROLL, ScrollDeleter> s{SCROLLNew()};
  explicit Band(const char* text) { SCROLLSet(s.get(), text, font.get(), target.get()); }
};

TEST(Scroll, DrawShowsEighteenCellsShiftedByTheOffset) {
  Band b("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  IMGResize(b.target.get(), 320, 40);  // wider than the band: the cells past it show too
  b.s->y = 10;
  b.s->offset = 5;
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), -5, 10, 20), "ABCDEFGHIJKLMNOPQR..");
  EXPECT_EQ(b.font->x, -5 + 18 * 16);
  EXPECT_EQ(b.s->cursor->position, 0);
  b.target->pixels[11 + 10 * 320] = 0x999999;  // under the first cell's black corner
  SCROLLDraw(b.s.get());
  EXPECT_EQ(IMGGetPixel(b.target.get(), 11, 10), 0x999999u);
  SCROLLDrawSolid(b.s.get());
  EXPECT_EQ(IMGGetPixel(b.target.get(), 11, 10), 0u);
  Band xy("XY");  // a short text repeats across the band
  CURSORSet(xy.s->cursor, 1);
  SCROLLDraw(xy.s.get());
  EXPECT_EQ(Shown(xy.target.get(), 0, 0, 16), "YXYXYXYXYXYXYXYX");
}

TEST(Scroll, StepsEndInZeroToWForwardAndOneToWBack) {
  Band b("ABCDEFGHIJ");
  for (int i = 1; i <= 16; ++i) SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position * 100 + b.s->offset, 100);
  const struct {
    int32_t speed, offset, position, nextPosition, nextOffset;
  } cases[] = {{40, 0, 1, 3, 8},   {16 * 9, 8, 3, 2, 8},  // nine cells wrap past the end
               {-1, 0, 0, 9, 15},  {-16, 0, 0, 8, 16},  {-16, 16, 8, 8, 0},
               {INT32_MIN, 0, 0, int32_t(((int64_t(INT32_MIN) / 16 - 1) % 10 + 10) % 10), 16},
               {INT32_MAX, 15, 0, int32_t((int64_t(INT32_MAX) + 15) / 16 % 10), (INT32_MAX + int64_t(15)) % 16}};
  for (const auto& c : cases) {
    b.s->speed = c.speed;
    b.s->offset = c.offset;
    CURSORSet(b.s->cursor, c.position);
    SCROLLStep(b.s.get());
    EXPECT_EQ(b.s->cursor->position, c.nextPosition) << c.speed;
    EXPECT_EQ(b.s->offset, c.nextOffset) << c.speed;
  }
  b.s->offset = 16;  // an offset of w shows what one character on at offset 0 shows
  CURSORSet(b.s->cursor, 8);
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 0, 0, 15), "JABCDEFGHIJABCD");
}

TEST(Scroll, OddInputIsHandledSafely) {
  Band b("A\xC8" "B");  // bytes above 127 are negative cells: nothing drawn, the pen advances
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 0, 0, 6), "A.BA.B");
  Band empty("");  // draws nothing, steps only the offset
  SCROLLDraw(empty.s.get());
  EXPECT_TRUE(IMGEqual(empty.target.get(), imagetest::Sized(256, 40).get()));
  empty.s->speed = 37;
  SCROLLStep(empty.s.get());
  EXPECT_EQ(empty.s->offset * 100 + empty.s->cursor->position, 500);
  b.font->cellWidth = 0;  // cells 0 wide cannot be stepped through or drawn
  const std::string printed = imagetest::Printed(SCROLLDebug, [&] {
    SCROLLStep(b.s.get());
    SCROLLDraw(b.s.get());
    SCROLLSet(b.s.get(), nullptr, b.font.get(), b.target.get());
  });
  EXPECT_EQ(printed, "SCROLL error\nSCROLL error\nSCROLL error\n");
  EXPECT_EQ(b.s->offset, 0);
  b.font->cellWidth = 16;  // a position stored out of range by a caller is wrapped before reading
  b.s->cursor->position = 1000;
  SCROLLDraw(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 1000 % 3);
  SCROLL* copy = SCROLLCopy(b.s.get());  // its own cursor at the same place
  EXPECT_TRUE(SCROLLEqual(copy, b.s.get()));
  EXPECT_NE(copy->cursor, b.s->cursor);
  SCROLLFree(&copy);
}

}  // namespace
