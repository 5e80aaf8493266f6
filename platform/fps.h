// FPS: the frame clock. Once per frame FPSUpdate counts the frame, measures
// how long the last one took and keeps a frames-per-second figure over whole
// seconds; FPSDelay then sleeps just long enough to hold targetFps, through an
// integrating controller over the sleep time. A frame that measures longer
// than one second is a pause (a suspend, a stopped process): it closes the
// second and the controller starts again from no credit.
#ifndef VORN_PLATFORM_FPS_H
#define VORN_PLATFORM_FPS_H

#include <cstdint>

// Identification strings: name, date, author, language, kind.
extern const char* const FPSIdent[5];

extern int32_t frameCounter;  // frames since start: the animation clock of every part
extern int32_t targetFps;     // 25 or 50; a value <= 0 is taken as 1
extern int32_t framePeriod;   // 1000000 / targetFps microseconds
extern int32_t frameTime;     // duration of the last frame, sleep included, in microseconds
                              // (INT32_MAX for a pause of 2^31 microseconds or more)
extern int32_t measuredFps;   // frames counted in the last whole second; 0 in the first
extern int32_t delayCredit;   // sleep credit in microseconds, 0 to framePeriod after FPSDelay

// Counts the frame and measures it; call once per frame before FPSDelay. Returns measuredFps.
int32_t FPSUpdate(void);
// Sleeps delayCredit / 1000 milliseconds after adjusting the credit by this frame's time.
void FPSDelay(void);
// The current time stamp: milliseconds since SDL started times 1000, wrapping at 2^32.
uint32_t FPSMicroseconds(void);

// Waits while nothing is paced (the helix part's pause), through the same
// replaceable sleep as FPSDelay, so a simulated clock sees the wait.
void FPSIdle(uint32_t milliseconds);

// Replaces the time source and the sleep (for tests and headless capture);
// null restores SDL's tick count and SDL_Delay.
void FPSSetClock(uint32_t (*microseconds)(void), void (*delayMilliseconds)(uint32_t));
// Returns every counter and the credit to its start value (targetFps to 25).
void FPSReset(void);

#endif
