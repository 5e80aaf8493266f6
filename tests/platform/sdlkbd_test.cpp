#include "sdlkbd.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "sdldpy.h"

namespace {

void Push(uint8_t type, SDLKey sym) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = sym;
  ASSERT_EQ(SDL_PushEvent(&event), 0);
}

TEST(KeyboardCreation, NeedsTheDisplayFirst) {
  EXPECT_EQ(SDLKBDNew(), nullptr);
  SDLDPY* display = SDLDPYNew();
  ASSERT_NE(display, nullptr);
  SDLKBD* keyboard = SDLKBDNew();
  ASSERT_NE(keyboard, nullptr);
  EXPECT_EQ(SDLKBDNew(), keyboard);
  EXPECT_EQ(keyboard->keys[0], 0);
  EXPECT_STREQ(SDLKBDToASCII(keyboard), "");
  EXPECT_EQ(SDLKBDEqual(keyboard, keyboard), 1);
  EXPECT_EQ(SDLKBDEqual(keyboard, nullptr), 0);
  EXPECT_EQ(SDLKBDCopy(keyboard), nullptr);
  SDLKBDFree(&keyboard);
  EXPECT_EQ(keyboard, nullptr);
  SDL_Quit();
}

struct Keys : ::testing::Test {
  SDLKBD* keyboard = nullptr;
  void SetUp() override {
    ASSERT_NE(SDLDPYNew(), nullptr);
    keyboard = SDLKBDNew();
    ASSERT_NE(keyboard, nullptr);
  }
  void TearDown() override { SDL_Quit(); }
  uint8_t Poll() {
    SDLKBDGetKey(keyboard);
    return keyboard->keys[0];
  }
};

TEST_F(Keys, PressAndReleaseInOnePollIsLost) {
  Push(SDL_KEYDOWN, SDLK_SPACE);
  Push(SDL_KEYUP, SDLK_SPACE);
  EXPECT_EQ(Poll(), 0);
}

TEST_F(Keys, HeldKeyStaysUntilItsReleaseAndTheLastEventDecides) {
  Push(SDL_KEYDOWN, SDLK_ESCAPE);
  EXPECT_EQ(Poll(), 27);
  EXPECT_EQ(Poll(), 27);  // nothing new: the byte stays
  Push(SDL_KEYDOWN, SDLK_q);
  Push(SDL_KEYDOWN, SDLK_5);
  EXPECT_EQ(Poll(), '5');
  Push(SDL_KEYUP, SDLK_q);  // any release clears, even with 5 still down
  EXPECT_EQ(Poll(), 0);
}

TEST_F(Keys, CloseRequestsAndOtherEventsAreIgnored) {
  Push(SDL_KEYDOWN, SDLK_b);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 0);
  EXPECT_EQ(Poll(), 'b');
  EXPECT_EQ(SDL_PollEvent(nullptr), 0);  // the queue was drained
}

TEST_F(Keys, KeepsOnlyTheLowByteOfTheSymbol) {
  Push(SDL_KEYDOWN, SDLK_F1);  // 282
  EXPECT_EQ(Poll(), 282 & 0xFF);
}

}  // namespace
