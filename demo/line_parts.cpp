// The helix, sine-line and kaleidoscope parts. Their drawing joins with the
// line effects; until then each runs its frames over black.
#include "vorndemo.h"

void DemoHelix(void) {
  DemoFadeOut();
  for (int32_t i = 0; i < 1000; ++i) {
    DemoFinishFrameBounce();
    if (DemoTakeNext()) return;
  }
}

void DemoSineLine(void) {
  DemoFadeOut();
  DemoFrames(500, nullptr);
}

void DemoKaleidoscope(void) {
  DemoFadeOut();
  DemoFrames(500, nullptr);
}
