// The same sprite cells and lines drawn by SDL 1.2's RLE colour-key blit and
// by SDL_gfx's lineColor on 32-bit software surfaces of the same size.
#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_images.h"

namespace {

using namespace benchimage;

constexpr size_t kPlaces = 1024;

SDL_Surface* Surface(int w, int h) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
}

void SdlRleCell(benchmark::State& state, bool clipped) {
  IMG* cell = Cell();
  SDL_Surface* sprite = Surface(16, 16);
  SDL_Surface* target = Surface(256, 256);
  for (int row = 0; row < 16; ++row)
    memcpy(static_cast<uint8_t*>(sprite->pixels) + row * sprite->pitch, cell->pixels + row * 16, 64);
  SDL_SetColorKey(sprite, SDL_SRCCOLORKEY | SDL_RLEACCEL, 0);
  std::vector<Point> places = CellPlaces(clipped, kPlaces);
  size_t i = 0;
  for (auto _ : state) {
    const Point& p = places[i++ & (kPlaces - 1)];
    SDL_Rect to{Sint16(p.x), Sint16(p.y), 16, 16};
    SDL_BlitSurface(sprite, nullptr, target, &to);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  SDL_FreeSurface(sprite);
  SDL_FreeSurface(target);
  IMGFree(&cell);
}
BENCHMARK_CAPTURE(SdlRleCell, unclipped, false);
BENCHMARK_CAPTURE(SdlRleCell, clipped, true);

void SdlGfxLines(benchmark::State& state) {
  SDL_Surface* target = Surface(256, 256);
  std::vector<Segment> lines = benchimage::Lines(kPlaces);
  size_t i = 0;
  for (auto _ : state) {
    const Segment& s = lines[i++ & (kPlaces - 1)];
    lineColor(target, Sint16(s.x0), Sint16(s.y0), Sint16(s.x1), Sint16(s.y1), 0xFFFFFFFF);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  SDL_FreeSurface(target);
}
BENCHMARK(SdlGfxLines);

}  // namespace
