// The frames of the kaleidoscope (seven lines of 256 points, each mirrored
// eight ways), the helix part (seven strands, back and front passes) and the
// sine-line part, as the show draws them into the 256 x 256 work image;
// each alone and followed by the real frame tail (present chain with glare
// and blur onto SDL's dummy video surface, trails or clear, keys) with a
// clock that never sleeps.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "demo_hue.h"
#include "fps.h"
#include "helix.h"
#include "img.h"
#include "line_parts.h"
#include "list.h"
#include "sdldpy.h"
#include "sdlkbd.h"
#include "sineline.h"
#include "vorndemo.h"

namespace {

uint32_t fakeNow = 0;
uint32_t FakeClock() { return fakeNow += 40000; }
void NoSleep(uint32_t) {}

void ShowOnce() {
  if (workImage) return;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  FPSSetClock(FakeClock, NoSleep);
  display = SDLDPYNew();
  SDLDPYSetMode(display, 256, 256);
  keyboard = SDLKBDNew();
  workImage = IMGNew();
  IMGResize(workImage, 256, 256);
  glareImage = IMGCopy(workImage);
  blurImage = IMGCopy(workImage);
  hueWheel = DemoHueWheelNew();
  srand(273880913);
}

// Kaleidoscope lines until there are seven (the largest count the part makes).
void SevenKaleidoscopeLines() {
  DemoKaleidoscopeSetup();
  while (kaleidoscopeLines->count < 7) {
    LISTPush(kaleidoscopeLines, SINELINENew());
    DemoKaleidoscopeSetup();
  }
}

// Strands until there are seven: the set-up makes five to seven.
void SevenStrands(uint8_t vertical) {
  do {
    DemoHelixCleanup();
    DemoHelixSetup();
  } while (helixStrands->count < 7);
  helixVertical = vertical;
}

void Kaleidoscope(benchmark::State& state) {
  ShowOnce();
  SevenKaleidoscopeLines();
  const bool tail = state.range(0);
  for (auto _ : state) {
    DemoKaleidoscopeFrame();
    if (tail) DemoFinishFrame();
    benchmark::ClobberMemory();
  }
  state.SetLabel(tail ? "with frame tail" : "drawing only");
}
BENCHMARK(Kaleidoscope)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void Helix(benchmark::State& state) {
  ShowOnce();
  SevenStrands(uint8_t(state.range(0)));
  const bool tail = state.range(1);
  for (auto _ : state) {
    DemoHelixFrame();
    if (tail) DemoFinishFrameBounce();
    benchmark::ClobberMemory();
  }
  DemoHelixCleanup();
  state.SetLabel(std::string(state.range(0) ? "vertical" : "horizontal") + (tail ? ", with frame tail" : ", drawing only"));
}
BENCHMARK(Helix)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMicrosecond);

void SineLine(benchmark::State& state) {
  ShowOnce();
  DemoSineLineSetup();
  const bool tail = state.range(0);
  for (auto _ : state) {
    DemoSineLineFrame();
    if (tail) DemoFinishFrame();
    benchmark::ClobberMemory();
  }
  DemoSineLineCleanup();
  state.SetLabel(tail ? "with frame tail" : "drawing only");
}
BENCHMARK(SineLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The tail alone, for reading the figures above.
void FrameTail(benchmark::State& state) {
  ShowOnce();
  blurOn = glareOn = 1;
  for (auto _ : state) {
    DemoFinishFrame();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(FrameTail)->Unit(benchmark::kMicrosecond);

}  // namespace
