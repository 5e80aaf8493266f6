// The typewriter and the transition's phases, driven headless: the frame
// clock is stubbed to exactly 25 frames per second, and Space presses are
// queued as SDL key events at chosen frames.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "demo_hue.h"
#include "fps.h"
#include "img.h"
#include "letters.h"
#include "lfont.h"
#include "content.h"
#include "sdldpy.h"
#include "sdlkbd.h"
#include "transition.h"
#include "typewriter.h"
#include "vorndemo.h"

namespace {

// The phases' frame limits of this build (Windows types and blooms longer).
constexpr int32_t kTyping = kWindowsBuild ? 1501 : 1001;
constexpr int32_t kBloom = kWindowsBuild ? 76 : 51;

std::multiset<int32_t> spaceFrames;  // frameCounter values at which Space arrives

uint32_t SteadyClock() {
  for (auto it = spaceFrames.find(frameCounter); it != spaceFrames.end() && *it == frameCounter;
       it = spaceFrames.erase(it)) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&event);
  }
  return uint32_t(frameCounter) * 40000u;
}
void NoSleep(uint32_t) {}

struct Transition : ::testing::Test {
  static void SetUpTestSuite() {
    display = SDLDPYNew();
    SDLDPYSetMode(display, screenWidth, screenHeight);
    keyboard = SDLKBDNew();
    for (IMG** image : {&workImage, &glareImage, &blurImage}) {
      *image = IMGNew();
      IMGResize(*image, screenWidth, screenHeight);
    }
    DemoLineFontsSetup();
    hueWheel = DemoHueWheelNew();
    FPSSetClock(SteadyClock, NoSleep);
  }
  void SetUp() override {
    ASSERT_NE(smallFont, nullptr);
    TypewriterReset(&typewriter);
    typewriterWords = reinterpret_cast<const char*>(wordList);
    spaceFrames.clear();
    controlFlags = 0;
  }
  // Runs one transition with Space at the given frames after its start;
  // returns the number of frames it finished.
  int32_t RunTransition(std::initializer_list<int32_t> spaces = {}) {
    int32_t start = frameCounter;
    for (int32_t f : spaces) spaceFrames.insert(start + f);
    DemoTransition();
    return frameCounter - start;
  }
};

TEST_F(Transition, FirstTransitionTypesTheFirstWordThenBlooms) {
  fadeColour = 0x010101;
  // 20 frames a letter; the frame in which the last one lands reaches the
  // newline and is not shown.
  EXPECT_EQ(RunTransition(), 4 * 20 - 1 + kBloom);
  EXPECT_EQ(typewriter.position, 5);
  EXPECT_EQ(typewriter.typed, 0);
  EXPECT_EQ(typewriter.lineLength, 4);
  EXPECT_EQ(typewriter.lineX, 104);
  EXPECT_GE(typewriter.lineY, 86);
  EXPECT_LE(typewriter.lineY, 170);
  EXPECT_EQ(fadeColour, 0x101010u);
  EXPECT_EQ(blurOn | glareOn | fadeOn, 0);
  ASSERT_NE(trailImage, nullptr);
  EXPECT_EQ(trailImage->width, screenWidth);
  for (int32_t i = 0; i < trailImage->width * trailImage->height; ++i) ASSERT_EQ(trailImage->pixels[i], 0u);
}

TEST_F(Transition, SpaceEndsOnlyTheRunningPhase) {
  EXPECT_EQ(RunTransition({10}), 10 + kBloom);  // typing cut short, the bloom runs in full
  EXPECT_EQ(typewriter.position, 5);     // the cut line is abandoned
  EXPECT_EQ(RunTransition({12, 12}), 12 + kBloom);  // twice within one frame still ends one phase
  EXPECT_EQ(typewriter.position, 10);
  EXPECT_EQ(RunTransition({3, 3 + 7}), 3 + 7);  // once in each phase
  EXPECT_EQ(controlFlags & CONTROL_NEXT, 0);
}

TEST_F(Transition, TypingStopsAfter1001Frames) {
  // 90 letters would need 1800 frames (Windows stops typing after 1501).
  std::string words = std::string(90, 'W') + "\nAB\n";
  typewriterWords = words.c_str();
  EXPECT_EQ(RunTransition(), kTyping + kBloom);
  EXPECT_EQ(typewriter.position, 91);
  EXPECT_EQ(typewriter.lineLength, 2);
  EXPECT_EQ(typewriter.lineX, (256 - 32) / 2 + 8);
}

