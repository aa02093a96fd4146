// The update skeleton and what it reads: creation, the staged loader and its
// picture variants, player actions from keys, pads, sticks and the cabinet,
// the latches and the pointer (suspend is walked in the shipped game's test).
#include <algorithm>

#include "game_fixture.h"
#include "net/async_event.h"

namespace {

using Flow = GameTest;

TEST_F(Flow, LoaderFillsEverySlotInTwentyFourUpdatesAtTheWindowsVariantWithoutAGreeting) {
  const size_t sources = vex_asyncevent__sources.size();
  Create(1280, 720);
  EXPECT_EQ(app->m_httpRequest, nullptr); // the greeting is off
  EXPECT_EQ(vex_asyncevent__sources.size(), sources);
  EXPECT_EXIT(c_MyApp second(dev), testing::ExitedWithCode(255), "App has already been created");
  Update();
  EXPECT_EQ(DrawnText(), "Loading...");
  Updates(23);
  EXPECT_EQ(app->m_loadStep, 0);
  for (int slot : {1, 11, 24, 80, 90, 95, 96, 97, 98, 99}) EXPECT_TRUE(app->m_images[slot] != nullptr) << slot;
  auto loaded = [&](const char *name) { return std::count(dev->imagesLoaded.begin(), dev->imagesLoaded.end(), name); };
  EXPECT_EQ(loaded("sheet14-hd2.png"), 1);
  Resize(800, 600); // reloads at its variant once the size has settled, without the logo jingle again
  Render();
  Updates(10);
  FinishLoading();
  EXPECT_EQ(loaded("sheet14-hd.png") * 10 + dev->Plays(), 11);
  app.reset();
  dev->allFilesExist = false; // missing files leave empty slots that keep their cells
  Create(630, 470);
  FinishLoading();
  EXPECT_EQ(loaded("blocks.png") * 1000 + app->m_imageInfo[95 * 3], 1064);
  app->p_PlaySFX(99, 1);
  EXPECT_EQ(dev->Plays(), 1);
}

TEST_F(Flow, ActionsAnswerKeysPadsSticksAndTheCabinetForTheirPlayersAndHoldTheLatch) {
  StartWith();
  auto with = [&](int key, int action, int player) {
    Hold({key});
    return app->p_PlayKey(action, 0, player);
  };
  const struct {
    int key, action, player, expected;
  } cases[] = {{87, 0, 0, 1},        {87, 0, -1, 1}, {87, 8, 0, 0},   {87, 0, 4, 0},  {256 + 64, 10, 2, 1},
               {256 + 64, 10, 1, 0}, {27, 99, 0, 1}, {192, 99, 0, 1}, {8, 98, -1, 0}, {256 + 32 + 14, 99, 1, 1}};
  for (auto c : cases) EXPECT_EQ(with(c.key, c.action, c.player), c.expected) << c.key << " " << c.action;
  app->m_keyLatch = 1;
  for (int key : {256 + 32 * 3 + 5, 87}) { // the latch holds while any player holds an action
    Hold({key});
    Update();
    EXPECT_EQ(app->m_keyLatch, 1) << key;
  }
  Release();
  Update();
  EXPECT_EQ(app->m_keyLatch, 0);
  dev->joyY[0] = 0.5f; // raw y up, in mode 1 only; setting 15 flips it
  EXPECT_EQ(app->p_PlayKey(0, 1, 0) * 10 + app->p_PlayKey(0, 0, 0), 10);
  app->m_settings[15] = 1;
  EXPECT_EQ(app->p_PlayKey(0, 1, 0) * 10 + app->p_PlayKey(8, 1, 0), 1);
  dev->joyY[0] = 0;
  vex_Tilemarch_iCadeControls = 1; // the cabinet drops letters and the backtick
  EXPECT_EQ(with(87, 0, 0) * 100 + with(192, 99, 0) * 10 + with(13, 10, -1), 1);
}

} // namespace
