#include "font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "img.h"

namespace {

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;
struct FontDeleter {
  void operator()(FONT* font) const { FONTFree(&font); }
};
using Font = std::unique_ptr<FONT, FontDeleter>;

Image NewImage(int32_t width, int32_t height, uint32_t fill = 0) {
  Image image(IMGNew());
  IMGResize(image.get(), width, height);
  for (int32_t i = 0; i < width * height; ++i) image->pixels[i] = fill;
  return image;
}

// A font whose sheet pixels are all different (and never 0).
Font NumberedFont(int32_t sheetWidth, int32_t sheetHeight, int32_t cellWidth, int32_t cellHeight,
                  IMG* target) {
  Font font(FONTNew());
  font->sheet = NewImage(sheetWidth, sheetHeight).release();
  for (int32_t i = 0; i < sheetWidth * sheetHeight; ++i) font->sheet->pixels[i] = 0x10000u + uint32_t(i);
  font->cellWidth = cellWidth;
  font->cellHeight = cellHeight;
  font->target = target;
  return font;
}

// A 16 x 16-cell font over 256 x 256 whose cell n is filled with the colour n + 1,
// so that the drawn text can be read back cell by cell.
Font ColourCodedFont(IMG* target) {
  Font font = NumberedFont(256, 256, 16, 16, target);
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) font->sheet->pixels[x + 256 * y] = uint32_t((y / 16) * 16 + x / 16 + 1);
  return font;
}

std::string ReadBack(const IMG* target, int32_t y, int32_t cells) {
  std::string text;
  for (int32_t i = 0; i < cells; ++i) text += char(target->pixels[i * 16 + 5 + (y + 5) * target->width] - 1);
  return text;
}

uint32_t Pixel(const IMG* image, int32_t x, int32_t y) { return image->pixels[x + y * image->width]; }

// The drawing of one cell as the plain per-pixel rule: where the cell starts in
// the sheet by the addressing formula, and every pixel that lies inside both images.
enum class Rule { Keyed, Solid, Add };
void ReferenceDraw(const FONT& font, IMG* target, Rule rule) {
  const IMG* sheet = font.sheet;
  if (font.code < 0 || sheet->width < font.cellWidth || sheet->height < font.cellHeight) return;
  int64_t a = int64_t(font.code) * font.cellWidth;
  int64_t sx = a % sheet->width, sy = (a / sheet->width) * font.cellHeight;
  for (int64_t i = 0; i < font.cellHeight; ++i)
    for (int64_t j = 0; j < font.cellWidth; ++j) {
      int64_t px = sx + j, py = sy + i, tx = font.x + j, ty = font.y + i;
      if (px >= sheet->width || py >= sheet->height || tx < 0 || ty < 0 || tx >= target->width ||
          ty >= target->height)
        continue;
      uint32_t s = sheet->pixels[px + py * sheet->width];
      uint32_t& d = target->pixels[tx + ty * target->width];
      if (rule == Rule::Solid) d = s;
      else if (rule == Rule::Add) d += s;
      else if (s) d = s;
    }
}

TEST(Font, NewFontIsEmptyAndCannotDraw) {
  Font font(FONTNew());
  ASSERT_TRUE(font);
  EXPECT_EQ(font->cellWidth, 6);
  EXPECT_EQ(font->cellHeight, 6);
  EXPECT_EQ(font->x, 0);
  EXPECT_EQ(font->y, 0);
  EXPECT_EQ(font->code, 0);
  EXPECT_EQ(font->sheet, nullptr);
  EXPECT_EQ(font->target, nullptr);
  FONTDebug = 1;
  testing::internal::CaptureStdout();
  FONTDrawChar(font.get());
  FONTDrawText(font.get(), "AB");
  FONTDrawChar(nullptr);
  FONTDebug = 0;
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FONT Error.\nFONT Error.\nFONT Error.\n");
  EXPECT_EQ(font->x, 0);
}

TEST(Font, FreeReleasesSheetAndNullsPointer) {
  FONT* font = FONTNew();
  font->sheet = IMGNew();
  FONTFree(&font);
  EXPECT_EQ(font, nullptr);
  FONTFree(&font);  // reported, no crash
}

