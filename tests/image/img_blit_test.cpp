#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "image_fixture.h"
#include "imgfx.h"

namespace {

using namespace imagetest;
using Rule = std::function<uint32_t(uint32_t s, uint32_t d)>;
using BlitCall = void (*)(const IMG*, IMG*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

bool In(const IMG* image, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < image->width && y < image->height;
}

// Per destination pixel, in row order, on the destination in place (so a
// blit within one Image sees its own earlier writes): the pixel takes part
// when it lies in the requested rectangle and its source pixel in the source.
void ReferenceBlit(const IMG* source, IMG* destination, int64_t sx, int64_t sy, int64_t dx,
                   int64_t dy, int64_t w, int64_t h, const Rule& rule) {
  for (int64_t y = 0; y < destination->height; ++y)
    for (int64_t x = 0; x < destination->width; ++x) {
      int64_t i = x - dx, j = y - dy;
      if (i < 0 || j < 0 || i >= w || j >= h || !In(source, sx + i, sy + j)) continue;
      uint32_t s = source->pixels[sx + i + (sy + j) * source->width];
      uint32_t& d = destination->pixels[x + y * destination->width];
      d = rule(s, d);
    }
}

uint32_t PerChannel(uint32_t a, uint32_t b, int (*f)(int, int)) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) out |= uint32_t(f(Channel(a, c), Channel(b, c))) << (8 * c);
  return out;
}

struct Case {
  const char* name;
  BlitCall call;
  Rule rule;
};

std::vector<Case> Blits() {
  return {
      {"keyed", IMGBlitKeyed, [](uint32_t s, uint32_t d) { return s ? s : d; }},
      {"copy", IMGBlit, [](uint32_t s, uint32_t) { return s; }},
      {"add", IMGBlitAdd, [](uint32_t s, uint32_t d) { return s + d; }},
      {"addsat", IMGBlitAddSat,
       [](uint32_t s, uint32_t d) {
         return PerChannel(s, d, [](int a, int b) { return std::min(255, a + b); });
       }},
      {"average", IMGFXBlitAverage,
       [](uint32_t s, uint32_t d) {
         return s ? PerChannel(s, d, [](int a, int b) { return a / 2 + b / 2; }) : d;
       }},
  };
}

// A coordinate near the edges of an extent, far outside now and then.
int32_t Around(std::mt19937& rng, int32_t extent) {
  switch (rng() % 12) {
    case 0: return INT32_MIN + int32_t(rng() % 4);
    case 1: return INT32_MAX - int32_t(rng() % 4);
    default: return Between(rng, -extent - 3, extent + 3);
  }
}

TEST(Blits, MatchThePerPixelRuleOnRandomRectangles) {
  std::mt19937 rng(1);
  for (const Case& blit : Blits()) {
    for (int n = 0; n < 1500; ++n) {
      int32_t limit = n % 50 == 0 ? 300 : 24;
      int32_t sw = Between(rng, 1, limit), sh = Between(rng, 1, limit);
      int32_t dw = Between(rng, 1, limit), dh = Between(rng, 1, limit);
      Image source = Random(rng, sw, sh, 3, true);
      Image destination = Random(rng, dw, dh, 0, true);
      int32_t sx = Around(rng, sw), sy = Around(rng, sh), dx = Around(rng, dw), dy = Around(rng, dh);
      int32_t w = n % 9 == 0 ? Around(rng, limit) : Between(rng, -2, limit + 4);
      int32_t h = n % 11 == 0 ? Around(rng, limit) : Between(rng, -2, limit + 4);
      Image expected(IMGCopy(destination.get()));
      ReferenceBlit(source.get(), expected.get(), sx, sy, dx, dy, w, h, blit.rule);
      Image plain(IMGCopy(destination.get()));
      blit.call(source.get(), destination.get(), sx, sy, dx, dy, w, h);
      ASSERT_TRUE(IMGEqual(destination.get(), expected.get()))
          << blit.name << " " << sw << "x" << sh << " -> " << dw << "x" << dh << " from " << sx
          << "," << sy << " to " << dx << "," << dy << " size " << w << "x" << h;
      {
        PlainPaths force;
        blit.call(source.get(), plain.get(), sx, sy, dx, dy, w, h);
      }
      ASSERT_TRUE(IMGEqual(plain.get(), expected.get())) << blit.name;
    }
  }
}

