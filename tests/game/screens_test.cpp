// The screens over the map and a puzzle: the options box, the pause menu and
// the badge pop-ups; and what they draw with: particles and text.
#include "game/render.h"
#include "game_fixture.h"

namespace {

class Screens : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
  }
  // A puzzle paused as the board does on back, its menu slid fully in.
  void PauseAPuzzle() {
    app->m_level = 5;
    app->m_state = kStateStartPuzzle;
    Updates(2);
    Press({kKeyEscape});
    Updates(20);
  }
  void OpenOptions() {
    app->m_optionsOpen = 1;
    Updates(31);
  }
};

TEST_F(Screens, SoundRowCyclesTheModesWithTheTuneOnlyDuringAPuzzleAndSavesEachChange) {
  app->m_settings[kSettingSoundMode] = kSoundEffectsOnly;
  OpenOptions();
  Press({kKeyDown});
  Press({kKeyEnter});
  EXPECT_EQ(Parts()[kSettingSoundMode], std::to_string(kSoundMusicOnly));
  EXPECT_TRUE(dev->music.empty()) << "on the map the mode is only stored";
  Press({kKeyEscape});
  Updates(30);
  PauseAPuzzle();
  app->m_settings[kSettingSoundMode] = kSoundOff;
  app->p_StopTune();
  OpenOptions();
  dev->music.clear();
  const char *texts[] = {"Sound:SFX+Music", "Sound:SFX", "Sound:Music", "Sound:Off"};
  for (int i = 0; i < 4; ++i) {
    Hold({kKeyEnter});
    Updates(10); // held: one change
    EXPECT_NE(DrawnText().find(texts[i]), std::string::npos) << DrawnText();
    ASSERT_EQ(dev->music.size(), i + 1u);
    EXPECT_EQ(dev->music.back(), i % 2 ? "stop" : "sfx/testmusic.ogg");
    Release();
    Update();
  }
}

TEST_F(Screens, EachOptionRowChangesItsOwnSettingShowsAndSavesIt) {
  host->switchable = true;
  OpenOptions();
  struct Case {
    int row;
    const char *text, *left, *right; // the sticks' saved settings
  } cases[] = {
      {4, "LeftThumbstickYNormal", "1", "0"}, {5, "RightThumbstickYNormal", "1", "1"}, {2, "iCade:On", "1", "1"}};
  for (const Case &c : cases) {
    app->m_optionsRow = c.row;
    Press({kKeyEnter});
    EXPECT_NE(DrawnText().find(c.text), std::string::npos) << DrawnText();
    EXPECT_EQ(Parts()[kSettingLeftStickY], c.left) << c.text;
    EXPECT_EQ(Parts()[kSettingRightStickY], c.right) << c.text;
  }
  EXPECT_TRUE(host->KeyboardEnabled()) << "the iCade mapping reads the keyboard";
  app->m_optionsRow = 3;
  for (bool fullScreen : {true, false}) {
    Press({kKeyEnter});
    EXPECT_EQ(host->fullScreen, fullScreen);
    EXPECT_NE(DrawnText().find(fullScreen ? "Windowed" : "Fullscreen"), std::string::npos) << DrawnText();
  }
  app->m_optionsRow = 2;
  Press({kKeyEnter});
  EXPECT_FALSE(host->KeyboardEnabled());
}

TEST_F(Screens, PauseMenuSlidesInBackResumesAndQuitEndsThePuzzle) {
  PauseAPuzzle();
  EXPECT_EQ(app->m_pauseSlide, 248);
  EXPECT_NE(DrawnText().find("PAUSED"), std::string::npos);
  Press({kKeyEscape});
  int updates = 0;
  for (; app->m_paused == 1 && updates < 40; ++updates) Update();
  EXPECT_EQ(updates, 11) << "the menu slides out first";
  EXPECT_EQ(app->m_endState, 0);
  Press({kKeyEscape});
  Updates(20);
  for (auto [key, selection] :
       {std::pair{kKeyUp, -1}, {kKeyUp, -1}, {kKeyDown, 0}, {kKeyDown, 1}, {kKeyDown, 1}, {kKeyUp, 0}, {kKeyUp, -1}}) {
    Press({key});
    EXPECT_EQ(app->m_pauseSel, selection);
  }
  Press({kKeyEnter});
  EXPECT_EQ(app->m_paused, 0);
  EXPECT_EQ(app->m_endState, 1);
  EXPECT_EQ(app->m_endReason, kEndQuit);
  Updates(2);
  EXPECT_NE(DrawnText().find("QuitGame"), std::string::npos);
}

