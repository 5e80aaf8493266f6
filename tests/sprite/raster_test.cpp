// Raster bars: the step's wrap, rows and columns, smoothing, copying, the file
// round trip and bad input.
#include "raster.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image_fixture.h"
#include "img.h"

namespace {

using imagetest::Sized;

struct RasterDeleter {
  void operator()(RASTER* raster) const { RASTERFree(&raster); }
};
using Raster = std::unique_ptr<RASTER, RasterDeleter>;

Raster Table(std::vector<uint32_t> colours) {
  Raster raster(RASTERNew());
  RASTERSetCount(raster.get(), int32_t(colours.size()));
  for (size_t i = 0; i < colours.size(); ++i) raster->colours[i] = colours[i];
  return raster;
}

std::vector<uint32_t> Colours(const RASTER* r) { return std::vector<uint32_t>(r->colours, r->colours + r->count); }

TEST(Raster, NewSpeedComesFromRandAndStepsWrapBothWays) {
  srand(5);
  Raster raster(RASTERNew());
  srand(5);
  EXPECT_EQ(raster->speed, 65536 + rand() % 1048575);
  EXPECT_EQ(Colours(raster.get()), std::vector<uint32_t>(256, 0));
  RASTERSetCount(raster.get(), 4);  // L = 262144
  const struct {
    int32_t position, speed, expected;
  } cases[] = {{250000, 20000, 7856},       {1000, -5000, 258144}, {0, -262144 * 3, 0},
               {262143, INT32_MAX, 262142}, {5, -262144 - 10, 262139},
               {0, INT32_MIN, 0}};  // a whole number of turns back lands on 0, never on L
  for (const auto& c : cases) {
    raster->position = c.position;
    raster->speed = c.speed;
    RASTERStep(raster.get());
    EXPECT_EQ(raster->position, c.expected) << c.position << " + " << c.speed;
  }
}

TEST(Raster, RowsAndColumnsTakeOneColourEach) {
  Raster raster = Table({0x111111, 0x222222, 0x333333});
  raster->position = 4 << 16;  // row y: entry (4 + y) mod 3
  auto rows = Sized(2, 4);
  RASTERDrawRows(raster.get(), rows.get());
  EXPECT_EQ(std::vector<uint32_t>(rows->pixels, rows->pixels + 8),
            (std::vector<uint32_t>{0x222222, 0x222222, 0x333333, 0x333333, 0x111111, 0x111111, 0x222222, 0x222222}));
  raster->position = -(1 << 16);  // stored by a caller: still an entry of the table
  auto columns = Sized(5, 2);
  RASTERDrawColumns(raster.get(), columns.get());
  EXPECT_EQ(std::vector<uint32_t>(columns->pixels + 5, columns->pixels + 10),
            (std::vector<uint32_t>{0x333333, 0x111111, 0x222222, 0x333333, 0x111111}));
  auto blended = Sized(2, 4, 0x808080), expected = Sized(2, 4, 0x808080);
  RASTERDrawRowsBlend(raster.get(), blended.get(), 64);
  for (int32_t y = 0; y < 4; ++y) IMGHLineBlendColour(expected.get(), raster->colours[(y + 2) % 3], y, 0, 1, 64);
  EXPECT_TRUE(IMGEqual(blended.get(), expected.get()));
}

TEST(Raster, SmoothWrapsAtTheTopAndMirrorsAtZero) {
  const struct {
    std::vector<uint32_t> table;
    int32_t r;
    std::vector<uint32_t> smoothed;
  } cases[] = {
      {{0, 0, 0xFF, 0}, 1, {0, 0x3F, 0x7F, 0x3F}},
      {{0x102030, 0xFF0000, 0x00FF80, 0x0A0B0C, 0x808080}, 1, {0x871018, 0x83472C, 0x428243, 0x256546, 0x464A4F}},
      {{0x102030, 0xFF0000, 0x00FF80, 0x0A0B0C, 0x808080}, 7, {0x55593D, 0x644733, 0x4C5F43, 0x4D503C, 0x5C4F3B}},
  };
  for (const auto& c : cases) {
    Raster raster = Table(c.table);
    RASTERSmooth(raster.get(), c.r);
    EXPECT_EQ(Colours(raster.get()), c.smoothed) << c.r;
  }
}

TEST(Raster, CopiesNeedTheSameCount) {
  Raster a = Table({1, 2, 3, 4, 5, 6}), c = Table({7, 8, 9});
  a->position = 123;
  Raster b(RASTERCopy(a.get()));
  EXPECT_TRUE(RASTEREqual(a.get(), b.get()));
  EXPECT_EQ(b->position * 1000000 + b->speed, 123 * 1000000 + a->speed);
  b->colours[5] = 0;
  EXPECT_FALSE(RASTEREqual(a.get(), b.get()));
  EXPECT_FALSE(RASTEREqual(a.get(), c.get()));
  RASTERCopyTo(a.get(), c.get());  // refused
  EXPECT_EQ(Colours(c.get()), (std::vector<uint32_t>{7, 8, 9}));
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "wb");
  fputs(text.c_str(), file);
  fclose(file);
}

