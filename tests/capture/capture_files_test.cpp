// The capture's file writers: PNG, WAV and the picture checksum.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture_files.h"
#include "img.h"
#include "png_decode.h"
#include "tool_files.h"

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

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Files reach the output folder only by the commit, which replaces those of an
// earlier run and leaves folders of the output alone.
TEST(CaptureFiles, StagingCommitMovesFilesOverAnEarlierRun) {
  std::string out = FreshPath("staging");
  ASSERT_TRUE(std::filesystem::create_directory(out));
  WriteText(out + "/checksums.txt", "old");
  Staging staging;
  std::string error;
  ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
  EXPECT_FALSE(staging.createdOut);
  WriteText(staging.dir + "/checksums.txt", "new");
  WriteText(staging.dir + "/audio.wav", "sound");
  EXPECT_EQ(ReadWhole(out + "/checksums.txt"), "old");  // not before the commit
  ASSERT_TRUE(StagingCommit(&staging, &error)) << error;
  EXPECT_EQ(ReadWhole(out + "/checksums.txt"), "new");
  EXPECT_EQ(ReadWhole(out + "/audio.wav"), "sound");
  EXPECT_FALSE(Exists(staging.dir));
  std::filesystem::remove_all(out);
}

// A staging folder that cannot be read is a failure, not an empty success.
TEST(CaptureFiles, StagingCommitFailsWhenTheStagingFolderIsGone) {
  std::string out = FreshPath("gone");
  Staging staging;
  std::string error;
  ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
  EXPECT_TRUE(staging.createdOut);
  std::filesystem::remove_all(staging.dir);
  EXPECT_FALSE(StagingCommit(&staging, &error));
  EXPECT_NE(error.find("cannot read the staging folder"), std::string::npos) << error;
  StagingDiscard(&staging);
  EXPECT_FALSE(Exists(out));  // made by this run, so removed with it
}

TEST(CaptureFiles, StagingRefusesAFileAsTheOutputFolder) {
  std::string file = FreshPath("plain");
  WriteText(file, "x");
  Staging staging;
  std::string error;
  EXPECT_FALSE(StagingCreate(&staging, file, &error));
  EXPECT_NE(error.find("cannot create the output folder"), std::string::npos) << error;
  EXPECT_EQ(ReadWhole(file), "x");
  std::filesystem::remove(file);
}

}  // namespace
