// The helix, sine-line and kaleidoscope parts: procedural line effects drawn
// into workImage, their look finished by the present chain's glare, blur and
// trails.
#include "line_parts.h"

#include <SDL.h>

#include <cstdlib>

#include "fps.h"
#include "build_platform.h"
#include "helix.h"
#include "img.h"
#include "list.h"
#include "music.h"
#include "rgb888.h"
#include "sample.h"
#include "sdlkbd.h"
#include "sineline.h"
#include "vorndemo.h"

LIST* helixStrands = nullptr;
uint8_t helixVertical = 0;
LIST* sineLines = nullptr;
LIST* kaleidoscopeLines = nullptr;

namespace {

constexpr int32_t kHelixFrames = 1000;
constexpr int32_t kSineLineFrames = 500;
constexpr int32_t kKaleidoscopeFrames = 500;
constexpr int32_t kHues = 1536;
constexpr int32_t kKaleidoscopePeriod = 256;

// random() where the platform has it (it shares rand()'s generator), rand() elsewhere.
int32_t DemoRandom() { return PlatformRandom(); }

HELIX* Strand(int32_t index) { return static_cast<HELIX*>(LISTGet(helixStrands, index)); }

int32_t StrandCount() { return helixStrands ? helixStrands->count : 0; }

SINELINE* Line(LIST* list, int32_t index) { return static_cast<SINELINE*>(LISTGet(list, index)); }

}  // namespace

void DemoHelixSetup(void) {
  if (!helixStrands) helixStrands = LISTNew();
  const int32_t k = rand() % 3 + 4;
  for (int32_t n = k; n >= 0; --n) {
    HELIX* helix = HELIXNew();
    if (!helix) continue;
    helix->step = n + 2;
    helix->amplitude = 128 - 24 * n;
    helix->speed = -helix->speed - 4;
    helix->offset = 64 - 10 * n;
    if (helixStrands)
      LISTPush(helixStrands, helix);
    else
      HELIXFree(&helix);
  }
  helixVertical = uint8_t(rand() & 1);
  fadeColour = uint32_t(rand() & 0x1F) * 0x010101u + 0x404040u;
  blurOn = 1;
  glareOn = 1;
  fadeOn = 0;
}

void DemoHelixFrame(void) {
  const int32_t count = StrandCount();
  for (int32_t i = count - 1; i >= 0; --i)
    (helixVertical ? HELIXDrawRibbonVBack : HELIXDrawRibbonHBack)(Strand(i), workImage);
  for (int32_t i = 0; i < count; ++i) {
    (helixVertical ? HELIXDrawRibbonVFront : HELIXDrawRibbonHFront)(Strand(i), workImage);
    HELIXStep(Strand(i));
  }
}

void DemoHelixPause(void) {
  if (!keyboard) return;  // nothing could ever resume it
  while (pauseOn) {
    SDLKBDGetKey(keyboard);
    DemoHandleKey(keyboard->keys[0]);
    keyboard->keys[0] = 0;
    DemoStopOnSignal();
    if (pauseOn) FPSIdle(1);  // keeps polling without holding a core
  }
}

void DemoHelixCleanup(void) {
  while (StrandCount() > 0) {
    HELIX* helix = static_cast<HELIX*>(LISTPop(helixStrands));
    if (helix) HELIXFree(&helix);
  }
}

void DemoHelix(void) {
  DemoHelixSetup();
  DemoFadeOut();
  for (int32_t i = 0; i < kHelixFrames; ++i) {
    DemoHelixFrame();
    DemoFinishFrameBounce();
    if (DemoTakeNext()) break;
    DemoHelixPause();
  }
  DemoHelixCleanup();
}

void DemoSineLineSetup(void) {
  sineLines = LISTNew();
  DemoRandom();  // one value drawn and discarded
  SINELINE* line = SINELINENew();
  if (line && sineLines)
    LISTPush(sineLines, line);
  else if (line)
    SINELINEFree(&line);
  if (line) {
    SINELINESetCount(line, screenWidth);
    SINELINERandomize(line);
    line->color = RGB888AddGrey(uint32_t(SAMPLEGet(hueWheel, DemoRandom() % kHues)), 128);
  }
  fadeColour = uint32_t(rand() & 7) * 0x010101u + 0x010101u;
  blurOn = 1;
  glareOn = 1;
  fadeOn = 0;
}

void DemoSineLineFrame(void) {
  SINELINE* line = Line(sineLines, 0);
  if (!line) return;
  SINELINEUpdate(line);
  const uint32_t colour = line->color;
  line->color = RGB888Sub(colour, 0x808080);
  SINELINEDrawGraphY(line, workImage, 1);
  line->color = RGB888Sub(colour, 0x808080);
  SINELINEDrawGraphX(line, workImage, 1);
  line->color = colour;
  SINELINEDraw(line, workImage);
}

void DemoSineLineCleanup(void) {
  SINELINE* line = Line(sineLines, 0);
  if (line) SINELINEFree(&line);
  if (sineLines) LISTFree(&sineLines);
  blurOn = 0;
  glareOn = 0;
}

void DemoSineLine(void) {
  DemoSineLineSetup();
  DemoFadeOut();
  DemoFrames(kSineLineFrames, DemoSineLineFrame);
  DemoSineLineCleanup();
}

void DemoKaleidoscopeSetup(void) {
  if (!kaleidoscopeLines) {
    kaleidoscopeLines = LISTNew();
    const int32_t lines = (rand() % 3 + 4) + 1;
    for (int32_t i = 0; i < lines && kaleidoscopeLines; ++i) {
      SINELINE* line = SINELINENew();
      if (line) LISTPush(kaleidoscopeLines, line);
    }
  }
  const int32_t count = kaleidoscopeLines ? kaleidoscopeLines->count : 0;
  for (int32_t index = count - 1; index >= 0; --index) {
    SINELINE* line = Line(kaleidoscopeLines, index);
    SINELINESetCount(line, screenWidth);
    SINELINERandomize(line);
    const int32_t steps[3][2] = {{2, 3}, {3, 4}, {4, 5}};
    for (int k = 0; k < 3; ++k) {
      line->x[k].step = steps[k][0];
      line->y[k].step = steps[k][1];
    }
    line->width = screenWidth;
    line->height = screenHeight;
    line->color = uint32_t(SAMPLEGet(hueWheel, (index * kHues / count) % kHues));
  }
  fadeColour = 0x101010;
  blurOn = 1;
  glareOn = 1;
  fadeOn = 1;
  if (music) music->period = kKaleidoscopePeriod;
}

void DemoKaleidoscopeFrame(void) {
  const int32_t count = kaleidoscopeLines ? kaleidoscopeLines->count : 0;
  for (int32_t index = count - 1; index >= 0; --index) {
    SINELINE* line = Line(kaleidoscopeLines, index);
    SINELINEUpdate(line);
    SINELINEDrawMirror8(line, workImage);
  }
}

void DemoKaleidoscope(void) {
  DemoKaleidoscopeSetup();
  DemoFadeOut();
  DemoFrames(kKaleidoscopeFrames, DemoKaleidoscopeFrame);
}
