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

// Files reach the output folder only by the commit, which replaces those of an earlier run and
// keeps the folder. Whichever move fails, the files moved in are removed and those they replaced
// put back; a folder in the way moves nothing, and a staging folder that cannot be read fails the
// commit instead of an empty success. An earlier checksums.txt and frame-00001.ppm are replaced,
// audio.wav and frame-00002.ppm are new: two moves set files aside, four move files in.
TEST(CaptureFiles, StagingCommitsAllOrNothing) {
  const std::string before = "checksums.txt=old sums frame-00001.ppm=old frame ";
  struct Row {
    int succeed, fail;     // moves that succeed, then moves that fail; -1, -2 below
    std::string error;     // the end of the reason; none for a commit that succeeds
    std::string listing;   // the output folder after the run was discarded
  };
  const std::vector<Row> table = {
      {99, 0, "", "audio.wav=new checksums.txt=new frame-00001.ppm=new frame-00002.ppm=new "},  // no move fails
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
      {-2, 0, "cannot read the staging folder", before},  // it is gone
  };
  for (const Row& row : table) {
    std::string out = FreshPath("undo"), error;
    ASSERT_TRUE(std::filesystem::create_directory(out));
    WriteText(out + "/checksums.txt", "old sums");
    WriteText(out + "/frame-00001.ppm", "old frame");
    if (row.succeed == -1) std::filesystem::create_directory(out + "/audio.wav");
    Staging staging;
    ASSERT_TRUE(StagingCreate(&staging, out, &error)) << error;
    for (const char* name : {"checksums.txt", "frame-00001.ppm", "frame-00002.ppm", "audio.wav"})
      WriteText(staging.dir + "/" + name, "new");
    if (row.succeed == -2) std::filesystem::remove_all(staging.dir);
    staging.move = FailingMove;
    movesBeforeFailure = row.succeed, movesToFail = row.fail;
    EXPECT_EQ(ReadWhole(out + "/checksums.txt"), "old sums");  // not before the commit
    EXPECT_EQ(StagingCommit(&staging, &error), row.error.empty()) << row.succeed;
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
