#include "sdldpy.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

// The watch sees each accepted image before the screen does, on every build.
std::vector<uint32_t> watched;
void Watch(const IMG* image) { watched.push_back(image->pixels[0]); }

TEST_F(Display, ShowWatchSeesEveryAcceptedImageUntilCleared) {
  IMG* red = Filled(256, 256, 0xFF0000);
  IMG* small = Filled(16, 16, 0x00FF00);
  SDLDPYSetShowWatch(Watch);
  SDLDPYShow(display, red);
  SDLDPYShow(display, small);  // refused: not watched either
  SDLDPYShowPixels(display, red);  // only the per-frame path is watched
  SDLDPYSetShowWatch(nullptr);
  SDLDPYShow(display, red);
  EXPECT_EQ(watched, std::vector<uint32_t>{0xFF0000u});
  IMGFree(&red);
  IMGFree(&small);
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

// A 32-bit screen need not keep 0x00RRGGBB: a browser's has red in the low
// byte. The copy must place every channel as SDL_MapRGB does, with opaque
// alpha, inside the image's area and leave the rest of a wider surface alone.
TEST(DisplayRepack, PlacesEveryChannelAsTheSurfaceLayoutSays) {
  struct Layout { uint32_t r, g, b, a; };
  const Layout layouts[] = {{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},  // browser canvas
                            {0x00FF0000, 0x0000FF00, 0x000000FF, 0},           // the image's own
                            {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF},
                            {0x0000FF00, 0x00FF0000, 0xFF000000, 0}};
  IMG* image = Filled(5, 3, 0);
  uint32_t seed = 12345;
  for (int i = 0; i < 15; ++i) image->pixels[i] = (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFFFF;
  image->pixels[0] = 0xFF0000;
  image->pixels[1] = 0x0000FF;
  // The browser's SDL records only the masks of its formats: shifts and losses
  // stay 0, so every layout is tried a second time with them cleared.
  for (int onlyMasks = 0; onlyMasks < 2; ++onlyMasks)
  for (const Layout& l : layouts) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 7, 4, 32, l.r, l.g, l.b, l.a);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, 0x5A5A5A5A);
    SDL_PixelFormat truth = *s->format;
    if (onlyMasks) {
      SDL_PixelFormat* f = s->format;
      f->Rshift = f->Gshift = f->Bshift = f->Ashift = 0;
      f->Rloss = f->Gloss = f->Bloss = f->Aloss = 0;
    }
    ASSERT_EQ(SDLDPYRepack(image, s), 1);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 7; ++x) {
        uint32_t got = static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x];
        if (x >= 5 || y >= 3) {
          EXPECT_EQ(got, 0x5A5A5A5Au) << x << "," << y;
          continue;
        }
        uint32_t p = image->pixels[y * 5 + x];
        EXPECT_EQ(got, SDL_MapRGB(&truth, p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF))
            << std::hex << l.r << " at " << x << "," << y;
      }
    SDL_FreeSurface(s);
  }
  SDL_Surface* narrow = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, 32, 0xFF, 0xFF00, 0xFF0000, 0);
  SDL_Surface* shallow = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 16, 0xF800, 0x07E0, 0x001F, 0);
  EXPECT_EQ(SDLDPYRepack(image, shallow), 0);
  EXPECT_EQ(SDLDPYRepack(nullptr, narrow), 0);
  EXPECT_EQ(static_cast<uint32_t*>(narrow->pixels)[0], 0u);  // refused: untouched
  // A narrower surface takes the image's top-left part, row by row.
  ASSERT_EQ(SDLDPYRepack(image, narrow), 1);
  const uint32_t* row2 = static_cast<uint32_t*>(narrow->pixels) + 2 * narrow->pitch / 4;
  uint32_t p = image->pixels[2 * 5 + 3];
  EXPECT_EQ(row2[3], (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16);
  SDL_FreeSurface(narrow);
  SDL_FreeSurface(shallow);
  IMGFree(&image);
}

TEST_F(Display, FlagWordsFollowThePlatform) {
  // This test program links the windowed flag object of the platform library.
  EXPECT_EQ(SDLDPYBuildFlags, kWindowsBuild ? 0x10000001u : 0x10000005u);
  EXPECT_EQ(SDLDPY_FLAGS_FULLSCREEN, SDLDPY_FLAGS_WINDOWED | uint32_t(SDL_FULLSCREEN));
  EXPECT_STREQ(SDLDPYIdent[1], kWindowsBuild ? "20100924" : "20120518");
}

// Runs the case in a fresh temporary folder, where capture writes its files.
struct CaptureDir : Display {
  std::filesystem::path dir, previous;
  void SetUp() override {
    Display::SetUp();
    previous = std::filesystem::current_path();
    dir = std::filesystem::temp_directory_path() /
          ("vorn_capture_" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "_" +
           std::to_string(SDL_GetTicks()));
    ASSERT_TRUE(std::filesystem::create_directory(dir));
    std::filesystem::current_path(dir);
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    Display::TearDown();
  }
  bool Exists(const char* name) { return std::filesystem::exists(dir / name); }
};

TEST_F(CaptureDir, WindowsBuildHasNoCapture) {
  if constexpr (!kWindowsBuild) GTEST_SKIP() << "the Linux build captures";
  IMG* frame = Filled(256, 256, 0xFFFFFF);
  SDLDPYSetCapture(display, 1);
  SDLDPYShow(display, frame);
  EXPECT_FALSE(Exists("frame-00001.ppm"));
  EXPECT_EQ(SDLDPYCaptureCount(), 0);
  EXPECT_EQ(ScreenRGB(3, 250), 0xFFFFFFu);  // shown all the same
  IMGFree(&frame);
}

TEST_F(CaptureDir, NumbersFromOneAcrossModeChangesAndSkipsRejectedImages) {
  if constexpr (kWindowsBuild) GTEST_SKIP() << "the Windows build has no capture";
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
  IMG* back = IMGReadPNM((dir / "frame-00002.ppm").string().c_str());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(IMGEqual(back, frame), 1);
  IMGFree(&back);
  IMGFree(&frame);
  IMGFree(&wrong);
}

// Linux resets the mode to 256 x 256 first; Windows leaves it as it is.
TEST(DisplayFree, ResetsAndForgetsTheSingleton) {
  SDLDPY* display = SDLDPYNew();
  ASSERT_NE(display, nullptr);
  SDLDPYSetMode(display, 64, 32);
  SDLDPY* alias = display;
  SDLDPYFree(&display);
  EXPECT_EQ(display, nullptr);
  EXPECT_EQ(SDLDPYCurrent(), nullptr);
  EXPECT_EQ(SDL_GetVideoSurface()->w, kWindowsBuild ? 64 : 256);
  SDLDPYFree(&alias);  // no longer the display: refused
  SDL_Quit();
}

}  // namespace