TEST(Font, CellSixtyFiveComesFromSixteenSixtyFour) {
  Image target = NewImage(64, 64);
  Font font = NumberedFont(256, 256, 16, 16, target.get());
  font->code = 65;
  font->x = 10;
  font->y = 20;
  FONTDrawChar(font.get());
  EXPECT_EQ(font->x, 26);
  EXPECT_EQ(font->y, 20);
  for (int32_t i = 0; i < 16; ++i)
    for (int32_t j = 0; j < 16; ++j)
      ASSERT_EQ(Pixel(target.get(), 10 + j, 20 + i), Pixel(font->sheet, 16 + j, 64 + i));
  EXPECT_EQ(Pixel(target.get(), 9, 20), 0u);
  EXPECT_EQ(Pixel(target.get(), 26, 20), 0u);
}

TEST(Font, DrawsLikeThePlainRuleForRandomCellsPensAndSizes) {
  std::mt19937 random(7);
  auto pick = [&](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  for (int round = 0; round < 3000; ++round) {
    Image target = NewImage(pick(1, 40), pick(1, 40));
    for (int32_t i = 0; i < target->width * target->height; ++i) target->pixels[i] = uint32_t(random()) & 0xFFFFFF;
    Font font = NumberedFont(pick(1, 50), pick(1, 50), pick(1, 12), pick(1, 12), target.get());
    for (int32_t i = 0; i < font->sheet->width * font->sheet->height; ++i)
      if (random() % 3 == 0) font->sheet->pixels[i] = 0;  // holes for the keyed rule
    font->code = pick(-3, 60);
    font->x = pick(-15, 45);
    font->y = pick(-15, 45);
    Rule rule = Rule(round % 3);
    Image expected(IMGCopy(target.get()));
    ReferenceDraw(*font, expected.get(), rule);
    const int32_t x = font->x;
    if (rule == Rule::Keyed) FONTDrawChar(font.get());
    if (rule == Rule::Solid) FONTDrawCharSolid(font.get());
    if (rule == Rule::Add) FONTDrawCharAdd(font.get());
    ASSERT_TRUE(IMGEqual(target.get(), expected.get())) << "round " << round;
    ASSERT_EQ(font->x, x + font->cellWidth);
  }
}

TEST(Font, BadCellsAndCodesDrawNothingAndNeverReadOutside) {
  Image target = NewImage(32, 32);
  Image blank = NewImage(32, 32);
  Font font = NumberedFont(16, 16, 16, 16, target.get());
  for (int32_t code : {-1, -16, 1, 2, 1000, INT32_MAX, INT32_MIN}) {
    font->code = code;
    font->x = 0;
    FONTDrawChar(font.get());
    EXPECT_EQ(font->x, 16) << code;  // the pen moves although nothing is drawn
  }
  EXPECT_TRUE(IMGEqual(target.get(), blank.get()));

  for (int32_t size : {0, -1, -16}) {
    Font bad = NumberedFont(16, 16, size, 16, target.get());
    FONTDrawChar(bad.get());
    FONTDrawText(bad.get(), "A");
    FONTDrawDecimal(bad.get(), 7);
    EXPECT_EQ(bad->x, 0);
    bad->cellWidth = 16;
    bad->cellHeight = size;
    FONTDrawCharSolid(bad.get());
    FONTDrawHex32(bad.get(), 7);
    EXPECT_EQ(bad->x, 0);
  }
  EXPECT_TRUE(IMGEqual(target.get(), blank.get()));

  Font tiny = NumberedFont(15, 40, 16, 16, target.get());  // narrower than one cell
  FONTDrawCharSolid(tiny.get());
  Font flat = NumberedFont(40, 15, 16, 16, target.get());  // lower than one cell
  FONTDrawCharSolid(flat.get());
  EXPECT_TRUE(IMGEqual(target.get(), blank.get()));
  EXPECT_EQ(tiny->x, 16);
}

TEST(Font, TextStopsAtLineFeedAndSolidTextStartsANewLine) {
  Image target = NewImage(64, 64);
  Font font = ColourCodedFont(target.get());
  font->x = 0;
  font->y = 0;
  FONTDrawText(font.get(), "AB\nCD");
  EXPECT_EQ(ReadBack(target.get(), 0, 3), std::string("AB") + char(-1));
  EXPECT_EQ(font->x, 32);
  EXPECT_EQ(font->code, 'B');

  IMGClear(target.get());
  font->x = 16;
  font->y = 0;
  FONTDrawTextSolid(font.get(), "AB\nCD");
  EXPECT_EQ(ReadBack(target.get(), 0, 3), std::string(1, char(-1)) + "AB");
  EXPECT_EQ(ReadBack(target.get(), 16, 3), std::string(1, char(-1)) + "CD");
  EXPECT_EQ(font->x, 48);
  EXPECT_EQ(font->y, 16);
  FONTDrawText(font.get(), nullptr);  // reported, nothing drawn
  EXPECT_EQ(font->x, 48);
}

TEST(Font, DecimalAndHexadecimalDigits) {
  Image target = NewImage(256, 16);
  Font font = ColourCodedFont(target.get());
  auto drawn = [&](void (*draw)(FONT*, uint32_t), uint32_t value, int32_t cells) {
    IMGClear(target.get());
    font->x = 0;
    font->y = 0;
    draw(font.get(), value);
    EXPECT_EQ(font->x, 16 * cells);
    return ReadBack(target.get(), 0, cells);
  };
  EXPECT_EQ(drawn(FONTDrawDecimal, 42, 10), "0000000042");
  EXPECT_EQ(drawn(FONTDrawDecimal, 4294967295u, 10), "4294967295");
  EXPECT_EQ(drawn(FONTDrawDecimal, 0, 10), "0000000000");
  EXPECT_EQ(drawn(FONTDrawHex8, 0x1A5, 2), "A5");
  EXPECT_EQ(drawn(FONTDrawHex16, 0x90F3E, 4), "0F3E");
  EXPECT_EQ(drawn(FONTDrawHex32, 0x1234ABCD, 8), "1234ABCD");
  EXPECT_EQ(font->code, 'D');
}

TEST(Font, BigDrawsTheSmallCellForEveryLitPixel) {
  Image target = NewImage(64, 64);
  Font big = NumberedFont(8, 4, 4, 2, target.get());
  IMGClear(big->sheet);
  // Cell 3 (second row, right) lights its pixels (0, 0) and (3, 1).
  big->sheet->pixels[4 + 2 * 8] = 1;
  big->sheet->pixels[7 + 3 * 8] = 1;
  big->code = 3;
  big->x = 5;
  big->y = 6;
  Font small = NumberedFont(2, 3, 2, 3, nullptr);
  FONTDrawBig(big.get(), small.get());
  EXPECT_EQ(small->target, target.get());
  EXPECT_EQ(big->x, 5 + 2 * 4);
  int lit = 0;
  for (int32_t i = 0; i < 64 * 64; ++i) lit += target->pixels[i] != 0;
  EXPECT_EQ(lit, 12);
  EXPECT_EQ(Pixel(target.get(), 5, 6), Pixel(small->sheet, 0, 0));
  EXPECT_EQ(Pixel(target.get(), 5 + 3 * 2 + 1, 6 + 1 * 3 + 2), Pixel(small->sheet, 1, 2));

  Font hanging = NumberedFont(5, 5, 4, 4, target.get());  // cell 1 hangs off the sheet
  hanging->code = 1;
  FONTDrawBig(hanging.get(), small.get());  // reads only inside the sheet
  Font noSheet(FONTNew());
  const int32_t x = big->x;
  FONTDrawBig(big.get(), noSheet.get());
  EXPECT_EQ(big->x, x);
}

TEST(Font, TextFormCopyAndEquality) {
  Image target = NewImage(8, 8);
  Font font = NumberedFont(4, 2, 2, 2, target.get());
  font->x = -3;
  font->y = 9;
  font->code = 1;
  char* text = FONTToASCII(font.get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text).substr(0, 20), "FONT{\n-3 9 2 2 1\nIMG");
  Font parsed(FONTFromASCII(text));
  free(text);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->target, nullptr);
  EXPECT_FALSE(FONTEqual(font.get(), parsed.get()));  // targets differ
  parsed->target = target.get();
  EXPECT_TRUE(FONTEqual(font.get(), parsed.get()));

  Font copy(FONTCopy(font.get()));
  ASSERT_TRUE(copy);
  EXPECT_NE(copy->sheet, font->sheet);
  EXPECT_TRUE(FONTEqual(font.get(), copy.get()));
  copy->sheet->pixels[0] ^= 1;
  EXPECT_FALSE(FONTEqual(font.get(), copy.get()));

  Font empty(FONTNew());
  char* emptyText = FONTToASCII(empty.get());
  Font emptyParsed(FONTFromASCII(emptyText));
  free(emptyText);
  ASSERT_TRUE(emptyParsed);
  EXPECT_TRUE(FONTEqual(empty.get(), emptyParsed.get()));
  EXPECT_EQ(FONTFromASCII("no font here"), nullptr);
  EXPECT_EQ(FONTFromASCII("FONT{\n1 2 x"), nullptr);
}

}  // namespace
