#include <array>
#include <cstdlib>
#include <numeric>

#include "image_fixture.h"
#include "imgfx.h"
#include "rgb888.h"

namespace {

using namespace imagetest;
using BlitCall = void (*)(const IMG*, IMG*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

const struct { const char* name; BlitCall call; } kBlits[] = {
    {"keyed", IMGBlitKeyed}, {"copy", IMGBlit}, {"add", IMGBlitAdd}, {"addsat", IMGBlitAddSat},
    {"average", IMGFXBlitAverage}};

// A coordinate near the edges of an extent, far outside now and then.
int32_t Around(std::mt19937& rng, int32_t extent) {
  uint32_t pick = rng() % 12;
  if (pick < 2) return pick ? INT32_MAX - int32_t(rng() % 4) : INT32_MIN + int32_t(rng() % 4);
  return Between(rng, -extent - 3, extent + 3);
}

// A 16-pixel sprite cell whose groups of four are all key, all colour or mixed.
Image Cell(std::mt19937& rng, int32_t h) {
  Image cell = Random(rng, 16, h, 0, true);
  for (int32_t i = 0; i < 16 * h; i += 4)
    for (uint32_t k = 0, kind = rng() % 3; k < 4; ++k) {
      uint32_t& p = cell->pixels[i + k];
      p = kind == 0 || (kind == 2 && rng() % 2) ? 0 : p ? p : 1;
    }
  return cell;
}

// Every rule on random rectangles of every size and place, far outside too,
// sprite cells, and rectangles within one Image, overlapping or not.
TEST(Blits, FastPathsMatchThePlainPath) {
  std::mt19937 rng(1);
  for (const auto& blit : kBlits)
    for (int n = 0; n < 1200; ++n) {
      int32_t limit = n % 50 == 0 ? 300 : 24;
      int32_t sh = Between(rng, 1, limit), dw = Between(rng, 1, limit), dh = Between(rng, 1, limit);
      bool cell = n % 4 == 0;
      Image source = cell ? Cell(rng, sh) : Random(rng, Between(rng, 1, limit), sh, 3, true);
      Image destination = Random(rng, dw, dh, 0, true);
      int32_t sx = cell ? 0 : Around(rng, source->width), sy = cell ? 0 : Around(rng, sh);
      int32_t dx = Around(rng, dw), dy = Around(rng, dh);
      int32_t w = cell ? 16 : n % 9 == 0 ? Around(rng, limit) : Between(rng, -2, limit + 4);
      int32_t h = cell ? sh : n % 11 == 0 ? Around(rng, limit) : Between(rng, -2, limit + 4);
      ASSERT_TRUE(SamePaths(destination.get(), [&](IMG* d) { blit.call(source.get(), d, sx, sy, dx, dy, w, h); }))
          << blit.name << " " << sx << "," << sy << " to " << dx << "," << dy << " size " << w << "x" << h;
      int32_t ox = Between(rng, -3, dw), oy = Between(rng, -3, dh), ow = Between(rng, 0, dw);
      int32_t px = Between(rng, -3, dw), py = Between(rng, -3, dh), oh = Between(rng, 0, dh);
      ASSERT_TRUE(SamePaths(destination.get(), [&](IMG* d) { blit.call(d, d, ox, oy, px, py, ow, oh); }))
          << blit.name << " within " << dw << "x" << dh;
      if (blit.call != IMGFXBlitAverage) continue;  // the overlay is the averaging blit of the whole source
      Image overlaid(IMGCopy(destination.get()));
      IMGOverlayAverage(source.get(), overlaid.get(), dx, dy);
      IMGFXBlitAverage(source.get(), destination.get(), 0, 0, dx, dy, source->width, sh);
      ASSERT_TRUE(IMGEqual(overlaid.get(), destination.get())) << dx << "," << dy;
    }
}

TEST(Blits, WorkedExamples) {
  std::mt19937 rng(3);
  Image sheet = Random(rng, 16, 64, 3), screen = Sized(320, 200, 0x0A0B0C);
  IMGBlitKeyed(sheet.get(), screen.get(), 0, 32, -8, -8, 16, 16);
  IMGBlit(sheet.get(), screen.get(), 0, 0, 0, 0, 0, 16);   // no width: nothing
  IMGBlit(sheet.get(), screen.get(), 0, 0, 320, 0, 16, 16);  // wholly right of the screen
  Image expected = Sized(320, 200, 0x0A0B0C);  // the lower right quarter of the cell, in the corner
  for (int i = 0; i < 64; ++i)
    if (uint32_t p = sheet->pixels[(i % 8 + 8) + (i / 8 + 40) * 16]) expected->pixels[i % 8 + i / 8 * 320] = p;
  EXPECT_TRUE(IMGEqual(screen.get(), expected.get()));
  // One pixel under each rule: {source, destination, result}.
  const uint32_t rules[][3][3] = {
      {{0x000000, 0x123456, 0x123456}, {0x00FF01, 0x123456, 0x00FF01}, {0, 0, 0}},
      {{0x000000, 0x123456, 0x000000}, {0x00FF01, 0x123456, 0x00FF01}, {0, 0, 0}},
      {{0x0000FF, 0x000001, 0x000100}, {0xFF000000, 0x01000000, 0}, {0x808080, 0x808080, 0x1010100}},
      {{0x0000FF, 0x000001, 0x0000FF}, {0xFF804020, 0x01C04020, 0xFF8040}, {0, 0x7F, 0x7F}},
      {{0xFFFFFF, 0x000000, 0x7F7F7F}, {0x000000, 0x7F7F7F, 0x7F7F7F}, {0x030507, 0x0B0D0F, 0x06080A}}};
  for (int k = 0; k < 5; ++k)
    for (const auto& r : rules[k]) {
      Image s = Sized(1, 1, r[0]), d = Sized(1, 1, r[1]);
      kBlits[k].call(s.get(), d.get(), 0, 0, 0, 0, 1, 1);
      EXPECT_EQ(d->pixels[0], r[2]) << kBlits[k].name << " " << std::hex << r[0] << " onto " << r[1];
    }
}

// The spread blit clips on its own: with steps of 1 it is the keyed blit, and
// with larger steps each pixel goes as a keyed blit of that one pixel would.
TEST(Spread, MatchesTheKeyedBlit) {
  std::mt19937 rng(9);
  for (int n = 0; n < 1500; ++n) {
    int32_t sw = Between(rng, 1, 20), sh = Between(rng, 1, 20), dw = Between(rng, 1, 40), dh = Between(rng, 1, 40);
    Image s = Random(rng, sw, sh, 3), spread = Random(rng, dw, dh, 0), expected(IMGCopy(spread.get()));
    bool unit = n % 2;
    int32_t sx = unit ? Around(rng, sw) : Between(rng, -4, sw), sy = unit ? Around(rng, sh) : Between(rng, -4, sh);
    int32_t dx = unit ? Around(rng, dw) : Between(rng, -9, dw), dy = unit ? Around(rng, dh) : Between(rng, -9, dh);
    int32_t w = unit && n % 5 == 1 ? Around(rng, 30) : Between(rng, -1, 24), h = Between(rng, -1, 24);
    int32_t stepX = unit ? 1 : Between(rng, 1, 5), stepY = unit ? 1 : Between(rng, 1, 5);
    IMGBlitStep(s.get(), spread.get(), sx, sy, dx, dy, w, h, stepX, stepY);
    if (unit) IMGBlitKeyed(s.get(), expected.get(), sx, sy, dx, dy, w, h);
    for (int32_t j = 0; !unit && j < h; ++j)
      for (int32_t i = 0; i < w; ++i)
        IMGBlitKeyed(s.get(), expected.get(), sx + i, sy + j, dx + i * stepX, dy + j * stepY, 1, 1);
    ASSERT_TRUE(IMGEqual(spread.get(), expected.get()))
        << sx << "," << sy << " to " << dx << "," << dy << " " << w << "x" << h << " steps " << stepX << "," << stepY;
  }
}

// A wrap is two keyed blits: up to the last column (or row), then from 0.
TEST(Wraps, AreTwoKeyedBlits) {
  std::mt19937 rng(5);
  for (int n = 0; n < 800; ++n) {
    bool column = n % 2;
    int32_t sn = Between(rng, 0, 12), dn = Between(rng, 0, 12), fixed = Between(rng, 0, 2);
    Image s = column ? Random(rng, 3, sn, 3) : Random(rng, sn, 3, 3);
    Image d = column ? Random(rng, 3, dn, 3) : Random(rng, dn, 3, 3), expected(IMGCopy(d.get()));
    int32_t start = n % 5 ? Between(rng, -30, 30) : int32_t(rng());
    int32_t count = std::min(sn, dn), at = dn ? int32_t((int64_t(start) % dn + dn) % dn) : 0;
    int32_t first = std::min(count, dn - at);
    if (column) {
      IMGBlitKeyed(s.get(), expected.get(), fixed, 0, 2 - fixed, at, 1, first);
      IMGBlitKeyed(s.get(), expected.get(), fixed, first, 2 - fixed, 0, 1, count - first);
      IMGColumnWrapKeyed(s.get(), d.get(), fixed, 2 - fixed, start);
    } else {
      IMGBlitKeyed(s.get(), expected.get(), 0, fixed, at, 2 - fixed, first, 1);
      IMGBlitKeyed(s.get(), expected.get(), first, fixed, 0, 2 - fixed, count - first, 1);
      IMGRowWrapKeyed(s.get(), d.get(), fixed, 2 - fixed, start);
      Image copied = Random(rng, dn, 3), blitted(IMGCopy(copied.get()));
      IMGCopyRow(s.get(), copied.get(), fixed, 2 - fixed);  // a row copy is the copying blit
      IMGBlit(s.get(), blitted.get(), 0, fixed, 0, 2 - fixed, count, 1);
      ASSERT_TRUE(IMGEqual(copied.get(), blitted.get()));
    }
    ASSERT_TRUE(IMGEqual(d.get(), expected.get())) << (column ? "column " : "row ") << sn << " " << dn << " " << start;
  }
  Image source = Sized(3, 1, 0x0F00F0), row = Sized(4, 1, 0x00F00F);
  IMGRowWrapOr(source.get(), row.get(), 0, 0, -1);
  EXPECT_EQ(Pixels(row.get()), (Pix{0x0FF0FF, 0x0FF0FF, 0x00F00F, 0x0FF0FF}));
}

// AND index by index over the smaller pixel count, whichever Image is smaller.
TEST(Masks, AndCoversTheSmallerPixelCount) {
  Image small = Sized(2, 3, 0xFFFFFF), big = Sized(7, 7, 0xF0F0F0), tiny = Sized(2, 2, 0x0F0F0F);
  IMGMaskAnd(big.get(), small.get());
  EXPECT_EQ(Pixels(small.get()), Pix(6, 0xF0F0F0));
  IMGMaskAnd(tiny.get(), big.get());
  for (int i = 0; i < 49; ++i) EXPECT_EQ(big->pixels[i], i < 4 ? 0u : 0xF0F0F0u);
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

// {pixel, colour, after adding, after subtracting}: each channel saturates
// alone and the top byte is cleared, in the tail and in the four-pixel steps.
TEST(ColourShifts, WorkedCasesAndFastAgainstPlain) {
  const uint32_t cases[][4] = {{Rgb(15, 48, 64), Rgb(16, 32, 48), Rgb(31, 80, 112), Rgb(0, 16, 16)},
                               {Rgb(240, 240, 240), 0x402000, Rgb(255, 255, 240), Rgb(176, 208, 240)},
                               {0x5A000000 | Rgb(1, 255, 0), 0xFF000001, Rgb(1, 255, 1), Rgb(1, 255, 0)}};
  for (const auto& c : cases)
    for (int32_t w : {1, 5}) {
      Image add = Sized(w, 1, c[0]), sub = Sized(w, 1, c[0]);
      IMGAddColour(add.get(), c[1]);
      IMGSubColour(sub.get(), c[1]);
      EXPECT_EQ(Pixels(add.get()), Pix(w, c[2])) << std::hex << c[0] << " + " << c[1];
      EXPECT_EQ(Pixels(sub.get()), Pix(w, c[3])) << std::hex << c[0] << " - " << c[1];
      EXPECT_EQ(Pix({RGB888Add(c[0], c[1]), RGB888Sub(c[0], c[1])}), Pix({c[2], c[3]}));
    }
  std::mt19937 rng(1);
  for (int n = 0; n < 600; ++n) {
    Image image = Random(rng, Between(rng, 1, 40), Between(rng, 1, 9), 5, true);
    uint32_t colour = rng();
    ASSERT_TRUE(SamePaths(image.get(), [&](IMG* i) { (n % 2 ? IMGAddColour : IMGSubColour)(i, colour); }));
  }
}

TEST(Inversions, WholeImageAndClippedBox) {
  Image image = Sized(1, 1, Rgb(18, 52, 86) | 0x5A000000);
  IMGInvert(image.get());
  EXPECT_EQ(image->pixels[0], Rgb(237, 203, 169));
  IMGInvertBox(image.get(), 0, 0, 1, 1);
  EXPECT_EQ(image->pixels[0], 0xFF000000u | Rgb(18, 52, 86));
  // The box clipped to the Image (4 x 3): {x, y, w, h, first and last changed pixel}.
  for (auto [x, y, w, h, first, last] : {std::array{-1, -1, 3, 2, 0, 1}, {2, 1, 5, 5, 6, 11}, {1, 0, INT32_MAX, 1, 1, 3},
                                         {-5, 0, 4, 3, 0, -1}, {0, 3, 2, 2, 0, -1}, {1, 1, 0, 5, 0, -1}}) {
    Image box = Sized(4, 3, 0x00FF00), expected = Sized(4, 3, 0x00FF00);
    IMGInvertBox(box.get(), x, y, w, h);
    for (int i = first; i <= last; ++i)
      if (i % 4 >= std::max(x, 0) && i % 4 < int64_t(x) + w) expected->pixels[i] = 0xFFFF00FF;
    EXPECT_EQ(Pixels(box.get()), Pixels(expected.get())) << x << "," << y << " " << w << "x" << h;
  }
}

TEST(Rgb888, SingleColours) {
  EXPECT_EQ(RGB888Average(0xFFFFFFFF, 0x81000001), Rgb(127, 127, 128));  // the top bytes are dropped first
  EXPECT_EQ(RGB888ToBGR(0xFF000000u | Rgb(18, 52, 86)), Rgb(86, 52, 18));
  EXPECT_EQ(RGB888FromBGR(Rgb(86, 52, 18)), Rgb(18, 52, 86));
  uint8_t bytes[3];
  EXPECT_EQ(RGB888ToBytes(Rgb(161, 178, 195), bytes), bytes);
  EXPECT_EQ(Rgb(bytes[0], bytes[1], bytes[2]), Rgb(161, 178, 195));
  EXPECT_EQ(RGB888ToBytes(1, nullptr), nullptr);
  EXPECT_EQ(RGB888FromBytes(161 + 256, -78, 195), Rgb(161, 178, 195));
  std::mt19937 rng(3);
  for (int n = 0; n < 20000; ++n) {
    uint32_t a = rng(), b = rng(), grey = (b & 255) * 0x010101;
    ASSERT_EQ(RGB888AddGrey(a, b), RGB888Add(a, grey));
    ASSERT_EQ(RGB888SubGrey(a, b), RGB888Sub(a, grey));
  }
}

std::vector<int32_t> Runs(int32_t* table, int32_t n) {
  std::vector<int32_t> out(table, table + n);
  free(table);
  return out;
}

// The destination after scaling a source whose pixel value is column + 16 * row.
Pix Scaled(int32_t sw, int32_t sh, int32_t dw, int32_t dh) {
  Image source = Sized(sw, sh), destination = Sized(dw, dh);
  for (int32_t i = 0; i < sw * sh; ++i) source->pixels[i] = uint32_t(i % sw + 16 * (i / sw));
  IMGScale(source.get(), destination.get());
  return Pixels(destination.get());
}

TEST(RunTables, CountersAndTheirSums) {
  EXPECT_EQ(Runs(IMGRunTable(2, 4), 3), (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(Runs(IMGRunTable(-4, 2), 3), (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(Runs(IMGRunTable(0, 3), 1), (std::vector<int32_t>{4}));
  EXPECT_EQ(Runs(IMGRunTableSymmetric(2, 5), 2), (std::vector<int32_t>{3, 3}));
  EXPECT_EQ(Runs(IMGRunTable(IMG_MAX_SIDE, -IMG_MAX_SIDE), 2), (std::vector<int32_t>{1, 1}));  // the largest extent
  std::mt19937 rng(1);
  for (int n = 0; n < 300; ++n) {
    int32_t a = Between(rng, 1, 500), b = Between(rng, 1, 500), s = std::min(a, b);
    std::vector<int32_t> runs = Runs(IMGRunTable(a, b), s + 1), symmetric = Runs(IMGRunTableSymmetric(a, b), s);
    EXPECT_EQ(std::accumulate(runs.begin(), runs.end() - 1, 0), std::max(a, b));
    EXPECT_EQ(runs[s], 1);
    EXPECT_TRUE(std::equal(symmetric.begin(), symmetric.end(), symmetric.rbegin()));
  }
}

TEST(Scale, GrowsByRepeatingAndShrinksByRuns) {
  EXPECT_EQ(Scaled(2, 2, 4, 4), (Pix{0, 0, 1, 1, 0, 0, 1, 1, 16, 16, 17, 17, 16, 16, 17, 17}));
  EXPECT_EQ(Scaled(4, 4, 2, 2), (Pix{17, 19, 49, 51}));  // width shrinking: last pixel, last row of a run
  EXPECT_EQ(Scaled(2, 4, 2, 2), (Pix{0, 1, 32, 33}));    // only the height shrinking: the first row
  EXPECT_EQ(Scaled(3, 2, 3, 2), (Pix{0, 1, 2, 16, 17, 18}));
  EXPECT_EQ(Scaled(5, 7, 2, 3), (Pix{34, 36, 66, 68, 98, 100}));
  EXPECT_EQ(Scaled(3, 2, 7, 5), (Pix{0, 0, 0, 1, 1, 2, 2, 0, 0, 0, 1, 1, 2, 2, 0, 0, 0, 1, 1, 2, 2,
                                     16, 16, 16, 17, 17, 18, 18, 16, 16, 16, 17, 17, 18, 18}));
}

// A turn by the sine table about the centres (pixel values 1 to 12 of a 4 x 3
// source), 0 where no source pixel lands; whole turns give the same.
TEST(Rotate, SizesAndAngles) {
  Image a = Sized(100, 50), b = Sized(640, 480), ra(IMGRotate(a.get(), 0)), rb(IMGRotate(b.get(), 0));
  EXPECT_EQ(std::pair(ra->width, ra->height), std::pair(141, 70));
  EXPECT_EQ(std::pair(rb->width, rb->height), std::pair(904, 678));
  Image source = Sized(4, 3);
  std::iota(source->pixels, source->pixels + 12, 1);
  const std::pair<int32_t, Pix> cases[] = {
      {0, {12, 11, 11, 10, 9, 8, 7, 7, 6, 5, 8, 7, 7, 6, 5, 4, 3, 3, 2, 1}},
      {37 - 1024, {12, 11, 11, 6, 5, 8, 7, 7, 2, 1, 8, 7, 7, 2, 1, 0, 4, 4, 0, 0}},
      {300 + 2048, {5, 1, 2, 0, 0, 6, 2, 3, 0, 0, 10, 6, 7, 3, 0, 11, 7, 8, 4, 0}}};
  for (const auto& [angle, pixels] : cases) {
    Image turned(IMGRotate(source.get(), angle));
    EXPECT_EQ(std::pair(turned->width, turned->height), std::pair(5, 4));
    EXPECT_EQ(Pixels(turned.get()), pixels) << angle;
  }
}

}  // namespace
