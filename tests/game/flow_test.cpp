// The update skeleton: creation, latches, pointer and touch sampling, the
// screen dispatch, suspend and resume, global keys.
#include "game_fixture.h"
#include "host/app.h"

namespace {

class FlowTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Create();
  }
};

TEST_F(FlowTest, SecondAppIsARuntimeError) {
  EXPECT_EXIT(c_MyApp second(dev), testing::ExitedWithCode(255), "App has already been created");
}

TEST_F(FlowTest, KeyLatchHoldsWhileAnyPlayerHoldsAnAction) {
  FinishLoading();
  app->m_keyLatch = 1;
  for (int key : {256 + 32 * 3 + 5, 87}) { // right shoulder on the fourth pad, W
    Hold({key});
    Update();
    EXPECT_EQ(app->m_keyLatch, 1) << key;
  }
  Release();
  Update();
  EXPECT_EQ(app->m_keyLatch, 0);
}

TEST_F(FlowTest, OpenOptionsBoxKeepsBothLatchesSetWithNothingHeld) {
  FinishLoading();
  app->m_optionsOpen = 1;
  Update();
  EXPECT_EQ(app->m_touchLatch, 1);
  EXPECT_EQ(app->m_optionsSlide, 1);
  Updates(40);
  EXPECT_EQ(app->m_optionsSlide, 30);
  app->m_optionsOpen = 0;
  Update();
  EXPECT_EQ(app->m_optionsSlide, 29);
  Updates(30);
  EXPECT_EQ(app->m_optionsSlide, 0);
  EXPECT_EQ(app->m_keyLatch, 0);
  EXPECT_EQ(app->m_touchLatch, 0);
}

TEST_F(FlowTest, PressConsumedOnOneScreenDoesNotActOnTheNext) {
  FinishLoading();
  Hold({kKeyEnter}); // held across a screen change
  app->m_keyLatch = 1;
  app->m_state = 11;
  Updates(2);
  EXPECT_EQ(app->m_keyLatch, 1);
  Release();
  Update();
  EXPECT_EQ(app->m_keyLatch, 0);
}

TEST_F(FlowTest, FreshPressReportsEqualOldAndNewPointer) {
  app.reset();
  Create(1280, 960); // two device pixels per unit
  FinishLoading();
  dev->mouseX = 100, dev->mouseY = 50;
  Update();
  dev->mouseX = 300, dev->mouseY = 201;
  Hold({kMouse});
  Update();
  EXPECT_EQ(app->m_pointerX, 150);
  EXPECT_EQ(app->m_pointerY, 100);
  EXPECT_EQ(app->m_pointerOldX, 150);
  EXPECT_EQ(app->m_pointerOldY, 100);
  dev->mouseX = 320;
  Update();
  EXPECT_EQ(app->m_pointerOldX, 150);
  EXPECT_EQ(app->m_pointerX, 160);
}

TEST_F(FlowTest, ClickBetweenTwoUpdatesIsHeldForOneUpdate) {
  FinishLoading();
  dev->hits = {kMouse};
  Update();
  EXPECT_EQ(app->m_pointerDown, 1) << "pressed and released before the update: still a tap";
  dev->hits.clear();
  Update();
  EXPECT_EQ(app->m_pointerDown, 0);
}

TEST_F(FlowTest, TouchPointsUpReadTheOmittedValueAndDownOnesSetThePointer) {
  FinishLoading();
  Hold({kTouch0 + 2});
  dev->touchX[2] = 40.7f, dev->touchY[2] = 30;
  app->m_touchLatch = 1;
  Update();
  EXPECT_EQ(app->m_touchX[2], 40);
  EXPECT_EQ(app->m_pointerDown, 1);
  EXPECT_EQ(app->m_pointerWasDown, 0); // touches do not count as the mouse
  EXPECT_EQ(app->m_touchLatch, 1);
  EXPECT_EQ(app->m_touchX[0], -3717);
  Release();
  Update();
  EXPECT_EQ(app->m_touchDown[2], 0);
  EXPECT_EQ(app->m_touchY[2], -3717);
  EXPECT_EQ(app->m_touchLatch, 0);
}

TEST_F(FlowTest, SuspendInAPuzzleComesBackPausedButNotInTheMenu) {
  FinishLoading();
  app->p_OnSuspend();
  app->p_OnResume();
  EXPECT_EQ(app->m_paused, 0);
  EXPECT_EQ(app->m_pauseSlide, 0);
  app->m_state = 10;
  vex_Tilemarch_iCadeControls = 1;
  app->m_vButtons[3] = 2;
  app->p_OnSuspend();
  EXPECT_EQ(vex_app_UpdateRate(), 5);
  EXPECT_EQ(vex_Tilemarch_iCadeControls, 0);
  EXPECT_EQ(app->m_vButtons[3], 0);
  app->p_OnResume();
  EXPECT_EQ(vex_app_UpdateRate(), 60);
  EXPECT_EQ(app->m_paused, 1);
  EXPECT_EQ(app->m_pauseDir, 1);
  EXPECT_EQ(app->m_pauseSlide, 240);
}

TEST_F(FlowTest, GlobalKeysToggleDebugWithItsOverlayAndCleanView) {
  FinishLoading();
  dev->hits = {112, kKeyF2};
  Update();
  EXPECT_EQ(vex_Tilemarch_DebugMode, 1);
  EXPECT_EQ(app->m_cleanView, 1);
  // Glyphs on the line 16 units above the bottom edge, after the screen.
  int glyphs = 0;
  for (int r : RecordsOf(app->m_font)) glyphs += Rec(r, 2) == vex_Tilemarch_jscrh - 11;
  EXPECT_GT(glyphs, 3);
  Update();
  EXPECT_EQ(vex_Tilemarch_DebugMode, 0);
  dev->hits = {115};
  EXPECT_EXIT(Update(), testing::ExitedWithCode(0), "") << "F4 ends the program silently";
}

TEST_F(FlowTest, MusicFollowsThePause) {
  app->m_musicOn = 1;
  app->m_paused = 1;
  Update();
  EXPECT_EQ(dev->pauses, 1);
  app->m_paused = 0;
  Update();
  EXPECT_EQ(dev->resumes, 1);
  vex_Tilemarch_HasMusicStream = 0;
  Update();
  EXPECT_EQ(dev->resumes, 1);
}

TEST_F(FlowTest, CabinetCharactersHoldVirtualButtonsUntilReleased) {
  FinishLoading();
  vex_Tilemarch_iCadeControls = 1;
  dev->chars = {'w'};
  Update();
  EXPECT_EQ(app->m_vButtons[0], 2);
  EXPECT_EQ(app->m_lastChar, 0);
  Update();
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 1);
  dev->chars = {'E', '!'};
  Update();
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
}

TEST_F(FlowTest, LoadingAPuzzleSetsBothLatchesAndTheBoard) {
  app->m_level = 1;
  app->m_grid[0] = 1; // a mark left from before
  app->p_GetLev(0);
  EXPECT_EQ(app->m_keyLatch, 1);
  EXPECT_EQ(app->m_touchLatch, 1);
  EXPECT_EQ(app->m_grid[0], 0);
  EXPECT_EQ(app->m_tmpF[98], 7200);
}

TEST_F(FlowTest, ZeroSizedWindowKeepsPointerPositionsFinite) {
  FinishLoading();
  Resize(0, 0);
  Render();
  dev->mouseX = 30, dev->mouseY = 40;
  Update();
  EXPECT_EQ(app->m_pointerX, 30);
  EXPECT_EQ(app->m_pointerY, 40);
}

} // namespace
