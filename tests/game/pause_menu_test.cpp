// The pause menu: the slide and the fade, resume, quit, the options box over
// the paused game, selection moves, and the pendulum toy's limits.
#include <cmath>

#include "game_fixture.h"

namespace {

class PauseTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
  }
  // Runs the pause menu until it stands fully in.
  void SlideIn() {
    PlayAndPause();
    Updates(20);
  }
  // The position of the first icon record with a frame (slot 97).
  bool IconAt(int frame, float x, float y) const {
    for (int r : RecordsOf(97))
      if (Rec(r, 6) == static_cast<float>(frame) && Rec(r, 1) == x && Rec(r, 2) == y) return true;
    return false;
  }
  std::vector<float> Rates() const {
    std::vector<float> rates;
    for (const FakeDevices::Call &call : dev->audio)
      if (call.what == "rate") rates.push_back(call.value);
    return rates;
  }
};

TEST_F(PauseTest, SlidesInWhileTheFadeFollowsTheSlide) {
  PlayAndPause();
  ASSERT_EQ(app->m_paused, 1);
  for (int i = 0; i < 16; ++i) {
    int before = app->m_pauseSlide;
    Update();
    // The darkening rectangle is the first record of the frame.
    ASSERT_EQ(Rec(0, 0), -3717.0f);
    EXPECT_FLOAT_EQ(Rec(0, 7), static_cast<float>(std::abs(before)) / (0.8f * 480));
  }
  EXPECT_EQ(app->m_pauseSlide, 248);
  EXPECT_TRUE(IconAt(3, 64 + 8, 196)); // resume, in its column at x0 = 64 + (248 - 240)
}

TEST_F(PauseTest, BackResumesAfterTheSlideOut) {
  SlideIn();
  Press({kKeyEscape});
  EXPECT_EQ(app->m_pauseDir, -1);
  EXPECT_EQ(app->m_paused, 1);
  int updates = 0;
  while (app->m_paused == 1 && updates < 40) {
    Update();
    ++updates;
  }
  // 248 falls by 24 per update until it is below -32 (after 12 steps, one
  // of which ran in the release update of the press).
  EXPECT_EQ(updates, 11);
  EXPECT_EQ(app->m_pauseSlide, -40);
  EXPECT_EQ(app->m_endState, 0);
}

TEST_F(PauseTest, QuitEndsThePuzzleAtOnceWithReasonMinusOne) {
  SlideIn();
  Press({kKeyUp});
  EXPECT_EQ(app->m_pauseSel, -1);
  EXPECT_FLOAT_EQ(Rates().back(), 0.8f);
  size_t sounds = Rates().size();
  Hold({kKeyEnter});
  Update();
  EXPECT_EQ(app->m_paused, 0);
  EXPECT_EQ(app->m_endState, 1);
  EXPECT_EQ(app->m_endReason, -1);
  EXPECT_EQ(app->m_touchLatch, 1);
  ASSERT_GT(Rates().size(), sounds);
  EXPECT_FLOAT_EQ(Rates()[sounds], 0.5f);
}

TEST_F(PauseTest, SelectionMovesOnceAndDoesNotWrap) {
  SlideIn();
  Hold({kKeyUp});
  Updates(30);
  EXPECT_EQ(app->m_pauseSel, -1);
  EXPECT_EQ(app->m_swingArm, 0); // up also shortens the arm every update
  Release();
  Update();
  for (auto [key, selection] : {std::pair{kKeyUp, -1}, {kKeyDown, 0}, {kKeyDown, 1}, {kKeyDown, 1}, {kKeyUp, 0}}) {
    Press({key});
    EXPECT_EQ(app->m_pauseSel, selection);
  }
}

TEST_F(PauseTest, PendulumSpeedAndArmSaturate) {
  SlideIn();
  Hold({kKeyRight});
  Updates(450);
  EXPECT_EQ(app->m_swingSpeed, 128);
  Hold({kKeyDown});
  Updates(250);
  // R is the smaller of 0.45 x 480 and 0.45 x (640 - 96).
  EXPECT_FLOAT_EQ(app->m_swingArm, 0.45f * 480);
  EXPECT_NE(DrawnText().find("128:216"), std::string::npos);
  Hold({kKeyLeft});
  Updates(600);
  EXPECT_EQ(app->m_swingSpeed, 0);
  // At speed 0 the second arm keeps its angle.
  float b = app->m_swingB;
  Updates(3);
  EXPECT_EQ(app->m_swingB, b);
  EXPECT_NE(DrawnText().find("0:216"), std::string::npos);
}

TEST_F(PauseTest, TrailHoldsTheLastPenPointsOldDarkNewBright) {
  SlideIn();
  std::vector<int> lines = RecordsOf(-3715);
  ASSERT_EQ(lines.size(), 202u);
  // The oldest segment is black, the newest has a colour.
  EXPECT_EQ(Rec(lines[0], 10) + Rec(lines[0], 11) + Rec(lines[0], 12), 0);
  int last = lines.back();
  EXPECT_GT(Rec(last, 10) + Rec(last, 11) + Rec(last, 12), 100);
  // The newest point is the pen at R from the pivot... within the arm sum.
  float dx = Rec(last, 4) + 0.5f - (320 + 96), dy = Rec(last, 5) + 0.5f - 240;
  EXPECT_LE(std::sqrt(dx * dx + dy * dy), 0.45f * 480 + 0.01f);
  // The first pause starts the trail at the pen, not at the screen's corner.
  for (int r : lines) ASSERT_GT(Rec(r, 1) + Rec(r, 2), 100);
  // Each point moves down the trail by one per update.
  float newest = app->m_swingTrail[2 * 100];
  Update();
  EXPECT_EQ(app->m_swingTrail[2 * 99], newest);
}

TEST_F(PauseTest, OptionsOpenOverThePausedGameAndReturnToTheSameSelection) {
  SlideIn();
  Press({kKeyDown});
  Press({kKeyEnter});
  EXPECT_EQ(app->m_optionsOpen, 1);
  Updates(31);
  Press({kKeyEscape});
  Updates(30);
  EXPECT_EQ(app->m_optionsSlide, 0);
  EXPECT_EQ(app->m_pauseDir, 1);
  EXPECT_EQ(app->m_pauseSel, 1);
  EXPECT_NE(DrawnText().find("PAUSED"), std::string::npos);
  // The gear stands at (x0, 296), x0 = 72 with the slide at 248; resume at
  // (x0, 196).
  Tap(72, 296);
  EXPECT_EQ(app->m_optionsOpen, 1);
  Updates(31);
  Press({kKeyEscape});
  Updates(31);
  ASSERT_EQ(app->m_optionsOpen, 0);
  Tap(72, 196);
  EXPECT_EQ(app->m_pauseDir, -1);
}

TEST_F(PauseTest, PortraitPutsQuitAndOptionsAboveThePivot) {
  app.reset();
  StartWith("", 480, 640);
  ASSERT_EQ(app->m_landscape, 0);
  ASSERT_FLOAT_EQ(vex_Tilemarch_jscrh, 720);
  PlayAndPause();
  Updates(20);
  ASSERT_EQ(app->m_pauseSlide, 368);
  // Quit at (trunc(540 / 2 - 96), slide - 96); resume stays in the column.
  EXPECT_TRUE(IconAt(1, 174, 272));
  EXPECT_TRUE(IconAt(3, 64 + 8, 196));
  Tap(174, 272);
  EXPECT_EQ(app->m_endReason, -1);
  EXPECT_EQ(app->m_paused, 0);
}

} // namespace
