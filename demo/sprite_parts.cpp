// The two sprite benchmark parts. Their sprites join with the bitmap font
// and the sprite sheets; until then each runs its frames over black.
#include "vorndemo.h"

void DemoSwarm(void) {
  DemoFadeOut();
  DemoFrames(750, nullptr);
}

void DemoRain(void) {
  DemoFadeOut();
  DemoFrames(750, nullptr);
}
