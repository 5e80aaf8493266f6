#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "image_fixture.h"
#include "imgfx.h"

namespace {

using namespace imagetest;
using Get = std::function<uint32_t(int64_t x, int64_t y)>;  // one channel, 0 outside
using Formula = std::function<uint32_t(const Get& p, int64_t x, int64_t y)>;

struct Case {
  const char* name;
  std::function<void(const IMG*, IMG*)> call;
  Formula channel;
};

uint32_t Sat(uint32_t v) { return v > 255 ? 255 : v; }
uint32_t Sh(uint32_t v, int s) { return s >= 32 ? 0 : v >> s; }

// The filters' formulas as written, one channel at a time.
std::vector<Case> Filters(int shift, int radius) {
  int s = shift;
  int64_t r = radius;
  return {
      {"Blur3H", IMGFXBlur3H, [](const Get& p, int64_t x, int64_t y) {
         return (p(x - 1, y) + p(x, y) + p(x + 1, y)) / 3; }},
      {"Blur121H", IMGFXBlur121H, [](const Get& p, int64_t x, int64_t y) {
         return (p(x - 1, y) + 2 * p(x, y) + p(x + 1, y)) >> 2; }},
      {"Blur5H", IMGFXBlur5H, [](const Get& p, int64_t x, int64_t y) {
         return (p(x - 2, y) + p(x - 1, y) + 4 * p(x, y) + p(x + 1, y) + p(x + 2, y)) >> 3; }},
      {"Blur7H", IMGFXBlur7H, [](const Get& p, int64_t x, int64_t y) {
         return (p(x - 3, y) + p(x - 2, y) + p(x - 1, y) + 2 * p(x, y) + p(x + 1, y) +
                 p(x + 2, y) + p(x + 3, y)) >> 3; }},
      {"Blur3x3", IMGFXBlur3x3, [](const Get& p, int64_t x, int64_t y) {
         return (p(x - 1, y - 1) + 2 * p(x, y - 1) + p(x + 1, y - 1) + 2 * p(x - 1, y) +
                 4 * p(x, y) + 2 * p(x + 1, y) + p(x - 1, y + 1) + 2 * p(x, y + 1) +
                 p(x + 1, y + 1)) >> 4; }},
      {"Glow5H", [s](const IMG* a, IMG* b) { IMGFXGlow5H(a, b, s); },
       [s](const Get& p, int64_t x, int64_t y) {
         return Sat(p(x, y) + Sh(p(x - 2, y), s) + Sh(p(x - 1, y), s) + Sh(p(x + 1, y), s) +
                    Sh(p(x + 2, y), s)); }},
      {"Glow7H", [s](const IMG* a, IMG* b) { IMGFXGlow7H(a, b, s); },
       [s](const Get& p, int64_t x, int64_t y) {
         uint32_t sum = p(x, y);
         for (int i : {-3, -2, -1, 1, 2, 3}) sum += Sh(p(x + i, y), s);
         return Sat(sum); }},
      {"Glow3x3", [s](const IMG* a, IMG* b) { IMGFXGlow3x3(a, b, s); },
       [s](const Get& p, int64_t x, int64_t y) {
         uint32_t sum = p(x, y);
         for (int j = -1; j <= 1; ++j)
           for (int i = -1; i <= 1; ++i)
             if (i || j) sum += Sh(p(x + i, y + j), s);
         return Sat(sum); }},
      {"GlowH", [s, r](const IMG* a, IMG* b) { IMGFXGlowH(a, b, int32_t(r), s); },
       [s, r](const Get& p, int64_t x, int64_t y) {
         uint32_t sum = p(x, y);
         for (int64_t i = -r; i <= r; ++i) sum += Sh(p(x + i, y), s);
         return Sat(sum); }},
      {"BoxBlurH", [r](const IMG* a, IMG* b) { IMGFXBoxBlurH(a, b, int32_t(r)); },
       [r](const Get& p, int64_t x, int64_t y) {
         uint32_t sum = 0;
         for (int64_t i = -r; i <= r; ++i) sum += p(x + i, y);
         return sum / uint32_t(2 * r + 1); }},
      {"BoxBlur", [r](const IMG* a, IMG* b) { IMGFXBoxBlur(a, b, int32_t(r)); },
       [r](const Get& p, int64_t x, int64_t y) {
         uint32_t sum = 0;
         for (int64_t j = -r; j <= r; ++j)
           for (int64_t i = -r; i <= r; ++i) sum += p(x + i, y + j);
         return sum / uint32_t((2 * r + 1) * (2 * r + 1)); }},
  };
}

// Applies the formula over the source's size, last pixel first, reading the
// source as it stands (so one Image given twice sees the earlier results).
void Reference(const IMG* source, IMG* destination, const Formula& channel) {
  for (int64_t y = int64_t(source->height) - 1; y >= 0; --y)
    for (int64_t x = int64_t(source->width) - 1; x >= 0; --x) {
      uint32_t value = 0;
      for (int c = 0; c < 3; ++c) {
        Get p = [&](int64_t px, int64_t py) -> uint32_t {
          if (px < 0 || py < 0 || px >= source->width || py >= source->height) return 0;
          return Channel(source->pixels[px + py * source->width], c);
        };
        value |= channel(p, x, y) << (8 * c);
      }
      if (x < destination->width && y < destination->height)
        destination->pixels[x + y * destination->width] = value;
    }
}

TEST(Filters, MatchTheirFormulasOnRandomImages) {
  std::mt19937 rng(1);
  for (int n = 0; n < 160; ++n) {
    int shift = n % 8 == 0 ? Between(rng, 8, 40) : Between(rng, 0, 7);
    int radius = n % 10 == 0 ? Between(rng, 20, 400) : Between(rng, 0, 4);
    int32_t limit = n % 16 == 0 ? 300 : 40;
    int32_t sw = Between(rng, 1, limit), sh = Between(rng, 1, n % 16 == 0 ? 40 : limit);
    int32_t dw = n % 3 ? sw : Between(rng, 1, limit), dh = n % 3 ? sh : Between(rng, 1, limit);
    Image source = Random(rng, sw, sh, 5, true);
    if (n % 4 == 0)  // bright pictures drive the glows into their clamp
      for (int64_t i = 0; i < int64_t(sw) * sh; ++i) source->pixels[i] |= 0xC0C0C0;
    for (const Case& filter : Filters(shift, radius)) {
      if (radius > 4 && std::string(filter.name) == "BoxBlur" && sw * sh > 400) continue;
      Image expected = Random(rng, dw, dh, 0, true);
      Image fast(IMGCopy(expected.get())), plain(IMGCopy(expected.get()));
      Reference(source.get(), expected.get(), filter.channel);
      filter.call(source.get(), fast.get());
      ASSERT_TRUE(IMGEqual(fast.get(), expected.get()))
          << filter.name << " " << sw << "x" << sh << " into " << dw << "x" << dh << " shift "
          << shift << " radius " << radius;
      PlainPaths force;
      filter.call(source.get(), plain.get());
      ASSERT_TRUE(IMGEqual(plain.get(), expected.get())) << filter.name;
    }
  }
}

TEST(Filters, OneImageAsSourceAndDestinationFollowsTheVisitOrder) {
  std::mt19937 rng(2);
  for (int n = 0; n < 30; ++n) {
    for (const Case& filter : Filters(Between(rng, 0, 4), Between(rng, 0, 3))) {
      Image image = Random(rng, Between(rng, 1, 20), Between(rng, 1, 20), 5);
      Image expected(IMGCopy(image.get()));
      Reference(expected.get(), expected.get(), filter.channel);
      filter.call(image.get(), image.get());
      ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << filter.name;
    }
  }
}

TEST(Filters, WorkedExamples) {
  Image row = Sized(9, 1);
  row->pixels[4] = 0xFFFFFF;
  Image blurred = Sized(9, 1), glowing = Sized(9, 1);
  IMGFXBlur5H(row.get(), blurred.get());
  IMGFXGlow5H(row.get(), glowing.get(), 3);
  const uint32_t side = 31 * 0x010101u;
  EXPECT_EQ(std::vector<uint32_t>(blurred->pixels, blurred->pixels + 9),
            (std::vector<uint32_t>{0, 0, side, side, 0x7F7F7F, side, side, 0, 0}));
  EXPECT_EQ(std::vector<uint32_t>(glowing->pixels, glowing->pixels + 9),
            (std::vector<uint32_t>{0, 0, side, side, 0xFFFFFF, side, side, 0, 0}));

  Image grey = Sized(6, 5, 0x808080), out = Sized(6, 5);
  IMGFXBlur3x3(grey.get(), out.get());
  EXPECT_EQ(out->pixels[2 + 2 * 6], 0x808080u);
  EXPECT_EQ(out->pixels[0], 72 * 0x010101u);
  EXPECT_EQ(out->pixels[5 + 4 * 6], 72 * 0x010101u);
  EXPECT_EQ(out->pixels[2], 96 * 0x010101u);  // an edge: 12 of the 16 weights inside
}

TEST(Filters, ResultCoversTheSourceSizeOnly) {
  std::mt19937 rng(3);
  Image source = Random(rng, 4, 3, 0);
  Image large = Sized(7, 6, 0x123456);
  IMGFXBlur5H(source.get(), large.get());
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) {
      if (x >= 4 || y >= 3) {
        ASSERT_EQ(large->pixels[x + y * 7], 0x123456u);
      }
    }
}

TEST(Filters, RefuseNullImagesAndNegativeRadiiOrShifts) {
  Image a = Sized(4, 4, 0x404040), b = Sized(4, 4, 7);
  IMG empty{4, 4, nullptr};
  std::string out = Printed(IMGFXDebug, [&] {
    IMGFXBoxBlur(a.get(), b.get(), -1);
    IMGFXBoxBlurH(a.get(), b.get(), -1);
    IMGFXGlowH(a.get(), b.get(), -1, 3);
    IMGFXGlowH(a.get(), b.get(), 1, -3);
    IMGFXGlow5H(a.get(), b.get(), -1);
    IMGFXGlow7H(a.get(), b.get(), -1);
    IMGFXGlow3x3(a.get(), b.get(), -1);
    for (const Case& filter : Filters(3, 1)) {
      filter.call(nullptr, b.get());
      filter.call(a.get(), nullptr);
      filter.call(&empty, b.get());
    }
  });
  std::string expected;
  for (int i = 0; i < 7 + 3 * 11; ++i) expected += "IMGFX error\n";
  EXPECT_EQ(out, expected);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(b->pixels[i], 7u);
}

}  // namespace
