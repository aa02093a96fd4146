// The update skeleton: creation, latches, pointer and touch sampling, the
// screen dispatch, suspend and resume, global keys.
#include "game_fixture.h"
#include "host/app.h"

namespace {

using FlowTest = GameTest;

TEST_F(FlowTest, CreationSetsDefaultsAndStartsTheLoader) {
  Create();
  EXPECT_EQ(app->m_state, 1);
  EXPECT_EQ(app->m_level, 2);
  EXPECT_EQ(app->m_loadStep, 1);
  EXPECT_EQ(app->m_pauseDir, -1);
  EXPECT_EQ(app->m_pauseSlide, -64);
  EXPECT_EQ(app->m_settings[5], 1);
  EXPECT_EQ(app->m_channels[32], 32);
  EXPECT_EQ(app->m_particleMax, 250);
  EXPECT_EQ(vex_app_UpdateRate(), 60);
  EXPECT_EQ(app->m_devW, 640);
  EXPECT_EQ(app->m_font, 90);
  EXPECT_EQ(app->m_touchX[3], -3717);
}

TEST_F(FlowTest, SecondAppIsARuntimeError) {
  Create();
  EXPECT_EXIT(c_MyApp second(dev), testing::ExitedWithCode(255), "App has already been created");
}

TEST_F(FlowTest, LoaderRunsInsteadOfTheScreenFor24Updates) {
  Create();
  for (int i = 0; i < 23; ++i) Update();
  EXPECT_EQ(app->m_loadStep, 24);
  Update();
  EXPECT_EQ(app->m_loadStep, 0);
}

TEST_F(FlowTest, KeyLatchHoldsWhileAnyPlayerHoldsAnAction) {
  Create();
  FinishLoading();
  app->m_keyLatch = 1;
  dev->down = {256 + 32 * 3 + 5}; // right shoulder on the fourth pad
  Update();
  EXPECT_EQ(app->m_keyLatch, 1);
  dev->down = {87}; // W
  Update();
  EXPECT_EQ(app->m_keyLatch, 1);
  dev->down.clear();
  Update();
  EXPECT_EQ(app->m_keyLatch, 0);
}

TEST_F(FlowTest, OpenOptionsBoxKeepsBothLatchesSetWithNothingHeld) {
  Create();
  FinishLoading();
  app->m_optionsOpen = 1;
  Update();
  EXPECT_EQ(app->m_keyLatch, 1);
  EXPECT_EQ(app->m_touchLatch, 1);
  EXPECT_EQ(app->m_optionsSlide, 1);
  for (int i = 0; i < 40; ++i) Update();
  EXPECT_EQ(app->m_optionsSlide, 30);
  app->m_optionsOpen = 0;
  Update();
  EXPECT_EQ(app->m_optionsSlide, 29);
  for (int i = 0; i < 40 && app->m_optionsSlide > 0; ++i) Update();
  Update();
  EXPECT_EQ(app->m_optionsSlide, 0);
  EXPECT_EQ(app->m_keyLatch, 0);
  EXPECT_EQ(app->m_touchLatch, 0);
}

TEST_F(FlowTest, PressConsumedOnOneScreenDoesNotActOnTheNext) {
  Create();
  FinishLoading();
  dev->down = {13}; // enter held across a screen change
  app->m_keyLatch = 1;
  app->m_state = 11;
  Update();
  Update();
  EXPECT_EQ(app->m_keyLatch, 1);
  dev->down.clear();
  Update();
  EXPECT_EQ(app->m_keyLatch, 0);
}

TEST_F(FlowTest, FreshPressReportsEqualOldAndNewPointer) {
  Create(1280, 960); // two device pixels per unit
  FinishLoading();
  dev->mouseX = 100, dev->mouseY = 50;
  Update();
  dev->mouseX = 300, dev->mouseY = 201;
  dev->down = {1};
  Update();
  EXPECT_EQ(app->m_pointerX, 150);
  EXPECT_EQ(app->m_pointerY, 100);
  EXPECT_EQ(app->m_pointerOldX, 150);
  EXPECT_EQ(app->m_pointerOldY, 100);
  EXPECT_EQ(app->m_pointerDown, 1);
  dev->mouseX = 320;
  Update();
  EXPECT_EQ(app->m_pointerOldX, 150);
  EXPECT_EQ(app->m_pointerX, 160);
}

TEST_F(FlowTest, ClickBetweenTwoUpdatesIsHeldForOneUpdate) {
  Create();
  FinishLoading();
  dev->hits = {1};
  Update();
  EXPECT_EQ(app->m_pointerDown, 1) << "pressed and released before the update: still a tap";
  dev->hits.clear();
  Update();
  EXPECT_EQ(app->m_pointerDown, 0);
}

TEST_F(FlowTest, TouchPointsUpReadTheOmittedValueAndDownOnesSetThePointer) {
  Create();
  FinishLoading();
  dev->down = {384 + 2};
  dev->touchX[2] = 40.7f, dev->touchY[2] = 30;
  app->m_touchLatch = 1;
  Update();
  EXPECT_EQ(app->m_touchDown[2], 1);
  EXPECT_EQ(app->m_touchX[2], 40);
  EXPECT_EQ(app->m_pointerDown, 1);
  EXPECT_EQ(app->m_pointerWasDown, 0); // touches do not count as the mouse
  EXPECT_EQ(app->m_touchLatch, 1);
  EXPECT_EQ(app->m_touchX[0], -3717);
  EXPECT_EQ(app->m_touchY[9], -3717);
  dev->down.clear();
  Update();
  EXPECT_EQ(app->m_touchDown[2], 0);
  EXPECT_EQ(app->m_touchX[2], -3717);
  EXPECT_EQ(app->m_touchY[2], -3717);
  EXPECT_EQ(app->m_touchLatch, 0);
}

TEST_F(FlowTest, SuspendInAPuzzleComesBackPausedWithTheMenuIn) {
  Create();
  FinishLoading();
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

TEST_F(FlowTest, SuspendInTheMenuPausesNothing) {
  Create();
  FinishLoading();
  app->p_OnSuspend();
  app->p_OnResume();
  EXPECT_EQ(app->m_paused, 0);
  EXPECT_EQ(app->m_pauseDir, 0);
  EXPECT_EQ(app->m_pauseSlide, 0);
}

TEST_F(FlowTest, GlobalKeysToggleDebugAndCleanView) {
  Create();
  dev->hits = {112, 113};
  Update();
  EXPECT_EQ(vex_Tilemarch_DebugMode, 1);
  EXPECT_EQ(app->m_cleanView, 1);
  Update();
  EXPECT_EQ(vex_Tilemarch_DebugMode, 0);
}

TEST_F(FlowTest, DebugOverlayIsDrawnAfterTheScreen) {
  Create();
  FinishLoading();
  vex_Tilemarch_DebugMode = 1;
  Update();
  // Glyphs of the font slot on the line 16 units above the bottom edge.
  int glyphs = 0;
  for (int r = 0; r < Records(); ++r)
    if (Rec(r, 0) == 90 && Rec(r, 2) == vex_Tilemarch_jscrh - 11) ++glyphs;
  EXPECT_GT(glyphs, 3);
}

TEST_F(FlowTest, F4EndsTheProgramSilently) {
  Create();
  dev->hits = {115};
  EXPECT_EXIT(Update(), testing::ExitedWithCode(0), "");
}

TEST_F(FlowTest, MusicFollowsThePause) {
  Create();
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
  Create();
  FinishLoading();
  vex_Tilemarch_iCadeControls = 1;
  dev->chars = {'w'};
  Update();
  EXPECT_EQ(app->m_vButtons[0], 2);
  EXPECT_EQ(app->m_lastChar, 0);
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 1);
  Update();
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 1);
  dev->chars = {'E'};
  Update();
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
}

} // namespace

namespace {

TEST_F(FlowTest, LoadingAPuzzleSetsBothLatchesAndTheBoard) {
  Create();
  app->m_level = 1;
  app->m_grid[0] = 1; // a mark left from before
  app->p_GetLev(0);
  EXPECT_EQ(app->m_keyLatch, 1);
  EXPECT_EQ(app->m_touchLatch, 1);
  EXPECT_EQ(app->m_gridLast, 7);
  EXPECT_EQ(app->m_grid[0], 0);
  EXPECT_EQ(app->m_tmpF[98], 7200);
  EXPECT_EQ(app->m_tmpF[1], 4);
}

} // namespace

namespace {

TEST_F(FlowTest, ZeroSizedWindowKeepsPointerPositionsFinite) {
  Create();
  FinishLoading();
  Resize(0, 0);
  Render();
  dev->mouseX = 30, dev->mouseY = 40;
  Update();
  EXPECT_EQ(app->m_pointerX, 30);
  EXPECT_EQ(app->m_pointerY, 40);
}

} // namespace
