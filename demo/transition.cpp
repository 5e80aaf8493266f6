// The typewriter transition before every part: typing phase, bloom phase,
// then the next line of the word list is made ready for the next transition.
#include "transition.h"

#include "img.h"
#include "imgfx.h"
#include "music.h"
#include "typewriter.h"
#include "vorndemo.h"

namespace {

// Linux: a counter from 1000 down to 0, Windows from 1500.
constexpr int32_t kTypingFrames = kWindowsBuild ? 1501 : 1001;
// Linux: from 50 down to 0, Windows from 75.
constexpr int32_t kBloomFrames = kWindowsBuild ? 76 : 51;

void DrawTypewriterFrame() {
  TypewriterFrame(&typewriter, smallFont, workImage, trailImage, typewriterWords, screenWidth, screenHeight);
}

}  // namespace

void DemoTransition(void) {
  fadeColour = 0x101010;
  if (music) music->period = 32;
  if (!trailImage) {
    trailImage = IMGNew();
    IMGResize(trailImage, screenWidth, screenHeight);
  }
  blurOn = glareOn = fadeOn = 1;
  DemoFadeOut();

  for (int32_t frame = 0; frame < kTypingFrames; ++frame) {
    DrawTypewriterFrame();
    if (TypewriterLineDone(&typewriter, typewriterWords)) break;  // this frame is not shown
    DemoFinishFrame();
    if (DemoTakeNext()) break;
  }
  for (int32_t frame = 0; frame < kBloomFrames; ++frame) {
    IMGFXBlur3x3(trailImage, workImage);
    IMGCopyTo(workImage, trailImage);
    DrawTypewriterFrame();
    DemoFinishFrame();
    if (DemoTakeNext()) break;
  }
  TypewriterNextLine(&typewriter, typewriterWords, screenWidth, screenHeight);

  IMGClear(trailImage);
  blurOn = glareOn = fadeOn = 0;
}
