// A created game on quiet devices with its loading done, for the benchmarks
// of the game's updates: only the game's own work is timed.
#pragma once

#include <memory>

#include "game/flow.h"
#include "game/menu_map.h"
#include "host/app.h"
#include "host/game.h"
#include "support/fake_devices.h"

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

// A 640 x 480 game on the map with every asset loaded and half the puzzles solved.
struct LoadedGame {
  BenchHost host;
  std::unique_ptr<c_MyApp> app;

  LoadedGame() {
    vexInit();
    vexInitTilemarch();
    vex_app_ValidateDeviceWindow(false);
    app = std::make_unique<c_MyApp>(std::make_shared<QuietDevices>());
    app->p_OnCreate();
    app->p_OnRender();
    for (int i = 0; i < 30 && app->m_loadStep > 0; ++i) app->p_OnUpdate();
    app->p_OnRender();
    for (int n = 0; n < kPuzzles; n += 2) app->m_scores[2 * n] = 100 + n;
  }
};
