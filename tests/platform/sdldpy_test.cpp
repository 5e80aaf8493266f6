#include "sdldpy.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "image_fixture.h"

namespace {

using imagetest::Image;
using imagetest::Sized;

// Every case runs in its own process (CTest), so the singleton starts fresh.
struct Display : ::testing::Test {
  SDLDPY* display = nullptr;
  void SetUp() override { ASSERT_NE(display = SDLDPYNew(), nullptr) << SDL_GetError(); }
  void TearDown() override { SDL_Quit(); }
};

// The colour at (x, y) of the screen, whatever its depth (the dummy driver's is 8-bit).
uint32_t ScreenRGB(int x, int y) {
  SDL_Surface* screen = SDL_GetVideoSurface();
  uint32_t raw = 0;
  memcpy(&raw, static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch + x * screen->format->BytesPerPixel,
         screen->format->BytesPerPixel);
  uint8_t r, g, b;
  SDL_GetRGB(raw, screen->format, &r, &g, &b);
  return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

TEST_F(Display, IsASingletonThatRefusesAndReportsBadCallsAndRecordsModeChanges) {
  SDLDPY other{};  // not the display
  Image small = Sized(16, 16);
  const std::function<void()> refusals[] = {
      [] { SDLDPYNew(); }, [] { SDLDPYFromASCII(""); }, [&] { SDLDPYEqual(display, nullptr); },
      [&] { EXPECT_EQ(SDLDPYToASCII(&other), nullptr); }, [&] { EXPECT_EQ(SDLDPYCopy(&other), nullptr); },
      [&] { SDLDPYSetMode(&other, 32, 32); }, [&] { SDLDPYSetMode(display, -1, 64); },
      [&] { SDLDPYShow(display, small.get()); }, [&] { SDLDPYShowPixels(display, small.get()); }};
  for (const auto& refused : refusals)  // the report is compiled out on Windows
    EXPECT_EQ(imagetest::Printed(SDLDPYDebug, refused), kWindowsBuild ? "" : "SDLDPY error\n");
  EXPECT_EQ(SDLDPYNew(), display);
  EXPECT_EQ(display->pixelDepth, SDL_GetVideoSurface()->format->BitsPerPixel);
  EXPECT_EQ(SDLDPYCopy(display), display);
  EXPECT_EQ(SDLDPYEqual(display, display), 1);
  EXPECT_STREQ(SDLDPYToASCII(display), "");
  SDLDPYSetMode(display, 128, 64);
  EXPECT_EQ(display->width * 1000 + display->height, 128064);
  EXPECT_EQ(SDL_GetVideoSurface()->w, 128);
  char *title = nullptr, *icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  EXPECT_EQ(std::string(title) + icon, "VORNDEMOVORNDEMO");
  EXPECT_EQ(SDLDPYBuildFlags, kWindowsBuild ? 0x10000001u : 0x10000005u);  // the windowed flag object
  EXPECT_EQ(SDLDPY_FLAGS_FULLSCREEN, SDLDPY_FLAGS_WINDOWED | uint32_t(SDL_FULLSCREEN));
  SDLDPY* alias = display;
  SDLDPYFree(&display);  // Linux first sets 256 x 256 again, Windows keeps the mode
  EXPECT_EQ(display, nullptr);
  EXPECT_EQ(SDLDPYCurrent(), nullptr);
  EXPECT_EQ(SDL_GetVideoSurface()->w, kWindowsBuild ? 128 : 256);
  SDLDPYFree(&alias);  // no longer the display: refused
}

// All three paths show on the dummy driver's 8-bit screen through conversion;
// only the converted path takes an image of another size (its top-left part).
TEST_F(Display, ShowsOnAnyScreenAndRefusesAnotherSize) {
  Image white = Sized(256, 256, 0xFFFFFF), black = Sized(256, 256), big = Sized(300, 280);
  IMGFillBox(big.get(), 0, 0, 256, 256, 0x00FF00);
  SDLDPYShow(display, white.get());
  EXPECT_EQ(ScreenRGB(255, 255), 0xFFFFFFu);
  SDLDPYShowPixels(display, black.get());
  SDLDPYShow(display, big.get());
  SDLDPYShowPixels(display, big.get());
  EXPECT_EQ(ScreenRGB(0, 0), 0u);
  SDLDPYShowConverted(display, big.get());
  EXPECT_EQ(ScreenRGB(0, 0) + ScreenRGB(255, 255), 2 * 0x00FF00u);
  // The dummy driver keeps its screen record across modes: a 32-bit screen of
  // the image's layout takes the copy, by rows where the screen's are longer.
  for (int width : {256, 300}) {
    ASSERT_NE(SDL_SetVideoMode(width, 256, 32, SDL_SWSURFACE), nullptr);
    SDL_FillRect(SDL_GetVideoSurface(), nullptr, 0);
    SDLDPYShow(display, white.get());
    EXPECT_EQ(ScreenRGB(255, 255) * 2 + ScreenRGB(width - 1, 0), 2 * 0xFFFFFFu + (width > 256 ? 0 : 0xFFFFFFu)) << width;
  }
}

// A 32-bit screen need not keep 0x00RRGGBB (a browser's has red in the low byte): each channel goes
// where SDL_MapRGB puts it, alpha opaque, only inside the image's area. The browser's SDL records
// only the masks, so the shifts and losses are cleared before the copy.
TEST(DisplayRepack, PlacesEveryChannelAsTheSurfaceLayoutSays) {
  const uint32_t layouts[][4] = {{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},
                                 {0x00FF0000, 0x0000FF00, 0x000000FF, 0},
                                 {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF},
                                 {0x0000007F, 0x00007F00, 0x007F0000, 0}};  // 7 bits a channel
  Image image = Sized(5, 3);
  for (uint32_t i = 0, seed = 1; i < 15; ++i) image->pixels[i] = (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFFFF;
  for (const uint32_t* l : layouts) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 7, 4, 32, l[0], l[1], l[2], l[3]);
    SDL_FillRect(s, nullptr, 0x5A5A5A5A);
    const SDL_PixelFormat truth = *s->format;
    SDL_PixelFormat* f = s->format;
    f->Rshift = f->Gshift = f->Bshift = f->Ashift = f->Rloss = f->Gloss = f->Bloss = f->Aloss = 0;
    ASSERT_EQ(SDLDPYRepack(image.get(), s), 1);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 7; ++x) {
        const uint32_t p = x < 5 && y < 3 ? image->pixels[y * 5 + x] : 0;
        EXPECT_EQ(static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x],
                  x < 5 && y < 3 ? SDL_MapRGB(&truth, p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF) : 0x5A5A5A5Au)
            << std::hex << l[0] << " at " << x << "," << y;
      }
    SDL_FreeSurface(s);
  }
  SDL_Surface* narrow = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, 32, 0xFF, 0xFF00, 0xFF0000, 0);
  SDL_Surface* shallow = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 16, 0xF800, 0x07E0, 0x001F, 0);
  EXPECT_EQ(SDLDPYRepack(image.get(), shallow) | SDLDPYRepack(nullptr, narrow), 0);
  EXPECT_EQ(static_cast<uint32_t*>(narrow->pixels)[0], 0u);  // refused: untouched
  ASSERT_EQ(SDLDPYRepack(image.get(), narrow), 1);  // the image's top-left part, row by row
  const uint32_t p = image->pixels[2 * 5 + 3];
  EXPECT_EQ(static_cast<uint32_t*>(narrow->pixels)[2 * narrow->pitch / 4 + 3], (p >> 16) | (p & 0xFF00) | (p & 0xFF) << 16);
  SDL_FreeSurface(narrow);
  SDL_FreeSurface(shallow);
}

