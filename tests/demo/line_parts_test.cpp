// The helix pause with keys from another thread and the lists the line parts release or keep, on the
// headless show.
#include "line_parts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "fps.h"
#include "headless_show.h"
#include "list.h"
#include "sineline.h"

namespace {

// Waits (up to 20 s) until done() holds.
template <typename Done>
bool WaitFor(Done done) {
  for (int i = 0; i < 20000; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(1)))
    if (done()) return true;
  return false;
}

// Waits until the show's thread has taken every queued event.
bool Drained() {
  SDL_Event event;
  return WaitFor([&] { return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0; });
}

// Waits until the pause loop has taken every queued event and handled the key. An empty queue alone
// is not enough: the poll that emptied it may still be running, and a key-up pushed then would be
// read in the same poll and clear the key before it is handled. The loop waits only after handling
// its key, so a new wait tells that the key has acted.
bool Handled() {
  if (!Drained()) return false;
  const int32_t waits = fakeclock::slept;  // read once the queue is empty
  return WaitFor([&] { return fakeclock::slept != waits; });
}

// With pause already on, the part stops after its first frame; keys still act while it waits, a
// Space is kept for the part to see once p resumes it: one more frame, the end, the strands freed.
TEST_F(HeadlessShow, HelixPartPausedFromItsStartDrawsOneFrameThenWaits) {
  fakeclock::realSleep = true;  // so the key thread's events are not starved by a busy poll
  pauseOn = 1;
  bool drained = true;
  std::thread keys([&] {
    // Two ignored keys taken one after the other: the second can only have
    // been taken by the pause loop, as the first frame's tail polls once.
    for (int i = 0; i < 2; ++i) {
      PushKey(SDL_KEYDOWN, SDLK_x);
      drained &= Drained();
      PushKey(SDL_KEYUP, SDLK_x);
      drained &= Drained();
    }
    PushKey(SDL_KEYDOWN, SDLK_SPACE);
    drained &= Handled();
    PushKey(SDL_KEYUP, SDLK_SPACE);
    PushKey(SDL_KEYDOWN, SDLK_p);
    drained &= Drained();
    PushKey(SDL_KEYUP, SDLK_p);
  });
  DemoHelix();
  keys.join();
  EXPECT_TRUE(drained);
  // Unpaused, each ignored key and the Space would have fallen in frames of their own.
  EXPECT_EQ(frameCounter, 2);
  EXPECT_EQ(pauseOn, 0);
  EXPECT_EQ(helixStrands->count, 0);
  EXPECT_EQ(controlFlags, 0);
}

TEST_F(HeadlessShow, SineLinePartReleasesItsLineAndTheKaleidoscopeKeepsItsLines) {
  controlFlags = CONTROL_NEXT;
  DemoSineLine();
  EXPECT_EQ(sineLines, nullptr);  // each start makes a new list: one kept would leak at the next
  DemoKaleidoscopeSetup();
  LIST* list = kaleidoscopeLines;
  const int32_t count = list->count;
  ASSERT_TRUE(count >= 5 && count <= 7) << count;
  SINELINE* first = static_cast<SINELINE*>(LISTGet(list, 0));
  const int32_t phase = first->x[0].phase, advance = first->y[1].advance;
  DemoKaleidoscopeSetup();  // the next start randomises the same lines again
  EXPECT_EQ(kaleidoscopeLines, list);
  EXPECT_EQ(LISTGet(list, 0), first);
  EXPECT_TRUE(first->x[0].phase != phase || first->y[1].advance != advance);
}

}  // namespace
