// The options box: the sound cycle and the tune, one change per press or tap,
// closing, key navigation, the slide-in during which input is ignored.
#include "game_fixture.h"

namespace {

class OptionsTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
  }
};

// Top of row k's bar when the box is fully in.
float RowY(int k) { return 130.0f + 40.0f * static_cast<float>(k - 1); }

TEST_F(OptionsTest, SoundCycleStopsAndRestartsTheTuneDuringAPuzzle) {
  PlayAndPause();
  ASSERT_EQ(app->m_musicOn, 1);
  app->m_settings[5] = 0;
  app->p_StopTune();
  OpenOptions();
  Press({kKeyDown});
  ASSERT_EQ(app->m_optionsRow, 1);
  dev->musicPlayed.clear();

  // Each step starts or stops the tune as the new mode has music or not.
  const char *texts[] = {"Sound:SFX+Music", "Sound:SFX", "Sound:Music", "Sound:Off"};
  const int modes[] = {1, 2, 3, 0};
  for (int i = 0; i < 4; ++i) {
    Hold({kKeyEnter});
    Update();
    EXPECT_EQ(app->m_settings[5], modes[i]);
    EXPECT_NE(DrawnText().find(texts[i]), std::string::npos) << DrawnText();
    ASSERT_EQ(dev->musicPlayed.size(), i + 1u);
    EXPECT_EQ(dev->musicPlayed.back(), i % 2 ? "stop" : "sfx/testmusic.ogg");
    EXPECT_EQ(app->m_musicOn, modes[i] % 2);
    Release();
    Update();
  }
}

TEST_F(OptionsTest, MusicChosenOnTheMapIsOnlyStored) {
  app->m_settings[5] = 2;
  OpenOptions();
  Press({kKeyDown});
  Press({kKeyEnter});
  EXPECT_EQ(app->m_settings[5], 3);
  EXPECT_TRUE(dev->musicPlayed.empty());
  EXPECT_EQ(app->m_musicOn, 0);
}

TEST_F(OptionsTest, HeldKeyOrHeldTouchChangesARowOnce) {
  OpenOptions();
  Press({kKeyDown});
  Hold({kKeyEnter});
  Updates(10);
  EXPECT_EQ(app->m_settings[5], 2);
  Release();
  Update();
  Press({kKeyEnter});
  EXPECT_EQ(app->m_settings[5], 3);

  // A tap on the left stick's bar selects it and flips the axis in one go.
  ASSERT_EQ(app->m_settings[15], 0);
  for (int i = 0; i < 5; ++i) TouchAt(300, RowY(4) + 10);
  EXPECT_EQ(app->m_optionsRow, 4);
  EXPECT_EQ(app->m_settings[15], 1);
  EXPECT_NE(DrawnText().find("LeftThumbstickYNormal"), std::string::npos);
  Release();
  Update();
  Tap(300, RowY(4) + 10);
  EXPECT_EQ(app->m_settings[15], 0);
  EXPECT_EQ(app->m_optionsOpen, 1);
}

TEST_F(OptionsTest, BackClosesFromAnyRowButtonsOnlyFromTheHeader) {
  OpenOptions();
  for (int i = 0; i < 4; ++i) Press({kKeyDown});
  ASSERT_EQ(app->m_optionsRow, 4);
  Press({kKeyN}); // action 15 on a row changes that row
  EXPECT_EQ(app->m_settings[15], 1);
  EXPECT_EQ(app->m_optionsOpen, 1);
  size_t saves = host->saves.size();
  Press({kKeyEscape});
  EXPECT_EQ(app->m_optionsOpen, 0);
  EXPECT_EQ(host->saves.size(), saves + 1);
  EXPECT_EQ(SavedPart(Saved(), 15), "1");

  // The row is kept for the next opening; from the header 10, 11 and 15 close.
  Updates(30);
  ASSERT_EQ(app->m_optionsSlide, 0);
  for (int key : {kKeyEnter, kKeyX, kKeyN}) {
    OpenOptions();
    EXPECT_EQ(app->m_optionsRow, 4);
    for (int i = 0; i < 5; ++i) Press({kKeyUp});
    ASSERT_EQ(app->m_optionsRow, 0);
    Press({key});
    EXPECT_EQ(app->m_optionsOpen, 0) << key;
    Updates(30);
    app->m_optionsRow = 4;
  }
}

TEST_F(OptionsTest, NavigationStopsAtTheFirstAndLastRows) {
  OpenOptions();
  Press({kKeyUp});
  EXPECT_EQ(app->m_optionsRow, 0);
  for (int i = 0; i < 8; ++i) Press({kKeyRight});
  EXPECT_EQ(app->m_optionsRow, 5);
  EXPECT_EQ(app->m_optionsRows, 5);
  Press({kKeyLeft});
  EXPECT_EQ(app->m_optionsRow, 4);
  // The map under the box did not move.
  EXPECT_EQ(app->m_menuX, 6);
}

TEST_F(OptionsTest, InputDuringTheSlideInIsIgnored) {
  app->m_optionsOpen = 1;
  Updates(20);
  // Fresh presses and a fresh tap late in the slide: none of them acts.
  Press({kKeyDown});
  Press({kKeyEnter});
  Tap(300, RowY(3) + 10);
  Press({kKeyEscape});
  EXPECT_EQ(app->m_optionsSlide, 28);
  EXPECT_EQ(app->m_optionsRow, 0);
  EXPECT_EQ(app->m_settings[5], 1);
  EXPECT_EQ(app->m_optionsOpen, 1);
  Updates(2);
  Press({kKeyDown});
  EXPECT_EQ(app->m_optionsRow, 1);
}

TEST_F(OptionsTest, ICadeRowSwitchesTheCabinetMapping) {
  OpenOptions();
  Press({kKeyDown});
  Press({kKeyDown});
  app->m_vButtons[10] = 2;
  Press({kKeyEnter});
  EXPECT_EQ(vex_Tilemarch_iCadeControls, 1);
  EXPECT_EQ(app->m_vButtons[10], 0);
  EXPECT_NE(DrawnText().find("iCade:On"), std::string::npos);
  Press({kKeyEnter}); // space and enter still answer 10 with the mapping on
  EXPECT_EQ(vex_Tilemarch_iCadeControls, 0);
}

TEST_F(OptionsTest, SoundModesOutOfRangeShowAndStoreAsOff) {
  app->m_settings[5] = 9;
  app->m_optionsOpen = 1;
  Update();
  EXPECT_EQ(app->m_settings[5], 0);
  app->m_settings[5] = -4;
  Update();
  EXPECT_EQ(app->m_settings[5], 0);
  EXPECT_NE(DrawnText().find("Sound:Off"), std::string::npos);

  vex_Tilemarch_HasMusicStream = 0;
  app->m_settings[5] = 2;
  Updates(30);
  EXPECT_EQ(app->m_settings[5], 0);
  Press({kKeyDown});
  Press({kKeyEnter});
  EXPECT_EQ(app->m_settings[5], 1);
  EXPECT_NE(DrawnText().find("Sound:On"), std::string::npos);
  Press({kKeyEnter});
  EXPECT_EQ(app->m_settings[5], 0);
  EXPECT_TRUE(dev->musicPlayed.empty());
}

TEST_F(OptionsTest, GearHeaderTapCloses) {
  OpenOptions();
  Tap(100, 60);
  EXPECT_EQ(app->m_optionsOpen, 0);
  // While it slides out the box is drawn but takes nothing.
  Press({kKeyDown});
  EXPECT_EQ(app->m_optionsRow, 0);
  EXPECT_GT(app->m_optionsSlide, 0);
}

} // namespace
