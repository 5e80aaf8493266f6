// The bitmap text scroller: what a band shows, the step's wrap both ways, bad input.
#include "scroll.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "cursor.h"
#include "font.h"
#include "image/image_fixture.h"
#include "img.h"

namespace {

using imagetest::Image;
using imagetest::Sized;

struct FontDeleter {
  void operator()(FONT* font) const { FONTFree(&font); }
};
using Font = std::unique_ptr<FONT, FontDeleter>;
struct ScrollDeleter {
  void operator()(SCROLL* s) const { SCROLLFree(&s); }
};
using Scroll = std::unique_ptr<SCROLL, ScrollDeleter>;

// 16 x 16 cells over 256 x 256; cell n is filled with colour n + 1 except its
// top-left pixel, which is black (transparent when keyed).
Font CodedFont(int32_t cell = 16) {
  Font font(FONTNew());
  font->sheet = Sized(256, 256).release();
  font->cellWidth = cell;
  font->cellHeight = cell;
  const int32_t perRow = 256 / cell;
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x)
      font->sheet->pixels[x + 256 * y] =
          (x % cell == 0 && y % cell == 0) ? 0 : uint32_t((y / cell) * perRow + x / cell + 1);
  return font;
}

// The characters a band shows: the code of the cell under each column's
// middle row, read every cell width from the band's left edge - offset.
std::string Shown(const IMG* target, int32_t y, int32_t firstX, int32_t cells, int32_t w = 16) {
  std::string text;
  for (int32_t i = 0; i < cells; ++i) {
    const uint32_t p = IMGGetPixel(target, firstX + i * w + w / 2, y + w / 2);
    text += p ? char(p - 1) : '.';
  }
  return text;
}

struct Band {
  Image target = Sized(256, 40);
  Font font = CodedFont();
  Scroll s{SCROLLNew()};
  explicit Band(const char* text) { SCROLLSet(s.get(), text, font.get(), target.get()); }
};

TEST(Scroll, NewScrollerWaitsForSet) {
  Scroll s(SCROLLNew());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->speed, 1);
  EXPECT_EQ(s->offset, 0);
  EXPECT_EQ(s->text, nullptr);
  ASSERT_NE(s->cursor, nullptr);
  EXPECT_EQ(std::string(s->cursor->text, size_t(s->cursor->length)), "A scroll's default text. ");
  std::string printed = imagetest::Printed(SCROLLDebug, [&] {
    SCROLLDraw(s.get());
    SCROLLStep(s.get());
  });
  EXPECT_EQ(printed, "SCROLL error\nSCROLL error\n");
  EXPECT_EQ(s->offset, 0);
}

TEST(Scroll, SetTakesTheBandFromTargetAndFont) {
  Band b("HELLO");
  b.s->offset = 3;
  b.s->speed = -2;
  Image other = Sized(100, 10);
  b.s->x = 7;
  SCROLLSet(b.s.get(), "ABC", b.font.get(), other.get());
  EXPECT_EQ(b.s->x, 0);
  EXPECT_EQ(b.s->width, 100);
  EXPECT_EQ(b.s->height, 16);
  EXPECT_EQ(b.s->offset, 3);
  EXPECT_EQ(b.s->speed, -2);
  EXPECT_EQ(b.s->cursor->length, 3);
  EXPECT_EQ(b.s->cursor->position, 0);
  // A missing argument changes nothing.
  SCROLLSet(b.s.get(), "XY", nullptr, other.get());
  SCROLLSet(b.s.get(), nullptr, b.font.get(), other.get());
  SCROLLSet(b.s.get(), "XY", b.font.get(), nullptr);
  EXPECT_STREQ(b.s->text, "ABC");
}

TEST(Scroll, DrawShowsEighteenCellsShiftedByTheOffset) {
  // A band of 256 in a wider target, so that the cells past the band show too.
  Band b("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  IMGResize(b.target.get(), 320, 40);
  b.s->width = 256;
  b.s->y = 10;
  b.s->offset = 5;
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 10, -5, 20), "ABCDEFGHIJKLMNOPQR..");
  EXPECT_EQ(b.font->x, -5 + 18 * 16);
  EXPECT_EQ(b.font->y, 10);
  EXPECT_EQ(b.s->cursor->position, 0);
  EXPECT_EQ(b.s->cursor->step, 1);
  // Keyed: the black corner of the first cell leaves the target's pixel.
  b.target->pixels[11 + 10 * 320] = 0x999999;
  SCROLLDraw(b.s.get());
  EXPECT_EQ(IMGGetPixel(b.target.get(), 11, 10), 0x999999u);
  SCROLLDrawSolid(b.s.get());
  EXPECT_EQ(IMGGetPixel(b.target.get(), 11, 10), 0u);
}

