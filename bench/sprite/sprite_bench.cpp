// The swarm frame as the show draws it (tiles, sprites, statistics), and the
// cost of one 16 x 16 keyed sprite through FONTDrawChar against the same
// copy through IMGBlitKeyed directly.
#include <benchmark/benchmark.h>

#include <vector>

#include "font.h"
#include "fps.h"
#include "img.h"
#include "sheets.h"
#include "sine.h"
#include "sprite_parts.h"
#include "vorndemo.h"

namespace {

void SheetsOnce() {
  if (workImage) return;
  workImage = IMGNew();
  IMGResize(workImage, 256, 256);
  DemoSheetsSetup();
  swarmWalker = DemoWalker{100, 300, 5, 7, 3, 2};
}

void SwarmFrame(benchmark::State& state) {
  SheetsOnce();
  const int32_t sprites = int32_t(state.range(0));
  DemoStatsFontTint();
  measuredFps = targetFps = 25;
  for (auto _ : state) {
    swarmCount = sprites - 1;  // the frame draws count + 1
    DemoTiles(&swarmTiles, 3);
    DemoSwarmSprites();
    DemoStats(swarmCount);
    benchmark::ClobberMemory();
  }
  DemoStatsFontRestore();
  state.SetItemsProcessed(state.iterations() * sprites);
}
BENCHMARK(SwarmFrame)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Pens along a Lissajous curve, as in the swarm; some cells hang over the edges.
struct Pen {
  int32_t x, y, code;
};
std::vector<Pen> SwarmPens(int32_t count) {
  std::vector<Pen> pens;
  for (int32_t n = 0; n < count; ++n)
    pens.push_back({(SineTable[(n * 3) & 1023] >> 8) + 120, (SineTable[(n * 5 + 77) & 1023] >> 8) + 120, n % 80});
  return pens;
}

void SpritesThroughFont(benchmark::State& state) {
  SheetsOnce();
  const std::vector<Pen> pens = SwarmPens(10000);
  for (auto _ : state) {
    for (const Pen& pen : pens) {
      ballSheet->x = pen.x;
      ballSheet->y = pen.y;
      ballSheet->code = pen.code;
      FONTDrawChar(ballSheet);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(pens.size()));
}
BENCHMARK(SpritesThroughFont)->Unit(benchmark::kMicrosecond);

void SpritesThroughRawBlit(benchmark::State& state) {
  SheetsOnce();
  const std::vector<Pen> pens = SwarmPens(10000);
  for (auto _ : state) {
    for (const Pen& pen : pens) IMGBlitKeyed(ballSheet->sheet, workImage, 0, pen.code * 16, pen.x, pen.y, 16, 16);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(pens.size()));
}
BENCHMARK(SpritesThroughRawBlit)->Unit(benchmark::kMicrosecond);

}  // namespace
