// Costs of starting a puzzle: decoding a catalogue entry, and loading the board
// (hue, cell store, solution).
#include <benchmark/benchmark.h>

#include "game/levels/levels.h"

static void BM_GetLevDat(benchmark::State &state) {
  int n = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p_GetLevDat(n));
    n = n % 224 + 1;
  }
}
BENCHMARK(BM_GetLevDat);

static void BM_LoadLevelBoard(benchmark::State &state) {
  Array<float> tmpF(1000), grid(kGridSide * kGridSide * kGridRecord);
  int gridLast = 0, n = 1;
  for (auto _ : state) {
    LoadLevelBoard(n, 0, tmpF, grid, gridLast);
    benchmark::DoNotOptimize(grid.Data());
    n = n % 224 + 1;
  }
}
BENCHMARK(BM_LoadLevelBoard);
