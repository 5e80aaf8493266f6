#include <cmath>
#include <numeric>
#include <cstdlib>

#include "image_fixture.h"
#include "imgfx.h"
#include "sine.h"

namespace {

using namespace imagetest;

std::string Dump(const IMG* image) {
  char* text = IMGToASCII(image);
  std::string result = text ? text : "<null>";
  free(text);
  return result;
}

std::string Lines(const char* line, int n) {
  std::string out;
  while (n-- > 0) out += line;
  return out;
}

TEST(ImageLifeCycle, NewResizeCopyAndEqual) {
  Image image(IMGNew());
  ASSERT_EQ(std::pair(image->width, image->height), std::pair(16, 16));
  EXPECT_EQ(Pixels(image.get()), Pix(256, 0));
  image->pixels[5] = 0x123456;
  IMGResize(image.get(), 16, 16);  // the same size still clears
  EXPECT_EQ(image->pixels[5], 0u);
  image->pixels[3] = 7;
  for (auto [w, h] : {std::pair{-1, 4}, {4, -1}, {46341, 46341}, {IMG_MAX_SIDE + 1, 1}}) IMGResize(image.get(), w, h);
  EXPECT_EQ(std::pair(image->width, image->height), std::pair(16, 16));
  EXPECT_EQ(image->pixels[3], 7u);
  EXPECT_TRUE(IMGSizeAllowed(IMG_MAX_SIDE, IMG_MAX_PIXELS / IMG_MAX_SIDE));
  EXPECT_FALSE(IMGSizeAllowed(IMG_MAX_SIDE, IMG_MAX_PIXELS / IMG_MAX_SIDE + 1));
  Image a = Sized(3, 2), b = Sized(2, 3, 9), c = Sized(3, 2);
  std::iota(a->pixels, a->pixels + 6, 1);
  IMGCopyTo(a.get(), b.get());  // refused: 3x2 onto 2x3
  EXPECT_EQ(b->pixels[0], 9u);
  IMGCopyTo(a.get(), c.get());
  EXPECT_EQ(Pixels(c.get()), Pixels(a.get()));
  std::copy(a->pixels, a->pixels + 6, b->pixels);
  EXPECT_EQ(IMGEqual(a.get(), b.get()), 0);  // same pixels, other shape
  EXPECT_EQ(IMGEqual(Sized(2, 1).get(), Sized(3, 1).get()) + IMGEqual(Sized(1, 2).get(), Sized(1, 3).get()), 0);
  Image d(IMGCopy(a.get()));
  EXPECT_EQ(IMGEqual(a.get(), d.get()), 1);
  d->pixels[5] = 0;
  EXPECT_EQ(IMGEqual(a.get(), d.get()), 0);
  IMG none{3, 2, nullptr};
  EXPECT_EQ(IMGEqual(a.get(), &none) + IMGEqual(&none, a.get()), 0);
  IMG* raw = IMGNew();
  IMGFree(&raw);
  EXPECT_EQ(raw, nullptr);
}

TEST(SineTable, QuarterIsRoundedSineAndTheRestMirrors) {
  ASSERT_EQ(std::pair(int(SineTableCount), int(SineTableMask)), std::pair(1024, 1023));
  for (int i = 0; i < 256; ++i) {
    EXPECT_NEAR(SineTable[i], 32767.0 * std::sin(2.0 * M_PI * i / 1024.0), 1.5) << i;
    EXPECT_EQ(SineTable[511 - i], SineTable[i]) << i;
  }
  EXPECT_EQ(Pix({uint32_t(SineTable[255]), uint32_t(SineTable[256]), uint32_t(SineTable[511])}), Pix({32766, 32766, 0}));
  for (int i = 0; i < 512; ++i) EXPECT_EQ(SineTable[512 + i], -SineTable[i]) << i;
}

TEST(ImageText, DumpRoundTripAndParsing) {
  Image pair = Sized(2, 1, 0xFFFFFF);
  pair->pixels[0] = 0x0A0B0C;
  EXPECT_EQ(Dump(pair.get()), "IMG{\nP3\n2 1\n255\n 10  11  12 255 255 255\n}\n");
  std::string line = Lines("  0   0   0 ", 6);  // seven pixels: a line of six, then one
  line.back() = '\n';
  EXPECT_EQ(Dump(Sized(7, 1).get()), "IMG{\nP3\n7 1\n255\n" + line + "  0   0   0\n}\n");
  EXPECT_EQ(Dump(Sized(0, 0).get()), "IMG{}");
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    Image image = Random(rng, Between(rng, 1, 13), Between(rng, 1, 9));
    std::string text = Dump(image.get());
    Image back(IMGFromASCII(text.c_str()));
    ASSERT_TRUE(back && IMGEqual(image.get(), back.get())) << text;
  }
  EXPECT_EQ(Pixels(Image(IMGFromASCII("junk IMG P3\n9 9\n {x P3\n1 1\n255\n1 2 3 trailing")).get()), Pix{0x010203});
  for (const char* bad : {"IMG{}", "IMG{\nP3\n2 1\n255\n1 2 3 4 5", "IMG{\nP3\n46341 46341\n255\n1 2 3",
                          "IMG{\nP3\n3333333333 1\n255\n1 2 3", "IMG{\nP3\n2 2", "IMG P3\n1 1\n255\n1 2 3"})
    EXPECT_EQ(Printed(IMGDebug, [&] { EXPECT_EQ(IMGFromASCII(bad), nullptr); }), "IMG error\n") << bad;
  EXPECT_EQ(Pix({uint32_t(IMGFindText("IMG{", "{")), uint32_t(IMGFindText("abc", "x")), uint32_t(IMGFindText("aab", "ab"))}),
            Pix({4, 0, 3}));
}

