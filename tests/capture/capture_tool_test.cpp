// vorndemo-capture end to end: it runs the real show, so these cases hold for
// whatever the show draws and plays.
#include <gtest/gtest.h>
#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <thread>

#include "capture_files.h"
#include "checksums.h"
#include "img.h"
#include "png_decode.h"
#include "run_tool.h"

namespace {

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

int LineCount(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST(CaptureTool, BadInputPrintsOneLineAndLeavesNothing) {
  std::string out = FreshPath("bad");
  std::string file = FreshPath("bad_file");
  fclose(fopen(file.c_str(), "w"));  // a plain file where a folder is wanted
  const std::vector<std::vector<std::string>> cases = {
      {"--out", out, "--end", "5", "--bogus"},
      {"--out", out, "--end", "5", "--keys", "12:"},
      {"--out", out, "--end", "5", "--keys", "10:b,10:g"},
      {"--out", out, "--frames", "300-200"},
      {"--out", out},
      {"--out", file + "/sub", "--end", "5"},
      {"--out", file, "--end", "5"},
  };
  for (const std::vector<std::string>& args : cases) {
    ToolResult r = RunTool(args);
    std::string shown = args.back();
    EXPECT_NE(r.status, 0) << shown;
    EXPECT_EQ(LineCount(r.err), 1) << shown << ": " << r.err;
    EXPECT_EQ(r.err.rfind("vorndemo-capture: ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_FALSE(Exists(out)) << shown;
  }
  remove(file.c_str());
}

TEST(CaptureTool, AnInterruptedRunLeavesNothing) {
  std::string out = FreshPath("interrupt");
  std::string log = out + "_log";
  pid_t pid = StartTool({"--out", out, "--end", "99999999", "--frames", "1-99999999/500"}, log);
  // Wait until frames are being written, then interrupt.
  for (int i = 0; i < 600 && Names(out + "/.vorndemo-capture-partial").size() < 4; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_GE(Names(out + "/.vorndemo-capture-partial").size(), 4u) << "no frame was written";
  kill(pid, SIGINT);
  ToolResult r = WaitTool(pid, log);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(LineCount(r.err), 1) << r.err;
  EXPECT_NE(r.err.find("interrupted"), std::string::npos) << r.err;
  EXPECT_FALSE(Exists(out));
}

TEST(CaptureTool, TheSameArgumentsGiveTheSameBytesInEveryFormat) {
  std::string a = FreshPath("same_a"), b = FreshPath("same_b"), png = FreshPath("same_png");
  std::vector<std::string> args = {"--frames", "1-40/13,60", "--end", "70", "--keys", "20:8,30:b", "--quiet"};
  auto with = [&](std::vector<std::string> extra) {
    extra.insert(extra.end(), args.begin(), args.end());
    return extra;
  };
  ASSERT_EQ(RunTool(with({"--out", a})).status, 0);
  ASSERT_EQ(RunTool(with({"--out", b})).status, 0);
  ToolResult r = RunTool(with({"--out", png, "--format", "png"}));
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> frames = {"frame-00001", "frame-00014", "frame-00027", "frame-00040", "frame-00060"};
  std::vector<std::string> expected = {"audio.wav", "checksums.txt"};
  for (const std::string& f : frames) expected.push_back(f + ".ppm");
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(Names(a), expected);
  for (const std::string& name : expected) EXPECT_EQ(ReadWhole(a + "/" + name), ReadWhole(b + "/" + name)) << name;
  EXPECT_EQ(ReadWhole(png + "/checksums.txt"), ReadWhole(a + "/checksums.txt"));
  EXPECT_EQ(ReadWhole(png + "/audio.wav"), ReadWhole(a + "/audio.wav"));

  // Each written picture is the one its checksum line names, in both formats.
  std::vector<ChecksumLine> pictures = OfKind(ParseChecksums(ReadWhole(a + "/checksums.txt")), "picture");
  ASSERT_EQ(pictures.size(), frames.size());
  for (size_t i = 0; i < frames.size(); ++i) {
    IMG* ppm = IMGReadPNM((a + "/" + frames[i] + ".ppm").c_str());
    ASSERT_TRUE(ppm);
    char hash[17];
    snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(PictureChecksum(ppm)));
    EXPECT_EQ(pictures[i].hash, hash) << frames[i];
    int32_t w = 0, h = 0;
    std::vector<uint32_t> decoded = DecodePng(ReadWhole(png + "/" + frames[i] + ".png"), &w, &h);
    EXPECT_EQ(decoded, std::vector<uint32_t>(ppm->pixels, ppm->pixels + 256 * 256)) << frames[i];
    IMGFree(&ppm);
  }
  RemoveTree(a), RemoveTree(b), RemoveTree(png);
}

TEST(CaptureTool, SoundFollowsTheTargetRateFromTheFrameAfterTheKey) {
  std::string out = FreshPath("rate");
  ToolResult r = RunTool({"--out", out, "--end", "30", "--keys", "10:6,20:5", "--quiet"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<ChecksumLine> audio = OfKind(ParseChecksums(ReadWhole(out + "/checksums.txt")), "audio");
  ASSERT_EQ(audio.size(), 30u);
  int64_t total = 0;
  for (const ChecksumLine& line : audio) {
    EXPECT_EQ(line.values, line.frame > 10 && line.frame <= 20 ? 882 : 1764) << line.text;
    total += line.values;
  }
  EXPECT_EQ(int64_t(ReadWhole(out + "/audio.wav").size()), 44 + 2 * total);
  RemoveTree(out);
}

TEST(CaptureTool, AnExitKeyEndsTheRunWithItsFrameAndKeepsTheFiles) {
  for (const char* key : {"esc", "q"}) {
    std::string out = FreshPath(std::string("exit_") + key);
    ToolResult r = RunTool({"--out", out, "--frames", "25-35", "--keys", std::string("30:") + key, "--quiet"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<ChecksumLine> lines = ParseChecksums(ReadWhole(out + "/checksums.txt"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().frame, 30) << key;
    EXPECT_EQ(OfKind(lines, "picture").size(), 6u) << key;
    EXPECT_TRUE(Exists(out + "/frame-00030.ppm"));
    EXPECT_FALSE(Exists(out + "/frame-00031.ppm"));
    EXPECT_EQ(ReadWhole(out + "/audio.wav").size(), 44u + 30u * 1764u * 2u);
    EXPECT_NE(r.out.find("later frames were not reached"), std::string::npos) << r.out;
    RemoveTree(out);
  }
}

// Three whole cycles, with Space shortening every phase: the resident memory
// stays flat from the second cycle on and the peak stays under 48 MB.
TEST(CaptureTool, MemoryIsFlatFromTheSecondCycleAndPeaksUnder48MB) {
  std::string out = FreshPath("memory");
  ToolResult r = RunTool({"--out", out, "--cycles", "3", "--space-every", "100", "--format", "none", "--quiet"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(r.out, m, std::regex("peak resident (\\d+) KiB"))) << r.out;
  EXPECT_LT(std::stol(m[1]) * 1024, 48L * 1000 * 1000) << r.out;
  EXPECT_NE(r.out.find("start of cycle 3"), std::string::npos) << r.out;
  ASSERT_TRUE(std::regex_search(r.out, m, std::regex("growth from the start of cycle 2 to the end: (-?\\d+) KiB")))
      << r.out;
  EXPECT_LE(std::stol(m[1]), 64) << r.out;
  std::vector<ChecksumLine> audio = OfKind(ParseChecksums(ReadWhole(out + "/checksums.txt")), "audio");
  ASSERT_FALSE(audio.empty());
  EXPECT_EQ(audio.back().part, "kaleidoscope") << "the run ends with the last part of the third cycle";
  RemoveTree(out);
}

}  // namespace
