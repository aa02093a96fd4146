// Player actions from keyboard, pads, sticks and the cabinet; the analogue
// ramps; the pointer hit tests.
#include "game_fixture.h"

namespace {

class ControlsTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Create();
  }
  static int Pad(int player, int button) { return 256 + 32 * player + button; }
};

TEST_F(ControlsTest, KeysPadsAndVirtualButtonsAnswerTheirRows) {
  dev->down = {87};
  EXPECT_EQ(app->p_PlayKey(0, 0, 0), 1);
  EXPECT_EQ(app->p_PlayKey(0, 0, -1), 1);
  EXPECT_EQ(app->p_PlayKey(8, 0, 0), 0);
  dev->down = {Pad(2, 0)};
  EXPECT_EQ(app->p_PlayKey(10, 0, 2), 1);
  EXPECT_EQ(app->p_PlayKey(10, 0, 1), 0);
  EXPECT_EQ(app->p_PlayKey(10, 0, -1), 0);
  dev->down.clear();
  app->m_vButtons[14] = 2;
  EXPECT_EQ(app->p_PlayKey(14, 0, 3), 1);
  EXPECT_EQ(app->p_PlayKey(16, 0, 0), 0); // only a virtual button
  EXPECT_EQ(app->p_PlayKey(0, 0, -2), 0);
  EXPECT_EQ(app->p_PlayKey(0, 0, 4), 0);
}

TEST_F(ControlsTest, EveryBackKeyAnswersNinetyNine) {
  for (int key : {27, 192, 46, 8}) {
    dev->down = {key};
    EXPECT_EQ(app->p_PlayKey(99, 0, 0), 1) << key;
    EXPECT_EQ(app->p_PlayKey(98, 0, 0), 1) << key;
    EXPECT_EQ(app->p_PlayKey(98, 0, -1), 0) << key;
  }
  for (int button : {6, 7, 14}) {
    dev->down = {Pad(1, button)};
    EXPECT_EQ(app->p_PlayKey(99, 0, 1), 1) << button;
  }
}

TEST_F(ControlsTest, CabinetMappingDropsLettersAndTheBacktick) {
  vex_Tilemarch_iCadeControls = 1;
  dev->down = {87};
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
  for (int key : {27, 46, 8}) {
    dev->down = {key};
    EXPECT_EQ(app->p_PlayKey(99, 0, 0), 1) << key;
    EXPECT_EQ(app->p_PlayKey(98, 0, 0), 0) << key;
  }
  dev->down = {192};
  EXPECT_EQ(app->p_PlayKey(99, 0, 0), 0);
  dev->down = {13};
  EXPECT_EQ(app->p_PlayKey(10, 0, -1), 1);
  dev->down.clear();
  app->m_vButtons[13] = 2;
  EXPECT_EQ(app->p_PlayKey(13, 0, -1), 2); // the virtual value itself
  EXPECT_EQ(app->p_PlayKey(13, 0, 0), 1);
  dev->joyY[0] = 0.9f; // the stick is not used
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
}

TEST_F(ControlsTest, CabinetLettersPressAndReleaseVirtualButtons) {
  app->p_iCadeChar('w');
  EXPECT_EQ(app->m_vButtons[0], 2);
  app->p_iCadeChar('L');
  EXPECT_EQ(app->m_vButtons[17], 2);
  app->p_iCadeChar('e');
  EXPECT_EQ(app->m_vButtons[0], 0);
  app->p_iCadeChar('!');
  EXPECT_EQ(app->m_vButtons[17], 2);
  dev->chars = {'a', 'b'};
  app->p_iCade(1);
  EXPECT_TRUE(dev->chars.empty());
  EXPECT_EQ(app->m_lastChar, 0);
  EXPECT_TRUE(host->KeyboardEnabled());
  app->p_iCade(0);
  EXPECT_EQ(app->m_vButtons[17], 0);
  EXPECT_FALSE(host->KeyboardEnabled());
}

