// Raster bars: the step's wrap, rows and columns, smoothing, copying, bad input.
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

Raster Numbered(int32_t count) {
  Raster raster(RASTERNew());
  RASTERSetCount(raster.get(), count);
  for (int32_t i = 0; i < count; ++i) raster->colours[i] = 0x010000u * uint32_t(i + 1) + uint32_t(i);
  return raster;
}

TEST(Raster, NewSpeedComesFromRand) {
  srand(5);
  Raster raster(RASTERNew());
  srand(5);
  EXPECT_EQ(raster->speed, 65536 + rand() % 1048575);
  EXPECT_EQ(raster->count, 256);
}

TEST(Raster, StepWrapsBothWays) {
  Raster raster = Numbered(4);
  const struct {
    int32_t position, speed, expected;
  } cases[] = {{250000, 20000, 7856}, {1000, -5000, 258144}, {0, -262144 * 3, 0},
               {262143, INT32_MAX, int32_t((262143 + int64_t(INT32_MAX)) % 262144)},
               {5, -262144 - 10, 262139},
               {0, INT32_MIN, 0}};  // a whole number of turns back lands on 0, never on L
  for (const auto& c : cases) {
    raster->position = c.position;
    raster->speed = c.speed;
    RASTERStep(raster.get());
    EXPECT_EQ(raster->position, c.expected) << c.position << " + " << c.speed;
  }
}

TEST(Raster, RowsAndColumnsTakeOneColourEach) {
  Raster raster = Numbered(256);
  auto image = Sized(7, 256);
  raster->speed = 5 * 65536;
  RASTERStep(raster.get());
  RASTERDrawRows(raster.get(), image.get());
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 7; ++x) ASSERT_EQ(image->pixels[x + 7 * y], raster->colours[(y + 5) % 256]);
  Raster three = Numbered(3);
  three->position = -(1 << 16);  // stored by a caller: still an entry of the table
  auto columns = Sized(10, 3);
  RASTERDrawColumns(three.get(), columns.get());
  for (int32_t x = 0; x < 10; ++x) EXPECT_EQ(columns->pixels[x + 20], three->colours[(x + 2) % 3]);
  auto expected = Sized(7, 256, 0x808080);
  IMGCopyTo(expected.get(), image.get());
  RASTERDrawRowsBlend(raster.get(), image.get(), 77);
  for (int32_t y = 0; y < 256; ++y)
    IMGHLineBlendColour(expected.get(), raster->colours[(y + 5) % 256], y, 0, 6, 77);
  EXPECT_EQ(IMGEqual(image.get(), expected.get()), 1);
}

TEST(Raster, SmoothWrapsAtTheTopAndMirrorsAtZero) {
  Raster raster = Numbered(4);
  RASTERClear(raster.get());
  raster->colours[2] = 0x0000FF;
  RASTERSmooth(raster.get(), 1);
  EXPECT_EQ(std::vector<uint32_t>(raster->colours, raster->colours + 4),
            (std::vector<uint32_t>{0, 0x3F, 0x7F, 0x3F}));
  std::mt19937 rng(9);
  for (int trial = 0; trial < 40; ++trial) {  // radii beyond the count included
    const int32_t count = imagetest::Between(rng, 1, 12), r = imagetest::Between(rng, 1, 30);
    RASTERSetCount(raster.get(), count);
    for (int32_t i = 0; i < count; ++i) raster->colours[i] = rng() & 0xFFFFFF;
    const std::vector<uint32_t> old(raster->colours, raster->colours + count);
    RASTERSmooth(raster.get(), r);
    for (int32_t i = 0; i < count; ++i) {
      uint32_t want = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        auto c = [&](int32_t k) { return int32_t((old[size_t(k)] >> shift) & 255); };
        int32_t sum = 2 * c(i);
        for (int32_t m = 1; m <= r; ++m) sum += c((i + m) % count) + c(std::abs(i - m) % count);
        want |= uint32_t(sum / (2 * r + 2)) << shift;
      }
      ASSERT_EQ(raster->colours[i], want) << count << " " << r << " " << i;
    }
  }
}

