// Cost of one update of a running puzzle: the board of 64 tiles redrawn, the
// clue numbers recomputed and written for a picture with the most runs, the
// cursor, the particle table and the timer, all into the display list. The
// game runs on devices that do nothing, so only the game's own work counts.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/flow.h"
#include "host/app.h"
#include "host/game.h"
#include "quiet_devices.h"

namespace {

class BenchHost : public VexGame {
public:
  int GetDeviceWidth() override { return 640; }
  int GetDeviceHeight() override { return 480; }
};

void BM_PuzzleUpdate(benchmark::State &state) {
  BenchHost host;
  vexInit();
  vexInitTilemarch();
  vex_app_ValidateDeviceWindow(false);
  auto app = std::make_unique<c_MyApp>(std::make_shared<QuietDevices>());
  app->p_OnCreate();
  app->p_OnRender();
  for (int i = 0; i < 40 && app->m_loadStep > 0; ++i) app->p_OnUpdate();
  app->p_OnRender();
  app->m_level = 5;
  app->m_state = 11;
  app->p_OnUpdate();
  // Alternate tiles: four runs in every row and column, 64 clue numbers. The
  // marks are all black, so the puzzle never counts as solved.
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      app->m_grid[(32 * y + x) * 10 + 1] = (x + y) % 2 == 0 ? 1.0f : 0.0f;
      app->m_grid[(32 * y + x) * 10] = 1.0f;
    }
  }
  for (auto _ : state) {
    app->m_tmpF[98] = 7200;
    app->p_Game();
    benchmark::DoNotOptimize(app->m_drawCount);
  }
  state.counters["records"] = static_cast<double>(app->m_drawCount / 15);
}
BENCHMARK(BM_PuzzleUpdate)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
