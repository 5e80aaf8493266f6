#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "image_fixture.h"
#include "sine.h"

namespace {

using namespace imagetest;

std::vector<int32_t> Runs(int32_t* table, int n) {
  std::vector<int32_t> out(table, table + n);
  free(table);
  return out;
}

// Source pixel value = column + 16 * row, so a result shows where it came from.
Image Numbered(int32_t w, int32_t h) {
  Image image = Sized(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) image->pixels[x + y * w] = uint32_t(x + 16 * y);
  return image;
}

std::vector<uint32_t> Scaled(int32_t sw, int32_t sh, int32_t dw, int32_t dh) {
  Image source = Numbered(sw, sh), destination = Sized(dw, dh);
  IMGScale(source.get(), destination.get());
  return std::vector<uint32_t>(destination->pixels, destination->pixels + dw * dh);
}

TEST(RunTables, CountersAndTheirSums) {
  EXPECT_EQ(Runs(IMGRunTable(2, 4), 3), (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(Runs(IMGRunTable(-4, 2), 3), (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(Runs(IMGRunTable(0, 3), 1), (std::vector<int32_t>{4}));
  EXPECT_EQ(Runs(IMGRunTableSymmetric(2, 5), 2), (std::vector<int32_t>{3, 3}));
  std::mt19937 rng(1);
  for (int n = 0; n < 300; ++n) {
    int32_t a = Between(rng, 1, 500), b = Between(rng, 1, 500);
    int32_t s = std::min(a, b), l = std::max(a, b);
    std::vector<int32_t> runs = Runs(IMGRunTable(a, b), s + 1);
    int64_t sum = 0;
    for (int32_t i = 0; i < s; ++i) sum += runs[i];
    EXPECT_EQ(sum, l);
    EXPECT_EQ(runs[s], 1);
    std::vector<int32_t> symmetric = Runs(IMGRunTableSymmetric(a, b), s);
    for (int32_t i = 0; i < s; ++i) EXPECT_EQ(symmetric[i], symmetric[s - 1 - i]);
  }
  EXPECT_EQ(Printed(IMGDebug, [] { EXPECT_EQ(IMGRunTable(INT32_MIN, 3), nullptr); }), "IMG error\n");
}

TEST(Scale, GrowsByRepeatingAndShrinksByRuns) {
  EXPECT_EQ(Scaled(2, 2, 4, 4), (std::vector<uint32_t>{0, 0, 1, 1, 0, 0, 1, 1,
                                                      16, 16, 17, 17, 16, 16, 17, 17}));
  // Width shrinking takes the last pixel and the last row of each run.
  EXPECT_EQ(Scaled(4, 4, 2, 2), (std::vector<uint32_t>{17, 19, 49, 51}));
  // Only the height shrinking takes the first row of each run.
  EXPECT_EQ(Scaled(2, 4, 2, 2), (std::vector<uint32_t>{0, 1, 32, 33}));
  EXPECT_EQ(Scaled(3, 2, 3, 2), (std::vector<uint32_t>{0, 1, 2, 16, 17, 18}));
}

TEST(Scale, OddSizesCoverTheDestinationInOrder) {
  std::mt19937 rng(2);
  for (int n = 0; n < 200; ++n) {
    int32_t sw = Between(rng, 1, 15), sh = Between(rng, 1, 15);
    int32_t dw = Between(rng, 1, 40), dh = Between(rng, 1, 40);
    std::vector<uint32_t> out = Scaled(sw, sh, dw, dh);
    for (int32_t y = 0; y < dh; ++y)
      for (int32_t x = 0; x < dw; ++x) {
        uint32_t col = out[x + y * dw] % 16, row = out[x + y * dw] / 16;
        ASSERT_LT(col, uint32_t(sw));
        ASSERT_LT(row, uint32_t(sh));
        // Never goes back along a row or down a column.
        ASSERT_GE(col, x > 0 ? out[x - 1 + y * dw] % 16 : 0u);
        ASSERT_GE(row, y > 0 ? out[x + (y - 1) * dw] / 16 : 0u);
      }
    EXPECT_EQ(out[dw - 1] % 16, uint32_t(sw - 1));  // both ways the last column is reached
  }
}

TEST(Rotate, SizesAndAngles) {
  Image a = Sized(100, 50), b = Sized(640, 480);
  Image ra(IMGRotate(a.get(), 0)), rb(IMGRotate(b.get(), 0));
  EXPECT_EQ(ra->width, 141);
  EXPECT_EQ(ra->height, 70);
  EXPECT_EQ(rb->width, 904);
  EXPECT_EQ(rb->height, 678);
  std::mt19937 rng(3);
  Image picture = Random(rng, 23, 17, 0, true);
  for (int32_t angle : {0, 37, 256, 511, 900}) {
    Image turned(IMGRotate(picture.get(), angle));
    Image again(IMGRotate(picture.get(), angle + 1024));
    Image negative(IMGRotate(picture.get(), angle - 1024));
    EXPECT_TRUE(IMGEqual(turned.get(), again.get()));
    EXPECT_TRUE(IMGEqual(turned.get(), negative.get()));
    // Every pixel from the rotation formula, shifts arithmetic.
    int64_t sb = SineTable[((-angle) % 1024 + 1024) % 1024];
    int64_t sc = SineTable[((-(angle + 256)) % 1024 + 1024) % 1024];
    int64_t w = 23, h = 17, rw = turned->width, rh = turned->height;
    for (int64_t y = 0; y < rh; ++y)
      for (int64_t x = 0; x < rw; ++x) {
        int64_t u = x - rw / 2, v = y - rh / 2;
        int64_t fx = ((u * sc) >> 15) + w / 2 - ((v * sb) >> 15);
        int64_t fy = h / 2 + ((u * sb) >> 15) + ((v * sc) >> 15);
        uint32_t expected = fx >= 0 && fy >= 0 && fx < w && fy < h ? picture->pixels[fx + fy * w] : 0;
        ASSERT_EQ(turned->pixels[x + y * rw], expected) << angle << " " << x << "," << y;
      }
  }
}

TEST(Transforms, NullImagesAreReported) {
  Image image = Sized(3, 3);
  EXPECT_EQ(Printed(IMGDebug, [&] {
              IMGScale(nullptr, image.get());
              IMGScale(image.get(), nullptr);
              EXPECT_EQ(IMGRotate(nullptr, 3), nullptr);
            }),
            "IMG error\nIMG error\nIMG error\n");
}

}  // namespace