TEST(Raster, CopyToAnotherCountCopiesNothing) {
  Raster a = Numbered(6), c = Numbered(3);
  a->position = 123;
  Raster b(RASTERCopy(a.get()));
  EXPECT_EQ(RASTEREqual(a.get(), b.get()), 1);
  EXPECT_EQ(b->position, 123);
  c->position = 9;
  RASTERCopyTo(a.get(), c.get());
  EXPECT_EQ(c->position, 9);
  EXPECT_EQ(c->colours[0], 0x010000u);
}

TEST(Raster, EmptyTableAndBadInputAreRefused) {
  Raster raster = Numbered(0);
  auto image = Sized(4, 4, 0x777777);
  std::string printed = imagetest::Printed(RASTERDebug, [&] {
    RASTERStep(raster.get());
    RASTERDrawRows(raster.get(), image.get());
    RASTERDrawColumns(raster.get(), image.get());
    RASTERSmooth(raster.get(), 0);
    RASTERSetCount(raster.get(), RASTER_MAX_COUNT + 1);
    RASTERDrawRows(nullptr, image.get());
  });
  EXPECT_EQ(printed.size(), 6 * std::string("RASTER error\n").size());
  EXPECT_EQ(raster->count, 0);
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(image->pixels[i], 0x777777u);
  EXPECT_EQ(RASTERSave(raster.get(), (testing::TempDir() + "raster_test_empty").c_str()), 0);
  EXPECT_EQ(RASTERLoad("/nonexistent/raster"), nullptr);
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  fputs(text.c_str(), file);
  fclose(file);
}

// A saved table loads back entry for entry, the top byte included, at every size.
TEST(Raster, SaveAndLoadKeepEveryColour) {
  const std::string path = testing::TempDir() + "raster_test_round_trip";
  std::mt19937 random(11);
  for (int32_t count : {1, 7, 256, RASTER_MAX_COUNT}) {
    Raster saved = Numbered(count);
    for (int32_t i = 0; i < count; ++i) saved->colours[i] = uint32_t(random());
    saved->colours[0] = 0xFFFFFFFFu;
    ASSERT_EQ(RASTERSave(saved.get(), path.c_str()), 1) << count;
    Raster loaded(RASTERLoad(path.c_str()));
    ASSERT_TRUE(loaded) << count;
    EXPECT_EQ(loaded->position, 0);
    EXPECT_EQ(RASTEREqual(loaded.get(), saved.get()), 1) << count;
  }
  WriteFile(path, "");  // an empty file: a raster with no colours
  Raster empty(RASTERLoad(path.c_str()));
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->count, 0);
  WriteFile(path, " ff0000\r\n00Ff00\t1\n");  // any white space, either case, short words
  Raster loose(RASTERLoad(path.c_str()));
  ASSERT_TRUE(loose);
  ASSERT_EQ(loose->count, 3);
  EXPECT_EQ(loose->colours[1], 0x00FF00u);
  EXPECT_EQ(loose->colours[2], 1u);
  remove(path.c_str());
}

TEST(Raster, LoadRefusesWhatSaveCannotHaveWritten) {
  const std::string path = testing::TempDir() + "raster_test_bad";
  std::string tooMany;
  for (int32_t i = 0; i <= RASTER_MAX_COUNT; ++i) tooMany += "1\n";
  for (const std::string& text : {std::string("12 zz\n"), std::string("123456789\n"), std::string("0x10\n"),
                                   std::string("-1\n"), tooMany}) {
    WriteFile(path, text);
    std::string printed = imagetest::Printed(RASTERDebug, [&] { EXPECT_EQ(RASTERLoad(path.c_str()), nullptr); });
    EXPECT_EQ(printed, "RASTER error\n") << text.substr(0, 12);
  }
  remove(path.c_str());
  Raster raster = Numbered(3);
  EXPECT_EQ(RASTERSave(raster.get(), (path + "/no/such/folder").c_str()), 0);
}

}  // namespace
