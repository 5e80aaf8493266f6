// The line font on probe fonts whose glyph n plots colour 0x1000 + n.
#include "lfont.h"

#include <gtest/gtest.h>

#include <string>

#include "list.h"
#include "vector_test_util.h"

namespace {

TEST(Lfont, CodesOutsideTheListOrWithoutGlyphDoNotAdvance) {
  auto image = imagetest::Sized(32, 32);
  LFONT* f = ProbeFont(image.get(), 1, 10);
  f->pen->x = 5;
  LISTPush(f->glyphs, nullptr);  // an absent entry at 10
  for (int32_t code : {-1, 10, 11, 300}) {
    f->code = code;
    LFONTDrawChar(f);
    EXPECT_EQ(f->pen->x, 5) << code;
  }
  EXPECT_TRUE(LitPixels(image.get()).empty());
  f->target = nullptr;  // without an image the pen still moves
  f->code = 3;
  LFONTDrawChar(f);
  EXPECT_EQ(f->pen->x, 6);
  LFONTFree(&f);
}

TEST(Lfont, StringsStopAtLineFeedsTextsGoBackToTheirX) {
  auto image = imagetest::Sized(40, 32);
  LFONT* f = ProbeFont(image.get(), 8);
  f->scale->x = 2, f->scale->y = 3;
  f->pen->x = 1;
  LFONTDrawString(f, "AB\nCD");
  EXPECT_EQ(f->pen->x, 1 + 32);
  f->pen->x = 1;
  f->pen->y = 2;
  LFONTDrawText(f, "AB\nC");
  EXPECT_EQ(f->pen->x * 100 + f->pen->y, (1 + 16) * 100 + 2 + 24);
  EXPECT_EQ(Shown(image.get(), 1, 0, 16, 3) + Shown(image.get(), 1, 2, 16, 3) + Shown(image.get(), 1, 26, 16, 3),
            "AB.AB.C..");
  LFONTFree(&f);
}

TEST(Lfont, NumbersInHexadecimalAndDecimal) {
  auto image = imagetest::Sized(16, 1);
  LFONT* f = ProbeFont(image.get(), 1);
  const struct {
    void (*draw)(LFONT*, uint32_t);
    uint32_t value;
    const char* shown;
  } cases[] = {{LFONTDrawDecimal, 42, "0000000042"},       {LFONTDrawDecimal, 4294967295u, "4294967295"},
               {LFONTDrawHex32, 0x1234ABCD, "1234ABCD"}, {LFONTDrawHex16, 0xFFFF0F0A, "0F0A"},
               {LFONTDrawHex8, 0x1F9, "F9"}};
  for (const auto& c : cases) {
    IMGClear(image.get());
    f->pen->x = 0;
    c.draw(f, c.value);
    EXPECT_EQ(Shown(image.get(), 0, 0, 1, 11), c.shown + std::string(11 - std::string(c.shown).size(), '.'));
  }
  LFONTFree(&f);
}

TEST(Lfont, RandomAndSetColoursAreLightAndDrawn) {
  auto image = imagetest::Sized(4, 1);
  LFONT* f = ProbeFont(image.get(), 1, 4);
  f->code = 2;
  LFONTDrawCharRandomColor(f);
  const uint32_t c = static_cast<OBJ2D*>(LISTGet(f->glyphs, 2))->color;
  EXPECT_EQ(c & 0xFF808080u, 0x808080u);  // every channel 128..255
  EXPECT_EQ(image->pixels[0], c);
  LFONTRandomColors(f);
  LFONTSetColor(f, 0x123456);
  LFONTDrawString(f, "\x01\x03");
  EXPECT_EQ(image->pixels[1] + image->pixels[2], 2 * 0x123456u);
  LFONTFree(&f);
}

}  // namespace
