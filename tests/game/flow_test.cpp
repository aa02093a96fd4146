// Creation and the staged loader: its picture variants, and missing files.
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

} // namespace
