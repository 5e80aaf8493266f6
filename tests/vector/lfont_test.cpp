// The line font and the line scroller on probe fonts whose glyph n plots colour
// 0x1000 + n, so that an image reads back which character went where.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "cursor.h"
#include "image_fixture.h"
#include "lfont.h"
#include "list.h"
#include "lscroll.h"
#include "obj2d.h"

namespace {

constexpr uint32_t kProbe = 0x1000;

// A font of `glyphs` glyphs with cell x and y `cell`: glyph n is one dot at its origin.
LFONT* ProbeFont(IMG* target, int32_t cell, int32_t glyphs = 256) {
  LFONT* f = LFONTNew();
  f->glyphs = LISTNew();
  for (int32_t n = 0; n < glyphs; ++n) {
    OBJ2D* glyph = OBJ2DNew();
    SEG2D* dot = SEG2DNew();
    dot->end->x = dot->end->y = 0;
    dot->start->color = dot->end->color = kProbe + uint32_t(n);
    OBJ2DAddSegment(glyph, dot);
    LISTPush(f->glyphs, glyph);
  }
  f->cell->x = f->cell->y = cell;
  f->target = target;
  return f;
}

// The characters at (x0, y), (x0 + dx, y), ... ('.' where nothing was drawn).
std::string Shown(const IMG* image, int32_t x0, int32_t y, int32_t dx, int32_t cells) {
  std::string text;
  for (int32_t i = 0; i < cells; ++i) {
    const uint32_t p = IMGGetPixel(image, x0 + dx * i, y);
    text += p ? char(p - kProbe) : '.';
  }
  return text;
}

// Codes outside the list or without a glyph neither draw nor advance; strings,
// texts, numbers and colours.
TEST(Lfont, BadCodesStringsTextsNumbersAndColours) {
  auto image = imagetest::Sized(32, 32);
  LFONT* f = ProbeFont(image.get(), 1, 10);
  f->pen->x = 5;
  LISTPush(f->glyphs, nullptr);  // an absent entry at 10
  for (int32_t code : {-1, 10, 11, 300}) {
    f->code = code;
    LFONTDrawChar(f);
    EXPECT_EQ(f->pen->x, 5) << code;
  }
  EXPECT_TRUE(imagetest::LitPixels(image.get()).empty());
  f->target = nullptr;  // without an image the pen still moves
  f->code = 3;
  LFONTDrawChar(f);
  EXPECT_EQ(f->pen->x, 6);
  LFONTFree(&f);
  image = imagetest::Sized(40, 32);  // strings stop at a line feed, texts go on at the x where they began
  f = ProbeFont(image.get(), 8);
  f->scale->x = 2, f->scale->y = 3;
  f->pen->x = 1;
  LFONTDrawString(f, "AB\nCD");
  EXPECT_EQ(f->pen->x, 1 + 32);
  f->pen->x = 1, f->pen->y = 2;
  LFONTDrawText(f, "AB\nC");
  EXPECT_EQ(f->pen->x * 100 + f->pen->y, (1 + 16) * 100 + 2 + 24);
  EXPECT_EQ(Shown(image.get(), 1, 0, 16, 3) + Shown(image.get(), 1, 2, 16, 3) + Shown(image.get(), 1, 26, 16, 3),
            "AB.AB.C..");
  LFONTFree(&f);
  image = imagetest::Sized(16, 1);
  f = ProbeFont(image.get(), 1);
  const std::tuple<void (*)(LFONT*, uint32_t), uint32_t, std::string> cases[] = {
      {LFONTDrawDecimal, 42, "0000000042"}, {LFONTDrawDecimal, 4294967295u, "4294967295"},
      {LFONTDrawHex32, 0x1234ABCD, "1234ABCD"}, {LFONTDrawHex16, 0xFFFF0F0A, "0F0A"}, {LFONTDrawHex8, 0x1F9, "F9"}};
  for (const auto& [draw, value, shown] : cases) {
    IMGClear(image.get());
    f->pen->x = 0;
    draw(f, value);
    EXPECT_EQ(Shown(image.get(), 0, 0, 1, 11), shown + std::string(11 - shown.size(), '.'));
  }
  IMGClear(image.get());
  f->pen->x = 0;
  LFONTSetColor(f, 0x123456);
  LFONTDrawString(f, "\x01\x03");
  EXPECT_EQ(image->pixels[0] + image->pixels[1], 2 * 0x123456u);
  LFONTFree(&f);
}

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

TEST(Lscroll, RowDrawsWidthOverCwPlusTwoFromTheCursorWhereItMeetsTheImage) {
  Row r("ABCDEFGHIJKLMNOP"), one("Z"), odd("A\xE9" "B");  // a negative code draws nothing and does not advance
  r.s->x = 3, r.s->y = 4, r.s->offset = 5;
  CURSORSet(r.s->cursor, 1);
  LSCROLLDraw(r.s);
  EXPECT_EQ(Shown(r.image.get(), -2, 4, 8, 9), ".CDEFGHIJ");  // 'B' lands left of the image, 'K' past it
  EXPECT_EQ(r.font->pen->x * 10 + r.s->cursor->position, (-2 + 10 * 8) * 10 + 1);  // 64 / 8 + 2 characters
  LSCROLLDrawColored(one.s, 0x00FF00);
  EXPECT_EQ(IMGGetPixel(one.image.get(), 0, 0) + IMGGetPixel(one.image.get(), 56, 0), 2 * 0x00FF00u);
  LSCROLLDrawRandomColors(one.s);
  EXPECT_EQ(IMGGetPixel(one.image.get(), 0, 0) & 0xFF808080u, 0x808080u);  // every channel 128..255
  EXPECT_NE(IMGGetPixel(one.image.get(), 0, 0), IMGGetPixel(one.image.get(), 8, 0));
  odd.s->cursor->position = 3;  // stored past the text by a caller: wrapped to 0
  LSCROLLDraw(odd.s);
  EXPECT_EQ(Shown(odd.image.get(), 0, 0, 8, 6), "ABABAB");
  const int32_t places[][3] = {{65, 0, 0},  {-65, 0, 0}, {0, 17, 0},  {0, -9, 0},  // the row is 8 high
                               {64, 0, 1}, {-64, 0, 1}, {0, 16, 1}, {0, -8, 1}};  // touching still draws
  for (const auto& p : places) {
    odd.s->x = p[0], odd.s->y = p[1], odd.font->pen->x = 1234;
    LSCROLLDraw(odd.s);
    EXPECT_EQ(odd.font->pen->x != 1234, p[2] == 1) << p[0] << " " << p[1];
  }
}

// Steps end with the offset in 0..cw-1 forward and in 1..cw back; a font that
// does not advance is refused, an empty text draws nothing.
TEST(Lscroll, StepsWrapBothWaysAndBadFontsAreRefused) {
  Row r("0123456789");
  for (int i = 1; i <= 8; ++i) LSCROLLStep(r.s);
  EXPECT_EQ(r.s->cursor->position * 100 + r.s->offset, 100);
  const int32_t cases[][6] = {  // speed, offset, position, scale -> position, offset
      {-1, 0, 0, 1, 9, 7}, {-8, 0, 0, 1, 8, 8}, {-8, 8, 8, 1, 8, 0}, {50, 0, 8, 3, 0, 2}};  // cw 24: two cells and 2
  for (const auto& c : cases) {
    r.s->speed = c[0], r.s->offset = c[1], r.font->scale->x = c[3];
    CURSORSet(r.s->cursor, c[2]);
    LSCROLLStep(r.s);
    EXPECT_EQ(r.s->cursor->position * 100 + r.s->offset, c[4] * 100 + c[5]) << c[0];
  }
  LSCROLL* copy = LSCROLLCopy(r.s);  // its own cursor at the same place
  EXPECT_TRUE(LSCROLLEqual(copy, r.s) && copy->cursor != r.s->cursor);
  copy->y += 1;
  EXPECT_FALSE(LSCROLLEqual(copy, r.s));
  LSCROLLFree(&copy);
  Row empty("");  // an empty text draws nothing
  LSCROLLDraw(empty.s);
  LSCROLLDrawSpiral(empty.s, 1);
  EXPECT_TRUE(imagetest::LitPixels(empty.image.get()).empty());
  r.s->offset = 0;
  r.font->cell->x = 0;  // no advance: would divide by zero
  LSCROLL* none = nullptr;
  EXPECT_EQ(imagetest::Printed(LSCROLLDebug, [&] {
              LSCROLLStep(r.s);
              LSCROLLDraw(r.s);
              LSCROLLDrawSpiral(r.s, 0);
              LSCROLLDrawColored(r.s, 1);
              LSCROLLFree(nullptr);
              LSCROLLFree(&none);
            }).size(),
            6 * std::string("LSCROLL error\n").size());
  EXPECT_EQ(r.s->offset + r.font->pen->x, 0);
  EXPECT_TRUE(imagetest::LitPixels(r.image.get()).empty());
}

// The spiral on a 1024 x 1024 image: the first of its 512 characters, the one at the cursor, lies
// on the outermost turn, 512 * 32766 >> (14 + mode % 4) from the centre in the direction the offset
// gives; the last one is drawn at angle (1024 - 4 * cw - 4 * offset + 512) & 1023, at the centre.
TEST(Lscroll, SpiralWorkedCases) {
  const char text[] = "SPIRAL text, 0123456789 \xB0!";
  auto image = imagetest::Sized(1024, 1024);
  LFONT* font = ProbeFont(image.get(), 8);
  LSCROLL* s = LSCROLLNew();
  LSCROLLSet(s, text, font, image.get());
  const int32_t cases[][8] = {  // mode, offset, position, scale x, y -> first x, y, last angle
      {2, 64, 3, 2, 1, 767, 512, 192}, {1, 128, 10, 1, 3, 512, 0, 992}, {-3, 192, 25, -1, 1, 0, 512, 800},
      {3, 0, 0, 1, 1, 512, 639, 480}};
  for (const auto& c : cases) {
    IMGClear(image.get());
    s->offset = c[1], font->scale->x = c[3], font->scale->y = c[4];
    CURSORSet(s->cursor, c[2]);
    LSCROLLDrawSpiral(s, c[0]);
    EXPECT_EQ(IMGGetPixel(image.get(), c[5], c[6]), kProbe + uint8_t(text[c[2]])) << c[0];
    EXPECT_EQ(font->angle * 100 + s->cursor->position, c[7] * 100 + c[2]);
    EXPECT_GT(imagetest::LitPixels(image.get()).size(), 300u);
  }
  EXPECT_EQ(IMGGetPixel(image.get(), 512, 512), kProbe + '4');  // the last case's last character
  LSCROLLFree(&s);
  LFONTFree(&font);
}

}  // namespace
