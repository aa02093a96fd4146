// The puzzle map's update with every cell on screen, and the save with its
// write to the state file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "loaded_game.h"

namespace {

void BM_MenuUpdateFullMap(benchmark::State &state) {
  LoadedGame game;
  c_MyApp &app = *game.app;
  // A virtual screen large enough that no cell is culled.
  vex_Tilemarch_jscrw = vex_Tilemarch_jscrh = 1800;
  app.m_menuX = app.m_menuY = 7;
  app.p_Menu();
  app.m_camX = app.m_camTargetX;
  app.m_camY = app.m_camTargetY;
  for (auto _ : state) {
    app.p_Menu();
    benchmark::DoNotOptimize(app.m_drawCount);
  }
  state.counters["records"] = static_cast<double>(app.m_drawCount);
}
BENCHMARK(BM_MenuUpdateFullMap)->Repetitions(5)->ReportAggregatesOnly(true);

// The state file goes to a fresh directory under TMPDIR (or /tmp), so the
// disk it lands on can be chosen when running.
void BM_SaveWithWrite(benchmark::State &state) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "tilemarch-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    state.SkipWithError("no temporary directory");
    return;
  }
  std::filesystem::current_path(pattern);
  {
    LoadedGame game;
    for (auto _ : state) game.app->p_Save();
  }
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_SaveWithWrite)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SaveStringOnly(benchmark::State &state) {
  LoadedGame game;
  game.host.inMemory = true;
  for (auto _ : state) game.app->p_Save();
  benchmark::DoNotOptimize(game.host.kept);
}
BENCHMARK(BM_SaveStringOnly)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
