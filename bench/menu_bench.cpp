// The puzzle map's update with every cell on screen, and the save with its
// write to the state file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/flow.h"
#include "host/app.h"
#include "host/game.h"
#include "quiet_devices.h"

namespace {

class BenchHost : public VexGame {
public:
  int GetDeviceWidth() override { return 640; }
  int GetDeviceHeight() override { return 480; }
  // Keeps the state in memory when asked, to time the string apart from the file.
  bool inMemory = false;
  size_t kept = 0;
  int SaveState(const String &state) override {
    if (!inMemory) return VexGame::SaveState(state);
    kept = static_cast<size_t>(state.Length());
    return 0;
  }
};

// A created game with its loading done and half the puzzles solved.
struct Game {
  BenchHost host;
  std::unique_ptr<c_MyApp> app;

  Game() {
    vexInit();
    vexInitTilemarch();
    vex_app_ValidateDeviceWindow(false);
    app = std::make_unique<c_MyApp>(std::make_shared<QuietDevices>());
    app->p_OnCreate();
    app->p_OnRender();
    for (int i = 0; i < 30 && app->m_loadStep > 0; ++i) app->p_OnUpdate();
    for (int n = 0; n < 224; n += 2) app->m_scores[2 * n] = 100 + n;
  }
};

void BM_MenuUpdateFullMap(benchmark::State &state) {
  Game game;
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
  state.counters["records"] = static_cast<double>(app.m_drawCount / 15);
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
    Game game;
    for (auto _ : state) game.app->p_Save();
  }
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_SaveWithWrite)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SaveStringOnly(benchmark::State &state) {
  Game game;
  game.host.inMemory = true;
  for (auto _ : state) game.app->p_Save();
  benchmark::DoNotOptimize(game.host.kept);
}
BENCHMARK(BM_SaveStringOnly)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
