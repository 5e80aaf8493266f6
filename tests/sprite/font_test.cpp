// The cell sheet: where cells come from, the three copying rules, text and
// digits, enlarged cells, the text form and bad input.
#include "font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "image_fixture.h"
#include "img.h"
#include "sprite_fixture.h"

namespace {

using imagetest::Sized;
using spritetest::Font;
using spritetest::Numbered;

// A cell drawn solid at pen (x, y) into a 32 x 32 target: it comes from sheet
// pixel (sx, sy) (sx < 0: no such cell), clipped to both images.
TEST(Font, CellsComeFromTheirPlaceAndClipToBothImages) {
  const struct {
    int32_t sw, sh, w, h, code, x, y, sx, sy;
  } cases[] = {
      {256, 256, 16, 16, 65, 10, 12, 16, 64},  // 16 cells a row
      {50, 30, 12, 7, 5, 0, 0, 10, 7},         // a = 60: rows run on across the sheet's width
      {200, 40, 16, 16, 12, 0, 0, 192, 0},     // hangs off the right edge
      {200, 40, 16, 16, 13, 0, 0, 8, 16},
      {16, 40, 16, 16, 2, 0, 0, 0, 32},  // hangs off the bottom
      {16, 40, 16, 16, 3, 0, 0, -1, 0},  // starts below the sheet
      {15, 40, 16, 16, 0, 0, 0, -1, 0},  // sheet narrower than a cell
      {40, 15, 16, 16, 0, 0, 0, -1, 0},  // and lower
      {16, 16, 16, 16, -1, 0, 0, -1, 0},
      {16, 16, 16, 16, INT32_MAX, 0, 0, -1, 0},
      {16, 16, 16, 16, INT32_MIN, 0, 0, -1, 0},
      {16, 16, 16, 16, 0, -8, 0, 0, 0},  // the right half
      {16, 16, 16, 16, 0, 29, -14, 0, 0},
      {1, 1, 1, 1, 0, 31, 31, 0, 0},
  };
  for (const auto& c : cases) {
    auto target = Sized(32, 32), expected = Sized(32, 32);
    Font font = Numbered(c.sw, c.sh, c.w, c.h, target.get());
    for (int32_t i = 0; c.sx >= 0 && i < c.h && c.sy + i < c.sh; ++i)
      for (int32_t j = 0; j < c.w && c.sx + j < c.sw; ++j)
        IMGPutPixel(expected.get(), c.x + j, c.y + i, IMGGetPixel(font->sheet, c.sx + j, c.sy + i));
    font->code = c.code;
    font->x = c.x;
    font->y = c.y;
    FONTDrawCharSolid(font.get());
    EXPECT_TRUE(IMGEqual(target.get(), expected.get())) << c.code;
    EXPECT_EQ(font->x, c.x + c.w);
    EXPECT_EQ(font->y, c.y);
  }
}

TEST(Font, KeyedSolidAndAddedCells) {
  auto target = Sized(2, 1, 7);
  Font font = Numbered(2, 1, 2, 1, target.get());
  font->sheet->pixels[0] = 0;
  FONTDrawChar(font.get());  // black is transparent
  font->x = 0;
  EXPECT_EQ(target->pixels[0] * 100 + target->pixels[1], 7 * 100 + 0x10001u);
  FONTDrawCharAdd(font.get());
  font->x = 0;
  EXPECT_EQ(target->pixels[0] * 100 + target->pixels[1], 7 * 100 + 0x20002u);
  FONTDrawCharSolid(font.get());
  EXPECT_EQ(target->pixels[0] * 100 + target->pixels[1], 0x10001u);
}

TEST(Font, TextAndDigitsDrawTheirCharacters) {
  auto target = Sized(256, 48);
  Font font = spritetest::Coded(target.get());
  const struct {
    void (*draw)(FONT*, uint32_t);
    uint32_t value;
    const char* shown;
  } cases[] = {{FONTDrawDecimal, 42, "0000000042"},       {FONTDrawDecimal, 4294967295u, "4294967295"},
               {FONTDrawHex8, 0x1A5, "A5"},              {FONTDrawHex16, 0x90F3E, "0F3E"},
               {FONTDrawHex32, 0x1234ABCD, "1234ABCD"}};
  for (const auto& c : cases) {
    IMGClear(target.get());
    font->x = font->y = 0;
    c.draw(font.get(), c.value);
    EXPECT_EQ(spritetest::Shown(target.get(), 0, 0, 11), c.shown + std::string(11 - strlen(c.shown), '.'));
    EXPECT_EQ(font->x, 16 * int32_t(strlen(c.shown)));
    EXPECT_EQ(font->code, c.shown[strlen(c.shown) - 1]);
  }
  IMGClear(target.get());
  font->x = font->y = 0;
  FONTDrawText(font.get(), "AB\nCD");  // stops at the line feed
  EXPECT_EQ(spritetest::Shown(target.get(), 0, 0, 3), "AB.");
  font->x = 16;
  font->y = 16;
  FONTDrawTextSolid(font.get(), "AB\nCD");  // the next line starts at the same x
  EXPECT_EQ(spritetest::Shown(target.get(), 0, 16, 3) + spritetest::Shown(target.get(), 0, 32, 3), ".AB.CD");
  EXPECT_EQ(font->x * 100 + font->y, 48 * 100 + 32);
}

TEST(Font, BigDrawsTheSmallCellForEveryLitPixel) {
  auto target = Sized(24, 24), expected = Sized(24, 24);
  Font big = Numbered(8, 4, 4, 2, target.get());
  IMGClear(big->sheet);
  big->sheet->pixels[4 + 2 * 8] = 1;  // cell 3 (second row, right) lights (0, 0) and (3, 1)
  big->sheet->pixels[7 + 3 * 8] = 1;
  big->code = 3;
  big->x = 5;
  big->y = 6;
  Font small = Numbered(2, 3, 2, 3);
  FONTDrawBig(big.get(), small.get());
  EXPECT_EQ(small->target, target.get());
  EXPECT_EQ(big->x, 5 + 2 * 4);
  for (int32_t i = 0; i < 6; ++i) {
    IMGPutPixel(expected.get(), 5 + i % 2, 6 + i / 2, small->sheet->pixels[i]);
    IMGPutPixel(expected.get(), 11 + i % 2, 9 + i / 2, small->sheet->pixels[i]);
  }
  EXPECT_TRUE(IMGEqual(target.get(), expected.get()));
  Font hanging = Numbered(5, 5, 4, 4, target.get());  // cell 1 hangs off the sheet: read only inside
  hanging->code = 1;
  FONTDrawBig(hanging.get(), small.get());
  EXPECT_EQ(hanging->x, 8);
}

TEST(Font, TextFormCopyAndEquality) {
  auto target = Sized(8, 8);
  Font font = Numbered(4, 2, 2, 2, target.get());
  font->x = -3;
  font->y = 9;
  font->code = 1;
  char* text = FONTToASCII(font.get());
  EXPECT_EQ(std::string(text).substr(0, 20), "FONT{\n-3 9 2 2 1\nIMG");
  Font parsed(FONTFromASCII(text));
  free(text);
  ASSERT_TRUE(parsed);
  EXPECT_FALSE(FONTEqual(font.get(), parsed.get()));  // no target
  parsed->target = target.get();
  EXPECT_TRUE(FONTEqual(font.get(), parsed.get()));
  Font copy(FONTCopy(font.get()));
  EXPECT_TRUE(FONTEqual(font.get(), copy.get()));
  copy->sheet->pixels[0] ^= 1;  // its own sheet
  EXPECT_FALSE(FONTEqual(font.get(), copy.get()));
  Font empty(FONTNew());
  EXPECT_EQ(empty->cellWidth * 10 + empty->cellHeight, 66);
  text = FONTToASCII(empty.get());
  Font emptyParsed(FONTFromASCII(text));
  free(text);
  EXPECT_TRUE(FONTEqual(empty.get(), emptyParsed.get()));
  EXPECT_EQ(FONTFromASCII("no font here"), nullptr);
  EXPECT_EQ(FONTFromASCII("FONT{\n1 2 x"), nullptr);
}

TEST(Font, DrawingWithoutSheetTargetOrCellsIsRefused) {
  auto target = Sized(32, 32);
  Font font(FONTNew());  // no sheet, no target
  Font flat = Numbered(16, 16, 16, 0, target.get()), narrow = Numbered(16, 16, -16, 16, target.get());
  const std::string printed = imagetest::Printed(FONTDebug, [&] {
    FONTDrawChar(font.get());
    FONTDrawText(font.get(), "AB");
    FONTDrawChar(nullptr);
    FONTDrawCharSolid(flat.get());
    FONTDrawHex32(flat.get(), 7);
    FONTDrawDecimal(narrow.get(), 7);
    FONTDrawText(narrow.get(), "A");
    FONTDrawTextSolid(nullptr, "A");
    FONTDrawBig(flat.get(), font.get());
  });
  EXPECT_EQ(printed.size(), 9 * std::string("FONT Error.\n").size());
  EXPECT_EQ(font->x + flat->x + narrow->x, 0);
  EXPECT_TRUE(IMGEqual(target.get(), Sized(32, 32).get()));
  FONT* freed = FONTNew();
  freed->sheet = IMGNew();
  FONTFree(&freed);
  EXPECT_EQ(freed, nullptr);
}

}  // namespace
