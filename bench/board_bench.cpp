// Cost of one update of a running puzzle: the board of 64 tiles redrawn, the
// clue numbers recomputed and written for a picture with the most runs, the
// cursor, the particle table and the timer, all into the display list. The
// game runs on devices that do nothing, so only the game's own work counts.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/devices.h"
#include "game/flow.h"
#include "host/app.h"
#include "host/game.h"

namespace {

class QuietDevices : public GameDevices {
public:
  int KeyDown(int) override { return 0; }
  int KeyHit(int) override { return 0; }
  float MouseX() override { return 0; }
  float MouseY() override { return 0; }
  float TouchX(int) override { return 0; }
  float TouchY(int) override { return 0; }
  float JoyX(int, int) override { return 0; }
  float JoyY(int, int) override { return 0; }
  int GetChar() override { return 0; }
  GameImage LoadImage(const String &, int, int, int, int) override { return Token<c_Image>(); }
  GameImage CreateImage(int, int, int, int) override { return Token<c_Image>(); }
  void SetColor(float, float, float) override {}
  void SetAlpha(float) override {}
  void SetBlend(int) override {}
  void DrawRect(float, float, float, float) override {}
  void DrawOval(float, float, float, float) override {}
  void DrawLine(float, float, float, float) override {}
  void DrawImage(const GameImage &, float, float, float, float, float, int) override {}
  GameSound LoadSound(const String &) override { return Token<c_Sound>(); }
  void PlaySound(const GameSound &, int, int) override {}
  void StopChannel(int) override {}
  void SetChannelRate(int, float) override {}
  void SetChannelVolume(int, float) override {}
  void SetChannelPan(int, float) override {}
  void PlayMusic(const String &, int) override {}
  void StopMusic() override {}
  void PauseMusic() override {}
  void ResumeMusic() override {}
  void UpdateAsyncEvents() override {}

private:
  template <class T> static std::shared_ptr<T> Token() {
    static int token;
    return std::shared_ptr<T>(std::shared_ptr<void>(), reinterpret_cast<T *>(&token));
  }
};

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
