// The two line fonts of the show, the logo letters of every frame and the
// frame-rate readout. The logo is the group word drawn with the wire font,
// each letter in its own colour from the hue wheel and with its own wobble.
#include "letters.h"

#include <cstdint>

#include "content.h"
#include "fps.h"
#include "lfont.h"
#include "sample.h"
#include "sine.h"
#include "vorndemo.h"

namespace {

constexpr char kLogo[4] = {'V', 'O', 'R', 'N'};
constexpr int32_t kHueOffset[4] = {192, 128, 64, 0};
constexpr int32_t kHueWheelSize = 1536;

// The wire font at scale 1, angle 0, drawing into the work image.
void PrepareWireFont() {
  wireFont->scale->x = wireFont->scale->y = 1;
  wireFont->angle = 0;
  wireFont->target = workImage;
}

void DrawLogoLetter(int k, int32_t x, int32_t y) {
  uint32_t f = uint32_t(frameCounter);
  LFONTSetColor(wireFont, uint32_t(SAMPLEGet(hueWheel, int32_t((f + uint32_t(kHueOffset[k])) % kHueWheelSize))));
  wireFont->pen->x = x;
  wireFont->pen->y = y;
  wireFont->code = kLogo[k];
  LFONTDrawChar(wireFont);
}

// Sine table entry of an angle that may have wrapped.
int32_t Sine(uint32_t angle, uint32_t mask) { return SineTable[angle & mask]; }

}  // namespace

void DemoLineFontsSetup(void) {
  smallFont = ContentNewLineFont(lineFont8x8, 8, true, workImage);
  wireFont = ContentNewLineFont(wireFont16x16, 16, false, workImage);
  if (!smallFont || !wireFont) VORNDEMOError();
}

void DemoFrameRateReadout(void) {
  if (!wireFont) return;
  PrepareWireFont();
  wireFont->pen->x = 0;
  wireFont->pen->y = 0;
  LFONTDrawHex8(wireFont, uint32_t(measuredFps) & 255);
  wireFont->pen->x = 0;
  wireFont->pen->y = 16;
  LFONTDrawHex32(wireFont, uint32_t(frameCounter));
}

void DemoLetters(void) {
  if (!wireFont) return;
  constexpr int32_t kLeft[4] = {72, 56, 40, 24};
  constexpr uint32_t kPhaseX[4] = {500, 450, 400, 350};
  constexpr uint32_t kPhaseY[4] = {800, 600, 400, 200};
  PrepareWireFont();
  uint32_t f = uint32_t(frameCounter);
  for (int k = 0; k < 4; ++k) {
    int32_t x = screenWidth - kLeft[k] + (Sine(23 * f + kPhaseX[k], 1023) >> 12);
    int32_t y = screenHeight - 24 + (Sine(17 * f + kPhaseY[k], 1023) >> 12);
    DrawLogoLetter(k, x, y);
  }
}

void DemoLettersBounce(void) {
  if (!wireFont) return;
  constexpr int32_t kLeft[4] = {64, 48, 32, 16};
  constexpr uint32_t kPhase[4] = {96, 64, 32, 0};
  PrepareWireFont();
  uint32_t f = uint32_t(frameCounter);
  for (int k = 0; k < 4; ++k) {
    // Only the rising half of the table: the letters jump up from their baseline.
    int32_t y = screenHeight - 16 - (Sine(17 * f + kPhase[k], 511) >> 10);
    DrawLogoLetter(k, screenWidth - kLeft[k], y);
  }
}
