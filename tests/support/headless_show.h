// The show started headless as the program starts it (DemoInit on SDL's dummy
// drivers, once per process) on the fake clock, where every frame's drawing
// takes one period of 25 frames per second and nothing sleeps.
#ifndef VORN_TESTS_SUPPORT_HEADLESS_SHOW_H
#define VORN_TESTS_SUPPORT_HEADLESS_SHOW_H

#include <SDL.h>
#include <gtest/gtest.h>

#include "fake_clock.h"
#include "img.h"
#include "vorndemo.h"

struct HeadlessShow : ::testing::Test {
  static void SetUpTestSuite() {
    if (!workImage) DemoInit();
  }
  void SetUp() override {
    ASSERT_TRUE(workImage && keyboard && smallFont && ballSheet && hueWheel && music);
    fakeclock::Install(40000);
    IMGClear(workImage);
    controlFlags = pauseOn = 0;
  }
};

// Queues a key press (SDL_KEYDOWN) or release (SDL_KEYUP) for the next keyboard poll.
inline void PushKey(uint8_t type, SDLKey sym) {
  SDL_Event event{};
  event.type = event.key.type = type;
  event.key.keysym.sym = sym;
  SDL_PushEvent(&event);
}

#endif
