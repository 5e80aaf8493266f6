// The capture's file writers: PNG, WAV and the picture checksum.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "capture_files.h"
#include "img.h"
#include "png_decode.h"
#include "run_tool.h"

namespace {

TEST(CaptureFiles, PngHoldsTheExactPixels) {
  IMG* image = IMGNew();
  IMGResize(image, 37, 5);  // odd width: no row is a multiple of four bytes
  for (int32_t i = 0; i < 37 * 5; ++i) image->pixels[i] = uint32_t(i) * 0x010F1Du & 0xFFFFFF;
  std::string path = FreshPath("png") + ".png";
  ASSERT_TRUE(WritePng(image, path.c_str()));
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels = DecodePng(ReadWhole(path), &width, &height);
  EXPECT_EQ(width * 1000 + height, 37005);
  EXPECT_EQ(pixels, std::vector<uint32_t>(image->pixels, image->pixels + 37 * 5));
  EXPECT_FALSE(WritePng(image, (path + "/no/such/folder.png").c_str()));
  remove(path.c_str());
  IMGFree(&image);
}

TEST(CaptureFiles, PictureChecksumCoversEveryChannelButNotTheTopByte) {
  IMG* image = IMGNew();
  uint64_t black = PictureChecksum(image);
  for (uint32_t bit : {0x010000u, 0x000100u, 0x000001u}) {
    image->pixels[255] = bit;
    EXPECT_NE(PictureChecksum(image), black) << std::hex << bit;
  }
  image->pixels[255] = 0xFF000000u;
  EXPECT_EQ(PictureChecksum(image), black);
  IMGFree(&image);
}

TEST(CaptureFiles, WavHeaderCountsTheValues) {
  std::string path = FreshPath("wav") + ".wav";
  WavWriter wav;
  ASSERT_TRUE(WavOpen(&wav, path.c_str()));
  const uint8_t values[6] = {1, 0, 0xFF, 0xFF, 0x40, 0x9C};  // 1, -1, -25536
  WavAppend(&wav, values, 6);
  WavAppend(&wav, values, 2);
  ASSERT_TRUE(WavFinish(&wav));
  // RIFF size, PCM mono 44100 Hz 16-bit, data size, then the values as given.
  std::string expected("RIFF\x2C\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x88\x58\x01\0\x02\0\x10\0data\x08\0\0\0"
                       "\x01\0\xFF\xFF\x40\x9C\x01\0", 52);
  EXPECT_EQ(ReadWhole(path), expected);
  remove(path.c_str());
}

}  // namespace
