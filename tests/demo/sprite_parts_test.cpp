// The sprite parts' adaptive count, on the headless show.
#include "sprite_parts.h"

#include <gtest/gtest.h>

#include <climits>

#include "fps.h"
#include "headless_show.h"

namespace {

using SpriteParts = HeadlessShow;

TEST_F(SpriteParts, CountGrowsByTenOrFallsByTenButNotBelowZero) {
  const struct { int32_t measured, count, adapted; } cases[] = {
      {25, 0, 10}, {24, 35, 25}, {24, 10, 0}, {24, 5, 0}, {24, 0, 0}, {25, INT32_MAX, INT32_MAX}};
  for (const auto& c : cases) {
    measuredFps = c.measured;
    EXPECT_EQ(DemoAdaptCount(c.count), c.adapted) << c.measured << " " << c.count;
  }
}

}  // namespace
