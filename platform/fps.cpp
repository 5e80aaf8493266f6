// FPS: frame counting and pacing.
#include "fps.h"

#include <SDL.h>

#include <cstdint>

const char* const FPSIdent[5] = {"FPS     ", "20101122", "ZEKTORIN", "C", "CODE"};

int32_t frameCounter = 0;
int32_t targetFps = 25;
int32_t framePeriod = 0;
int32_t frameTime = 0;
int32_t measuredFps = 0;
int32_t delayCredit = 0;

namespace {

// A frame that measures longer than this (or, taken as a signed difference,
// negative) was not drawn in that time: the machine was suspended, the process
// stopped or held in a debugger. It is a pause, not a frame to pay back.
constexpr uint32_t kPauseMicroseconds = 1000000;

uint32_t previous = 0;
int32_t secondAccumulator = 0;
int32_t secondFrames = 0;

uint32_t SDLMicroseconds() { return uint32_t(SDL_GetTicks() * 1000u); }
void SDLSleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }

uint32_t (*clockSource)() = SDLMicroseconds;
void (*sleeper)(uint32_t) = SDLSleep;

}  // namespace

uint32_t FPSMicroseconds(void) { return clockSource(); }

int32_t FPSUpdate(void) {
  ++frameCounter;
  if (targetFps <= 0) targetFps = 1;
  framePeriod = 1000000 / targetFps;
  uint32_t now = FPSMicroseconds();
  // Modulo 2^32, so a frame across the wrap of the time stamp measures right.
  const uint32_t elapsed = now - previous;
  previous = now;
  // A pause of 2^31 us or more would be negative as a signed difference: it
  // is held at the largest value instead, which FPSDelay also takes as a pause.
  frameTime = elapsed > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(elapsed);
  // A pause closes the second at once, as any frame past the second does, and
  // the accumulator never holds more than two seconds.
  if (elapsed > kPauseMicroseconds)
    secondAccumulator = int32_t(kPauseMicroseconds);
  else
    secondAccumulator += frameTime;
  if (secondAccumulator > 999999) {
    measuredFps = secondFrames;
    secondFrames = 0;
    secondAccumulator = 0;
  }
  ++secondFrames;
  return measuredFps;
}

void FPSDelay(void) {
  if (frameTime < 0 || frameTime > int32_t(kPauseMicroseconds)) {
    delayCredit = 0;  // after a pause the controller starts afresh
    return;
  }
  if (frameTime > framePeriod) {
    delayCredit -= frameTime - framePeriod;
    if (delayCredit <= 0) delayCredit = 0;
  } else {
    delayCredit += framePeriod - frameTime;
    // Frames that measure less than their period over and over (a clock that
    // stands still) would grow the credit without end: no sleep is longer
    // than one period. A steady show settles below it, at the period less
    // the drawing time, so this never acts there.
    if (delayCredit > framePeriod) delayCredit = framePeriod;
  }
  if (delayCredit > 0) sleeper(uint32_t(delayCredit / 1000));
}

void FPSIdle(uint32_t milliseconds) { sleeper(milliseconds); }

void FPSSetClock(uint32_t (*microseconds)(void), void (*delayMilliseconds)(uint32_t)) {
  clockSource = microseconds ? microseconds : SDLMicroseconds;
  sleeper = delayMilliseconds ? delayMilliseconds : SDLSleep;
}

void FPSReset(void) {
  frameCounter = 0;
  targetFps = 25;
  framePeriod = frameTime = measuredFps = delayCredit = 0;
  previous = 0;
  secondAccumulator = secondFrames = 0;
}