TEST(Scroll, ShortTextRepeatsAcrossTheBand) {
  Band b("XY");
  CURSORSet(b.s->cursor, 1);
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 0, 0, 16), "YXYXYXYXYXYXYXYX");
}

TEST(Scroll, ForwardStepsMoveWholeCells) {
  Band b("ABCDEFGHIJ");
  for (int i = 1; i <= 16; ++i) {
    SCROLLStep(b.s.get());
    ASSERT_EQ(b.s->offset, i % 16);
    ASSERT_EQ(b.s->cursor->position, i / 16);
  }
  b.s->speed = 40;
  SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 3);
  EXPECT_EQ(b.s->offset, 8);
  b.s->speed = 16 * 9;  // nine cells: wraps past the end of the text
  SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 2);
  EXPECT_EQ(b.s->offset, 8);
}

TEST(Scroll, BackwardStepsEndInOneToW) {
  Band b("ABCDEFGHIJ");
  b.s->speed = -1;
  SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 9);
  EXPECT_EQ(b.s->offset, 15);
  b.s->offset = 0;
  CURSORSet(b.s->cursor, 0);
  b.s->speed = -16;
  SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 8);
  EXPECT_EQ(b.s->offset, 16);
  SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 8);
  EXPECT_EQ(b.s->offset, 0);
  // An offset of w shows the same picture as one character on at offset 0.
  b.s->offset = 16;
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 0, 0, 15), "JABCDEFGHIJABCD");
  // Extreme speeds stay in range.
  b.s->speed = INT32_MIN;
  SCROLLStep(b.s.get());
  EXPECT_GE(b.s->offset, 1);
  EXPECT_LE(b.s->offset, 16);
  b.s->speed = INT32_MAX;
  SCROLLStep(b.s.get());
  EXPECT_GE(b.s->offset, 0);
  EXPECT_LT(b.s->offset, 16);
  EXPECT_GE(b.s->cursor->position, 0);
  EXPECT_LT(b.s->cursor->position, 10);
}

TEST(Scroll, OddInputIsHandledSafely) {
  // Bytes above 127 become negative cells: nothing drawn, the pen still advances.
  Band b("A\xC8" "B");
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 0, 0, 6), "A.BA.B");
  // An empty text draws nothing and steps only the offset.
  Band empty("");
  SCROLLDraw(empty.s.get());
  for (int i = 0; i < 256 * 40; ++i) ASSERT_EQ(empty.target->pixels[i], 0u);
  empty.s->speed = 37;
  SCROLLStep(empty.s.get());
  EXPECT_EQ(empty.s->offset, 5);
  EXPECT_EQ(empty.s->cursor->position, 0);
  // A font with cells 0 wide cannot be stepped through or drawn.
  b.font->cellWidth = 0;
  std::string printed = imagetest::Printed(SCROLLDebug, [&] {
    SCROLLStep(b.s.get());
    SCROLLDraw(b.s.get());
  });
  EXPECT_EQ(printed, "SCROLL error\nSCROLL error\n");
  EXPECT_EQ(b.s->offset, 0);
  // A cursor position stored out of range by a caller is wrapped before reading.
  b.font->cellWidth = 16;
  b.s->cursor->position = 1000;
  SCROLLDraw(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 1000 % 3);
}

TEST(Scroll, CopyHasItsOwnCursor) {
  Band b("HELLO");
  SCROLLStep(b.s.get());
  Scroll copy(SCROLLCopy(b.s.get()));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(SCROLLEqual(copy.get(), b.s.get()), 1);
  EXPECT_NE(copy->cursor, b.s->cursor);
  CURSORStep(copy->cursor);
  EXPECT_EQ(SCROLLEqual(copy.get(), b.s.get()), 0);
  EXPECT_EQ(SCROLLToASCII(b.s.get()), nullptr);
  SCROLL* none = nullptr;
  SCROLLFree(&none);
}

}  // namespace
