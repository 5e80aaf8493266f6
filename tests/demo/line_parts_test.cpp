#include "line_parts.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "demo_hue.h"
#include "fps.h"
#include "helix.h"
#include "img.h"
#include "list.h"
#include "music.h"
#include "build_platform.h"
#include "rgb888.h"
#include "sample.h"
#include "sdldpy.h"
#include "sdlkbd.h"
#include "sineline.h"
#include "vorndemo.h"

namespace {

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;

uint32_t fakeNow = 0;
uint32_t FakeClock() { return fakeNow += 40000; }
// Frames never earn sleep on this clock; the only wait is the helix pause, which
// sleeps for real so the key thread's events are not starved by a busy poll.
// Each wait is counted: the pause loop waits only after it has handled the key
// its poll took, so a new count tells the key thread that the key has acted.
std::atomic<int32_t> pauseWaits{0};
void PauseSleep(uint32_t milliseconds) {
  SDL_Delay(milliseconds);
  ++pauseWaits;
}

// The values the generator gives after srand(seed); random() and rand() share
// it, so one list serves both. The generator is reseeded for the code under test.
std::vector<uint32_t> Draws(unsigned seed, int n) {
  srand(seed);
  std::vector<uint32_t> draws;
  for (int i = 0; i < n; ++i) draws.push_back(uint32_t(rand()));
  srand(seed);
  return draws;
}

uint32_t Hue(int32_t index) { return uint32_t(SAMPLEGet(hueWheel, index)); }

void PushKey(uint8_t type, SDLKey sym) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = sym;
  SDL_PushEvent(&event);
}

