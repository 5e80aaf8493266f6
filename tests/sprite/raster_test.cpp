// Raster bars: the step's wrap, rows, columns, blending, smoothing, bad input.
#include "raster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image/image_fixture.h"
#include "img.h"

namespace {

using imagetest::Image;
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

TEST(Raster, NewHasBlackTableAndRandomSpeed) {
  for (unsigned seed : {1u, 2u, 273880913u}) {
    srand(seed);
    Raster raster(RASTERNew());
    ASSERT_NE(raster, nullptr);
    EXPECT_EQ(raster->count, 256);
    EXPECT_EQ(raster->position, 0);
    srand(seed);
    EXPECT_EQ(raster->speed, 65536 + rand() % 1048575);
    EXPECT_GE(raster->speed, 65536);
    EXPECT_LE(raster->speed, 1114110);
    for (int32_t i = 0; i < 256; ++i) ASSERT_EQ(raster->colours[i], 0u);
  }
}

TEST(Raster, StepWrapsBothWays) {
  Raster raster = Numbered(4);
  raster->position = 250000;
  raster->speed = 20000;
  RASTERStep(raster.get());
  EXPECT_EQ(raster->position, 7856);
  raster->position = 1000;
  raster->speed = -5000;
  RASTERStep(raster.get());
  EXPECT_EQ(raster->position, 258144);
  // Steps of many turns, and landing exactly on a turn backwards, stay in range.
  raster->position = 0;
  raster->speed = -262144 * 3;
  RASTERStep(raster.get());
  EXPECT_EQ(raster->position, 0);
  raster->speed = INT32_MAX;
  raster->position = 262143;
  RASTERStep(raster.get());
  EXPECT_EQ(raster->position, int32_t((262143 + int64_t(INT32_MAX)) % 262144));
  raster->speed = INT32_MIN;
  RASTERStep(raster.get());
  EXPECT_GE(raster->position, 0);
  EXPECT_LT(raster->position, 262144);
}

TEST(Raster, RowsTakeOneColourEach) {
  Raster raster = Numbered(256);
  Image image = Sized(7, 256, 0x123456);
  RASTERDrawRows(raster.get(), image.get());
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 7; ++x) ASSERT_EQ(image->pixels[x + 7 * y], raster->colours[y]) << y;
  raster->speed = 5 * 65536;
  RASTERStep(raster.get());
  RASTERDrawRows(raster.get(), image.get());
  for (int32_t y = 0; y < 256; ++y) ASSERT_EQ(image->pixels[7 * y + 3], raster->colours[(y + 5) % 256]);
  // Only the integer part of the position selects.
  raster->position = 0xFFFF;
  RASTERDrawRows(raster.get(), image.get());
  EXPECT_EQ(image->pixels[0], raster->colours[0]);
}

TEST(Raster, ShortTableRepeatsAndColumnsToo) {
  Raster raster = Numbered(3);
  raster->position = 2 << 16;
  Image rows = Sized(2, 10);
  RASTERDrawRows(raster.get(), rows.get());
  for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(rows->pixels[2 * y + 1], raster->colours[(y + 2) % 3]);
  Image columns = Sized(10, 3);
  RASTERDrawColumns(raster.get(), columns.get());
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 10; ++x) EXPECT_EQ(columns->pixels[x + 10 * y], raster->colours[(x + 2) % 3]);
  // A position a caller set below zero still selects inside the table.
  raster->position = -(1 << 16);
  RASTERDrawColumns(raster.get(), columns.get());
  EXPECT_EQ(columns->pixels[0], raster->colours[2]);
}

TEST(Raster, BlendedRowsMatchTheBlendedSpan) {
  Raster raster = Numbered(5);
  raster->position = 3 << 16;
  std::mt19937 rng(5);
  Image image = imagetest::Random(rng, 9, 12);
  Image expected(IMGCopy(image.get()));
  for (int32_t alpha : {0, 77, 128, 256}) {
    RASTERDrawRowsBlend(raster.get(), image.get(), alpha);
    for (int32_t y = 0; y < 12; ++y)
      IMGHLineBlendColour(expected.get(), raster->colours[(y + 3) % 5], y, 0, 8, alpha);
    ASSERT_EQ(IMGEqual(image.get(), expected.get()), 1) << alpha;
  }
}

