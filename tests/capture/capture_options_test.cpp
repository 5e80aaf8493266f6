// The command line of vorndemo-capture: what a valid one chooses. The tool's
// refusals of bad ones are checked on the tool itself (capture_tool_test.cpp).
#include <gtest/gtest.h>

#include "capture_options.h"

namespace {

CaptureOptions Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "vorndemo-capture");
  CaptureOptions options;
  std::string error;
  EXPECT_TRUE(ParseCaptureOptions(int(args.size()), args.data(), &options, &error)) << error;
  return options;
}

// Frames, cycles and Space are checked by running them (capture_tool_test.cpp,
// the golden scenarios); these choices are not.
TEST(CaptureOptions, EndKeysAndHelp) {
  EXPECT_EQ(PlannedLastFrame(Parse({"--frames", "5,10-12", "--end", "50"})), 50) << "--end wins over the frames";
  // An exit key alone ends the run: Escape (also spelt escape), q or Q.
  CaptureOptions o = Parse({"--keys", "3:escape,8:Q"});
  EXPECT_EQ(o.keys.at(0).symbol * 1000 + o.keys.at(1).symbol, 27081);
  EXPECT_EQ(Parse({"--keys", "40:q"}).keys.size(), 1u);
  EXPECT_TRUE(Parse({"-h"}).help);
}

}  // namespace
