// The capture's file writers and its staging folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture_files.h"
#include "image_fixture.h"
#include "tool_files.h"

namespace {

TEST(CaptureFiles, PngHoldsTheExactPixels) {
  imagetest::Image image = imagetest::Sized(37, 5);  // odd width: no row is a multiple of four bytes
  for (int32_t i = 0; i < 37 * 5; ++i) image->pixels[i] = uint32_t(i) * 0x010F1Du & 0xFFFFFF;
  std::string path = FreshPath("png") + ".png";
  ASSERT_TRUE(WritePng(image.get(), path.c_str()));
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels = DecodePng(ReadWhole(path), &width, &height);
  EXPECT_EQ(width * 1000 + height, 37005);
  EXPECT_EQ(pixels, std::vector<uint32_t>(image->pixels, image->pixels + 37 * 5));
  EXPECT_FALSE(WritePng(image.get(), (path + "/no/such/folder.png").c_str()));
  std::filesystem::remove(path);
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
  std::filesystem::remove(path);
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Files reach the output folder only by the commit, which replaces those of an
// earlier run; a staging folder that cannot be read fails the commit instead of
// an empty success, and a discarded run removes the output folder it made.
TEST(CaptureFiles, StagingCommitsAllOrNothing) {
  std::string out = FreshPath("staging"), made = FreshPath("made"), error;
  ASSERT_TRUE(std::filesystem::create_directory(out));
  WriteText(out + "/checksums.txt", "old");
  Staging staging, failing;
  ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
  WriteText(staging.dir + "/checksums.txt", "new");
  WriteText(staging.dir + "/audio.wav", "sound");
  EXPECT_EQ(ReadWhole(out + "/checksums.txt"), "old");  // not before the commit
  ASSERT_TRUE(StagingCommit(&staging, &error)) << error;
  EXPECT_EQ(ReadWhole(out + "/checksums.txt") + ReadWhole(out + "/audio.wav"), "newsound");
  StagingDiscard(&staging);  // the output folder was there before, so it stays
  EXPECT_EQ(Exists(staging.dir) * 10 + Exists(out + "/audio.wav"), 1);
  ASSERT_TRUE(StagingCreate(&failing, made, &error)) << error;
  std::filesystem::remove_all(failing.dir);
  EXPECT_FALSE(StagingCommit(&failing, &error));
  EXPECT_EQ(error.find("cannot read the staging folder"), 0u) << error;
  StagingDiscard(&failing);
  EXPECT_FALSE(Exists(made));
  std::filesystem::remove_all(out);
}

}  // namespace
