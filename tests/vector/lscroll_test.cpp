// The line scroller on probe fonts whose glyph n plots colour 0x1000 + n at its
// origin, so that the image reads back which character went where.
#include "lscroll.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "cursor.h"
#include "image_fixture.h"
#include "lfont.h"
#include "vector_test_util.h"

namespace {

// A scroller over a 64 x 16 image with a probe font of cells 8 wide.
struct Row {
  imagetest::Image image = imagetest::Sized(64, 16);
  LFONT* font = ProbeFont(image.get(), 8);
  LSCROLL* s = LSCROLLNew();
  explicit Row(const char* text) { LSCROLLSet(s, text, font, image.get()); }
  ~Row() {
    LSCROLLFree(&s);
    LFONTFree(&font);
  }
};

TEST(Lscroll, RowDrawsWidthOverCwPlusTwoFromTheCursor) {
  Row r("ABCDEFGHIJKLMNOP");
  r.s->x = 3;
  r.s->y = 4;
  r.s->offset = 5;
  CURSORSet(r.s->cursor, 1);
  LSCROLLDraw(r.s);
  EXPECT_EQ(Shown(r.image.get(), -2, 4, 8, 9), ".CDEFGHIJ");  // 'B' lands left of the image, 'K' past it
  EXPECT_EQ(r.font->pen->x, -2 + 10 * 8);                     // 64 / 8 + 2 characters
  EXPECT_EQ(r.s->cursor->position, 1);
  Row one("Z");
  LSCROLLDrawColored(one.s, 0x00FF00);
  EXPECT_EQ(IMGGetPixel(one.image.get(), 0, 0) + IMGGetPixel(one.image.get(), 56, 0), 2 * 0x00FF00u);
  LSCROLLDrawRandomColors(one.s);
  EXPECT_EQ(IMGGetPixel(one.image.get(), 8, 0) & 0x808080, 0x808080u);
  EXPECT_NE(IMGGetPixel(one.image.get(), 0, 0), IMGGetPixel(one.image.get(), 8, 0));
}

TEST(Lscroll, RowOffTheImageIsNotDrawn) {
  Row r("AB");
  const int32_t places[][3] = {{65, 0, 0},  {-65, 0, 0}, {0, 17, 0},  {0, -9, 0},  // the row is 8 high
                               {64, 0, 1}, {-64, 0, 1}, {0, 16, 1}, {0, -8, 1}};  // touching still draws
  for (const auto& p : places) {
    r.s->x = p[0];
    r.s->y = p[1];
    r.font->pen->x = 1234;
    LSCROLLDraw(r.s);
    EXPECT_EQ(r.font->pen->x != 1234, p[2] == 1) << p[0] << " " << p[1];
  }
}

TEST(Lscroll, StepsEndInZeroToCwForwardAndOneToCwBack) {
  Row r("0123456789");
  for (int i = 1; i <= 8; ++i) LSCROLLStep(r.s);
  EXPECT_EQ(r.s->cursor->position * 100 + r.s->offset, 100);
  const struct {
    int32_t speed, offset, position, scale, nextPosition, nextOffset;
  } cases[] = {{-1, 0, 0, 1, 9, 7}, {-8, 0, 0, 1, 8, 8}, {-8, 8, 8, 1, 8, 0},
               {50, 0, 8, 3, 0, 2}};  // cw = 8 * 3: 50 is two cells and 2
  for (const auto& c : cases) {
    r.s->speed = c.speed;
    r.s->offset = c.offset;
    r.font->scale->x = c.scale;
    CURSORSet(r.s->cursor, c.position);
    LSCROLLStep(r.s);
    EXPECT_EQ(r.s->cursor->position, c.nextPosition) << c.speed;
    EXPECT_EQ(r.s->offset, c.nextOffset) << c.speed;
  }
  r.font->scale->x = 1;  // offset 8 at character 8 shows what offset 0 at character 9 shows
  r.s->offset = 8;
  CURSORSet(r.s->cursor, 8);
  LSCROLLDraw(r.s);
  EXPECT_EQ(Shown(r.image.get(), 0, 0, 8, 8), "90123456");
}

TEST(Lscroll, BadFontsAndBytesAreHandledSafely) {
  Row r("A\xE9" "B");
  LSCROLLDraw(r.s);  // the negative code draws nothing and does not advance
  EXPECT_EQ(Shown(r.image.get(), 0, 0, 8, 6), "ABABAB");
  LSCROLL* copy = LSCROLLCopy(r.s);  // its own cursor at the same place
  EXPECT_TRUE(LSCROLLEqual(copy, r.s));
  EXPECT_NE(copy->cursor, r.s->cursor);
  LSCROLLFree(&copy);
  r.font->cell->x = 0;  // no advance: would divide by zero
  const int32_t pen = r.font->pen->x;
  std::string printed = imagetest::Printed(LSCROLLDebug, [&] {
    LSCROLLStep(r.s);
    LSCROLLDraw(r.s);
    LSCROLLDrawSpiral(r.s, 0);
    LSCROLLDrawColored(r.s, 1);
    LSCROLLFree(nullptr);
    LSCROLLFree(&copy);
  });
  EXPECT_EQ(printed.size(), 6 * std::string("LSCROLL error\n").size());
  EXPECT_EQ(r.s->offset, 0);
  EXPECT_EQ(r.font->pen->x, pen);
  Row empty("");  // an empty text draws nothing
  LSCROLLDraw(empty.s);
  LSCROLLDrawSpiral(empty.s, 1);
  EXPECT_TRUE(LitPixels(empty.image.get()).empty());
}

// The spiral on a 1024 x 1024 image: the first of its 512 characters, the one
// at the cursor, lies on the outermost turn, 512 * 32766 >> (14 + mode % 4) from
// the centre in the direction the offset gives; the last one is drawn at angle
// (1024 - 4 * cw - 4 * offset + 512) & 1023.
TEST(Lscroll, SpiralWorkedCases) {
  const char text[] = "SPIRAL text, 0123456789 \xB0!";
  auto image = imagetest::Sized(1024, 1024);
  LFONT* font = ProbeFont(image.get(), 8);
  LSCROLL* s = LSCROLLNew();
  LSCROLLSet(s, text, font, image.get());
  const struct {
    int32_t mode, offset, position, scaleX, scaleY, firstX, firstY, angle;
  } cases[] = {{3, 0, 0, 1, 1, 512, 639, 480},
               {2, 64, 3, 2, 1, 767, 512, 192},
               {1, 128, 10, 1, 3, 512, 0, 992},
               {-3, 192, 25, -1, 1, 0, 512, 800}};
  for (const auto& c : cases) {
    IMGClear(image.get());
    s->offset = c.offset;
    CURSORSet(s->cursor, c.position);
    font->scale->x = c.scaleX;
    font->scale->y = c.scaleY;
    LSCROLLDrawSpiral(s, c.mode);
    EXPECT_EQ(IMGGetPixel(image.get(), c.firstX, c.firstY), kProbe + uint8_t(text[c.position])) << c.mode;
    EXPECT_EQ(font->angle, c.angle);
    EXPECT_EQ(s->cursor->position, c.position);
    EXPECT_GT(LitPixels(image.get()).size(), 300u);
  }
  s->offset = 0;  // the last character at the centre
  font->scale->x = 1;
  CURSORSet(s->cursor, 0);
  LSCROLLDrawSpiral(s, 3);
  EXPECT_EQ(IMGGetPixel(image.get(), 512, 512), kProbe + '4');
  LSCROLLFree(&s);
  LFONTFree(&font);
}

}  // namespace