int watched = 0;
void Watch(const IMG*) { ++watched; }

// Capture writes each frame the per-frame path accepts as frame-%05d.ppm, from
// 00001 across mode changes, into the working folder (the Windows build has
// none); the show watch sees the same frames on every build.
TEST_F(Display, CaptureNumbersAcceptedFramesFromOne) {
  const std::filesystem::path previous = std::filesystem::current_path(),
                              dir = std::filesystem::temp_directory_path() / ("vorn_capture_" + std::to_string(SDL_GetTicks()));
  std::filesystem::create_directory(dir);
  std::filesystem::current_path(dir);
  Image frame = Sized(256, 256, 0x102030), wrong = Sized(16, 16);
  SDLDPYShow(display, frame.get());  // capture is off after creation
  SDLDPYSetCapture(display, 1);
  SDLDPYSetShowWatch(Watch);
  SDLDPYShow(display, frame.get());
  SDLDPYShow(display, wrong.get());  // another size: refused, nothing written
  SDLDPYShowPixels(display, frame.get());
  SDLDPYSetMode(display, 256, 256);
  SDLDPYShow(display, frame.get());
  SDLDPYSetShowWatch(nullptr);
  SDLDPYShow(display, frame.get());
  std::filesystem::current_path(previous);
  EXPECT_EQ(watched, 2);
  EXPECT_EQ(SDLDPYCaptureCount(), kWindowsBuild ? 0 : 3);
  EXPECT_FALSE(std::filesystem::exists(dir / "frame-00004.ppm"));
  Image back(IMGReadPNM((dir / "frame-00002.ppm").string().c_str()));
  EXPECT_EQ(back && IMGEqual(back.get(), frame.get()), !kWindowsBuild);
  std::filesystem::remove_all(dir);
}

}  // namespace
