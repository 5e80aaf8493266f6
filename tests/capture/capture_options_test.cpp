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

TEST(CaptureOptions, KeysAndTheEndOfTheRun) {
  CaptureOptions o = Parse({"--frames", "5,10-12", "--end", "50", "--keys", "3:space,swarm+3:escape,helix+20:p,8:Q",
                            "--cycles", "2", "--space-every", "7", "-h"});
  EXPECT_EQ(PlannedLastFrame(o), 50) << "--end wins over the frames";
  std::string keys;  // the same frame in different parts is no collision
  for (const KeyPress& k : o.keys) keys += k.part + "+" + std::to_string(k.frame) + ":" + std::to_string(k.symbol) + " ";
  EXPECT_EQ(keys, "+3:32 swarm+3:27 helix+20:112 +8:81 ");
  EXPECT_EQ(o.cycles * 1000 + o.spaceEvery + o.help, 2008);
  EXPECT_EQ(Parse({"--keys", "40:q"}).keys.size(), 1u) << "an exit key alone ends the run";
}

}  // namespace
