// Start-up synthesis of the show's 96 instruments and one music step.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "demo_music.h"
#include "music.h"

namespace {

void BM_DemoMusicSetup(benchmark::State& state) {
  for (auto _ : state) {
    srand(273880913);
    MUSIC* music = DemoMusicSetup();
    benchmark::DoNotOptimize(music);
    state.PauseTiming();
    MUSICFree(&music);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DemoMusicSetup)->Unit(benchmark::kMillisecond);

// One step of the full 160000-value loop (period 1: every call steps).
void StepBench(benchmark::State& state, uint8_t plain) {
  srand(273880913);
  MUSIC* music = DemoMusicSetup();
  music->period = 1;
  MUSICPlainPath = plain;
  for (auto _ : state) {
    MUSICStep(music);
    benchmark::ClobberMemory();
  }
  MUSICPlainPath = 0;
  MUSICFree(&music);
}

void BM_MUSICStep(benchmark::State& state) { StepBench(state, 0); }
BENCHMARK(BM_MUSICStep)->Unit(benchmark::kMicrosecond);

// The plain whole-sample operations, for comparison.
void BM_MUSICStepPlain(benchmark::State& state) { StepBench(state, 1); }
BENCHMARK(BM_MUSICStepPlain)->Unit(benchmark::kMicrosecond);

}  // namespace