TEST_F(Transition, FlyingLetterSlidesOntoItsSlotWithTruncatingDivision) {
  int32_t x, y;
  TypewriterFlyPen(&typewriter, 0, 256, 256, &x, &y);  // step 40: at the centre
  EXPECT_EQ(x, 168);
  EXPECT_EQ(y, 168);
  typewriter.flyStep = 2;
  typewriter.typed = 3;
  typewriter.lineY = 170;
  TypewriterFlyPen(&typewriter, 7, 256, 256, &x, &y);
  EXPECT_EQ(x, 128 + 9 - ((128 - 104 - 48) * 38) / 40);  // (-24 * 38) / 40 = -22.8: -22
  EXPECT_EQ(x, 159);
  EXPECT_EQ(y, 128 + 9 + 39);  // (-42 * 38) / 40 = -39.9 truncates to -39, not -40
}

TEST_F(Transition, LettersLandEveryTwentyFramesAndRecolourTheLine) {
  const char* words = "AB\nC\n";
  IMG* work = IMGNew();
  IMG* trail = IMGNew();
  IMGResize(work, 256, 256);
  IMGResize(trail, 256, 256);
  for (int i = 0; i < 19; ++i) TypewriterFrame(&typewriter, smallFont, work, trail, words, 256, 256);
  EXPECT_EQ(typewriter.typed, 0);
  EXPECT_EQ(typewriter.flyStep, 2);
  EXPECT_EQ(typewriter.colour, 0xFFFFFFu);  // the first line starts white
  for (int32_t i = 0; i < 256 * 256; ++i) ASSERT_EQ(trail->pixels[i], 0u);  // nothing typed yet
  TypewriterFrame(&typewriter, smallFont, work, trail, words, 256, 256);
  EXPECT_EQ(typewriter.typed, 1);
  EXPECT_STREQ(typewriter.line, "A");
  EXPECT_EQ(typewriter.position, 1);
  EXPECT_EQ(typewriter.flyStep, 40);
  EXPECT_EQ(typewriter.colour & 0x808080u, 0x808080u);

  // The typed line goes into both images in the line colour, the flying letter only into work.
  IMGClear(work);
  IMGClear(trail);
  TypewriterFrame(&typewriter, smallFont, work, trail, words, 256, 256);
  int32_t inTrail = 0, onlyInWork = 0;
  for (int32_t i = 0; i < 256 * 256; ++i) {
    if (trail->pixels[i]) {
      ++inTrail;
      EXPECT_EQ(trail->pixels[i], typewriter.colour);
      EXPECT_EQ(work->pixels[i], trail->pixels[i]);
    } else if (work->pixels[i]) {
      ++onlyInWork;
    }
  }
  EXPECT_GT(inTrail, 10);
  EXPECT_GT(onlyInWork, 100);

  typewriter.position = 2;  // at the newline: the line is drawn, nothing flies or moves
  typewriter.flyStep = 40;
  TypewriterFrame(&typewriter, smallFont, work, trail, words, 256, 256);
  EXPECT_EQ(typewriter.flyStep, 40);
  EXPECT_EQ(typewriter.position, 2);
  IMGFree(&work);
  IMGFree(&trail);
}

TEST_F(Transition, NextLineWalksTheListAndWrapsAfterTheLast) {
  const char* words = reinterpret_cast<const char*>(wordList);
  const int32_t lengths[26] = {4, 4, 4, 9, 5, 8, 6, 4, 8, 11, 9, 7, 6, 8, 4, 4, 4, 3, 4, 9, 6, 6, 4, 5, 7, 5};
  for (int line = 1; line <= 26; ++line) {
    strcpy(typewriter.line, "XY");
    typewriter.typed = 2;
    TypewriterNextLine(&typewriter, words, 256, 256);
    int32_t expected = lengths[line % 26];
    EXPECT_EQ(typewriter.lineLength, expected) << line;
    EXPECT_EQ(typewriter.lineX, (256 - 16 * expected) / 2 + 8) << line;
    EXPECT_GE(typewriter.lineY, 86);
    EXPECT_LE(typewriter.lineY, 170);
    EXPECT_EQ(typewriter.typed, 0);
    EXPECT_EQ(typewriter.line[0], 0);
  }
  EXPECT_EQ(typewriter.position, 0);  // after the 26th line: the first again

  // A list whose end comes before any newline: back to the start, the line kept.
  typewriter.position = 1;
  typewriter.typed = 1;
  TypewriterNextLine(&typewriter, "AB", 256, 256);
  EXPECT_EQ(typewriter.position, 0);
  EXPECT_EQ(typewriter.typed, 1);
}

}  // namespace
