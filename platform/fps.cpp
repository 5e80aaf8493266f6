// FPS: frame counting and pacing.
#include "fps.h"

#include <SDL.h>

const char* const FPSIdent[5] = {"FPS     ", "20101122", "ZEKTORIN", "C", "CODE"};

int32_t frameCounter = 0;
int32_t targetFps = 25;
int32_t framePeriod = 0;
int32_t frameTime = 0;
int32_t measuredFps = 0;
int32_t delayCredit = 0;

namespace {

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
  frameTime = int32_t(now - previous);
  previous = now;
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
  if (frameTime > framePeriod) {
    delayCredit -= frameTime - framePeriod;
    if (delayCredit <= 0) delayCredit = 0;
  } else {
    delayCredit += framePeriod - frameTime;
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