TEST(Raster, SmoothWrapsAtTheTopAndMirrorsAtZero) {
  Raster raster(RASTERNew());
  RASTERSetCount(raster.get(), 4);
  raster->colours[2] = 0x0000FF;
  RASTERSmooth(raster.get(), 1);
  EXPECT_EQ(raster->colours[0], 0x000000u);
  EXPECT_EQ(raster->colours[1], 0x00003Fu);
  EXPECT_EQ(raster->colours[2], 0x00007Fu);
  EXPECT_EQ(raster->colours[3], 0x00003Fu);
  // Against the formula written out, on random tables and radii beyond the count.
  std::mt19937 rng(9);
  for (int trial = 0; trial < 40; ++trial) {
    const int32_t count = imagetest::Between(rng, 1, 12);
    const int32_t r = imagetest::Between(rng, 1, 30);
    RASTERSetCount(raster.get(), count);
    for (int32_t i = 0; i < count; ++i) raster->colours[i] = rng() & 0xFFFFFF;
    std::vector<uint32_t> old(raster->colours, raster->colours + count);
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

TEST(Raster, CopiesAndEquality) {
  Raster a = Numbered(6);
  a->position = 123;
  a->speed = -77;
  Raster b(RASTERCopy(a.get()));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->count, 6);
  EXPECT_EQ(b->position, 123);
  EXPECT_EQ(b->speed, -77);
  EXPECT_EQ(RASTEREqual(a.get(), b.get()), 1);
  b->colours[5] ^= 1;
  EXPECT_EQ(RASTEREqual(a.get(), b.get()), 0);
  RASTERCopyTo(a.get(), b.get());
  EXPECT_EQ(RASTEREqual(a.get(), b.get()), 1);
  // Different counts: reported, and the target is left as it was.
  Raster c = Numbered(3);
  c->position = 9;
  RASTERCopyTo(a.get(), c.get());
  EXPECT_EQ(c->position, 9);
  EXPECT_EQ(c->colours[0], 0x010000u);
  EXPECT_EQ(RASTEREqual(a.get(), c.get()), 0);
  RASTERClear(a.get());
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(a->colours[i], 0u);
}

TEST(Raster, SetCountRestartsAndKeepsSpeed) {
  Raster raster = Numbered(8);
  raster->position = 5 << 16;
  raster->speed = 4242;
  RASTERSetCount(raster.get(), 20);
  EXPECT_EQ(raster->count, 20);
  EXPECT_EQ(raster->position, 0);
  EXPECT_EQ(raster->speed, 4242);
  for (int32_t i = 0; i < 20; ++i) EXPECT_EQ(raster->colours[i], 0u);
  RASTERSetCount(raster.get(), -1);
  RASTERSetCount(raster.get(), RASTER_MAX_COUNT + 1);
  EXPECT_EQ(raster->count, 20);
}

TEST(Raster, EmptyTableAndBadInputAreRefused) {
  Raster raster(RASTERNew());
  RASTERSetCount(raster.get(), 0);
  raster->speed = 99;
  Image image = Sized(4, 4, 0x777777);
  std::string printed = imagetest::Printed(RASTERDebug, [&] {
    RASTERStep(raster.get());
    RASTERDrawRows(raster.get(), image.get());
    RASTERDrawRowsBlend(raster.get(), image.get(), 100);
    RASTERDrawColumns(raster.get(), image.get());
    RASTERSmooth(raster.get(), 0);
    RASTERDrawRows(nullptr, image.get());
    RASTERDrawRows(raster.get(), nullptr);
  });
  std::string sevenLines;
  for (int i = 0; i < 7; ++i) sevenLines += "RASTER error\n";
  EXPECT_EQ(printed, sevenLines);
  EXPECT_EQ(raster->position, 0);
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(image->pixels[i], 0x777777u);
  RASTERSmooth(raster.get(), 3);  // nothing to smooth
  EXPECT_EQ(RASTERSave(raster.get(), "/nonexistent/never"), 0);
  EXPECT_EQ(RASTERLoad("/nonexistent/never"), nullptr);
}

TEST(Raster, LoadAndSaveTouchOnlyTheFile) {
  char path[] = "/tmp/raster_testXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  FILE* f = fdopen(fd, "w");
  fputs("old contents", f);
  fclose(f);
  Raster raster = Numbered(4);
  EXPECT_EQ(RASTERSave(raster.get(), path), 1);
  f = fopen(path, "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(fgetc(f), EOF);  // emptied
  fclose(f);
  Raster loaded(RASTERLoad(path));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->count, 0);
  remove(path);
}

}  // namespace