// Whole 16-pixel sprite rows take their own path: groups of four that are all
// key, all colour or mixed, placed inside and across every edge.
TEST(Blits, SpriteCellsMatchThePerPixelRule) {
  std::mt19937 rng(3);
  for (const Case& blit : Blits()) {
    for (int n = 0; n < 300; ++n) {
      int32_t h = Between(rng, 1, 20);
      Image cell = Random(rng, 16, h, 0, true);
      for (int32_t i = 0; i < 16 * h; i += 4) {
        int32_t kind = int32_t(rng() % 3);  // 0: all key, 1: all colour, 2: mixed
        for (int32_t k = 0; k < 4; ++k) {
          uint32_t& p = cell->pixels[i + k];
          if (kind == 0 || (kind == 2 && rng() % 2)) p = 0;
          else if (p == 0) p = 0x000001;
        }
      }
      Image destination = Random(rng, 40, 30, 0, true);
      int32_t dx = Between(rng, -18, 42), dy = Between(rng, -h - 2, 32);
      Image expected(IMGCopy(destination.get()));
      ReferenceBlit(cell.get(), expected.get(), 0, 0, dx, dy, 16, h, blit.rule);
      blit.call(cell.get(), destination.get(), 0, 0, dx, dy, 16, h);
      ASSERT_TRUE(IMGEqual(destination.get(), expected.get())) << blit.name << " at " << dx << "," << dy;
    }
  }
}

TEST(Blits, WithinOneImageOverlappingOrNot) {
  std::mt19937 rng(2);
  for (const Case& blit : Blits()) {
    for (int n = 0; n < 400; ++n) {
      int32_t w = Between(rng, 1, 30), h = Between(rng, 1, 30);
      Image image = Random(rng, w, h, 3);
      Image expected(IMGCopy(image.get()));
      int32_t sx = Between(rng, -3, w), sy = Between(rng, -3, h);
      int32_t dx = Between(rng, -3, w), dy = Between(rng, -3, h);
      int32_t bw = Between(rng, 0, w), bh = Between(rng, 0, h);
      ReferenceBlit(expected.get(), expected.get(), sx, sy, dx, dy, bw, bh, blit.rule);
      blit.call(image.get(), image.get(), sx, sy, dx, dy, bw, bh);
      ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << blit.name;
    }
  }
}

