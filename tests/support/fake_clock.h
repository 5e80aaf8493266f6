// The frame clock for tests (through FPSSetClock): time moves only when a
// reading's step, a sleep or the test itself moves it; sleeps are recorded.
#ifndef VORN_TESTS_SUPPORT_FAKE_CLOCK_H
#define VORN_TESTS_SUPPORT_FAKE_CLOCK_H

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "fps.h"

namespace fakeclock {

inline uint32_t now = 0;               // microseconds; wraps at 2^32 as the real time stamp does
inline uint32_t step = 0;              // added at every reading: the drawing time of a frame
inline void (*onReading)() = nullptr;  // called at every reading, before the step
inline bool realSleep = false;         // sleeps also wait for real, so that other threads run
inline std::vector<uint32_t> sleeps;   // every sleep, in milliseconds
inline std::atomic<int32_t> slept{0};  // their count, safe to watch from another thread

inline uint32_t Read() {
  if (onReading) onReading();
  return now += step;
}

inline void Sleep(uint32_t milliseconds) {
  sleeps.push_back(milliseconds);
  now += milliseconds * 1000u;
  if (realSleep) SDL_Delay(milliseconds);
  ++slept;  // last: whatever the sleeper did before its sleep is done
}

// Starts the frame clock afresh (FPSReset) on this clock at time 0.
inline void Install(uint32_t frameStep) {
  now = 0, step = frameStep, onReading = nullptr, realSleep = false;
  sleeps.clear();
  FPSReset();
  FPSSetClock(Read, Sleep);
}

}  // namespace fakeclock

#endif