// Every operation refuses a null Image, an Image without pixels and its other
// bad arguments with one error line through its module, and changes nothing.
TEST(Refusals, EachPrintsOneErrorAndChangesNothing) {
  Image a = Sized(4, 4, 0x404040), b = Sized(4, 4, 7), a0(IMGCopy(a.get())), b0(IMGCopy(b.get()));
  IMG none{4, 4, nullptr};
  IMG *s = a.get(), *d = b.get();
  for (IMG* bad : {static_cast<IMG*>(nullptr), &none}) {
    EXPECT_EQ(Printed(IMGDebug, [&] {
                IMGClear(bad); IMGCopyTo(bad, d); IMGCopyTo(s, bad); IMGCopy(bad); free(IMGToASCII(bad));
                IMGWritePPM(bad, "x.ppm"); IMGPutPixel(bad, 0, 0, 1); IMGGetPixel(bad, 0, 0);
                IMGLine(bad, 0, 0, 3, 3, 1); IMGLineInside(bad, 0, 0, 3, 3, 1); IMGFXHLine(bad, 0, 0, 3, 1);
                IMGFXVLine(bad, 0, 0, 3, 1); IMGFXHLineBlend(bad, 0, 0, 3, 1, 9); IMGFXVLineBlend(bad, 0, 0, 3, 1, 9);
                IMGHLineColour(bad, 1, 0, 0, 3); IMGVLineColour(bad, 1, 0, 0, 3); IMGCircle(bad, 1, 1, 1, 1);
                IMGHLineBlendColour(bad, 1, 0, 0, 3, 9); IMGFillBox(bad, 0, 0, 2, 2, 1); IMGBox(bad, 0, 0, 2, 2, 1);
                IMGBlitKeyed(bad, d, 0, 0, 0, 0, 2, 2); IMGBlit(s, bad, 0, 0, 0, 0, 2, 2);
                IMGBlitAdd(bad, d, 0, 0, 0, 0, 2, 2); IMGBlitAddSat(s, bad, 0, 0, 0, 0, 2, 2);
                IMGOverlayAverage(bad, d, 0, 0); IMGOverlayAverage(s, bad, 0, 0); IMGRowWrapKeyed(bad, d, 0, 0, 0);
                IMGRowWrapOr(s, bad, 0, 0, 0); IMGColumnWrapKeyed(bad, d, 0, 0, 0); IMGCopyRow(s, bad, 0, 0);
                IMGMaskAnd(bad, d); IMGMaskAnd(s, bad); IMGBlitStep(bad, d, 0, 0, 0, 0, 2, 2, 1, 1);
                IMGAddColour(bad, 1); IMGSubColour(bad, 1); IMGInvert(bad); IMGInvertBox(bad, 0, 0, 1, 1);
                IMGScale(bad, d); IMGScale(s, bad); IMGRotate(bad, 3);
              }),
              Lines("IMG error\n", 40));
    EXPECT_EQ(Printed(IMGFXDebug, [&] {
                IMGFXBlur3H(bad, d); IMGFXBlur121H(s, bad); IMGFXBlur5H(bad, d); IMGFXBlur7H(s, bad);
                IMGFXBlur3x3(bad, d); IMGFXGlow5H(s, bad, 1); IMGFXGlow7H(bad, d, 1); IMGFXGlow3x3(s, bad, 1);
                IMGFXGlowH(bad, d, 1, 1); IMGFXBoxBlurH(s, bad, 1); IMGFXBoxBlur(bad, d, 1);
                IMGFXBlitAverage(s, bad, 0, 0, 0, 0, 2, 2);
              }),
              Lines("IMGFX error\n", 12));
  }
  EXPECT_EQ(Printed(IMGDebug, [&] {
              IMG* null = nullptr;
              IMGFree(nullptr); IMGFree(&null); IMGFromASCII(nullptr); IMGFindText(nullptr, "a");
              IMGFindText("a", nullptr); IMGParsePNM(nullptr); IMGParsePNMBounded(nullptr, 5); IMGReadPNM(nullptr);
              IMGWritePPM(s, nullptr); IMGWritePPM(s, "/nonexistent-dir/x.ppm"); IMGFillBox(d, 1, 0, 4, 4, 1);
              IMGFillBox(d, -1, 0, 2, 2, 1); IMGBox(d, 0, 0, 0, 3, 1); IMGBox(d, 0, 0, 3, -1, 1);
              IMGBox(d, 0, 4, 1, 1, 1); IMGFillBox(d, 3, 0, INT32_MAX, 1, 1); IMGCircle(d, 4, 0, 3, 1);
              IMGCircle(d, 3, -1, 3, 1); IMGCircle(d, 3, 3, 0, 1); IMGRowWrapKeyed(s, d, -1, 0, 0);
              IMGRowWrapOr(s, d, 0, 4, 0); IMGColumnWrapKeyed(s, d, 4, 0, 0); IMGColumnWrapKeyed(s, d, 0, -1, 0);
              IMGCopyRow(s, d, 4, 0); IMGCopyRow(s, d, 0, -1); IMGBlitStep(s, d, 0, 0, 0, 0, 4, 4, 0, 1);
              IMGBlitStep(s, d, 0, 0, 3, 3, 4, 4, 1, -1); IMGRunTable(INT32_MIN, 3);
              IMGRunTableSymmetric(3, IMG_MAX_SIDE + 1); IMGLinePoints(INT32_MIN, 0, INT32_MAX, 0);  // 2^32 points
            }),
            Lines("IMG error\n", 30));
  EXPECT_EQ(Printed(IMGFXDebug, [&] {
              IMGFXBoxBlur(s, d, -1); IMGFXBoxBlurH(s, d, -1); IMGFXGlowH(s, d, -1, 3); IMGFXGlowH(s, d, 1, -3);
              IMGFXGlow5H(s, d, -1); IMGFXGlow7H(s, d, -1); IMGFXGlow3x3(s, d, -1);
            }),
            Lines("IMGFX error\n", 7));
  EXPECT_TRUE(IMGEqual(a.get(), a0.get()) && IMGEqual(b.get(), b0.get()));
}

}  // namespace
