// Bad input of the line effects: refused calls print their module's error line
// (with the module's flag set) and change nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "helix.h"
#include "image_fixture.h"
#include "img.h"
#include "lstars.h"
#include "sineline.h"

namespace {

TEST(Effects, BadInputIsRefusedAndReported) {
  HELIX h{0, 0, 0, 100, INT32_MAX, 0, 0};
  SINELINE* line = SINELINENew();
  LSTARS* stars = LSTARSNew();
  const LSTARSPoint first = stars->stars[0];
  auto image = imagetest::Sized(8, 8), empty = imagetest::Sized(0, 5);
  IMG noPixels{16, 16, nullptr};
  srand(77);
  const int next = rand();
  srand(77);
  // Each combined helix drawing reports twice, once per pass; an empty image is no error.
  EXPECT_EQ(imagetest::Printed(HELIXDebug, [&] {
              HELIXDrawRibbonH(&h, nullptr);
              HELIXDrawRibbonV(&h, &noPixels);
              HELIXDrawColumns(nullptr, image.get());
              HELIXDrawRows(&h, &noPixels);
              HELIXDrawRibbonH(&h, empty.get());
              HELIXDrawRibbonV(&h, empty.get());
              EXPECT_EQ(HELIXClone(nullptr), nullptr);
              HELIXCopy(nullptr, &h);
            }).size(),
            10 * std::string("HELIX error\n").size());
  EXPECT_EQ(imagetest::Printed(SINELINEDebug, [&] {
              SINELINEUpdate(nullptr);
              SINELINEDrawMirror8(line, &noPixels);
              EXPECT_EQ(SINELINEClone(nullptr), nullptr);
              SINELINEDrawGraphX(line, image.get(), SINELINE_MAX_STEP + 1);
              SINELINEDrawGraphY(line, image.get(), INT32_MIN);
              SINELINESetCount(line, 0);  // no random draw, the points kept
              SINELINESetCount(line, INT32_MIN);
              line->count = 0;  // a count written by hand is refused, not read
              SINELINEDrawFilledY(line, image.get(), 1);
              line->count = 16;
            }).size(),
            8 * std::string("SINELINE error\n").size());
  EXPECT_EQ(imagetest::Printed(LSTARSDebug, [&] {
              LSTARSSetCount(stars, -4);
              LSTARSPlace(stars, 16);
              LSTARSPlace(stars, -1);
              LSTARSDrawSprites(stars, image.get());  // no sprite font
              LSTARSDrawDots(stars, nullptr);
              LSTARSMove(nullptr);
              stars->width = 0;  // an area of no size cannot be placed in (no division by zero)
              LSTARSReset(stars);
            }).size(),
            7 * std::string("LSTARS error\n").size());
  EXPECT_TRUE(IMGEqual(image.get(), imagetest::Sized(8, 8).get()));
  EXPECT_EQ(line->count + stars->count, 16 + 16);
  EXPECT_EQ(rand(), next);
  EXPECT_EQ(stars->stars[0].x * 1000 + stars->stars[0].y, first.x * 1000 + first.y);
  SINELINEFree(&line);
  LSTARSFree(&stars);
}

}  // namespace
