// Our imaging operations: the keyed sprite cell, the present chain, the
// filters against their plain per-pixel paths, lines.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_images.h"
#include "imgfx.h"

namespace {

using namespace benchimage;

constexpr size_t kPlaces = 1024;

void KeyedCell(benchmark::State& state, bool clipped) {
  IMG* cell = Cell();
  IMG* target = Sized(256, 256);
  std::vector<Point> places = CellPlaces(clipped, kPlaces);
  size_t i = 0;
  for (auto _ : state) {
    const Point& p = places[i++ & (kPlaces - 1)];
    IMGBlitKeyed(cell, target, 0, 0, p.x, p.y, 16, 16);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  IMGFree(&cell);
  IMGFree(&target);
}
BENCHMARK_CAPTURE(KeyedCell, unclipped, false);
BENCHMARK_CAPTURE(KeyedCell, clipped, true);

// The memory bound of one cell: its 16 rows copied with memcpy.
void MemcpyCell(benchmark::State& state) {
  IMG* cell = Cell();
  IMG* target = Sized(256, 256);
  std::vector<Point> places = CellPlaces(false, kPlaces);
  size_t i = 0;
  for (auto _ : state) {
    const Point& p = places[i++ & (kPlaces - 1)];
    for (int row = 0; row < 16; ++row)
      memcpy(target->pixels + p.x + (p.y + row) * 256, cell->pixels + row * 16, 16 * 4);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  IMGFree(&cell);
  IMGFree(&target);
}
BENCHMARK(MemcpyCell);

// The show's present chain with glare and blur on: glow, blur, the copy to
// the screen, the fade of the work image.
void PresentChain(benchmark::State& state) {
  IMG* work = Picture(256, 256, 4);
  IMG* glare = Sized(256, 256);
  IMG* blur = Sized(256, 256);
  IMG* screen = Sized(256, 256);
  for (auto _ : state) {
    IMGFXGlow5H(work, glare, 3);
    IMGFXBlur5H(glare, blur);
    IMGCopyTo(blur, screen);
    IMGSubColour(work, 0x101010);
    benchmark::ClobberMemory();
  }
  IMGFree(&work);
  IMGFree(&glare);
  IMGFree(&blur);
  IMGFree(&screen);
}
BENCHMARK(PresentChain)->Unit(benchmark::kMicrosecond);

enum Which { kBlur3x3, kGlow5H, kBlur5H };

void FilterRun(benchmark::State& state, Which which, bool plain) {
  int32_t side = int32_t(state.range(0));
  IMG* source = Picture(side, side, 5);
  IMG* destination = Sized(side, side);
  IMGPlainPaths = plain ? 1 : 0;
  for (auto _ : state) {
    if (which == kBlur3x3) IMGFXBlur3x3(source, destination);
    else if (which == kGlow5H) IMGFXGlow5H(source, destination, 3);
    else IMGFXBlur5H(source, destination);
    benchmark::ClobberMemory();
  }
  IMGPlainPaths = 0;
  state.SetItemsProcessed(int64_t(state.iterations()) * side * side);
  IMGFree(&source);
  IMGFree(&destination);
}
BENCHMARK_CAPTURE(FilterRun, Blur3x3, kBlur3x3, false)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterRun, Blur3x3_plain, kBlur3x3, true)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterRun, Glow5H, kGlow5H, false)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterRun, Glow5H_plain, kGlow5H, true)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterRun, Blur5H, kBlur5H, false)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterRun, Blur5H_plain, kBlur5H, true)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);

void Lines(benchmark::State& state) {
  IMG* target = Sized(256, 256);
  std::vector<Segment> lines = benchimage::Lines(kPlaces);
  size_t i = 0;
  for (auto _ : state) {
    const Segment& s = lines[i++ & (kPlaces - 1)];
    IMGLine(target, s.x0, s.y0, s.x1, s.y1, 0xFFFFFF);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  IMGFree(&target);
}
BENCHMARK(Lines);

}  // namespace