TEST_F(ControlsTest, StickCountsInModeOneWithTheFlipSetting) {
  dev->joyY[0] = 0.5f; // raw y up the axis
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 1);
  EXPECT_EQ(app->p_PlayKey(0, 0, 0), 0);
  EXPECT_EQ(app->p_PlayKey(8, 1, 0), 0);
  app->m_settings[15] = 1;
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
  EXPECT_EQ(app->p_PlayKey(8, 1, 0), 1);
  dev->joyX[1] = -0.41f;
  EXPECT_EQ(app->p_PlayKey(3, 1, 1), 1);
  EXPECT_EQ(app->p_PlayKey(3, 1, -1), 0);
  EXPECT_FLOAT_EQ(app->p_StickY(0, -1), 0);
}

TEST_F(ControlsTest, PlayKeyAllCountsThePlayersHoldingIt) {
  dev->down = {Pad(0, 3), Pad(2, 3)};
  EXPECT_EQ(app->p_PlayKeyAll(13, 0), 2);
  dev->down = {86};
  EXPECT_EQ(app->p_PlayKeyAll(13, 0), 4);
}

TEST_F(ControlsTest, StickInsideTheDeadZoneLeavesNoPush) {
  dev->joyX[0] = 0.19f;
  dev->joyY[0] = -0.2f;
  app->p_AnalogueControl();
  EXPECT_EQ(app->m_analogX, 0);
  EXPECT_EQ(app->m_analogY, 0);
  dev->joyX[0] = 0.21f;
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogX, 0.21f);
  EXPECT_FLOAT_EQ(app->m_analogY, 0.2f);
}

TEST_F(ControlsTest, HeldDirectionRampsAndDecaysAfterRelease) {
  dev->down = {39};
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogX, 0.15f);
  dev->down.clear();
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogX, 0);
  EXPECT_FLOAT_EQ(app->m_rampX, 0);
  dev->down = {38};
  for (int i = 0; i < 10; ++i) app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogY, -1);
  EXPECT_FLOAT_EQ(app->m_rampY, -1);
  dev->down.clear();
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogY, -0.8f);
}

TEST_F(ControlsTest, TouchBoxReachesSixUnitsLeftAndTwelveRight) {
  app->p_DoBG(0, 0, 0, 1);
  app->m_touchDown[0] = 1;
  app->m_touchY[0] = 110;
  app->m_touchX[0] = 79;
  EXPECT_EQ(app->p_Touch(84, 100, 40, 24), 1);
  app->m_touchX[0] = 78;
  EXPECT_EQ(app->p_Touch(84, 100, 40, 24), 0);
  app->m_touchX[0] = 135;
  EXPECT_EQ(app->p_Touch(84, 100, 40, 24), 1);
  app->m_touchX[0] = 136;
  EXPECT_EQ(app->p_Touch(84, 100, 40, 24), 0);
  EXPECT_EQ(Records(), 4);
  EXPECT_EQ(Rec(0, 0), -3717);
  // A point that is up never hits, even where its coordinates lie.
  app->m_touchDown[0] = 0;
  app->m_touchX[0] = 100;
  EXPECT_EQ(app->p_Touch(84, 100, 40, 24), 0);
  EXPECT_EQ(app->p_MouseIn_Centered(100, 110, 10, 10), 0);
}

TEST_F(ControlsTest, ButtonsHitWithinTheirScaledCell) {
  app->p_DoBG(0, 0, 0, 1);
  app->m_imageInfo[95 * 3] = 128; // 64 x 64 cells at double resolution
  app->m_imageInfo[95 * 3 + 1] = 128;
  app->m_imageScale = 0.5f;
  app->p_SetSize(2);
  app->m_pointerDown = 1;
  app->m_touchDown[4] = 1;
  app->m_touchX[4] = 163;
  app->m_touchY[4] = 100;
  EXPECT_EQ(app->p_Button(95, 100, 100, 3), 1);
  EXPECT_FALSE(app->p_Button0(95, 100, 100, 3)); // only touch point 0 counts
  app->m_touchX[4] = 164;
  EXPECT_EQ(app->p_Button(95, 100, 100, 3), 0);
  app->m_touchDown[0] = 1;
  app->m_touchX[0] = 40;
  app->m_touchY[0] = 100;
  EXPECT_TRUE(app->p_Button0(95, 100, 100, 3));
  app->m_pointerDown = 0;
  EXPECT_FALSE(app->p_Button0(95, 100, 100, 3));
  EXPECT_EQ(Records(), 5);
  EXPECT_EQ(Rec(0, 0), 95);
  EXPECT_EQ(Rec(0, 6), 3);
}

} // namespace
