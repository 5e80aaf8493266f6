// The show's keys and its part loop on the headless show: a held key, the keys
// it ignores, the exit keys, and each cycle step's fade-out, whose presents the
// captures do not see (they take the frames at their tails).
#include "vorndemo.h"

#include <gtest/gtest.h>

#include <vector>

#include "font.h"
#include "fps.h"
#include "headless_show.h"
#include "sdldpy.h"
#include "transition.h"

namespace {

using Show = HeadlessShow;

// The goldens press every key of the table once; here a held key acts only once (the tail clears
// the key byte after acting on it) and the keys outside the table change nothing.
TEST_F(Show, AHeldKeyActsOnceAndOtherKeysAreIgnored) {
  PushKey(SDL_KEYDOWN, SDLK_b);
  DemoFinishFrame();
  DemoFinishFrame();  // still held, no new event
  EXPECT_EQ(blurOn, 1);
  PushKey(SDL_KEYUP, SDLK_b);
  const uint8_t flags[] = {fpsShown, blurOn, glareOn, fadeOn, pauseOn, statsOn};
  for (SDLKey key : {SDLK_1, SDLK_7, SDLK_9, SDLK_x}) PushKey(SDL_KEYDOWN, key), DemoFinishFrame();
  EXPECT_EQ(std::vector<uint8_t>(flags, flags + 6),
            (std::vector<uint8_t>{fpsShown, blurOn, glareOn, fadeOn, pauseOn, statsOn}));
  EXPECT_EQ(targetFps * 10 + controlFlags, 250);
}

TEST_F(Show, ExitKeysFadeOutAndEndWithStatusZeroAndACloseRequestDoesNot) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  DemoFinishFrame();
  EXPECT_EQ(controlFlags, 0);
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  for (uint8_t key : {uint8_t(27), uint8_t('q'), uint8_t('Q')}) EXPECT_EXIT(DemoHandleKey(key), testing::ExitedWithCode(0), "") << key;
}

int32_t presents = 0;
void Watch(const IMG*) { ++presents; }

// Every step of the cycle begins with the 32 presents of a fade-out; a Space in
// its first frame ends a part there and a transition's typing (its bloom runs on).
TEST_F(Show, EveryStepOfTheCycleFadesOutThenEndsOnSpace) {
  IMG* font = IMGCopy(bitmapFont->sheet);
  SDLDPYSetShowWatch(Watch);
  for (const DemoStep& step : demoCycleSteps) {
    presents = 0;
    controlFlags = CONTROL_NEXT;
    step.run();
    EXPECT_EQ(presents, 32 + 1 + (step.run == DemoTransition ? (kWindowsBuild ? 76 : 51) : 0)) << step.name;
    EXPECT_EQ(controlFlags, 0) << step.name;
    EXPECT_TRUE(IMGEqual(bitmapFont->sheet, font)) << step.name;  // the statistics tint is taken off exactly
  }
  SDLDPYSetShowWatch(nullptr);
  IMGFree(&font);
}

}  // namespace
