#include <gtest/gtest.h>

#include "image_fixture.h"
#include "rgb888.h"

namespace {

using namespace imagetest;

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

uint32_t PerChannel(uint32_t a, uint32_t b, int (*f)(int, int)) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) out |= uint32_t(f(Channel(a, c), Channel(b, c))) << (8 * c);
  return out;
}
int Add(int a, int b) { return std::min(255, a + b); }
int Sub(int a, int b) { return std::max(0, a - b); }

TEST(ColourShifts, WorkedExamples) {
  Image image = Sized(1, 1, Rgb(15, 48, 64));
  IMGSubColour(image.get(), Rgb(16, 32, 48));
  EXPECT_EQ(image->pixels[0], Rgb(0, 16, 16));
  Image light = Sized(1, 1, Rgb(240, 240, 240));
  IMGAddColour(light.get(), 0x402000);
  EXPECT_EQ(light->pixels[0], Rgb(255, 255, 240));
}

// Random pixels with random top bytes, every size from a few pixels up so the
// vector loop and its tail both run, on the fast and on the plain path.
TEST(ColourShifts, SaturateEachChannelAndClearTheTopByte) {
  std::mt19937 rng(1);
  for (int n = 0; n < 300; ++n) {
    Image image = Random(rng, Between(rng, 1, 40), Between(rng, 1, 9), 5, true);
    uint32_t colour = rng();
    bool add = n % 2;
    Image expected(IMGCopy(image.get())), plain(IMGCopy(image.get()));
    int64_t count = int64_t(image->width) * image->height;
    for (int64_t i = 0; i < count; ++i)
      expected->pixels[i] = PerChannel(expected->pixels[i], colour, add ? Add : Sub);
    (add ? IMGAddColour : IMGSubColour)(image.get(), colour);
    ASSERT_TRUE(IMGEqual(image.get(), expected.get()));
    PlainPaths force;
    (add ? IMGAddColour : IMGSubColour)(plain.get(), colour);
    ASSERT_TRUE(IMGEqual(plain.get(), expected.get()));
  }
}

TEST(Inversions, WholeImageAndClippedBox) {
  Image image = Sized(1, 1, Rgb(18, 52, 86) | 0x5A000000);
  IMGInvert(image.get());
  EXPECT_EQ(image->pixels[0], Rgb(237, 203, 169));
  IMGInvert(image.get());
  IMGInvertBox(image.get(), 0, 0, 1, 1);
  EXPECT_EQ(image->pixels[0], 0xFF000000u | Rgb(237, 203, 169));

  std::mt19937 rng(2);
  for (int n = 0; n < 800; ++n) {
    int32_t w = Between(rng, 1, 15), h = Between(rng, 1, 15);
    Image box = Random(rng, w, h, 0, true);
    Image expected(IMGCopy(box.get()));
    int32_t x = Between(rng, -20, 20), y = Between(rng, -20, 20);
    int32_t bw = n % 13 ? Between(rng, -3, 25) : INT32_MAX, bh = Between(rng, -3, 25);
    for (int64_t j = 0; j < bh; ++j)
      for (int64_t i = 0; i < bw && i < 64; ++i) {
        int64_t px = x + i, py = y + j;
        if (px >= 0 && py >= 0 && px < w && py < h) expected->pixels[px + py * w] ^= 0xFFFFFFFFu;
      }
    IMGInvertBox(box.get(), x, y, bw, bh);
    ASSERT_TRUE(IMGEqual(box.get(), expected.get())) << x << "," << y << " " << bw << "x" << bh;
  }
}

TEST(ColourShifts, NullImagesAreReported) {
  IMG empty{2, 2, nullptr};
  for (IMG* image : {static_cast<IMG*>(nullptr), &empty})
    EXPECT_EQ(Printed(IMGDebug, [&] {
                IMGAddColour(image, 1);
                IMGSubColour(image, 1);
                IMGInvert(image);
                IMGInvertBox(image, 0, 0, 1, 1);
              }),
              "IMG error\nIMG error\nIMG error\nIMG error\n");
}

TEST(Rgb888, WorkedExamples) {
  EXPECT_EQ(RGB888Add(Rgb(128, 255, 16), Rgb(128, 1, 240)), 0xFFFFFFu);
  EXPECT_EQ(RGB888Sub(Rgb(16, 32, 48), 0x808080), 0u);
  EXPECT_EQ(RGB888Sub(0xFFFFFF, 0x808080), 0x7F7F7Fu);
  EXPECT_EQ(RGB888Average(0xFFFFFF, 0x000001), Rgb(127, 127, 128));
  EXPECT_EQ(RGB888ToBGR(Rgb(18, 52, 86)), Rgb(86, 52, 18));
  EXPECT_EQ(RGB888ToBGR(0xFF000000u | Rgb(18, 52, 86)), Rgb(86, 52, 18));
  EXPECT_EQ(RGB888FromBGR(Rgb(86, 52, 18)), Rgb(18, 52, 86));
  EXPECT_EQ(RGB888AddGrey(0x123456, 511), 0xFFFFFFu);
  uint8_t bytes[3];
  EXPECT_EQ(RGB888ToBytes(Rgb(161, 178, 195), bytes), bytes);
  EXPECT_EQ(bytes[0], 161);
  EXPECT_EQ(bytes[1], 178);
  EXPECT_EQ(bytes[2], 195);
  EXPECT_EQ(RGB888ToBytes(1, nullptr), nullptr);
  EXPECT_EQ(RGB888FromBytes(161 + 256, -78, 195), Rgb(161, 178, 195));
}

TEST(Rgb888, ChannelRulesOnRandomColoursWithTopBytes) {
  std::mt19937 rng(3);
  for (int n = 0; n < 200000; ++n) {
    uint32_t a = rng(), b = rng(), g = rng();
    ASSERT_EQ(RGB888Add(a, b), PerChannel(a, b, Add));
    ASSERT_EQ(RGB888Sub(a, b), PerChannel(a, b, Sub));
    ASSERT_EQ(RGB888Average(a, b), PerChannel(a, b, [](int x, int y) { return (x + y) >> 1; }));
    ASSERT_EQ(RGB888AddGrey(a, g), PerChannel(a, (g & 255) * 0x010101, Add));
    ASSERT_EQ(RGB888SubGrey(a, g), PerChannel(a, (g & 255) * 0x010101, Sub));
  }
}

}  // namespace
