// CPU time of one whole update (input, screen, display list) on each of the
// four screens a player spends time on: the map, a running puzzle, the pause
// menu over it and the options box over that. The game runs on devices that do
// nothing, so only the game's own work counts.
#include <benchmark/benchmark.h>

#include "game/board_rules.h"
#include "game/names.h"
#include "loaded_game.h"

namespace {

// A puzzle with the most clue numbers: alternate tiles give four runs in every
// row and column. The marks are all black, so it never counts as solved.
void StartBusyPuzzle(c_MyApp &app) {
  app.m_level = 5;
  app.m_state = kStateStartPuzzle;
  app.p_OnUpdate();
  for (int y = 0; y < kBoardSide; ++y) {
    for (int x = 0; x < kBoardSide; ++x) {
      app.m_grid[CellIndex(x, y, kCellSolution)] = (x + y) % 2 == 0 ? 1.0f : 0.0f;
      app.m_grid[CellIndex(x, y, kCellMark)] = 1.0f;
    }
  }
}

void PauseFullyShown(c_MyApp &app) {
  app.m_paused = 1;
  app.m_pauseDir = 1;
  app.m_pauseSlide = static_cast<int>(vex_Tilemarch_jscrh * 0.5f);
}

void TimeUpdates(benchmark::State &state, c_MyApp &app) {
  for (auto _ : state) {
    // The timer stays full so that a long run never ends the puzzle.
    app.m_tmpF[kTmpTimeLeft] = 7200;
    app.p_OnUpdate();
    benchmark::DoNotOptimize(app.m_drawCount);
  }
  state.counters["records"] = static_cast<double>(app.m_drawCount);
}

enum Screen { kMap, kBoard, kPauseMenu, kOptionsBox };

// Each screen lies over the one before it: the options box over the pause menu
// over the running puzzle.
void BM_Update(benchmark::State &state, Screen screen) {
  LoadedGame game;
  c_MyApp &app = *game.app;
  if (screen >= kBoard) StartBusyPuzzle(app);
  if (screen >= kPauseMenu) PauseFullyShown(app);
  if (screen >= kOptionsBox) {
    app.m_optionsOpen = 1;
    app.m_optionsSlide = 30;
  }
  TimeUpdates(state, app);
}
BENCHMARK_CAPTURE(BM_Update, Map, kMap);
BENCHMARK_CAPTURE(BM_Update, Board, kBoard);
BENCHMARK_CAPTURE(BM_Update, PauseMenu, kPauseMenu);
BENCHMARK_CAPTURE(BM_Update, OptionsBox, kOptionsBox);

} // namespace
