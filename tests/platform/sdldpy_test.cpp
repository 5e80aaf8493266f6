#include "sdldpy.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "img.h"

namespace {

// Every case runs in its own process (CTest), so the singleton starts fresh.
struct Display : ::testing::Test {
  SDLDPY* display = nullptr;
  void SetUp() override {
    display = SDLDPYNew();
    ASSERT_NE(display, nullptr);
    ASSERT_NE(SDL_GetVideoSurface(), nullptr) << SDL_GetError();
  }
  void TearDown() override { SDL_Quit(); }
};

IMG* Filled(int w, int h, uint32_t colour) {
  IMG* image = IMGNew();
  IMGResize(image, w, h);
  for (int i = 0; i < w * h; ++i) image->pixels[i] = colour;
  return image;
}

uint32_t ScreenRGB(int x, int y) {
  SDL_Surface* screen = SDL_GetVideoSurface();
  SDL_LockSurface(screen);
  const uint8_t* row = static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch;
  uint32_t raw = 0;
  memcpy(&raw, row + x * screen->format->BytesPerPixel, screen->format->BytesPerPixel);
  SDL_UnlockSurface(screen);
  uint8_t r, g, b;
  SDL_GetRGB(raw, screen->format, &r, &g, &b);
  return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

std::string Caption() {
  char* title = nullptr;
  char* icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  return std::string(title ? title : "") + "|" + (icon ? icon : "");
}

TEST_F(Display, IsASingletonOpenedAt256Square) {
  EXPECT_EQ(SDLDPYNew(), display);
  EXPECT_EQ(display->width, 256);
  EXPECT_EQ(display->height, 256);
  EXPECT_EQ(display->pixelDepth, SDL_GetVideoSurface()->format->BitsPerPixel);
  EXPECT_EQ(SDLDPYCopy(display), display);
  EXPECT_EQ(SDLDPYEqual(display, display), 1);
  EXPECT_EQ(SDLDPYEqual(display, nullptr), 0);
  EXPECT_STREQ(SDLDPYToASCII(display), "");
  EXPECT_EQ(SDLDPYFromASCII(""), nullptr);
  SDLDPY other{};
  EXPECT_EQ(SDLDPYToASCII(&other), nullptr);
  EXPECT_EQ(SDLDPYCopy(&other), nullptr);
}

TEST_F(Display, ModeChangesRecordSizeAndKeepTheCaption) {
  SDLDPYSetMode(display, 128, 64);
  EXPECT_EQ(display->width, 128);
  EXPECT_EQ(display->height, 64);
  EXPECT_EQ(SDL_GetVideoSurface()->w, 128);
  EXPECT_EQ(Caption(), "VORNDEMO|VORNDEMO");
  SDLDPYSetMode(display, -1, 64);  // refused: the recorded size stays
  EXPECT_EQ(display->width, 128);
}

TEST_F(Display, ShowsAnImageOnAnyScreenLayout) {
  // The dummy driver gives an 8-bit screen: the copy must convert, not copy raw words.
  IMG* white = Filled(256, 256, 0xFFFFFF);
  SDLDPYShow(display, white);
  EXPECT_EQ(ScreenRGB(0, 0), 0xFFFFFFu);
  EXPECT_EQ(ScreenRGB(255, 255), 0xFFFFFFu);
  IMG* black = Filled(256, 256, 0);
  SDLDPYShowPixels(display, black);
  EXPECT_EQ(ScreenRGB(17, 200), 0u);
  IMGFree(&white);
  IMGFree(&black);
}

TEST_F(Display, ConvertedShowTakesTheTopLeftOfALargerImage) {
  IMG* big = Filled(300, 280, 0xFFFFFF);
  for (int y = 0; y < 280; ++y)
    for (int x = 0; x < 300; ++x)
      if (x >= 256 || y >= 256) big->pixels[y * 300 + x] = 0;
  SDLDPYShowConverted(display, big);
  EXPECT_EQ(ScreenRGB(255, 255), 0xFFFFFFu);
  EXPECT_EQ(ScreenRGB(0, 0), 0xFFFFFFu);
  IMGFree(&big);
}

struct CaptureDir : Display {
  std::string dir;
  char previous[4096];
  void SetUp() override {
    Display::SetUp();
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    char templ[] = "/tmp/vorn_capture_XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir = templ;
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    (void)chdir(previous);
    (void)system(("rm -rf " + dir).c_str());
    Display::TearDown();
  }
  bool Exists(const char* name) { return access((dir + "/" + name).c_str(), F_OK) == 0; }
};

TEST_F(CaptureDir, NumbersFromOneAcrossModeChangesAndSkipsRejectedImages) {
  IMG* frame = Filled(256, 256, 0x102030);
  SDLDPYShow(display, frame);
  EXPECT_FALSE(Exists("frame-00001.ppm"));  // capture is off after creation
  SDLDPYSetCapture(display, 1);
  SDLDPYShow(display, frame);
  IMG* wrong = Filled(16, 16, 0);
  SDLDPYShow(display, wrong);  // another size: refused, nothing written
  SDLDPYSetMode(display, 256, 256);
  SDLDPYShow(display, frame);
  EXPECT_TRUE(Exists("frame-00001.ppm"));
  EXPECT_TRUE(Exists("frame-00002.ppm"));
  EXPECT_FALSE(Exists("frame-00003.ppm"));
  EXPECT_EQ(SDLDPYCaptureCount(), 2);
  IMG* back = IMGReadPNM((dir + "/frame-00002.ppm").c_str());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(IMGEqual(back, frame), 1);
  IMGFree(&back);
  IMGFree(&frame);
  IMGFree(&wrong);
}

TEST(DisplayFree, ResetsAndForgetsTheSingleton) {
  SDLDPY* display = SDLDPYNew();
  ASSERT_NE(display, nullptr);
  SDLDPYSetMode(display, 64, 32);
  SDLDPY* alias = display;
  SDLDPYFree(&display);
  EXPECT_EQ(display, nullptr);
  EXPECT_EQ(SDLDPYCurrent(), nullptr);
  EXPECT_EQ(SDL_GetVideoSurface()->w, 256);
  SDLDPYFree(&alias);  // no longer the display: refused
  SDL_Quit();
}

}  // namespace
