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
  // p_PlayKey(action, 0, player) with only a key held.
  int With(int key, int action, int player) {
    Hold({key});
    return app->p_PlayKey(action, 0, player);
  }
};

TEST_F(ControlsTest, KeysPadsAndBackKeysAnswerTheirPlayers) {
  EXPECT_EQ(With(87, 0, 0), 1);
  EXPECT_EQ(With(87, 0, -1), 1);
  EXPECT_EQ(With(87, 8, 0), 0);
  EXPECT_EQ(With(87, 0, -2), 0);
  EXPECT_EQ(With(87, 0, 4), 0);
  EXPECT_EQ(With(Pad(2, 0), 10, 2), 1);
  EXPECT_EQ(With(Pad(2, 0), 10, 1), 0);
  EXPECT_EQ(With(Pad(2, 0), 10, -1), 0);
  for (int key : {27, 192, 46, 8}) {
    EXPECT_EQ(With(key, 99, 0), 1) << key;
    EXPECT_EQ(With(key, 98, -1), 0) << key;
  }
  for (int button : {6, 7, 14}) EXPECT_EQ(With(Pad(1, button), 99, 1), 1) << button;
  Hold({Pad(0, 3), Pad(2, 3)});
  EXPECT_EQ(app->p_PlayKeyAll(13, 0), 2);
  Hold({86});
  EXPECT_EQ(app->p_PlayKeyAll(13, 0), 4);
  Release();
  app->m_vButtons[14] = 2;
  EXPECT_EQ(app->p_PlayKey(14, 0, 3), 1);
}

TEST_F(ControlsTest, CabinetMappingDropsLettersAndTheBacktick) {
  vex_Tilemarch_iCadeControls = 1;
  EXPECT_EQ(With(87, 0, 0), 0);
  for (int key : {27, 46, 8}) {
    EXPECT_EQ(With(key, 99, 0), 1) << key;
    EXPECT_EQ(With(key, 98, 0), 0) << key;
  }
  EXPECT_EQ(With(192, 99, 0), 0);
  EXPECT_EQ(With(13, 10, -1), 1);
  Release();
  app->m_vButtons[13] = 2;
  EXPECT_EQ(app->p_PlayKey(13, 0, -1), 2); // the virtual value itself
  dev->joyY[0] = 0.9f;                     // the stick is not used
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
}

TEST_F(ControlsTest, CabinetModeSwallowsCharactersAndTakesTheKeyboard) {
  app->p_iCadeChar('L');
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
  app->m_settings[15] = 1;
  EXPECT_EQ(app->p_PlayKey(0, 1, 0), 0);
  EXPECT_EQ(app->p_PlayKey(8, 1, 0), 1);
  dev->joyX[1] = -0.41f;
  EXPECT_EQ(app->p_PlayKey(3, 1, 1), 1);
  EXPECT_EQ(app->p_PlayKey(3, 1, -1), 0);
  EXPECT_FLOAT_EQ(app->p_StickY(0, -1), 0);
}

TEST_F(ControlsTest, StickDeadZoneAndHeldDirectionRampThatDecaysAfterRelease) {
  dev->joyX[0] = 0.19f;
  dev->joyY[0] = -0.2f;
  app->p_AnalogueControl();
  EXPECT_EQ(app->m_analogX, 0);
  EXPECT_EQ(app->m_analogY, 0);
  dev->joyX[0] = 0.21f;
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogX, 0.21f);
  EXPECT_FLOAT_EQ(app->m_analogY, 0.2f);
  dev->joyX[0] = dev->joyY[0] = 0;
  Hold({kKeyRight});
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogX, 0.15f);
  Hold({kKeyUp});
  for (int i = 0; i < 10; ++i) app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogX, 0);
  EXPECT_FLOAT_EQ(app->m_analogY, -1);
  Release();
  app->p_AnalogueControl();
  EXPECT_FLOAT_EQ(app->m_analogY, -0.8f);
}

TEST_F(ControlsTest, TouchBoxReachesSixUnitsLeftAndTwelveRight) {
  app->p_DoBG(0, 0, 0, 1);
  app->m_touchDown[0] = 1;
  app->m_touchY[0] = 110;
  for (auto [x, hit] : {std::pair{79, 1}, {78, 0}, {135, 1}, {136, 0}}) {
    app->m_touchX[0] = static_cast<float>(x);
    EXPECT_EQ(app->p_Touch(84, 100, 40, 24), hit) << x;
  }
  EXPECT_EQ(Records(), 4);
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
  EXPECT_EQ(Rec(0, 6), 3);
}

} // namespace
