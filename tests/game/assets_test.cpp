// Resolution variants, the staged loader and its loading screen, sound effect
// names and channels, and the tune following the sound mode.
#include <algorithm>

#include "game/assets.h"
#include "game_fixture.h"

namespace {

TEST(AssetNamesTest, VariantFollowsTheLargerSide) {
  EXPECT_EQ(ResolutionLevel(1280, 720, true), 4);
  EXPECT_EQ(ResolutionLevel(640, 480, true), 2);
  EXPECT_EQ(ResolutionLevel(630, 470, true), 1);
  EXPECT_EQ(ResolutionLevel(480, 1231, true), 4);
  EXPECT_EQ(ResolutionLevel(1280, 720, false), 1);
  EXPECT_EQ(PicturePath("sheet3", 4).ToUtf8(), "sheet3-hd2.png");
  EXPECT_EQ(PicturePath("sheet3", 1).ToUtf8(), "sheet3.png");
  EXPECT_EQ(SfxPath(7).ToUtf8(), "sfx/007.wav");
  EXPECT_EQ(SfxPath(120).ToUtf8(), "sfx/120.wav");
}

using AssetsTest = GameTest;

bool Loaded(const std::vector<std::string> &names, const std::string &name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_F(AssetsTest, WindowSizePicksTheVariantOfEveryFile) {
  Create(1280, 720);
  FinishLoading();
  EXPECT_TRUE(Loaded(dev->imagesLoaded, "sheet14-hd2.png"));
  EXPECT_FLOAT_EQ(app->m_imageScale, 0.25f);
  EXPECT_EQ(app->m_imageInfo[24 * 3], 256);
  // The font keeps its advance and line height in virtual units.
  EXPECT_EQ(app->m_imageInfo[90 * 3], 7);
  EXPECT_EQ(app->m_imageInfo[90 * 3 + 1], 10);
  app.reset();
  Create(630, 470);
  FinishLoading();
  EXPECT_TRUE(Loaded(dev->imagesLoaded, "blocks.png"));
  EXPECT_EQ(app->m_imageInfo[1 * 3], 12);
}

TEST_F(AssetsTest, LoaderFillsEverySlotInTwentyFourUpdates) {
  Create();
  EXPECT_EQ(dev->imagesLoaded.size(), 2u); // logo and font
  Updates(23);
  EXPECT_EQ(app->m_loadStep, 24);
  Update();
  EXPECT_EQ(app->m_loadStep, 0);
  for (int slot : {1, 11, 24, 80, 81, 85, 86, 90, 93, 94, 95, 96, 97, 98, 99})
    EXPECT_TRUE(app->m_images[slot] != nullptr) << slot;
  for (int slot : {96, 1, 98, 99, 95}) EXPECT_TRUE(app->m_sounds[slot] != nullptr) << slot;
}

TEST_F(AssetsTest, MissingFilesLeaveSlotsEmptyButRecordTheirCells) {
  dev->allFilesExist = false;
  Create();
  FinishLoading();
  EXPECT_TRUE(app->m_images[95] == nullptr);
  EXPECT_EQ(app->m_imageInfo[95 * 3], 128);
  EXPECT_TRUE(app->m_sounds[99] == nullptr);
  app->p_PlaySFX(99, 1);
  EXPECT_TRUE(dev->audio.empty());
}

TEST_F(AssetsTest, LoadingScreenShowsThreeRingsTheLogoAndText) {
  Create();
  Update();
  EXPECT_EQ(RecordsOf(-3716).size(), 33u);
  EXPECT_EQ(RecordsOf(93, 2).size(), 1u); // the logo at scale 2
  EXPECT_EQ(DrawnText(), "Loading...");
  EXPECT_EQ(Rec(0, 10), 0); // the first ring is blue, fading in from alpha 0
  EXPECT_EQ(Rec(0, 7), 0);
}

TEST_F(AssetsTest, LogoJinglePlaysOncePerRunNotOnAResize) {
  Create();
  FinishLoading();
  EXPECT_EQ(dev->Plays(), 1);
  Resize(800, 600);
  Render();
  EXPECT_EQ(app->m_loadStep, 1);
  FinishLoading();
  EXPECT_EQ(dev->Plays(), 1);
  EXPECT_TRUE(Loaded(dev->imagesLoaded, "sheet1-hd.png"));
}

TEST_F(AssetsTest, TwentyFiveEffectsInOneUpdateReuseTheFirstChannel) {
  Create();
  FinishLoading();
  dev->audio.clear();
  for (int i = 0; i < 25; ++i) app->p_PlaySFX(98, 1.5f, 0.5f, -1);
  std::vector<int> played;
  for (auto &c : dev->audio)
    if (c.what == "play") played.push_back(c.channel);
  ASSERT_EQ(played.size(), 25u);
  EXPECT_EQ(played[1], played[0] + 1);
  EXPECT_EQ(played[24], played[0]); // the first effect's channel is stopped and reused
  EXPECT_EQ(dev->audio[dev->audio.size() - 5].what, "stop");
  EXPECT_EQ(dev->audio.back().value, -1);
}

TEST_F(AssetsTest, SoundModesChooseEffectsOrMusic) {
  Create();
  FinishLoading();
  dev->audio.clear();
  app->m_settings[5] = 3;
  app->p_PlaySFX(98, 1);
  EXPECT_TRUE(dev->audio.empty());
  app->p_PlayTune("testmusic", 1);
  EXPECT_EQ(dev->musicPlayed.back(), "sfx/testmusic.ogg");
  EXPECT_EQ(app->m_musicOn, 1);

  app->m_settings[5] = 2;
  app->p_StopTune();
  dev->musicPlayed.clear();
  app->p_PlayTune("other", 1);
  EXPECT_TRUE(dev->musicPlayed.empty());
  EXPECT_EQ(app->m_tuneName.ToUtf8(), "other");
  EXPECT_EQ(app->m_musicOn, 0);
  app->p_PlaySFX(98, 1);
  EXPECT_FALSE(dev->audio.empty());
}

TEST_F(AssetsTest, CurrentTuneRestartsFromTheBeginning) {
  Create();
  app->p_PlayTune("-1", 1); // nothing played yet: nothing to restart
  EXPECT_TRUE(dev->musicPlayed.empty());
  app->p_PlayTune("testmusic", 1);
  app->p_PlayTune("-1", 1);
  EXPECT_EQ(dev->musicPlayed, (std::vector<std::string>{"sfx/testmusic.ogg", "stop", "sfx/testmusic.ogg"}));
  vex_Tilemarch_HasMusicStream = 0;
  app->p_PlayTune("testmusic", 1);
  EXPECT_EQ(dev->musicPlayed.size(), 3u);
}

} // namespace
