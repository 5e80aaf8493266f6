// The command line of vorndemo-capture: frame lists, key scripts, options.
#include <gtest/gtest.h>

#include "capture_options.h"

namespace {

bool Parse(std::vector<const char*> args, CaptureOptions* options, std::string* error) {
  args.insert(args.begin(), "vorndemo-capture");
  return ParseCaptureOptions(int(args.size()), args.data(), options, error);
}

TEST(CaptureOptions, FrameListsSelectTheirFramesAndRefuseBadRanges) {
  std::vector<FrameSpan> spans;
  std::string error;
  ASSERT_TRUE(ParseFrameList("5,10-12,100-130/10", &spans, &error)) << error;
  std::vector<int32_t> selected;
  for (int32_t f = 1; f <= 200; ++f)
    if (FrameSelected(spans, f)) selected.push_back(f);
  EXPECT_EQ(selected, (std::vector<int32_t>{5, 10, 11, 12, 100, 110, 120, 130}));
  ASSERT_TRUE(ParseFrameList("1-29/10", &spans, &error));
  EXPECT_EQ(LastSelectedFrame(spans), 21) << "the last frame the step reaches";
  for (const char* bad : {"", "0-5", "5-", "-5", "a", "1-2/0", "1-2/", "3,,4", "1-999999999", "7 "})
    EXPECT_FALSE(ParseFrameList(bad, &spans, &error)) << bad;
  EXPECT_FALSE(ParseFrameList("300-200", &spans, &error));
  EXPECT_EQ(error, "frame range \"300-200\" ends before it starts");
  EXPECT_EQ(spans.size(), 1u) << "a refused list changes nothing";
}

TEST(CaptureOptions, KeyScriptsNameFramesPartsAndKeys) {
  std::vector<KeyPress> keys;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("120:space,300:b,helix+20:p,900:esc,901:Q", &keys, &error)) << error;
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0].symbol * 1000 + keys[0].frame, 32120);
  EXPECT_EQ(keys[1].symbol, 'b');
  EXPECT_EQ(keys[2].part + "+" + std::to_string(keys[2].frame), "helix+20");
  EXPECT_EQ(keys[3].symbol, 27);
  EXPECT_EQ(keys[4].symbol, 'Q');
  EXPECT_TRUE(ParseKeyScript("swarm+3:s,rain+3:s,3:s", &keys, &error)) << "three different frames";
  for (const char* bad : {"", "12", "12:", ":b", "x:b", "0:b", "12:bb", "12:enter", "helix+0:p", "helix:p", "12:b,"})
    EXPECT_FALSE(ParseKeyScript(bad, &keys, &error)) << bad;
  EXPECT_FALSE(ParseKeyScript("helixx+3:p", &keys, &error));
  EXPECT_NE(error.find("unknown part \"helixx\" in key \"helixx+3:p\" (one of transition, swarm"), std::string::npos)
      << error;
  EXPECT_FALSE(ParseKeyScript("10:space,10:b", &keys, &error));
  EXPECT_EQ(error, "keys \"10:space\" and \"10:b\" fall on the same frame");
}

TEST(CaptureOptions, OptionsAreCheckedAndSomethingMustEndTheRun) {
  CaptureOptions options;
  std::string error;
  EXPECT_FALSE(Parse({"--out", "x"}, &options, &error));
  EXPECT_NE(error.find("nothing ends the run"), std::string::npos);
  EXPECT_TRUE(Parse({"--keys", "40:q"}, &options, &error)) << error;
  EXPECT_TRUE(Parse({"--cycles", "2", "--space-every", "100"}, &options, &error)) << error;
  EXPECT_EQ(options.cycles * 1000 + options.spaceEvery, 2100);
  // --end carries the run past the last picture, e.g. for a longer sound track.
  ASSERT_TRUE(Parse({"--frames", "1-10", "--end", "50", "--format", "png"}, &options, &error));
  EXPECT_EQ(PlannedLastFrame(options), 50);
  EXPECT_EQ(options.format, PictureFormat::Png);
  ASSERT_TRUE(Parse({"--frames", "1-10"}, &options, &error));
  EXPECT_EQ(PlannedLastFrame(options), 10);
  EXPECT_FALSE(Parse({"--bogus"}, &options, &error));
  EXPECT_EQ(error, "unknown option \"--bogus\" (see --help)");
  EXPECT_FALSE(Parse({"--end"}, &options, &error));
  EXPECT_EQ(error, "option --end needs a value");
  EXPECT_FALSE(Parse({"--end", "-3"}, &options, &error));
  EXPECT_FALSE(Parse({"--end", "10", "--format", "gif"}, &options, &error));
  EXPECT_FALSE(Parse({"--end", "10", "--out", ""}, &options, &error));
}

}  // namespace
