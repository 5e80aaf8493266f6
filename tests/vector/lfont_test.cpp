// The line font on a probe font whose glyph n plots one pixel of colour
// 0x1000 + n at the pen: the image row then reads back the codes drawn.
#include "lfont.h"

#include <gtest/gtest.h>

#include <string>

#include "list.h"
#include "vector_test_util.h"

namespace {

struct ProbeFont {
  LFONT* f = LFONTNew();
  Image image = NewImage(32, 32);
  explicit ProbeFont(int32_t glyphs = 256) {
    f->glyphs = LISTNew();
    for (int32_t n = 0; n < glyphs; ++n) {
      OBJ2D* glyph = OBJ2DNew();
      SEG2D* dot = SEG2DNew();
      dot->end->x = dot->end->y = 0;
      dot->start->color = dot->end->color = 0x1000 + uint32_t(n);
      OBJ2DAddSegment(glyph, dot);
      LISTPush(f->glyphs, glyph);
    }
    f->cell->x = f->cell->y = 1;
    f->target = image.get();
  }
  ~ProbeFont() { LFONTFree(&f); }
  // The codes drawn on row y, read from the left until the first unlit pixel.
  std::string Row(int32_t y) const {
    std::string codes;
    for (int32_t x = 0; x < image->width && image->pixels[x + y * image->width]; ++x)
      codes += char(image->pixels[x + y * image->width] - 0x1000);
    return codes;
  }
};

TEST(Lfont, CodesOutsideTheListOrWithoutGlyphDoNotAdvance) {
  ProbeFont p(10);
  p.f->pen->x = 5;
  for (int32_t code : {-1, 10, 300}) {
    p.f->code = code;
    LFONTDrawChar(p.f);
    EXPECT_EQ(p.f->pen->x, 5) << code;
  }
  LISTPush(p.f->glyphs, nullptr);  // an absent entry at 10
  p.f->code = 10;
  LFONTDrawChar(p.f);
  EXPECT_EQ(p.f->pen->x, 5);
  EXPECT_TRUE(LitPixels(p.image.get()).empty());

  p.f->target = nullptr;  // without an image the pen still moves
  p.f->code = 3;
  LFONTDrawChar(p.f);
  EXPECT_EQ(p.f->pen->x, 6);
}

TEST(Lfont, StringStopsAtLineFeedTextWrapsToTheStartingX) {
  ProbeFont p;
  p.f->pen->x = 2;
  LFONTDrawString(p.f, "AB\nCD");
  EXPECT_EQ(p.f->pen->x, 4);
  EXPECT_EQ(p.image->pixels[2], 0x1000u + 'A');
  EXPECT_EQ(p.image->pixels[3], 0x1000u + 'B');
  EXPECT_EQ(p.image->pixels[4], 0u);

  ProbeFont t;
  t.f->scale->x = 2, t.f->scale->y = 3;
  t.f->cell->x = t.f->cell->y = 8;
  t.f->pen->x = 1;
  LFONTDrawText(t.f, "AB\nC");
  EXPECT_EQ(t.f->pen->x, 1 + 16);  // one character on the second line
  EXPECT_EQ(t.f->pen->y, 24);
  EXPECT_EQ(LitPixels(t.image.get()), (Pixels{{1, 0}, {17, 0}, {1, 24}}));
}

TEST(Lfont, NumbersInHexadecimalAndDecimal) {
  ProbeFont p;
  LFONTDrawDecimal(p.f, 42);
  EXPECT_EQ(p.Row(0), "0000000042");
  p.f->pen->x = 0, p.f->pen->y = 1;
  LFONTDrawHex32(p.f, 0x1234ABCD);
  EXPECT_EQ(p.Row(1), "1234ABCD");
  p.f->pen->x = 0, p.f->pen->y = 2;
  LFONTDrawHex16(p.f, 0xFFFF0F0A);
  LFONTDrawHex8(p.f, 0x1F9);
  EXPECT_EQ(p.Row(2), "0F0AF9");
  p.f->pen->x = 0, p.f->pen->y = 3;
  LFONTDrawDecimal(p.f, 4294967295u);
  EXPECT_EQ(p.Row(3), "4294967295");
}

TEST(Lfont, RandomColourOfOneGlyphIsLightAndDrawn) {
  ProbeFont p(4);
  p.f->code = 2;
  LFONTDrawCharRandomColor(p.f);
  uint32_t c = static_cast<OBJ2D*>(LISTGet(p.f->glyphs, 2))->color;
  EXPECT_EQ(c & 0xFF808080u, 0x808080u);  // every channel 128..255
  EXPECT_EQ(p.image->pixels[0], c);
  EXPECT_EQ(p.f->pen->x, 1);
}

}  // namespace
