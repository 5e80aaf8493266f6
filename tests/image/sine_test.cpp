#include "sine.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SineTable, QuarterIsRoundedSineAndTheRestMirrors) {
  ASSERT_EQ(SineTableCount, 1024);
  ASSERT_EQ(SineTableMask, 1023);
  for (int i = 0; i < 256; ++i) {
    double exact = 32767.0 * std::sin(2.0 * M_PI * i / 1024.0);
    EXPECT_NEAR(SineTable[i], exact, 0.5 + 1.0) << i;
    EXPECT_EQ(SineTable[511 - i], SineTable[i]) << i;
  }
  EXPECT_EQ(SineTable[255], 32766);
  EXPECT_EQ(SineTable[256], 32766);
  EXPECT_EQ(SineTable[511], 0);
  for (int i = 0; i < 512; ++i) EXPECT_EQ(SineTable[512 + i], -SineTable[i]) << i;
}
