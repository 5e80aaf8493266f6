// The frame clock on a simulated machine: drawing a frame takes a chosen time,
// a sleep of n ms takes exactly n ms, and the clock may start anywhere.
#include "fps.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "fake_clock.h"

namespace {

using Ints = std::vector<int32_t>;

// The clock starts as FPSReset leaves it (each case runs in a process of its own; defined first,
// this case also runs first when they share one). The first second closes at the second reading.
TEST(FrameClockStart, IsWhatFPSResetGives) {
  FPSSetClock(fakeclock::Read, fakeclock::Sleep);
  Ints start, reset;
  for (Ints* trace : {&start, &reset}) {
    if (trace == &reset) FPSReset();
    for (uint32_t at : {999999u, 1000000u}) {
      fakeclock::now = at;
      trace->insert(trace->end(), {FPSUpdate(), (FPSDelay(), frameCounter), frameTime, delayCredit, targetFps});
    }
  }
  EXPECT_EQ(start, reset);
  EXPECT_EQ(start[5], 1);
  FPSSetClock(nullptr, nullptr);
}

struct FrameClock : ::testing::Test {
  void SetUp() override { fakeclock::Install(0); }
  void TearDown() override { FPSSetClock(nullptr, nullptr); }
  void Frames(int n, uint32_t drawTime) {
    for (int i = 0; i < n; ++i) {
      fakeclock::now += drawTime;
      FPSUpdate();
      FPSDelay();
    }
  }
};

TEST_F(FrameClock, CreditSettlesWhereDrawingPlusSleepIsThePeriod) {
  Frames(1, 5000000);  // the first frame measures everything since start
  EXPECT_EQ((Ints{frameTime, measuredFps, delayCredit}), (Ints{5000000, 0, 0}));
  Frames(200, 13000);  // 13 ms drawing and 27 ms sleep hold 40 ms
  EXPECT_EQ((Ints{int32_t(fakeclock::sleeps.back()), frameTime, measuredFps, frameCounter}),
            (Ints{27, 40000, 25, 201}));
  int32_t credit = delayCredit;
  Frames(1, 53000);  // the last 27 ms sleep plus 53 ms of drawing: two periods
  EXPECT_EQ((Ints{frameTime, delayCredit}), (Ints{80000, credit > 40000 ? credit - 40000 : 0}));
  Frames(5, 100000);  // far too slow: the credit is gone and nothing sleeps
  const size_t sleeps = fakeclock::sleeps.size();
  Frames(1, 100000);
  EXPECT_EQ(std::pair(delayCredit, fakeclock::sleeps.size()), std::pair(0, sleeps));
  Frames(100, 10000);
  credit = delayCredit;
  targetFps = 50;  // the next frame still takes 40 ms: 10 drawing + 30 sleeping
  Frames(1, 10000);
  EXPECT_EQ((Ints{framePeriod, delayCredit}), (Ints{20000, credit - 20000}));
  Frames(50, 10000);
  EXPECT_EQ((Ints{int32_t(fakeclock::sleeps.back()), frameTime}), (Ints{10, 20000}));
  targetFps = 0;  // no rate: one frame a second
  Frames(1, 10000);
  EXPECT_EQ(targetFps * 10000000 + framePeriod, 11000000);
}

TEST_F(FrameClock, MeasuredRateChangesOncePerSecondAndDropsTheExcess) {
  fakeclock::step = 70000;  // 70 ms a frame, no sleep needed
  int32_t seen[30];
  for (int32_t& rate : seen) rate = FPSUpdate();
  // 14 frames fill 980 ms, the 15th closes the first second at 1050 ms; the
  // 50 ms excess is dropped, so the next second closes after 15 more frames.
  for (int i = 0; i < 30; ++i) EXPECT_EQ(seen[i], i < 14 ? 0 : i < 29 ? 14 : 15) << i;
}

// Stamps as the clock gives them (wrapping at 2^32 like the real one) and what the frame clock makes of
// each: a frame longer than one second, or negative as a signed difference, is a pause that closes the
// second and zeroes the credit; every other frame keeps the controller's arithmetic.
TEST_F(FrameClock, APauseIsNotPaidBack) {
  struct Stamp {
    uint32_t at;
    int32_t frameTime, credit, sleptMs, measured;  // sleptMs -1: no sleep
  };
  const uint32_t kEdge = 2147483648u;  // 2^31
  const std::vector<std::pair<const char*, std::vector<Stamp>>> traces = {
      {"a 2200 s suspend after 1 s",
       {{1000000, 1000000, 0, -1, 0},
        {1013000, 13000, 27000, 27, 0},
        {1053000, 40000, 27000, 27, 0},
        {2201053000u, INT32_MAX, 0, -1, 3},  // was -2094967296 and a 35-minute sleep
        {2201066000u, 13000, 27000, 27, 3}}},
      {"three frames of 2500 s",
       {{2500000000u, INT32_MAX, 0, -1, 0},
        {705032704u, INT32_MAX, 0, -1, 1},  // 5000 s, wrapped
        {3205032704u, INT32_MAX, 0, -1, 1},
        {3205072704u, 40000, 0, -1, 1}}},
      {"around 2^31 and one second",
       {{13000, 13000, 27000, 27, 0},
        {53000, 40000, 27000, 27, 0},
        {2147536647u, INT32_MAX, 0, -1, 2},  // INT32_MAX later
        {52999, INT32_MAX, 0, -1, 1},  // 2^31 later, wrapped
        {52999 + kEdge + 10, INT32_MAX, 0, -1, 1},  // was -2147483638: 40000 - frameTime overflowed
        {2148536658u, 1000001, 0, -1, 1},
        {2149536658u, 1000000, 0, -1, 1},  // exactly one second is a frame
        {2149549658u, 13000, 27000, 27, 1}}},
      {"across the wrap of the stamp",
       {{4294940296u, INT32_MAX, 0, -1, 0},
        {4294953296u, 13000, 27000, 27, 0},
        {26000, 40000, 27000, 27, 0}}},
      {"a clock that stands still",
       {{5000, 5000, 35000, 35, 0}, {5000, 0, 40000, 40, 0}, {5000, 0, 40000, 40, 0}}},
  };
  for (const auto& [name, stamps] : traces) {
    fakeclock::Install(0);
    for (size_t i = 0; i < stamps.size(); ++i) {
      const Stamp& s = stamps[i];
      const size_t sleeps = fakeclock::sleeps.size();
      fakeclock::now = s.at;
      FPSUpdate();
      FPSDelay();
      const int32_t slept = fakeclock::sleeps.size() > sleeps ? int32_t(fakeclock::sleeps.back()) : -1;
      EXPECT_EQ(std::vector<int32_t>({frameTime, delayCredit, slept, measuredFps}),
                std::vector<int32_t>({s.frameTime, s.credit, s.sleptMs, s.measured}))
          << name << ", stamp " << i;
    }
  }
}

}  // namespace
