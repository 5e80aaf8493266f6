#include "img.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;

Image Sized(int w, int h) {
  Image image(IMGNew());
  IMGResize(image.get(), w, h);
  return image;
}

std::string Dump(const IMG* image) {
  char* text = IMGToASCII(image);
  std::string result = text ? text : "<null>";
  free(text);
  return result;
}

TEST(ImageLifeCycle, NewIsSixteenSquareAndBlack) {
  Image image(IMGNew());
  ASSERT_EQ(image->width, 16);
  ASSERT_EQ(image->height, 16);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(image->pixels[i], 0u);
}

TEST(ImageLifeCycle, ResizeClearsEvenAtTheSameSize) {
  Image image = Sized(3, 2);
  image->pixels[5] = 0x123456;
  IMGResize(image.get(), 3, 2);
  EXPECT_EQ(image->pixels[5], 0u);
}

TEST(ImageLifeCycle, ResizeRefusesNegativeAndOverflowingSizesUnchanged) {
  Image image = Sized(2, 2);
  image->pixels[3] = 7;
  IMGResize(image.get(), -1, 4);
  IMGResize(image.get(), 46341, 46341);
  IMGResize(image.get(), IMG_MAX_SIDE + 1, 1);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->pixels[3], 7u);
}

TEST(ImageLifeCycle, FreeSetsPointerNullAndToleratesNull) {
  IMG* image = IMGNew();
  IMGFree(&image);
  EXPECT_EQ(image, nullptr);
  IMGFree(&image);
  IMGFree(nullptr);
}

TEST(ImageCopy, CopyToNeedsEqualSizesAndCopyDuplicates) {
  Image a = Sized(3, 2), b = Sized(2, 3);
  for (int i = 0; i < 6; ++i) a->pixels[i] = uint32_t(i + 1), b->pixels[i] = uint32_t(i + 1);
  EXPECT_EQ(IMGEqual(a.get(), b.get()), 0);  // same pixels, other shape
  IMGCopyTo(a.get(), b.get());
  EXPECT_EQ(b->pixels[0], 1u);
  b->pixels[0] = 9;
  IMGCopyTo(a.get(), b.get());  // refused: 3x2 onto 2x3
  EXPECT_EQ(b->pixels[0], 9u);
  Image c(IMGCopy(a.get()));
  ASSERT_TRUE(c);
  EXPECT_EQ(IMGEqual(a.get(), c.get()), 1);
  c->pixels[5] = 0;
  EXPECT_EQ(IMGEqual(a.get(), c.get()), 0);
  EXPECT_EQ(IMGEqual(a.get(), nullptr), 0);
  EXPECT_EQ(IMGCopy(nullptr), nullptr);
}

TEST(ImageText, DumpLayoutOfTwoPixels) {
  Image image = Sized(2, 1);
  image->pixels[0] = 10 << 16 | 11 << 8 | 12;
  image->pixels[1] = 0xFFFFFF;
  EXPECT_EQ(Dump(image.get()), "IMG{\nP3\n2 1\n255\n 10  11  12 255 255 255\n}\n");
}

TEST(ImageText, SevenPixelsMakeTwoRasterLinesAndEmptyImageIsBraces) {
  Image image = Sized(7, 1);
  std::string dump = Dump(image.get());
  std::string raster = dump.substr(strlen("IMG{\nP3\n7 1\n255\n"));
  std::string line;
  for (int i = 0; i < 6; ++i) line += "  0   0   0 ";
  line.back() = '\n';
  EXPECT_EQ(raster, line + "  0   0   0\n}\n");
  IMGResize(image.get(), 0, 0);
  EXPECT_EQ(Dump(image.get()), "IMG{}");
  EXPECT_EQ(IMGFromASCII("IMG{}"), nullptr);
}

TEST(ImageText, RoundTripOfRandomImages) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    Image image = Sized(1 + int(rng() % 13), 1 + int(rng() % 9));
    for (int i = 0; i < image->width * image->height; ++i) image->pixels[i] = rng() & 0xFFFFFF;
    std::string text = Dump(image.get());
    Image back(IMGFromASCII(text.c_str()));
    ASSERT_TRUE(back) << text;
    EXPECT_EQ(IMGEqual(image.get(), back.get()), 1) << text;
  }
}

TEST(ImageText, ParserStopsAtTheEndOfShortOrHugeTexts) {
  EXPECT_EQ(IMGFromASCII("IMG{\nP3\n2 1\n255\n1 2 3 4 5"), nullptr);
  EXPECT_EQ(IMGFromASCII("IMG{\nP3\n46341 46341\n255\n1 2 3"), nullptr);
  EXPECT_EQ(IMGFromASCII("IMG{\nP3\n3333333333 1\n255\n1 2 3"), nullptr);
  EXPECT_EQ(IMGFromASCII("IMG{\nP3\n2 2"), nullptr);
  EXPECT_EQ(IMGFromASCII("IMG P3\n1 1\n255\n1 2 3"), nullptr);  // no brace
  EXPECT_EQ(IMGFromASCII(nullptr), nullptr);
  Image image(IMGFromASCII("junk IMG {x P3\n1 1\n255\n1 2 3 trailing"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0x010203u);
}

TEST(ImageText, FindTextGivesOffsetPastTheMatch) {
  EXPECT_EQ(IMGFindText("IMG{", "{"), 4);
  EXPECT_EQ(IMGFindText("abc", "x"), 0);
  EXPECT_EQ(IMGFindText("aab", "ab"), 3);
  EXPECT_EQ(IMGFindText(nullptr, "a"), 0);
  EXPECT_EQ(IMGFindText("a", nullptr), 0);
}

}  // namespace
