// The content compiled in: the structure the show relies on, and the builders' refusals.
#include "content.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "font.h"
#include "img.h"
#include "lfont.h"
#include "list.h"
#include "obj2d.h"

namespace {

TEST(Content, WordListHasTwentySixWordsOfTheFixedLengths) {
  const std::string text(reinterpret_cast<const char*>(wordList));
  EXPECT_EQ(text.size(), wordListSize);
  EXPECT_EQ(text.substr(0, 5), "VORN\n");
  std::vector<size_t> lengths;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lengths.push_back(end - start);
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", start), end);
  }
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(lengths, (std::vector<size_t>{4, 4, 4, 9, 5, 8, 6, 4, 8, 11, 9, 7, 6, 8, 4, 4, 4, 3, 4, 9, 6, 6, 4, 5, 7, 5}));
}

// 256 glyphs each; the small font's are moved by half a cell to turn about their middle.
TEST(Content, LineFontsAndSheetsAndTheirRefusals) {
  LFONT* small = ContentNewLineFont(lineFont8x8, 8, true, nullptr);
  LFONT* wire = ContentNewLineFont(wireFont16x16, 16, false, nullptr);
  ASSERT_TRUE(small && wire);
  EXPECT_EQ(small->glyphs->count + wire->glyphs->count, 512);
  EXPECT_EQ(small->cell->x * 100 + wire->cell->y, 816);
  const OBJ2D* a = static_cast<OBJ2D*>(LISTGet(small->glyphs, 'A'));
  EXPECT_EQ(a->position->x * 100 + a->position->y, -404);
  LFONTFree(&small);
  LFONTFree(&wire);
  EXPECT_EQ(ContentNewLineFont(nullptr, 8, true, nullptr), nullptr);
  EXPECT_EQ(ContentNewSheet(nullptr, nullptr), nullptr);
  IMG* target = IMGNew();
  FONT* sheet = ContentNewSheet(IMGParsePNM(vornBallPicture), target);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->cellWidth * 100 + sheet->cellHeight, 1616);
  EXPECT_EQ(sheet->target, target);
  FONTFree(&sheet);
  IMGFree(&target);
}

}  // namespace
