// The typewriter of the transition screens: it types one line of the word
// list per transition, each letter flying in huge from the middle of the
// screen onto its slot. The state persists from one transition to the next.
#ifndef VORN_DEMO_TYPEWRITER_H
#define VORN_DEMO_TYPEWRITER_H

#include <cstdint>

#include "build_platform.h"

struct IMG;
struct LFONT;

struct Typewriter {
  int32_t position;    // index of the next character of the word list to type
  char line[256];      // the characters typed so far (NUL-terminated)
  int32_t typed;       // characters in line
  int32_t lineLength;  // length of the current line, measured when it begins
  int32_t lineX;       // centre of the line's first character cell
  int32_t lineY;
  int32_t flyStep;     // countdown of the flying letter: 40, 38, ..., 2
  uint32_t colour;     // colour of the whole line, new at every landed letter
};

constexpr int32_t kTypewriterFlyStart = 40;
// Copies of the flying letter per frame (the Windows build draws more).
constexpr int32_t kTypewriterCopies = kWindowsBuild ? 16 : 8;

// The state of the first transition: nothing typed, (104, 104), fly step 40, white.
void TypewriterReset(Typewriter* t);
// True when the character to type ends the line (a newline, or the list's end).
bool TypewriterLineDone(const Typewriter* t, const char* words);
// Pen of copy i of the flying letter on a width x height screen.
void TypewriterFlyPen(const Typewriter* t, int32_t i, int32_t width, int32_t height, int32_t* x, int32_t* y);
// One frame: the typed line into work and trail (scale 2), then, unless the line
// is done, the flying letter into work and one step of its flight.
void TypewriterFrame(Typewriter* t, LFONT* font, IMG* work, IMG* trail, const char* words, int32_t width,
                     int32_t height);
// Moves to the start of the next line (after the last, the first) and places it.
void TypewriterNextLine(Typewriter* t, const char* words, int32_t width, int32_t height);

// The typewriter of the show's transitions, and the list it types (the
// embedded word list).
extern Typewriter typewriter;
extern const char* typewriterWords;

#endif
