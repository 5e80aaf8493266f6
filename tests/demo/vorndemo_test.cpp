#include "vorndemo.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "fps.h"
#include "img.h"
#include "sdlkbd.h"

namespace {

uint32_t fakeNow = 0;
uint32_t FakeClock() { return fakeNow += 40000; }
void NoSleep(uint32_t) {}

void Push(uint8_t type, SDLKey sym) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = sym;
  ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// The show's start-up under the dummy drivers, with a clock that never sleeps.
// Each case runs in a process of its own, so the start-up is fresh.
struct Show : ::testing::Test {
  void SetUp() override {
    FPSSetClock(FakeClock, NoSleep);
    DemoInit();
    ASSERT_NE(workImage, nullptr);
  }
};

TEST_F(Show, StartsWithTheDescribedSwitchesAndImages) {
  EXPECT_EQ(workImage->width, 256);
  EXPECT_EQ(glareImage->height, 256);
  EXPECT_EQ(targetFps, 25);
  EXPECT_EQ(fadeOn, 1);
  EXPECT_EQ(statsOn, 1);
  EXPECT_EQ(blurOn | glareOn | fpsShown | pauseOn | controlFlags, 0);
  EXPECT_EQ(fadeColour, 0x010101u);
}

TEST_F(Show, AHeldKeyActsOnceAndToggles) {
  Push(SDL_KEYDOWN, SDLK_b);
  DemoFinishFrame();
  EXPECT_EQ(blurOn, 1);
  DemoFinishFrame();  // still held, no new event: the byte was cleared
  EXPECT_EQ(blurOn, 1);
  Push(SDL_KEYUP, SDLK_b);
  Push(SDL_KEYDOWN, SDLK_b);
  DemoFinishFrame();
  EXPECT_EQ(blurOn, 0);
}

TEST_F(Show, EveryKeyOfTheTable) {
  const struct {
    SDLKey key;
    uint8_t* flag;
  } toggles[] = {{SDLK_8, &fpsShown}, {SDLK_g, &glareOn}, {SDLK_m, &fadeOn},
                 {SDLK_p, &pauseOn},  {SDLK_s, &statsOn}};
  for (const auto& t : toggles) {
    uint8_t before = *t.flag;
    Push(SDL_KEYDOWN, t.key);
    DemoFinishFrame();
    EXPECT_EQ(*t.flag, before ^ 1) << "key " << t.key;
    Push(SDL_KEYUP, t.key);
  }
  Push(SDL_KEYDOWN, SDLK_6);
  DemoFinishFrame();
  EXPECT_EQ(targetFps, 50);
  Push(SDL_KEYDOWN, SDLK_5);
  DemoFinishFrame();
  EXPECT_EQ(targetFps, 25);
  uint8_t before[] = {blurOn, glareOn, fadeOn, statsOn, fpsShown, pauseOn};
  for (SDLKey ignored : {SDLK_1, SDLK_7, SDLK_9, SDLK_x}) {
    Push(SDL_KEYDOWN, ignored);
    DemoFinishFrame();
  }
  uint8_t after[] = {blurOn, glareOn, fadeOn, statsOn, fpsShown, pauseOn};
  EXPECT_EQ(memcmp(before, after, sizeof before), 0);
}

TEST_F(Show, CloseRequestDoesNotEndTheShow) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 0);
  DemoFinishFrame();
  DemoFinishFrame();
  EXPECT_EQ(controlFlags & CONTROL_EXIT, 0);
}

int framesDrawn = 0;
void CountFrame() { ++framesDrawn; }

TEST_F(Show, SpaceEndsOnlyTheRunningPhaseOnceEvenWhenPressedTwice) {
  framesDrawn = 0;
  Push(SDL_KEYDOWN, SDLK_SPACE);
  Push(SDL_KEYUP, SDLK_SPACE);
  Push(SDL_KEYDOWN, SDLK_SPACE);
  DemoFrames(100, CountFrame);
  EXPECT_EQ(framesDrawn, 1);
  DemoFrames(3, CountFrame);  // the second press within that frame is not remembered
  EXPECT_EQ(framesDrawn, 4);
}

TEST_F(Show, FrameTailFadesOrClearsTheWorkImage) {
  for (int i = 0; i < 256 * 256; ++i) workImage->pixels[i] = 0x808080;
  DemoFinishFrame();
  EXPECT_EQ(workImage->pixels[1000], 0x7F7F7Fu);
  fadeOn = 0;
  DemoFinishFrame();
  EXPECT_EQ(workImage->pixels[1000], 0u);
}

TEST_F(Show, FadeOutIsBlackAfterItsSecondStep) {
  for (int i = 0; i < 256 * 256; ++i) workImage->pixels[i] = 0xFFFFFF;
  int32_t frames = frameCounter;
  DemoFadeOut();
  EXPECT_EQ(workImage->pixels[0], 0u);
  EXPECT_EQ(workImage->pixels[256 * 256 - 1], 0u);
  EXPECT_EQ(frameCounter, frames);  // the fade-out is not paced
}

TEST_F(Show, ExitKeysFadeOutAndEndWithStatusZero) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(DemoHandleKey(27), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(DemoHandleKey('q'), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(DemoHandleKey('Q'), testing::ExitedWithCode(0), "");
}

}  // namespace
