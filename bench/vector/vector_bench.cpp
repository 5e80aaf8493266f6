// The per-frame costs of the vector graphics in the show: a typewriter frame
// (the line, eight scaled copies of the flying letter and the 3 x 3 bloom
// feedback) and 512 characters of line-font text.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "content.h"
#include "img.h"
#include "imgfx.h"
#include "lfont.h"
#include "typewriter.h"

namespace {

struct Screen {
  IMG* work = IMGNew();
  IMG* trail = IMGNew();
  Screen() {
    IMGResize(work, 256, 256);
    IMGResize(trail, 256, 256);
  }
  ~Screen() {
    IMGFree(&work);
    IMGFree(&trail);
  }
};

LFONT* NewFont(const unsigned char* text, int32_t cell, bool centred) {
  return ContentNewLineFont(text, cell, centred, nullptr);
}

// Fly step as argument: 40 is the largest letter, 2 the smallest.
void TypewriterFrameWithBloom(benchmark::State& state) {
  Screen screen;
  LFONT* font = NewFont(lineFont8x8, 8, true);
  const char* words = "SYNTHESIS\n";
  Typewriter t;
  TypewriterReset(&t);
  strcpy(t.line, "SYNTHE");
  t.typed = 6;
  t.position = 6;
  t.lineX = 64;
  for (auto _ : state) {
    t.flyStep = int32_t(state.range(0));
    IMGFXBlur3x3(screen.trail, screen.work);
    IMGCopyTo(screen.work, screen.trail);
    TypewriterFrame(&t, font, screen.work, screen.trail, words, 256, 256);
    benchmark::DoNotOptimize(screen.work->pixels);
  }
  LFONTFree(&font);
}
BENCHMARK(TypewriterFrameWithBloom)->Arg(40)->Arg(20)->Arg(2)->Unit(benchmark::kMicrosecond);

// The letters alone, without the bloom: what the line font adds to a frame.
void TypewriterFlyingLetter(benchmark::State& state) {
  Screen screen;
  LFONT* font = NewFont(lineFont8x8, 8, true);
  Typewriter t;
  TypewriterReset(&t);
  for (auto _ : state) {
    t.flyStep = 40;
    TypewriterFrame(&t, font, screen.work, screen.trail, "W\n", 256, 256);
    benchmark::DoNotOptimize(screen.work->pixels);
  }
  LFONTFree(&font);
}
BENCHMARK(TypewriterFlyingLetter)->Unit(benchmark::kMicrosecond);

// 512 characters as 32 lines of 16, wire font, at the angle given.
void DrawString512(benchmark::State& state) {
  Screen screen;
  LFONT* font = NewFont(wireFont16x16, 16, false);
  font->target = screen.work;
  font->angle = int32_t(state.range(0));
  std::string line;
  for (int i = 0; i < 16; ++i) line += char('A' + (i * 7) % 26);
  for (auto _ : state) {
    for (int32_t row = 0; row < 32; ++row) {
      font->pen->x = 0;
      font->pen->y = (row * 8) & 255;
      LFONTDrawString(font, line.c_str());
    }
    benchmark::DoNotOptimize(screen.work->pixels);
  }
  state.SetItemsProcessed(state.iterations() * 512);
  LFONTFree(&font);
}
BENCHMARK(DrawString512)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