TEST_F(Screens, AButtonTakesTapsStrictlyInsideItsFrameAtItsScale) {
  PauseAPuzzle(); // resume: 32 x 32 icons at scale 2, centred on (72, 196)
  for (auto [x, y, hit] : {std::tuple{103, 196, true}, {104, 196, false}, {72, 227, true}, {72, 228, false}}) {
    dev->touchX[0] = static_cast<float>(x), dev->touchY[0] = static_cast<float>(y);
    Hold({kTouch0});
    Update();
    EXPECT_EQ(app->m_pauseDir, hit ? -1 : 1) << x << "," << y;
    Release();
    app->m_pauseDir = 1;
    Update();
  }
}

TEST_F(Screens, BadgeBannersSlideInStandAndLeaveWithIconsOnlyForTheFirst64) {
  auto banners = [&] {
    std::vector<float> x;
    for (int r : RecordsOf(kKindRect))
      if (Rec(r).w == 160 && Rec(r).h == 32) x.push_back(Rec(r).x);
    return x;
  };
  for (auto [slot, badge] : {std::pair{0, 3}, {2, 64}, {13, 0}, {14, 0}}) {
    app->m_badgeShow[slot] = badge;
    app->m_badgeTimer[slot] = 1;
  }
  Update();
  EXPECT_EQ(banners(), (std::vector<float>{-128, -128})); // slots 13 and 14 are never shown
  ASSERT_EQ(RecordsOf(kBadgesSlot).size(), 1u);
  EXPECT_EQ(Rec(RecordsOf(kBadgesSlot)[0]).frame, 3);
  EXPECT_NE(DrawnText().find("OddBadge"), std::string::npos);
  for (auto [updates, x] : {std::pair{8, 0.f}, {230, -160.f}, {1, -176.f}}) {
    Updates(updates);
    EXPECT_EQ(banners(), std::vector<float>(2, x)) << updates;
  }
  Update();
  EXPECT_TRUE(banners().empty());
}

TEST_F(Screens, ParticlesFadeWithTheirLifeAndCellFlashesTakeTheCellBelowAndLeft) {
  auto place = [&](int i, float type, float x, float y, float life) {
    float *p = app->m_particles.Data() + i * 10;
    std::fill(p, p + 10, 0.0f);
    p[0] = type, p[1] = x, p[2] = y, p[7] = life;
  };
  place(0, 1, 50, 60, 1.5f);
  for (auto [updates, alpha] : {std::pair{1, 1.0f}, {59, 0.91f}}) {
    for (int i = 0; i < updates; ++i) app->m_drawCount = 0, app->p_DoParticles(1);
    EXPECT_NEAR(Rec(0).alpha, alpha, 1e-4f);
  }
  place(0, 16, 37, 21, 1);
  place(1, 16, -1, 5, 1);
  place(2, 5, 0, 0, 0.005f);
  app->m_camX = 5;
  app->m_drawCount = 0;
  app->p_DoParticles(1);
  ASSERT_EQ(Records(), 3);
  EXPECT_EQ(Rec(0).x, 32);
  EXPECT_EQ(Rec(0).y, 16);
  EXPECT_EQ(Rec(1).x, -16);
  EXPECT_EQ(app->m_particles[20], 0); // spent records are freed
}

TEST_F(Screens, AFullDisplayListKeepsItsRecordsAndDropsFurtherOnes) {
  app->p_DoBG(0, 0, 0, 1);
  for (int i = 0; i < 2600; ++i) app->p_Rect(static_cast<float>(i), 0, 1, 1);
  ASSERT_EQ(Records(), 2500);
  EXPECT_EQ(Rec(2499).x, 2499);
}

TEST_F(Screens, ALineBreakStartsOneCellAlongAndOneLineDown) {
  app->p_DoBG(0, 0, 0, 1);
  app->p_Text(0, 0, "a c\\nd", 0, 1, 0);
  ASSERT_EQ(Records(), 3);
  EXPECT_EQ(Rec(1).x, 14);
  EXPECT_EQ(Rec(1).frame, 'c' - 32);
  EXPECT_NEAR(Rec(2).x, 7, 1e-3);
  EXPECT_NEAR(Rec(2).y, 10, 1e-3);
}

} // namespace
