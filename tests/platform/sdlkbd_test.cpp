#include "sdlkbd.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "sdldpy.h"

namespace {

void Push(uint8_t type, SDLKey sym = SDLK_UNKNOWN) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = sym;
  ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// Every case runs in a process of its own (CTest), so both singletons start fresh.
TEST(Keyboard, NeedsTheDisplayFirstAndRefusesNull) {
  EXPECT_EQ(SDLKBDNew(), nullptr);
  ASSERT_NE(SDLDPYNew(), nullptr);
  SDLKBD* keyboard = SDLKBDNew();
  ASSERT_NE(keyboard, nullptr);
  EXPECT_EQ(SDLKBDNew(), keyboard);
  EXPECT_STREQ(SDLKBDToASCII(keyboard), "");
  EXPECT_EQ(SDLKBDToASCII(nullptr), nullptr);
  EXPECT_EQ(SDLKBDEqual(keyboard, keyboard) * 10 + SDLKBDEqual(keyboard, nullptr), 10);
  EXPECT_EQ(SDLKBDCopy(keyboard), nullptr);
  SDLKBDGetKey(nullptr);
  SDLKBDFree(&keyboard);
  SDLKBDFree(&keyboard);  // now null: refused
  EXPECT_EQ(keyboard, nullptr);
  ASSERT_NE(keyboard = SDLKBDNew(), nullptr);  // the freed one is forgotten: a new one works
  Push(SDL_KEYDOWN, SDLK_p);
  SDLKBDGetKey(keyboard);
  EXPECT_EQ(keyboard->keys[0], 'p');
  SDL_Quit();
}

// The last keyboard event of a poll decides the key byte: a press released
// within one poll is lost, a held key stays, any release clears, a close
// request is drained and ignored, and only the symbol's low byte is kept.
TEST(Keyboard, TheLastEventOfAPollDecides) {
  ASSERT_NE(SDLDPYNew(), nullptr);
  SDLKBD* keyboard = SDLKBDNew();
  ASSERT_NE(keyboard, nullptr);
  EXPECT_EQ(keyboard->keys[0], 0);
  const struct {
    std::initializer_list<std::pair<uint8_t, SDLKey>> events;
    uint8_t key;
  } polls[] = {{{{SDL_KEYDOWN, SDLK_SPACE}, {SDL_KEYUP, SDLK_SPACE}}, 0},
               {{{SDL_KEYDOWN, SDLK_ESCAPE}}, 27},
               {{}, 27},
               {{{SDL_KEYDOWN, SDLK_q}, {SDL_KEYDOWN, SDLK_5}}, '5'},
               {{{SDL_KEYUP, SDLK_q}}, 0},
               {{{SDL_KEYDOWN, SDLK_b}, {SDL_QUIT, SDLK_UNKNOWN}}, 'b'},
               {{{SDL_KEYDOWN, SDLK_F1}}, SDLK_F1 & 0xFF}};
  for (const auto& poll : polls) {
    for (const auto& event : poll.events) Push(event.first, event.second);
    SDLKBDGetKey(keyboard);
    EXPECT_EQ(keyboard->keys[0], poll.key) << int(poll.key);
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);  // the queue was drained
  }
  SDL_Quit();
}

}  // namespace
