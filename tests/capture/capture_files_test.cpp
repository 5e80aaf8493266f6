// The capture's file writers and its staging folder.
#include <gtest/gtest.h>

#include <algorithm>
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

// The output folder, one "name=content" or "name/" per entry, sub-folders walked.
std::string Listing(const std::string& dir) {
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    std::string name = std::filesystem::relative(entry.path(), dir).generic_string();
    entries.push_back(entry.is_directory() ? name + "/" : name + "=" + ReadWhole(entry.path().string()));
  }
  std::sort(entries.begin(), entries.end());
  std::string listing;
  for (const std::string& e : entries) listing += e + " ";
  return listing;
}

int movesBeforeFailure = 0;  // moves that succeed before every later one fails
int movesToFail = 0;         // how many fail from there on (then they succeed again)

bool FailingMove(const std::string& from, const std::string& to, std::string* reason) {
  if (movesBeforeFailure-- > 0 || movesToFail-- <= 0) return StagingMove(from, to, reason);
  *reason = "refused";
  return false;
}

// Whichever move fails, the files moved in are removed and those they
// replaced put back; a folder in the way moves nothing. An earlier
// checksums.txt and frame-00001.ppm are replaced, audio.wav and
// frame-00002.ppm are new: two moves set files aside, four move files in.
TEST(CaptureFiles, AFailedCommitLeavesTheFolderAsItWas) {
  const std::string before = "checksums.txt=old sums frame-00001.ppm=old frame ";
  struct Row {
    int succeed, fail;     // moves that succeed, then moves that fail
    std::string error;     // the end of the reason
    std::string listing;   // the output folder after the failure was discarded
  };
  const std::vector<Row> table = {
      {0, 1, "refused; the folder is as it was", before},  // setting the first file aside
      {1, 1, "refused; the folder is as it was", before},
      {2, 1, "refused; the folder is as it was", before},  // moving the first file in
      {5, 1, "refused; the folder is as it was", before},  // the last one
      // Putting the set-aside files back fails too: they are kept, never removed.
      {3, 9, "could not put everything back: the earlier files are in",
       ".vorndemo-capture-replaced/ .vorndemo-capture-replaced/checksums.txt=old sums "
       ".vorndemo-capture-replaced/frame-00001.ppm=old frame "},
      // A folder where a file must go: found before any move.
      {-1, 0, "cannot replace \"audio.wav\" in", "audio.wav/ " + before},
  };
  for (const Row& row : table) {
    std::string out = FreshPath("undo"), error;
    ASSERT_TRUE(std::filesystem::create_directory(out));
    WriteText(out + "/checksums.txt", "old sums");
    WriteText(out + "/frame-00001.ppm", "old frame");
    if (row.succeed < 0) std::filesystem::create_directory(out + "/audio.wav");
    Staging staging;
    ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
    for (const char* name : {"checksums.txt", "frame-00001.ppm", "frame-00002.ppm", "audio.wav"})
      WriteText(staging.dir + "/" + name, "new");
    staging.move = FailingMove;
    movesBeforeFailure = row.succeed, movesToFail = row.fail;
    EXPECT_FALSE(StagingCommit(&staging, &error)) << row.succeed;
    EXPECT_NE(error.find(row.error), std::string::npos) << row.succeed << ": " << error;
    StagingDiscard(&staging);
    EXPECT_EQ(Listing(out), row.listing) << row.succeed;
    // Files set aside and not put back stop the next run before it starts.
    Staging next;
    EXPECT_EQ(StagingCreate(&next, out, &error), row.fail < 9) << error;
    StagingDiscard(&next);
    std::filesystem::remove_all(out);
  }
}

}  // namespace
