// The embedded line fonts and word list: the structure the show relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content.h"
#include "list.h"
#include "obj2d.h"

namespace {

struct Font {
  LIST* glyphs;
  explicit Font(const unsigned char* text) : glyphs(OBJ2DListFromASCII(reinterpret_cast<const char*>(text))) {}
  ~Font() { OBJ2DListFree(&glyphs); }
  OBJ2D* At(int32_t code) const { return static_cast<OBJ2D*>(LISTGet(glyphs, code)); }
  SEG2D* Seg(int32_t code, int32_t i) const { return static_cast<SEG2D*>(LISTGet(At(code)->segments, i)); }
};

void ExpectFont(const Font& font, int32_t maxCoordinate, uint32_t colour) {
  ASSERT_NE(font.glyphs, nullptr);
  ASSERT_EQ(font.glyphs->count, 256);
  for (int32_t code = 0; code < 256; ++code) {
    OBJ2D* glyph = font.At(code);
    ASSERT_NE(glyph, nullptr) << code;
    bool drawn = code > 32 && code < 128;
    EXPECT_EQ(glyph->segments->count > 0, drawn) << code;
    for (int32_t i = 0; i < glyph->points->count; ++i) {
      const VEC2D* p = static_cast<VEC2D*>(LISTGet(glyph->points, i));
      EXPECT_TRUE(p->x >= 0 && p->x <= maxCoordinate && p->y >= 0 && p->y <= maxCoordinate) << code;
      EXPECT_EQ(p->color, colour) << code;
    }
  }
  EXPECT_STREQ(font.At(39)->name, "apostrophe");
  EXPECT_STREQ(font.At(63)->name, "question");
  EXPECT_STREQ(font.At(127)->name, "esc");
  for (int32_t code = 'a'; code <= 'z'; ++code) {  // lower case repeats the capitals
    ASSERT_EQ(font.At(code)->segments->count, font.At(code - 32)->segments->count) << code;
    for (int32_t i = 0; i < font.At(code)->segments->count; ++i)
      EXPECT_EQ(SEG2DEqual(font.Seg(code, i), font.Seg(code - 32, i)), 1) << code;
  }
  // "?" and "!" differ, and "'" is a glyph of its own.
  EXPECT_NE(font.At('?')->segments->count, font.At('!')->segments->count);
  EXPECT_GT(font.At('\'')->segments->count, 0);
}

TEST(LineFonts, SmallFontHas256GlyphsInEightByEight) { ExpectFont(Font(lineFont8x8), 7, 0xAACCEE); }

TEST(LineFonts, WireFontHas256GlyphsInSixteenBySixteen) { ExpectFont(Font(wireFont16x16), 15, 0xFFFFFF); }

TEST(LineFonts, SizesMatchTheTexts) {
  EXPECT_EQ(strlen(reinterpret_cast<const char*>(lineFont8x8)), lineFont8x8Size);
  EXPECT_EQ(strlen(reinterpret_cast<const char*>(wireFont16x16)), wireFont16x16Size);
}

TEST(WordList, TwentySixWordsOfTheFixedLengths) {
  const std::vector<size_t> lengths = {4, 4, 4, 9, 5, 8, 6, 4, 8, 11, 9, 7, 6,
                                       8, 4, 4, 4, 3, 4, 9, 6, 6, 4, 5, 7, 5};
  std::string text(reinterpret_cast<const char*>(wordList));
  EXPECT_EQ(text.size(), 180u);
  EXPECT_EQ(wordListSize, 180u);
  EXPECT_EQ(text.substr(0, 5), "VORN\n");
  std::vector<size_t> found;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    found.push_back(end - start);
    for (size_t i = start; i < end; ++i)
      EXPECT_TRUE((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= '0' && text[i] <= '9')) << i;
  }
  EXPECT_EQ(start, text.size());  // the last line ends with its newline
  EXPECT_EQ(found, lengths);
}

}  // namespace
