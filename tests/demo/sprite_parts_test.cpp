// The sprite parts on the headless show: the adaptive count's rule, and the
// statistics tint that each part puts on the font and takes off exactly.
#include "sprite_parts.h"

#include <gtest/gtest.h>

#include <climits>

#include "font.h"
#include "fps.h"
#include "headless_show.h"

namespace {

using SpriteParts = HeadlessShow;

TEST_F(SpriteParts, CountGrowsByTenOrFallsByTenButNotBelowZero) {
  const struct {
    int32_t measured, count, adapted;
  } cases[] = {{25, 0, 10}, {24, 35, 25}, {24, 10, 0}, {24, 5, 0}, {24, 0, 0}, {25, INT32_MAX, INT32_MAX}};
  for (const auto& c : cases) {
    measuredFps = c.measured;
    EXPECT_EQ(DemoAdaptCount(c.count), c.adapted) << c.measured << " " << c.count;
  }
}

// The tint saturates, so only the kept copy gives the font back; a restore
// without a tint changes nothing.
TEST_F(SpriteParts, PartsPutTheFontBackExactly) {
  IMG* font = IMGCopy(bitmapFont->sheet);
  for (void (*part)() : {DemoSwarm, DemoRain, DemoSwarm}) {
    controlFlags = CONTROL_NEXT;
    part();
    EXPECT_TRUE(IMGEqual(bitmapFont->sheet, font));
  }
  DemoStatsFontRestore();
  EXPECT_TRUE(IMGEqual(bitmapFont->sheet, font));
  EXPECT_EQ(controlFlags, 0);
  IMGFree(&font);
}

}  // namespace
