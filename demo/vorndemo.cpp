// VORNDEMO: start-up, the endless cycle, the frame tail and the key commands.
#include "vorndemo.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "demo_hue.h"
#include "demo_music.h"
#include "fps.h"
#include "letters.h"
#include "line_parts.h"
#include "sheets.h"
#include "sprite_parts.h"
#include "transition.h"
#include "img.h"
#include "imgfx.h"
#include "sdldpy.h"
#include "sdlkbd.h"
#include "sdlsnd.h"

const char* const VORNDEMOIdent[5] = {"VORNDEMO", "20121123", "ZEKTORIN", "C", "PROGRAM"};
uint8_t VORNDEMODebug = 0;

void VORNDEMOError(void) {
  if (VORNDEMODebug) puts("VORNDEMO Error.");
}

int32_t screenWidth = 256;
int32_t screenHeight = 256;

SDLDPY* display = nullptr;
SDLKBD* keyboard = nullptr;
SDLSND* audio = nullptr;
MUSIC* music = nullptr;
IMG* workImage = nullptr;
IMG* glareImage = nullptr;
IMG* blurImage = nullptr;
IMG* trailImage = nullptr;
FONT* bitmapFont = nullptr;
FONT* tileSheet = nullptr;
FONT* ballSourceSheet = nullptr;
FONT* ballSheet = nullptr;
FONT* rainSheet = nullptr;
LFONT* smallFont = nullptr;
LFONT* wireFont = nullptr;
SAMPLE* hueWheel = nullptr;

uint8_t controlFlags = 0;
uint8_t fadeOn = 1;
uint8_t blurOn = 0;
uint8_t glareOn = 0;
uint8_t statsOn = 1;
uint8_t fpsShown = 0;
uint8_t pauseOn = 0;
uint32_t fadeColour = 0x010101;

namespace {

IMG* NewScreenImage(int32_t width, int32_t height) {
  IMG* image = IMGNew();
  IMGResize(image, width, height);
  return image;
}

// Without an X display and without a chosen driver, SDL would fall back to
// drawing into the terminal: say why the window cannot open instead. (A web
// page always has its canvas.)
void RequireDisplay() {
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
  if (getenv("SDL_VIDEODRIVER") || getenv("DISPLAY")) return;
  fprintf(stderr, "vorndemo: no display to open the window on (set DISPLAY, or SDL_VIDEODRIVER=dummy to run headless)\n");
  exit(1);
#endif
}

// The show cannot be seen without its window and could not be ended without
// its keyboard: say so once instead of running on invisibly.
void RequireWindow() {
  if (SDL_GetVideoSurface()) return;
  fprintf(stderr, "vorndemo: cannot open the 256 x 256 window: %s\n", SDL_GetError());
  exit(1);
}

// The stop signal that arrived (SIGINT or SIGTERM); 0 while none has.
volatile sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal) { stopSignal = signal; }

void DemoPace() {
  FPSUpdate();
  FPSDelay();
  if (fpsShown & 1) DemoFrameRateReadout();
}

// The present chain: optional glare, optional blur, show, then fade or clear.
void DemoEffects() {
  if (glareOn)
    IMGFXGlow5H(workImage, glareImage, 3);
  else
    IMGCopyTo(workImage, glareImage);
  if (blurOn)
    IMGFXBlur5H(glareImage, blurImage);
  else
    IMGCopyTo(glareImage, blurImage);
  SDLDPYShow(display, (blurOn || glareOn) ? blurImage : workImage);
  if (fadeOn)
    IMGSubColour(workImage, fadeColour);
  else
    IMGClear(workImage);
}

void FinishFrame(void (*letters)(void)) {
  DemoPace();
  letters();
  DemoEffects();
  DemoMusicTick(music, audio);
  SDLKBDGetKey(keyboard);
  DemoHandleKey(keyboard->keys[0]);
  keyboard->keys[0] = 0;
  DemoStopOnSignal();
}

}  // namespace

void DemoCatchStopSignals(void) {
  static const int kSignals[2] = {SIGINT, SIGTERM};
  static bool ignored[2];
  static bool checked = false;
  for (int i = 0; i < 2; ++i) {
    // The first call finds out what the process was started with; setting
    // SIG_IGN for that moment keeps a signal ignored that is meant to be.
    if (!checked) ignored[i] = signal(kSignals[i], SIG_IGN) == SIG_IGN;
    if (!ignored[i]) signal(kSignals[i], OnStopSignal);
  }
  checked = true;
}

void DemoStopOnSignal(void) {
  const int caught = stopSignal;
  if (!caught) return;
  SDL_Quit();  // closes the window and the audio device, and gives a full-screen mode back
  signal(caught, SIG_DFL);
  raise(caught);
  exit(128 + caught);  // only where raising it did not end the process
}

void DemoInit(void) {
  RequireDisplay();
  display = SDLDPYNew();
  RequireWindow();
  keyboard = SDLKBDNew();
  audio = SDLSNDNew();  // null without an audio device: the show runs silent
  SDLDPYSetMode(display, screenWidth, screenHeight);
  workImage = NewScreenImage(display->width, display->height);
  glareImage = NewScreenImage(screenWidth, screenHeight);
  blurImage = NewScreenImage(screenWidth, screenHeight);
  srand(273880913);
  DemoSheetsSetup();
  DemoLineFontsSetup();
  music = DemoMusicSetup();
  targetFps = 25;
  hueWheel = DemoHueWheelNew();
}

void DemoFinishFrame(void) { FinishFrame(DemoLetters); }

void DemoFinishFrameBounce(void) { FinishFrame(DemoLettersBounce); }

void DemoFadeOut(void) {
  for (int i = 0; i < 32; ++i) {
    IMGSubColour(workImage, 0x808080);
    SDLDPYShow(display, workImage);
  }
}

void DemoHandleKey(uint8_t key) {
  switch (key) {
    case 27:
    case 'q':
    case 'Q':
      controlFlags |= CONTROL_EXIT;
      DemoFadeOut();
      SDL_Quit();
      exit(0);
    case ' ': controlFlags |= CONTROL_NEXT; break;
    case '5': targetFps = 25; break;
    case '6': targetFps = 50; break;
    case '8': fpsShown ^= 1; break;
    case 'b': blurOn ^= 1; break;
    case 'g': glareOn ^= 1; break;
    case 'm': fadeOn ^= 1; break;
    case 'p': pauseOn ^= 1; break;
    case 's': statsOn ^= 1; break;
    default: break;
  }
}

bool DemoTakeNext(void) {
  if (!(controlFlags & CONTROL_NEXT)) return false;
  controlFlags &= uint8_t(~CONTROL_NEXT);
  return true;
}

void DemoFrames(int32_t frames, void (*draw)(void)) {
  for (int32_t i = 0; i < frames; ++i) {
    if (draw) draw();
    DemoFinishFrame();
    if (DemoTakeNext()) return;
  }
}

const DemoStep demoCycleSteps[DEMO_CYCLE_STEPS] = {
    {"transition", DemoTransition}, {"swarm", DemoSwarm},
    {"transition", DemoTransition}, {"helix", DemoHelix},
    {"transition", DemoTransition}, {"sineline", DemoSineLine},
    {"transition", DemoTransition}, {"rain", DemoRain},
    {"transition", DemoTransition}, {"kaleidoscope", DemoKaleidoscope}};
int32_t demoCycle = 0;
const char* demoPart = "";

void DemoRun(void) {
  for (demoCycle = 1;; ++demoCycle) {
    for (const DemoStep& step : demoCycleSteps) {
      demoPart = step.name;
      step.run();
    }
  }
}
