#include "fps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A simulated machine: drawing a frame takes drawTime, a sleep of n ms takes
// exactly n ms, and the clock may start anywhere (to cross the 2^32 wrap).
uint32_t now = 0;
std::vector<uint32_t> sleeps;
uint32_t Now() { return now; }
void Sleep(uint32_t ms) {
  sleeps.push_back(ms);
  now += ms * 1000u;
}

struct FrameClock : ::testing::Test {
  void SetUp() override {
    FPSReset();
    FPSSetClock(Now, Sleep);
    now = 0;
    sleeps.clear();
  }
  void TearDown() override { FPSSetClock(nullptr, nullptr); }
  void Frame(uint32_t drawTime) {
    now += drawTime;
    FPSUpdate();
    FPSDelay();
  }
};

TEST_F(FrameClock, SettlesWhereDrawingPlusSleepIsThePeriod) {
  now = 5000000;  // the first frame measures everything since start
  FPSUpdate();
  EXPECT_EQ(frameTime, 5000000);
  EXPECT_EQ(measuredFps, 0);
  FPSDelay();
  EXPECT_EQ(delayCredit, 0);
  for (int i = 0; i < 200; ++i) Frame(13000);
  EXPECT_EQ(framePeriod, 40000);
  // Drawing 13 ms and sleeping 27 ms holds 40 ms a frame.
  EXPECT_EQ(sleeps.back(), 27u);
  EXPECT_EQ(frameTime, 40000);
  EXPECT_EQ(measuredFps, 25);
  EXPECT_EQ(frameCounter, 201);
}

TEST_F(FrameClock, SwitchToFiftyDrainsTheCreditByTwentyThousandAFrame) {
  for (int i = 0; i < 100; ++i) Frame(10000);
  int32_t credit = delayCredit;
  ASSERT_EQ(sleeps.back(), 30u);
  targetFps = 50;
  Frame(10000);  // this frame still took 40 ms: 10 drawing + 30 sleeping
  EXPECT_EQ(framePeriod, 20000);
  EXPECT_EQ(delayCredit, credit - 20000);
  for (int i = 0; i < 50; ++i) Frame(10000);
  EXPECT_EQ(sleeps.back(), 10u);
  EXPECT_EQ(frameTime, 20000);
}

TEST_F(FrameClock, AnOverrunningFrameEatsOnePeriodOfCreditAndStopsAtZero) {
  for (int i = 0; i < 100; ++i) Frame(10000);
  int32_t credit = delayCredit;
  Frame(50000);  // the last 30 ms sleep plus 50 ms of drawing: two periods
  EXPECT_EQ(frameTime, 80000);
  EXPECT_EQ(delayCredit, credit - 40000 < 0 ? 0 : credit - 40000);
  for (int i = 0; i < 5; ++i) Frame(100000);  // far too slow: no sleep at all
  EXPECT_EQ(delayCredit, 0);
  size_t before = sleeps.size();
  Frame(100000);
  EXPECT_EQ(sleeps.size(), before);
}

TEST_F(FrameClock, MeasuredRateChangesOncePerSecondAndDropsTheExcess) {
  std::vector<int32_t> seen;
  for (int i = 0; i < 30; ++i) {
    now += 70000;  // 70 ms a frame, no sleep needed
    seen.push_back(FPSUpdate());
  }
  // 14 frames fill 980 ms, the 15th closes the first second at 1050 ms.
  for (int i = 0; i < 14; ++i) EXPECT_EQ(seen[size_t(i)], 0) << i;
  EXPECT_EQ(seen[14], 14);
  // The 50 ms excess is dropped: the next second closes after 15 more frames.
  for (int i = 15; i < 29; ++i) EXPECT_EQ(seen[size_t(i)], 14) << i;
  EXPECT_EQ(seen[29], 15);
}

TEST_F(FrameClock, FrameTimeIsRightAcrossTheWrapOfTheTimeStamp) {
  now = 0xFFFFFFFFu - 15000;
  FPSUpdate();
  now += 40000;  // wraps to 24999
  FPSUpdate();
  EXPECT_EQ(frameTime, 40000);
  EXPECT_LT(now, 40000u);
}

TEST_F(FrameClock, NonPositiveTargetIsTakenAsOne) {
  targetFps = 0;
  Frame(1000);
  EXPECT_EQ(targetFps, 1);
  EXPECT_EQ(framePeriod, 1000000);
  targetFps = -5;
  Frame(1000);
  EXPECT_EQ(framePeriod, 1000000);
}

}  // namespace
