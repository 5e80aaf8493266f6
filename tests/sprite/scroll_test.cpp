// The bitmap text scroller: what a band shows, the step's wrap both ways, bad input.
#include "scroll.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "cursor.h"
#include "font.h"
#include "image_fixture.h"
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
Font CodedFont() {
  Font font(FONTNew());
  font->sheet = Sized(256, 256).release();
  font->cellWidth = font->cellHeight = 16;
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x)
      font->sheet->pixels[x + 256 * y] = (x % 16 || y % 16) ? uint32_t((y / 16) * 16 + x / 16 + 1) : 0;
  return font;
}

// The characters a band shows: the code of the cell under each column's
// middle row, read every cell width from the band's left edge - offset.
std::string Shown(const IMG* target, int32_t y, int32_t firstX, int32_t cells) {
  std::string text;
  for (int32_t i = 0; i < cells; ++i) {
    const uint32_t p = IMGGetPixel(target, firstX + i * 16 + 8, y + 8);
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
  EXPECT_EQ(b.s->cursor->position, 0);
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

TEST(Scroll, StepsEndInZeroToWForwardAndOneToWBack) {
  Band b("ABCDEFGHIJ");
  for (int i = 1; i <= 16; ++i) SCROLLStep(b.s.get());
  EXPECT_EQ(b.s->cursor->position, 1);
  EXPECT_EQ(b.s->offset, 0);
  const struct {
    int32_t speed, offset, position, nextPosition, nextOffset;
  } cases[] = {{40, 0, 1, 3, 8},   {16 * 9, 8, 3, 2, 8},  // nine cells wrap past the end
               {-1, 0, 0, 9, 15},  {-16, 0, 0, 8, 16},  {-16, 16, 8, 8, 0},
               {INT32_MIN, 0, 0, int32_t(((int64_t(INT32_MIN) / 16 - 1) % 10 + 10) % 10), 16}};
  for (const auto& c : cases) {
    b.s->speed = c.speed;
    b.s->offset = c.offset;
    CURSORSet(b.s->cursor, c.position);
    SCROLLStep(b.s.get());
    EXPECT_EQ(b.s->cursor->position, c.nextPosition) << c.speed;
    EXPECT_EQ(b.s->offset, c.nextOffset) << c.speed;
  }
  // An offset of w shows the same picture as one character on at offset 0.
  b.s->offset = 16;
  CURSORSet(b.s->cursor, 8);
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), 0, 0, 15), "JABCDEFGHIJABCD");
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

}  // namespace
