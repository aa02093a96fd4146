// The map's input: panning by drag and its tap suppression, key moves, taps,
// starting a puzzle and leaving the program.
#include "game_fixture.h"

namespace {

class MenuInputTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
    Updates(2);
    SettleCamera();
    Update();
  }
  // Where a cell will be hit-tested in the next update, after its easing step.
  float NextX(int c) const {
    float cam = app->m_camX + (static_cast<float>(app->m_panX) + app->m_camTargetX - app->m_camX) * 0.125f;
    return 116.0f * static_cast<float>(c) - cam;
  }
  float NextY(int r) const {
    float cam = app->m_camY + (static_cast<float>(app->m_panY) + app->m_camTargetY - app->m_camY) * 0.125f;
    return 116.0f * static_cast<float>(r) - cam;
  }
  void TapCell(int c, int r) { Tap(NextX(c), NextY(r)); }
  void Drag(float x, float y) {
    dev->down = {kMouse, kTouch0};
    dev->mouseX = dev->touchX[0] = x;
    dev->mouseY = dev->touchY[0] = y;
    Update();
  }
};

TEST_F(MenuInputTest, DragPansByOneAndAHalfTimesAndSuppressesTapsUntilRelease) {
  Drag(262, 182); // between cells: a fresh press moves nothing
  EXPECT_EQ(app->m_panX, 0);
  Drag(252, 182);
  EXPECT_EQ(app->m_panX, 15);
  Drag(232, 177);
  EXPECT_EQ(app->m_panX, 45);
  EXPECT_EQ(app->m_panY, 7);
  EXPECT_EQ(app->m_dragX, 30);
  Drag(230, 177);

  // A second finger on an open cell does not count now.
  dev->down.insert(kTouch0 + 1);
  dev->touchX[1] = NextX(5);
  dev->touchY[1] = NextY(7);
  Update();
  EXPECT_EQ(app->m_menuX, 6);
  EXPECT_EQ(app->m_touchLatch, 0);

  Release();
  Update();
  EXPECT_EQ(app->m_dragX, 0);
  EXPECT_EQ(app->m_panX, 48); // the pan stays until the cursor moves
  TapCell(5, 7);
  EXPECT_EQ(app->m_menuX, 5);
  EXPECT_EQ(app->m_panX, 0);
}

TEST_F(MenuInputTest, PanIsClampedToHalfTheScreen) {
  Drag(600, 400);
  Drag(0, 0);
  EXPECT_EQ(app->m_panX, 320);
  EXPECT_EQ(app->m_panY, 240);
  Drag(600, 400);
  EXPECT_EQ(app->m_panY, -240);
  // The camera eases toward target plus pan, an eighth of the way per update.
  float before = app->m_camX, goal = app->m_camTargetX - 320;
  Update();
  EXPECT_FLOAT_EQ(app->m_camX, before + (goal - before) * 0.125f);
}

TEST_F(MenuInputTest, HeldKeyMovesOnceAndBothAxesCanMoveTogether) {
  app->m_panX = 30;
  int sounds = dev->Plays();
  Hold({kKeyRight});
  Updates(5);
  EXPECT_EQ(app->m_menuX, 7);
  EXPECT_EQ(app->m_panX, 0);
  EXPECT_EQ(dev->Plays(), sounds + 1);
  Release();
  Update();
  Hold({kKeyRight, kKeyDown});
  Update();
  EXPECT_EQ(app->m_menuX, 8);
  EXPECT_EQ(app->m_menuY, 8);
  Release();
  Update();
  // At the edge a move is ignored, without a sound.
  app->m_menuX = 0;
  app->m_menuY = 14;
  sounds = dev->Plays();
  Press({kKeyLeft});
  Press({kKeyDown});
  EXPECT_EQ(app->m_menuX, 0);
  EXPECT_EQ(app->m_menuY, 14);
  EXPECT_EQ(dev->Plays(), sounds);
}

TEST_F(MenuInputTest, TapMovesTheCursorAndASecondTapAfterAReleaseStarts) {
  TouchAt(NextX(5), NextY(7));
  EXPECT_EQ(app->m_menuX, 5);
  // Still held: the same tap does not start the puzzle under it.
  TouchAt(NextX(5), NextY(7));
  EXPECT_EQ(app->m_state, 1);
  Release();
  Update();
  TouchAt(NextX(5), NextY(7));
  EXPECT_EQ(app->m_state, 11);
  EXPECT_EQ(app->m_level, 111);
  EXPECT_EQ(app->m_controlMode, 2);
  EXPECT_EQ(app->m_keyLatch + app->m_touchLatch, 2);
}

TEST_F(MenuInputTest, LockedCellTakesTheCursorButDoesNotStart) {
  TapCell(4, 7);
  EXPECT_EQ(app->m_menuX, 4);
  TapCell(4, 7);
  Press({kKeyEnter});
  EXPECT_EQ(app->m_state, 1);
  EXPECT_EQ(app->m_selLevel, 110);
}

TEST_F(MenuInputTest, ButtonOnTheHowToCellStartsTheTutorial) {
  app->m_level = 37;
  Hold({kKeyEnter});
  Update();
  EXPECT_EQ(app->m_state, 11);
  EXPECT_EQ(app->m_level, 0);
  EXPECT_EQ(app->m_controlMode, 0);
}

TEST_F(MenuInputTest, StartUsesTheCellFoundBeforeTheKeyMove) {
  Hold({kKeyLeft, kKeyX});
  Update();
  EXPECT_EQ(app->m_menuX, 5);
  EXPECT_EQ(app->m_state, 11);
  EXPECT_EQ(app->m_level, 0);
}

TEST_F(MenuInputTest, BackLeavesTheProgramQuietly) {
  app->m_keyLatch = 1;
  Hold({kKeyEscape});
  Update(); // a press still latched from before does nothing
  EXPECT_EQ(app->m_state, 1);
  Release();
  Update();
  EXPECT_EXIT(
      {
        Hold({kKeyEscape});
        Update();
      },
      testing::ExitedWithCode(0), "");
}

} // namespace
