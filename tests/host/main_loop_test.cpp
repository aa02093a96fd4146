// The main loop's schedule and its redraws, driven by a fake clock and a fake
// window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/glfw_game.h"

namespace {

// GLFW time is never 0 once the loop runs: 0 means "not scheduled".
class FakePlatform : public VexLoopPlatform, public VexGameDelegate {
public:
  double now = 1.0, renderCost = 0;
  bool active = true, changed = true, alwaysChanged = true; // what is drawn is the picture unless always changed
  bool canPresentArea = false, bounded = false, clipped = false;
  VexAreas areas = {{10, 20, 30, 40}, {50, 60, 10, 10}};
  int clippedTo = 0; // areas with pixels in them
  int waits = 0, sleeps = 0, updates = 0, renders = 0, swaps = 0, suspends = 0, resumes = 0;
  std::string frames; // per frame: how it was drawn, then how it was shown
  double Time() override { return now; }
  void Sleep(double seconds) override { ++sleeps, now += seconds; }
  void PollEvents() override {}
  void WaitEvents() override { ++waits; }
  bool WindowOpen() override { return true; }
  bool WindowActive() override { return active; }
  void SwapBuffers() override { ++swaps, frames += "swap "; }
  bool CanPresentArea() override { return canPresentArea; }
  void PresentAreas(std::span<const VexRect> areas) override {
    for (size_t i = 0; i < areas.size(); ++i) frames += "copy ";
  }
  void RenderGame() override {
    ++renders, now += renderCost, changed = alwaysChanged;
    frames += clipped ? "in" + std::to_string(clippedTo) + "+" : "whole+";
  }
  bool PictureChanged() override { return changed; }
  bool ChangedAreas(VexAreas &out) override { return out = areas, bounded; }
  void ClipFrame(std::span<const VexRect> clip) override {
    clipped = !clip.empty();
    clippedTo = static_cast<int>(std::count_if(clip.begin(), clip.end(), [](auto &a) { return a.width * a.height; }));
  }
  void UpdateGame() override { ++updates; }
  void SuspendGame() override { ++suspends; }
  void ResumeGame() override { ++resumes; }
};

struct MainLoopRun {
  explicit MainLoopRun(int rate = 60) {
    game.SetLoopPlatform(&fake);
    game.SetDelegate(&fake);
    game.StartGame();
    game.SetUpdateRate(rate);
  }
  int Pass() { // the updates one pass of the loop runs
    int before = fake.updates;
    game.RunPass();
    return fake.updates - before;
  }
  FakePlatform fake;
  VexGlfwGame game;
};
class MainLoop : public ::testing::Test, public MainLoopRun {};

// Updates per pass and sleeps over seven passes: a fast render sleeps to the
// next period; a slow one catches up four updates at most, then drops the
// schedule and starts afresh; rate 0 is one update per frame, never sleeping.
TEST(MainLoopPace, UpdatesPerFrameAndSleepsFollowTheRateAndTheRenderTime) {
  struct Case {
    int rate;
    double renderCost; // a hair over whole periods, so float rounding can't decide
    std::vector<int> updates;
    int sleeps;
  };
  const Case cases[] = {{60, 0, {1, 1, 1, 1, 1, 1, 1}, 6},
                        {60, 5.0 / 60 + 1e-7, {1, 4, 1, 4, 1, 4, 1}, 0},
                        {60, 2.0 / 60 + 1e-7, {1, 2, 2, 2, 2, 2, 2}, 0},
                        {0, 1.0, {1, 1, 1, 1, 1, 1, 1}, 0}};
  for (const Case &c : cases) {
    MainLoopRun run(c.rate);
    run.fake.renderCost = c.renderCost;
    std::vector<int> updates;
    for (int i = 0; i < 7; ++i) updates.push_back(run.Pass());
    EXPECT_EQ(updates, c.updates) << c.rate << " " << c.renderCost;
    EXPECT_EQ(run.fake.sleeps, c.sleeps) << c.rate << " " << c.renderCost;
  }
}

TEST_F(MainLoop, InactiveWindowSuspendsBlocksForEventsAndRendersWithoutUpdates) {
  EXPECT_EQ(Pass(), 1);
  fake.active = false;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Pass(), 0);
  EXPECT_EQ(fake.suspends, 1);
  EXPECT_EQ(fake.renders, 6);
  EXPECT_EQ(fake.waits, 4) << "the first inactive pass polled, the later ones block";
  fake.active = true;
  fake.now += 10;
  EXPECT_EQ(Pass(), 1) << "no catch-up for the time spent suspended";
  EXPECT_EQ(fake.resumes, 1);
}

TEST_F(MainLoop, DrawsOnlyWhenThePictureChangedOrTheWindowAsks) {
  fake.alwaysChanged = false;
  Pass(); // the first pass draws
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
    fake.changed = c.changed;
    fake.active = !c.blur;
    if (c.redraw) game.Redraw();
    int renders = fake.renders, swaps = fake.swaps;
    Pass(), Pass();
    EXPECT_EQ(fake.renders - renders, c.drawn) << c.what;
    EXPECT_EQ(fake.swaps - swaps, c.drawn) << c.what;
  }
}

// A frame that changed inside areas is shown by copying those areas, which
// keeps the back buffer; only then may the next one be drawn in its areas
// alone. A frame bounded to no area at all is drawn nowhere.
TEST_F(MainLoop, AFrameChangedInAreasIsDrawnInThemOnlyOnceTheBackBufferHoldsTheRest) {
  fake.canPresentArea = fake.bounded = true;
  for (int i = 0; i < 3; ++i) Pass();
  game.Redraw();
  for (int i = 0; i < 3; ++i) Pass();
  fake.bounded = false;
  Pass();
  fake.bounded = true, fake.canPresentArea = false;
  Pass();
  fake.canPresentArea = true, fake.areas.clear();
  Pass(), Pass();
  EXPECT_EQ(fake.frames, "whole+swap whole+copy copy in2+copy copy " // the first frame is drawn whole
                         "whole+swap whole+copy copy in2+copy copy " // and so is one the window asks for
                         "whole+swap whole+swap "                    // unbounded, or no copy to show it
                         "whole+in0+");
}

} // namespace
