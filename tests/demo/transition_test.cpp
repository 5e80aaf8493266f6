// The transition's phases and the typewriter's line walk, on the headless show,
// with Space pressed at chosen frames.
#include "transition.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "content.h"
#include "fps.h"
#include "headless_show.h"
#include "typewriter.h"

namespace {

// The phases' frame limits of this build (Windows types and blooms longer).
constexpr int32_t kTyping = kWindowsBuild ? 1501 : 1001;
constexpr int32_t kBloom = kWindowsBuild ? 76 : 51;

std::multiset<int32_t> spaceFrames;  // frameCounter values at which Space arrives

// Pressed when the frame's tail reads the clock, so the same tail's poll sees it.
void PressSpaceOnTime() {
  for (size_t n = spaceFrames.count(frameCounter); n > 0; --n) PushKey(SDL_KEYDOWN, SDLK_SPACE);
}

struct Transition : HeadlessShow {
  void SetUp() override {
    HeadlessShow::SetUp();
    spaceFrames.clear();
    fakeclock::onReading = PressSpaceOnTime;
    TypewriterReset(&typewriter);
    typewriterWords = reinterpret_cast<const char*>(wordList);
  }
  // Runs one transition with Space at the given frames after its start;
  // returns the number of frames it finished.
  int32_t Run(std::initializer_list<int32_t> spaces = {}) {
    const int32_t start = frameCounter;
    for (int32_t f : spaces) spaceFrames.insert(start + f);
    DemoTransition();
    return frameCounter - start;
  }
};

TEST_F(Transition, SpaceEndsOnlyTheRunningPhase) {
  EXPECT_EQ(Run({10}), 10 + kBloom);  // typing cut short, the bloom runs in full
  EXPECT_EQ(typewriter.position, 5);  // the cut line is abandoned
  EXPECT_EQ(Run({12, 12}), 12 + kBloom);  // twice within one frame still ends one phase
  EXPECT_EQ(typewriter.position, 10);
  EXPECT_EQ(Run({3, 3 + 7}), 3 + 7);  // once in each phase
  EXPECT_EQ(controlFlags, 0);
}

TEST_F(Transition, TypingStopsAtItsFrameLimit) {
  const std::string words = std::string(90, 'W') + "\nAB\n";  // 1800 frames of typing
  typewriterWords = words.c_str();
  EXPECT_EQ(Run(), kTyping + kBloom);
  EXPECT_EQ(typewriter.position, 91);
  EXPECT_EQ(typewriter.lineLength, 2);
  EXPECT_EQ(typewriter.lineX, (256 - 32) / 2 + 8);
}

TEST_F(Transition, NextLineWalksTheListAndStartsAgainAfterTheLast) {
  const int32_t lengths[26] = {4, 4, 4, 9, 5, 8, 6, 4, 8, 11, 9, 7, 6, 8, 4, 4, 4, 3, 4, 9, 6, 6, 4, 5, 7, 5};
  for (int line = 1; line <= 26; ++line) {
    typewriter.typed = 2;
    typewriter.line[0] = 'X';
    TypewriterNextLine(&typewriter, typewriterWords, 256, 256);
    EXPECT_EQ(typewriter.lineLength, lengths[line % 26]) << line;
    EXPECT_EQ(typewriter.lineX, (256 - 16 * lengths[line % 26]) / 2 + 8) << line;
    EXPECT_TRUE(typewriter.lineY >= 86 && typewriter.lineY <= 170) << typewriter.lineY;
    EXPECT_EQ(typewriter.typed + typewriter.line[0], 0);
  }
  EXPECT_EQ(typewriter.position, 0);
  typewriter.position = 1;  // a list whose end comes before any newline: back to its start
  TypewriterNextLine(&typewriter, "AB", 256, 256);
  EXPECT_EQ(typewriter.position, 0);
}

}  // namespace