TEST(Blits, WorkedExamples) {
  std::mt19937 rng(3);
  Image sheet = Random(rng, 16, 64, 3);
  Image screen = Sized(320, 200, 0x0A0B0C);
  EXPECT_EQ(Printed(IMGDebug, [&] { IMGBlitKeyed(sheet.get(), screen.get(), 0, 32, -8, -8, 16, 16); }),
            "");
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 320; ++x) {
      uint32_t cell = x < 8 && y < 8 ? sheet->pixels[(x + 8) + (y + 40) * 16] : 0;
      ASSERT_EQ(screen->pixels[x + y * 320], cell ? cell : 0x0A0B0Cu) << x << "," << y;
    }

  Image before(IMGCopy(screen.get()));
  EXPECT_EQ(Printed(IMGDebug, [&] {
              IMGBlit(sheet.get(), screen.get(), 0, 0, 0, 0, 0, 16);
              IMGBlit(sheet.get(), screen.get(), 0, 0, 320, 0, 16, 16);
            }),
            "");
  EXPECT_TRUE(IMGEqual(screen.get(), before.get()));

  Image blue = Sized(1, 1, 0x0000FF), one = Sized(1, 1, 0x000001), sat = Sized(1, 1, 0x000001);
  IMGBlitAdd(blue.get(), one.get(), 0, 0, 0, 0, 1, 1);
  IMGBlitAddSat(blue.get(), sat.get(), 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(one->pixels[0], 0x000100u);
  EXPECT_EQ(sat->pixels[0], 0x0000FFu);

  Image white = Sized(1, 1, 0xFFFFFF), black = Sized(1, 1, 0), target = Sized(1, 1, 0);
  IMGFXBlitAverage(white.get(), target.get(), 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(target->pixels[0], 0x7F7F7Fu);
  IMGFXBlitAverage(black.get(), target.get(), 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(target->pixels[0], 0x7F7F7Fu);
}

TEST(Blits, NullImagesReportThroughTheirModule) {
  Image image = Sized(4, 4);
  IMG empty{4, 4, nullptr};
  for (const Case& blit : Blits()) {
    std::string expected = blit.call == IMGFXBlitAverage ? "IMGFX error\n" : "IMG error\n";
    uint8_t& flag = blit.call == IMGFXBlitAverage ? IMGFXDebug : IMGDebug;
    EXPECT_EQ(Printed(flag, [&] { blit.call(nullptr, image.get(), 0, 0, 0, 0, 2, 2); }), expected);
    EXPECT_EQ(Printed(flag, [&] { blit.call(image.get(), nullptr, 0, 0, 0, 0, 2, 2); }), expected);
    EXPECT_EQ(Printed(flag, [&] { blit.call(&empty, image.get(), 0, 0, 0, 0, 2, 2); }), expected);
  }
}

TEST(Overlay, AveragesTheWholeSourceAtAnyPlace) {
  std::mt19937 rng(4);
  for (int n = 0; n < 1500; ++n) {
    int32_t sw = Between(rng, 1, 20), sh = Between(rng, 1, 20);
    int32_t dw = Between(rng, 1, 20), dh = Between(rng, 1, 20);
    Image source = Random(rng, sw, sh, 3, true), destination = Random(rng, dw, dh, 0, true);
    int32_t x = Between(rng, -sw - 2, dw + 2), y = Between(rng, -sh - 2, dh + 2);
    Image expected(IMGCopy(destination.get()));
    ReferenceBlit(source.get(), expected.get(), 0, 0, x, y, sw, sh, Blits()[4].rule);
    IMGOverlayAverage(source.get(), destination.get(), x, y);
    ASSERT_TRUE(IMGEqual(destination.get(), expected.get())) << x << "," << y;
  }
}

TEST(Wraps, RowsWrapAroundTheDestination) {
  Image source = Sized(10, 1), row = Sized(10, 1);
  for (int i = 0; i < 10; ++i) source->pixels[i] = uint32_t(i + 1);
  IMGRowWrapKeyed(source.get(), row.get(), 0, 0, -3);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(row->pixels[(i + 7) % 10], uint32_t(i + 1));

  std::mt19937 rng(5);
  for (int n = 0; n < 600; ++n) {
    int32_t sw = Between(rng, 0, 12), dw = Between(rng, 0, 12), sh = Between(rng, 1, 3);
    Image s = Random(rng, sw, sh, 3), d = Random(rng, dw, 2, 3);
    int32_t start = n % 5 ? Between(rng, -30, 30) : int32_t(rng());
    int32_t sr = Between(rng, 0, sh - 1);
    bool useOr = n % 2;
    Image expected(IMGCopy(d.get()));
    int64_t count = std::min(sw, dw);
    for (int64_t i = 0; i < count; ++i) {
      int64_t at = ((int64_t(start) + i) % dw + dw) % dw;
      uint32_t p = s->pixels[i + sr * sw];
      uint32_t& q = expected->pixels[at + dw];
      q = useOr ? (q | p) : (p ? p : q);
    }
    if (useOr) IMGRowWrapOr(s.get(), d.get(), sr, 1, start);
    else IMGRowWrapKeyed(s.get(), d.get(), sr, 1, start);
    ASSERT_TRUE(IMGEqual(d.get(), expected.get())) << sw << " " << dw << " " << start;
  }
}

TEST(Wraps, ColumnsWrapAndRowsOutsideAreErrors) {
  std::mt19937 rng(6);
  for (int n = 0; n < 400; ++n) {
    int32_t sh = Between(rng, 0, 12), dh = Between(rng, 0, 12);
    Image s = Random(rng, 2, sh, 3), d = Random(rng, 3, dh, 3);
    int32_t start = Between(rng, -30, 30);
    Image expected(IMGCopy(d.get()));
    for (int64_t i = 0; i < std::min(sh, dh); ++i) {
      int64_t at = ((start + i) % dh + dh) % dh;
      uint32_t p = s->pixels[1 + i * 2];
      if (p) expected->pixels[2 + at * 3] = p;
    }
    IMGColumnWrapKeyed(s.get(), d.get(), 1, 2, start);
    ASSERT_TRUE(IMGEqual(d.get(), expected.get()));
  }
  Image a = Sized(4, 4, 1), b = Sized(4, 4, 2);
  for (auto args : std::vector<std::vector<int32_t>>{{-1, 0}, {4, 0}, {0, -1}, {0, 4}}) {
    EXPECT_EQ(Printed(IMGDebug, [&] {
                IMGRowWrapKeyed(a.get(), b.get(), args[0], args[1], 0);
                IMGRowWrapOr(a.get(), b.get(), args[0], args[1], 0);
                IMGColumnWrapKeyed(a.get(), b.get(), args[0], args[1], 0);
                IMGCopyRow(a.get(), b.get(), args[0], args[1]);
              }),
              "IMG error\nIMG error\nIMG error\nIMG error\n");
  }
  for (int i = 0; i < 16; ++i) ASSERT_EQ(b->pixels[i], 2u);
}

TEST(Rows, CopyRowCopiesTheNarrowerWidth) {
  std::mt19937 rng(7);
  Image wide = Random(rng, 9, 3), narrow = Sized(4, 2, 5);
  IMGCopyRow(wide.get(), narrow.get(), 2, 1);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(narrow->pixels[x], 5u);
    EXPECT_EQ(narrow->pixels[4 + x], wide->pixels[18 + x]);
  }
  Image back = Sized(9, 1, 5);
  IMGCopyRow(narrow.get(), back.get(), 1, 0);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(back->pixels[x], x < 4 ? wide->pixels[18 + x] : 5u);
}

TEST(Masks, AndCoversOnlyThePixelsBothImagesHave) {
  std::mt19937 rng(8);
  Image mask = Random(rng, 5, 5, 0, true), picture = Random(rng, 5, 5, 0, true);
  Image expected(IMGCopy(picture.get()));
  for (int i = 0; i < 25; ++i) expected->pixels[i] &= mask->pixels[i];
  IMGMaskAnd(mask.get(), picture.get());
  EXPECT_TRUE(IMGEqual(picture.get(), expected.get()));
  // A larger mask over a smaller picture, and a smaller mask over a larger one.
  Image small = Sized(2, 3, 0xFFFFFF), big = Sized(7, 7, 0xF0F0F0);
  IMGMaskAnd(big.get(), small.get());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(small->pixels[i], 0xF0F0F0u);
  Image tiny = Sized(2, 2, 0x0F0F0F);
  IMGMaskAnd(tiny.get(), big.get());
  for (int i = 0; i < 49; ++i) EXPECT_EQ(big->pixels[i], i < 4 ? 0x000000u : 0xF0F0F0u);
}

TEST(Spread, MatchesThePerPixelRuleAndStepOneIsTheKeyedBlit) {
  std::mt19937 rng(9);
  for (int n = 0; n < 1500; ++n) {
    int32_t sw = Between(rng, 1, 20), sh = Between(rng, 1, 20);
    int32_t dw = Between(rng, 1, 40), dh = Between(rng, 1, 40);
    Image s = Random(rng, sw, sh, 3), d = Random(rng, dw, dh, 0);
    int32_t sx = Around(rng, sw), sy = Around(rng, sh), dx = Around(rng, dw), dy = Around(rng, dh);
    int32_t w = Between(rng, -1, 24), h = Between(rng, -1, 24);
    int32_t stepX = n % 4 ? Between(rng, 1, 5) : 1, stepY = n % 4 ? Between(rng, 1, 5) : 1;
    Image expected(IMGCopy(d.get()));
    for (int64_t j = 0; j < h; ++j)
      for (int64_t i = 0; i < w; ++i) {
        int64_t tx = dx + i * stepX, ty = dy + j * stepY;
        if (!In(s.get(), sx + i, sy + j) || !In(d.get(), tx, ty)) continue;
        uint32_t p = s->pixels[sx + i + (sy + j) * sw];
        if (p) expected->pixels[tx + ty * dw] = p;
      }
    Image keyed(IMGCopy(d.get()));
    IMGBlitStep(s.get(), d.get(), sx, sy, dx, dy, w, h, stepX, stepY);
    ASSERT_TRUE(IMGEqual(d.get(), expected.get()));
    if (stepX == 1 && stepY == 1) {
      IMGBlitKeyed(s.get(), keyed.get(), sx, sy, dx, dy, w, h);
      ASSERT_TRUE(IMGEqual(keyed.get(), expected.get()));
    }
  }
  Image s = Sized(4, 4, 1), d = Sized(4, 4, 2);
  EXPECT_EQ(Printed(IMGDebug, [&] {
              IMGBlitStep(s.get(), d.get(), 0, 0, 0, 0, 4, 4, 0, 1);
              IMGBlitStep(s.get(), d.get(), 0, 0, 3, 3, 4, 4, -1, -1);
            }),
            "IMG error\nIMG error\n");
  for (int i = 0; i < 16; ++i) ASSERT_EQ(d->pixels[i], 2u);
}

}  // namespace