TEST(Raster, SaveAndLoadKeepEveryColour) {
  const std::string path = testing::TempDir() + "raster_test_round_trip";
  std::mt19937 random(11);
  for (int32_t count : {1, 7, RASTER_MAX_COUNT}) {
    std::vector<uint32_t> colours(static_cast<size_t>(count));
    for (uint32_t& colour : colours) colour = uint32_t(random());
    colours[0] = 0xFFFFFFFFu;
    Raster saved = Table(colours);
    saved->position = 5;
    ASSERT_EQ(RASTERSave(saved.get(), path.c_str()), 1) << count;
    Raster loaded(RASTERLoad(path.c_str()));
    ASSERT_TRUE(loaded) << count;
    EXPECT_EQ(loaded->position, 0);
    EXPECT_EQ(Colours(loaded.get()), colours);
  }
  std::string tooMany;
  for (int32_t i = 0; i <= RASTER_MAX_COUNT; ++i) tooMany += "1\n";
  const struct {
    std::string text;
    std::vector<uint32_t> colours;  // none with loaded false
    bool loaded;
  } files[] = {{"", {}, true},  // no colours
               {" ff0000\r\n00Ff00\t1\n", {0xFF0000, 0xFF00, 1}, true},
               {"12 zz\n", {}, false}, {"123456789\n", {}, false}, {"0x10\n", {}, false}, {"-1\n", {}, false},
               {tooMany, {}, false}};
  for (const auto& f : files) {
    WriteFile(path, f.text);
    RASTER* loaded = nullptr;
    const std::string printed = imagetest::Printed(RASTERDebug, [&] { loaded = RASTERLoad(path.c_str()); });
    EXPECT_EQ(printed, f.loaded ? "" : "RASTER error\n") << f.text.substr(0, 12);
    EXPECT_EQ(loaded ? Colours(loaded) : std::vector<uint32_t>{}, f.colours);
    if (loaded) RASTERFree(&loaded);
  }
  remove(path.c_str());
  Raster raster = Table({1});
  EXPECT_EQ(RASTERSave(raster.get(), (path + "/no/such/folder").c_str()), 0);
  EXPECT_EQ(RASTERLoad("/nonexistent/raster"), nullptr);
}

TEST(Raster, EmptyTableAndBadInputAreRefused) {
  Raster raster = Table({});
  auto image = Sized(4, 4, 0x777777);
  const std::string printed = imagetest::Printed(RASTERDebug, [&] {
    RASTERStep(raster.get());
    RASTERDrawRows(raster.get(), image.get());
    RASTERDrawColumns(raster.get(), image.get());
    RASTERDrawRowsBlend(raster.get(), image.get(), 9);
    RASTERSmooth(raster.get(), 0);
    RASTERSetCount(raster.get(), RASTER_MAX_COUNT + 1);
    RASTERSetCount(raster.get(), -1);
    RASTERDrawRows(nullptr, image.get());
    EXPECT_EQ(RASTERSave(raster.get(), "raster_test_empty"), 0);
  });
  EXPECT_EQ(printed.size(), 9 * std::string("RASTER error\n").size());
  EXPECT_EQ(raster->count, 0);
  EXPECT_TRUE(IMGEqual(image.get(), Sized(4, 4, 0x777777).get()));
}

}  // namespace