// Waits (up to 20 s) until the show's thread has taken every queued event.
bool Drained() {
  SDL_Event event;
  for (int i = 0; i < 20000; ++i) {
    if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

// Waits until the pause loop has taken every queued event and handled the key.
// An empty queue alone is not enough: the poll that emptied it may still be
// running, and a key-up pushed then would be read in the same poll and clear
// the key before it is handled.
bool Handled() {
  if (!Drained()) return false;
  const int32_t waits = pauseWaits;
  for (int i = 0; i < 20000; ++i) {
    if (pauseWaits != waits) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

// The three parts on SDL's dummy drivers with the real frame tail and a
// clock that never sleeps.
class LineParts : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    FPSSetClock(FakeClock, PauseSleep);
    display = SDLDPYNew();
    SDLDPYSetMode(display, 256, 256);
    keyboard = SDLKBDNew();
    workImage = IMGNew();
    IMGResize(workImage, 256, 256);
    glareImage = IMGCopy(workImage);
    blurImage = IMGCopy(workImage);
    hueWheel = DemoHueWheelNew();
  }
  void SetUp() override {
    ASSERT_TRUE(display && keyboard && workImage && hueWheel);
    IMGClear(workImage);
    controlFlags = 0;
    pauseOn = 0;
  }
};

constexpr size_t kStrandDraws = kWindowsBuild ? 7 : 6;

TEST_F(LineParts, HelixStrandsTakeTheirSettingsFromTheirIndex) {
  bool sawSeven = false;
  for (unsigned seed = 1; seed < 12; ++seed) {
    std::vector<uint32_t> d = Draws(seed, 64);
    const int32_t k = int32_t(d[0] % 3 + 4);
    sawSeven |= k == 6;
    DemoHelixSetup();
    ASSERT_TRUE(helixStrands);
    ASSERT_EQ(helixStrands->count, k + 1);
    for (int32_t i = 0; i <= k; ++i) {
      const HELIX* h = static_cast<const HELIX*>(LISTGet(helixStrands, i));
      const int32_t n = k - i;
      // Six draws a strand; seven on Windows, whose 15-bit rand() takes two for the colour.
      const uint32_t* r = &d[1 + kStrandDraws * size_t(i)];
      const uint32_t colour = kWindowsBuild ? r[5] + r[6] * 65536u : r[5];
      EXPECT_EQ(h->phase, int32_t(r[0] & 1023));
      EXPECT_EQ(h->speed, -int32_t(r[1] % 24 + 8) - 4);
      EXPECT_EQ(h->step, n + 2);
      EXPECT_EQ(h->amplitude, 128 - 24 * n);
      EXPECT_EQ(h->offset, 64 - 10 * n);
      EXPECT_EQ(h->color, (colour & 0x7F7F7F) + 0x808080);
    }
    const size_t after = 1 + kStrandDraws * size_t(k + 1);
    EXPECT_EQ(helixVertical, d[after] & 1);
    EXPECT_EQ(fadeColour, (d[after + 1] & 0x1F) * 0x010101u + 0x404040u);
    EXPECT_EQ(blurOn + glareOn, 2);
    EXPECT_EQ(fadeOn, 0);
    if (k == 6) {
      EXPECT_EQ(static_cast<const HELIX*>(LISTGet(helixStrands, 0))->amplitude, -16);
    }
    LIST* list = helixStrands;
    DemoHelixCleanup();
    EXPECT_EQ(helixStrands, list);  // kept, empty
    EXPECT_EQ(helixStrands->count, 0);
  }
  EXPECT_TRUE(sawSeven);
}

TEST_F(LineParts, HelixPartEndsOnSpaceAndEmptiesItsList) {
  controlFlags |= CONTROL_NEXT;
  const int32_t frames = frameCounter;
  DemoHelix();
  EXPECT_EQ(frameCounter, frames + 1);
  ASSERT_TRUE(helixStrands);
  EXPECT_EQ(helixStrands->count, 0);
  EXPECT_EQ(controlFlags & CONTROL_NEXT, 0);
}

// While paused nothing is drawn or paced, keys still act, and a Space is kept
// for the part to see once p resumes it.
TEST_F(LineParts, PauseHandlesKeysAndRemembersSpace) {
  pauseOn = 1;
  IMGFillBox(workImage, 3, 3, 10, 10, 0x123456);
  Image before(IMGCopy(workImage));
  const int32_t frames = frameCounter;
  bool drained = true;
  std::thread keys([&] {
    PushKey(SDL_KEYDOWN, SDLK_SPACE);
    drained &= Handled();
    PushKey(SDL_KEYUP, SDLK_SPACE);
    PushKey(SDL_KEYDOWN, SDLK_p);
    drained &= Drained();
  });
  DemoHelixPause();
  keys.join();
  EXPECT_TRUE(drained);
  EXPECT_EQ(pauseOn, 0);
  EXPECT_EQ(controlFlags & CONTROL_NEXT, CONTROL_NEXT);
  EXPECT_EQ(frameCounter, frames);
  EXPECT_TRUE(IMGEqual(workImage, before.get()));
  PushKey(SDL_KEYUP, SDLK_p);
}

// With pause already on, the part stops after its first frame; Space and p
// pressed then give one more frame and the end.
TEST_F(LineParts, HelixPartPausedFromItsStartDrawsOneFrameThenWaits) {
  pauseOn = 1;
  const int32_t frames = frameCounter;
  bool drained = true;
  std::thread keys([&] {
    // Two ignored keys taken one after the other: the second can only have
    // been taken by the pause loop, as the first frame's tail polls once.
    for (int i = 0; i < 2; ++i) {
      PushKey(SDL_KEYDOWN, SDLK_x);
      drained &= Drained();
      PushKey(SDL_KEYUP, SDLK_x);
      drained &= Drained();
    }
    PushKey(SDL_KEYDOWN, SDLK_SPACE);
    drained &= Handled();
    PushKey(SDL_KEYUP, SDLK_SPACE);
    PushKey(SDL_KEYDOWN, SDLK_p);
    drained &= Drained();
    PushKey(SDL_KEYUP, SDLK_p);
  });
  DemoHelix();
  keys.join();
  EXPECT_TRUE(drained);
  // Unpaused, each ignored key and the Space would have fallen in frames of their own.
  EXPECT_EQ(frameCounter, frames + 2);
  EXPECT_EQ(pauseOn, 0);
  EXPECT_EQ(helixStrands->count, 0);
}

TEST_F(LineParts, SineLineSetUpDrawsInOrderAndThePartReleasesItsLine) {
  std::vector<uint32_t> d = Draws(31, 76);
  DemoSineLineSetup();
  ASSERT_TRUE(sineLines);
  ASSERT_EQ(sineLines->count, 1);
  const SINELINE* line = static_cast<const SINELINE*>(LISTGet(sineLines, 0));
  // One value discarded, 36 for the new line, 18 each for the count and the randomizing.
  EXPECT_EQ(line->count, 256);
  EXPECT_EQ(line->x[0].phase, int32_t(d[55] % 1024));
  EXPECT_EQ(line->y[2].step, int32_t(d[72] % 32 + 8));
  EXPECT_EQ(line->color, RGB888AddGrey(Hue(int32_t(d[73] % 1536)), 128));
  EXPECT_EQ(fadeColour, (d[74] & 7) * 0x010101u + 0x010101u);
  EXPECT_EQ(blurOn + glareOn, 2);
  EXPECT_EQ(fadeOn, 0);
  EXPECT_EQ(uint32_t(rand()), d[75]);

  // A frame draws the graphs in the colour less 0x808080 and gives the line its colour back.
  const uint32_t colour = line->color;
  DemoSineLineFrame();
  EXPECT_EQ(line->color, colour);
  EXPECT_EQ(IMGGetPixel(workImage, 255, line->points[255].y), RGB888Sub(colour, 0x808080));
  DemoSineLineCleanup();
  EXPECT_EQ(sineLines, nullptr);

  controlFlags |= CONTROL_NEXT;
  const int32_t frames = frameCounter;
  DemoSineLine();
  EXPECT_EQ(frameCounter, frames + 1);
  EXPECT_EQ(sineLines, nullptr);
  EXPECT_EQ(blurOn + glareOn, 0);
}

TEST_F(LineParts, KaleidoscopeKeepsItsLinesAndSpreadsTheirHues) {
  music = MUSICNew();
  ASSERT_TRUE(music);
  std::vector<uint32_t> d = Draws(41, 1);
  DemoKaleidoscopeSetup();
  ASSERT_TRUE(kaleidoscopeLines);
  const int32_t count = int32_t(d[0] % 3 + 4) + 1;
  ASSERT_EQ(kaleidoscopeLines->count, count);
  std::vector<SINELINE*> lines;
  for (int32_t i = 0; i < count; ++i) lines.push_back(static_cast<SINELINE*>(LISTGet(kaleidoscopeLines, i)));
  EXPECT_EQ(fadeColour, 0x101010u);
  EXPECT_EQ(blurOn + glareOn + fadeOn, 3);
  EXPECT_EQ(music->period, 256);

  // The next start keeps the list and its lines and randomizes them again,
  // the last line first, 36 draws each.
  d = Draws(42, 36 * size_t(count));
  LIST* list = kaleidoscopeLines;
  DemoKaleidoscopeSetup();
  EXPECT_EQ(kaleidoscopeLines, list);
  for (int32_t i = 0; i < count; ++i) {
    SINELINE* line = lines[size_t(i)];
    ASSERT_EQ(LISTGet(kaleidoscopeLines, i), line);
    const size_t first = 36 * size_t(count - 1 - i) + 18;
    EXPECT_EQ(line->x[0].phase, int32_t(d[first] % 1024));
    EXPECT_EQ(line->y[1].advance, -2 - int32_t(d[first + 9] % 8));
    EXPECT_EQ(line->count, 256);
    EXPECT_EQ(line->width, 256);
    EXPECT_EQ(line->height, 256);
    const int32_t steps[] = {line->x[0].step, line->y[0].step, line->x[1].step,
                             line->y[1].step, line->x[2].step, line->y[2].step};
    EXPECT_EQ(std::vector<int32_t>(steps, steps + 6), (std::vector<int32_t>{2, 3, 3, 4, 4, 5}));
    EXPECT_EQ(line->color, Hue(i * 1536 / count));
  }
  MUSICFree(&music);
}

// Every curve is drawn in all eight images about the centre: what is lit at
// (x, y) is lit at (256 - x, y), (x, 256 - y) and (y, x).
TEST_F(LineParts, KaleidoscopeFrameIsSymmetricEightWays) {
  srand(43);
  DemoKaleidoscopeSetup();
  for (int frame = 0; frame < 3; ++frame) DemoKaleidoscopeFrame();
  auto lit = [](int32_t x, int32_t y) { return IMGGetPixel(workImage, x, y) != 0; };
  int32_t count = 0;
  for (int32_t y = 1; y < 256; ++y)
    for (int32_t x = 1; x < 256; ++x) {
      count += lit(x, y);
      ASSERT_EQ(lit(x, y), lit(256 - x, y)) << x << "," << y;
      ASSERT_EQ(lit(x, y), lit(x, 256 - y)) << x << "," << y;
      ASSERT_EQ(lit(x, y), lit(y, x)) << x << "," << y;
    }
  EXPECT_GT(count, 1000);

  controlFlags |= CONTROL_NEXT;
  DemoKaleidoscope();
  EXPECT_EQ(blurOn + glareOn + fadeOn, 3);  // left on for the next transition to reset
}

}  // namespace
