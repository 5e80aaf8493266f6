// The capture's file writers: PNG, WAV, checksums and the staging folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
  EXPECT_EQ(width, 37);
  EXPECT_EQ(height, 5);
  EXPECT_EQ(pixels, std::vector<uint32_t>(image->pixels, image->pixels + 37 * 5));
  EXPECT_FALSE(WritePng(image, (path + "/no/such/folder.png").c_str()));
  remove(path.c_str());
  IMGFree(&image);
}

TEST(CaptureFiles, PictureChecksumCoversEveryChannelOfEveryPixel) {
  IMG* image = IMGNew();
  IMGResize(image, 4, 4);
  uint64_t black = PictureChecksum(image);
  for (uint32_t bit : {0x010000u, 0x000100u, 0x000001u}) {
    image->pixels[15] = bit;
    EXPECT_NE(PictureChecksum(image), black) << std::hex << bit;
  }
  // The unused top byte is not part of the picture.
  image->pixels[15] = 0xFF000000u;
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
  std::string file = ReadWhole(path);
  ASSERT_EQ(file.size(), 44u + 8u);
  EXPECT_EQ(file.substr(0, 4), "RIFF");
  EXPECT_EQ(uint8_t(file[4]), 36 + 8);
  EXPECT_EQ(file.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(file.substr(20, 4), std::string("\x01\x00\x01\x00", 4));  // PCM, mono
  EXPECT_EQ(file.substr(24, 4), std::string("\x44\xAC\x00\x00", 4));  // 44100
  EXPECT_EQ(file.substr(34, 2), std::string("\x10\x00", 2));          // 16 bits
  EXPECT_EQ(file.substr(36, 4), "data");
  EXPECT_EQ(uint8_t(file[40]), 8);
  EXPECT_EQ(file.substr(44), std::string("\x01\x00\xFF\xFF\x40\x9C\x01\x00", 8));
  remove(path.c_str());
}

TEST(CaptureFiles, StagingMovesFilesOnlyOnCommitAndLeavesNothingOnDiscard) {
  std::string out = FreshPath("staging");
  Staging staging;
  std::string error;
  ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
  FILE* f = fopen((staging.dir + "/a.txt").c_str(), "w");
  ASSERT_TRUE(f);
  fclose(f);
  EXPECT_FALSE(Exists(out + "/a.txt"));
  ASSERT_TRUE(StagingCommit(&staging, &error)) << error;
  EXPECT_TRUE(Exists(out + "/a.txt"));
  EXPECT_FALSE(Exists(staging.dir));

  // Discarding keeps a folder that was there before, and what it held.
  ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
  EXPECT_FALSE(staging.createdOut);
  mkdir((staging.dir + "/presents").c_str(), 0777);
  fclose(fopen((staging.dir + "/presents/frame-00001.ppm").c_str(), "w"));
  StagingDiscard(&staging);
  EXPECT_FALSE(Exists(staging.dir));
  EXPECT_TRUE(Exists(out + "/a.txt"));
  RemoveTree(out);
  EXPECT_FALSE(Exists(out));

  // A folder we made ourselves goes too.
  ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
  EXPECT_TRUE(staging.createdOut);
  StagingDiscard(&staging);
  EXPECT_FALSE(Exists(out));
}

}  // namespace
