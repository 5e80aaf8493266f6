// The show's key table, its frame tail and its part loop, on the headless show.
#include "vorndemo.h"

#include <gtest/gtest.h>

#include "font.h"
#include "fps.h"
#include "headless_show.h"
#include "sdldpy.h"
#include "transition.h"

namespace {

using Show = HeadlessShow;

// Every toggle from its start-up value, 5 and 6, the ignored keys, and a held
// key, which acts once: the tail clears the key byte after acting on it.
TEST_F(Show, KeyTableFromTheStartUpValues) {
  EXPECT_EQ(fadeColour, 0x010101u);
  const struct {
    SDLKey key;
    uint8_t* flag;
    uint8_t start;
  } toggles[] = {{SDLK_8, &fpsShown, 0}, {SDLK_b, &blurOn, 0},  {SDLK_g, &glareOn, 0},
                 {SDLK_m, &fadeOn, 1},   {SDLK_p, &pauseOn, 0}, {SDLK_s, &statsOn, 1}};
  for (const auto& t : toggles) {
    EXPECT_EQ(*t.flag, t.start) << "key " << t.key;
    PushKey(SDL_KEYDOWN, t.key);
    DemoFinishFrame();
    DemoFinishFrame();  // still held, no new event
    EXPECT_EQ(*t.flag, t.start ^ 1) << "key " << t.key;
    PushKey(SDL_KEYUP, t.key);
  }
  for (SDLKey key : {SDLK_6, SDLK_1, SDLK_7, SDLK_9, SDLK_x}) PushKey(SDL_KEYDOWN, key), DemoFinishFrame();
  EXPECT_EQ(targetFps, 50);
  PushKey(SDL_KEYDOWN, SDLK_5);
  DemoFinishFrame();
  EXPECT_EQ(targetFps, 25);
  for (const auto& t : toggles) EXPECT_EQ(*t.flag, t.start ^ 1) << "key " << t.key;
  EXPECT_EQ(controlFlags, 0);
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

int32_t presents = 0, shownLetterPixels = 0;
uint32_t shownCorner = 0;
void Watch(const IMG* image) {
  ++presents;
  shownCorner = image->pixels[0];
  shownLetterPixels = 0;
  for (int32_t i = 0; i < image->width * image->height; ++i) shownLetterPixels += image->pixels[i] != 0x808080;
}

// The tail paces, draws the letters, presents, then fades (or clears) the work
// image, and only then acts on the frame's key.
TEST_F(Show, FrameTailPresentsBeforeItFadesAndActsOnKeysLast) {
  IMGFillBox(workImage, 0, 0, 256, 256, 0x808080);
  SDLDPYSetShowWatch(Watch);
  PushKey(SDL_KEYDOWN, SDLK_m);
  DemoFinishFrame();
  EXPECT_EQ(frameCounter, 1);
  EXPECT_EQ(shownCorner, 0x808080u);
  EXPECT_GT(shownLetterPixels, 50);
  EXPECT_EQ(workImage->pixels[0], 0x7F7F7Fu);
  EXPECT_EQ(fadeOn, 0);
  DemoFinishFrame();
  SDLDPYSetShowWatch(nullptr);
  EXPECT_EQ(shownCorner, 0x7F7F7Fu);
  EXPECT_EQ(workImage->pixels[0], 0u);
}

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
