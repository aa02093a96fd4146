// The main loop's schedule, driven by a fake clock and a fake window.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host/glfw_game.h"

namespace {

class FakePlatform : public VexLoopPlatform {
public:
  double now = 1.0; // GLFW time is never 0 once the loop runs: 0 means "not scheduled"
  bool active = true;
  int polls = 0, waits = 0, sleeps = 0;
  double Time() override { return now; }
  void Sleep(double seconds) override {
    ++sleeps;
    now += seconds;
  }
  void PollEvents() override { ++polls; }
  void WaitEvents() override { ++waits; }
  bool WindowOpen() override { return true; }
  bool WindowActive() override { return active; }
  void SwapBuffers() override {}
};

class FakeDelegate : public VexGameDelegate {
public:
  FakePlatform *clock = nullptr;
  double renderCost = 0;
  int updates = 0, renders = 0, suspends = 0, resumes = 0;
  std::function<void()> onUpdate;
  void RenderGame() override {
    ++renders;
    clock->now += renderCost;
  }
  void UpdateGame() override {
    ++updates;
    if (onUpdate) onUpdate();
  }
  void SuspendGame() override { ++suspends; }
  void ResumeGame() override { ++resumes; }
};

class MainLoop : public ::testing::Test {
protected:
  void SetUp() override {
    game.SetLoopPlatform(&platform);
    delegate.clock = &platform;
    game.SetDelegate(&delegate);
    game.StartGame();
  }
  // Updates run by one pass.
  int Pass() {
    int before = delegate.updates;
    game.RunPass();
    return delegate.updates - before;
  }
  FakePlatform platform;
  FakeDelegate delegate;
  VexGlfwGame game;
};

TEST_F(MainLoop, SlowRenderAlternatesFourUpdatesDroppedAndOneFresh) {
  game.SetUpdateRate(60);
  // A hair over five periods, so that float rounding can't decide the case.
  delegate.renderCost = 5.0 / 60 + 1e-7;
  EXPECT_EQ(Pass(), 1);
  std::vector<int> perPass;
  for (int i = 0; i < 6; ++i) {
    int sleepsBefore = platform.sleeps;
    perPass.push_back(Pass());
    if (perPass.back() == 4) {
      EXPECT_EQ(game.NextUpdate(), 0) << "the schedule is dropped after four";
    } else {
      EXPECT_EQ(platform.sleeps, sleepsBefore) << "a fresh schedule does not sleep";
    }
  }
  EXPECT_EQ(perPass, (std::vector<int>{4, 1, 4, 1, 4, 1}));
}

TEST_F(MainLoop, FastRenderSleepsAndRunsOneUpdatePerPeriod) {
  game.SetUpdateRate(60);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Pass(), 1);
  EXPECT_NEAR(platform.now, 1.0 + 9.0 / 60, 1e-9);
  EXPECT_EQ(platform.sleeps, 9);
}

TEST_F(MainLoop, SetUpdateRateInsideAnUpdateStopsCatchUpAndRestartsSchedule) {
  game.SetUpdateRate(60);
  delegate.renderCost = 3.0 / 60 + 1e-7;
  EXPECT_EQ(Pass(), 1);
  delegate.onUpdate = [&] {
    delegate.onUpdate = nullptr;
    game.SetUpdateRate(30);
  };
  EXPECT_EQ(Pass(), 1) << "three updates were due, the rate change stops after one";
  EXPECT_EQ(game.NextUpdate(), 0);
  int sleeps = platform.sleeps;
  double start = platform.now + delegate.renderCost;
  EXPECT_EQ(Pass(), 1);
  EXPECT_EQ(platform.sleeps, sleeps);
  EXPECT_NEAR(game.NextUpdate(), start + 1.0 / 30, 1e-9) << "the new schedule starts at the current time";
}

TEST_F(MainLoop, RateZeroRunsOneUpdatePerFrame) {
  game.SetUpdateRate(0);
  delegate.renderCost = 1.0;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Pass(), 1);
  EXPECT_EQ(delegate.renders, 5);
  EXPECT_EQ(platform.sleeps, 0);
}

TEST_F(MainLoop, SuspendedRendersEveryWakeButNeverUpdates) {
  game.SetUpdateRate(60);
  EXPECT_EQ(Pass(), 1);
  platform.active = false;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Pass(), 0);
  EXPECT_EQ(delegate.suspends, 1);
  EXPECT_TRUE(game.Suspended());
  EXPECT_EQ(delegate.renders, 6);
  EXPECT_EQ(platform.waits, 4) << "the first inactive pass polled, the later ones block";

  platform.active = true;
  EXPECT_EQ(Pass(), 1);
  EXPECT_EQ(delegate.resumes, 1);
  EXPECT_FALSE(game.Suspended());
}

TEST_F(MainLoop, UpdatesAndRendersWaitForStart) {
  VexGlfwGame fresh;
  FakePlatform p;
  FakeDelegate d;
  d.clock = &p;
  fresh.SetLoopPlatform(&p);
  fresh.SetDelegate(&d);
  fresh.RunPass();
  EXPECT_EQ(d.renders + d.updates, 0);
}

} // namespace
