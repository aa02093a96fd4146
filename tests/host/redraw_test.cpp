// The loop draws and swaps only when the picture changed or the window asks.
#include <gtest/gtest.h>

#include "host/glfw_game.h"

namespace {

struct Platform : VexLoopPlatform {
  double now = 1;
  bool active = true;
  int swaps = 0;
  double Time() override { return now += 0.001; }
  void Sleep(double seconds) override { now += seconds; }
  void PollEvents() override {}
  void WaitEvents() override {}
  bool WindowOpen() override { return true; }
  bool WindowActive() override { return active; }
  void SwapBuffers() override { ++swaps; }
};

struct Delegate : VexGameDelegate {
  bool changed = false;
  int renders = 0;
  void RenderGame() override { ++renders, changed = false; } // what is drawn is the picture
  bool PictureChanged() override { return changed; }
};

TEST(Redraw, DrawsOnlyWhenThePictureChangedOrTheWindowAsks) {
  Platform platform;
  Delegate delegate;
  VexGlfwGame game;
  game.SetLoopPlatform(&platform);
  game.SetDelegate(&delegate);
  game.StartGame();
  game.SetUpdateRate(60);
  game.RunPass();
  ASSERT_EQ(delegate.renders, 1) << "the first pass draws";
  struct Case {
    const char *what;
    bool changed, redraw, blur;
    int drawn;
  } cases[] = {
      {"unchanged", false, false, false, 0},  {"picture changed", true, false, false, 1},
      {"window asks", false, true, false, 1}, {"suspended", false, false, true, 0},
      {"resumed", false, false, false, 1},
  };
  for (const Case &c : cases) {
    delegate.changed = c.changed;
    platform.active = !c.blur;
    if (c.redraw) game.Redraw();
    int renders = delegate.renders, swaps = platform.swaps;
    game.RunPass();
    game.RunPass();
    EXPECT_EQ(delegate.renders - renders, c.drawn) << c.what;
    EXPECT_EQ(platform.swaps - swaps, c.drawn) << c.what;
  }
}

} // namespace
