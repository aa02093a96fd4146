// The staged loader: every slot at the size's picture variant, missing files
// kept as empty slots, and on a change of size one reload once it has settled,
// every picture drawn at the scale it was loaded at meanwhile.
#include <algorithm>

#include "game_fixture.h"
#include "net/async_event.h"

namespace {

// Device scales of the draws of the newest font, times its resolution.
class FontScales : public FakeDevices {
public:
  GameImage font;
  float level = 1;
  std::vector<float> drawn;

  GameImage LoadImage(const String &path, int w, int h, int frames, int flags) override {
    GameImage image = FakeDevices::LoadImage(path, w, h, frames, flags);
    if (std::string name = path.ToUtf8(); name.starts_with("fonts/"))
      font = image, level = name.ends_with("-hd2.png") ? 4 : name.ends_with("-hd.png") ? 2 : 1;
    return image;
  }
  void DrawImage(const GameImage &image, float, float, float, float scaleX, float, int) override {
    if (image == font) drawn.push_back(scaleX * level);
  }
};

using ResizeTest = GameTest;

TEST_F(ResizeTest, LoaderFillsEverySlotInTwentyFourUpdatesAtTheWindowsVariantWithoutAGreeting) {
  const size_t sources = vex_asyncevent__sources.size();
  Create(1280, 720);
  EXPECT_EQ(app->m_httpRequest, nullptr); // the greeting is off
  EXPECT_EQ(vex_asyncevent__sources.size(), sources);
  Update();
  EXPECT_EQ(DrawnText(), "Loading...");
  Updates(23);
  EXPECT_EQ(app->m_loadStep, 0);
  for (int slot : {kBlocksSlot, kFirstSheetSlot, kLastSheetSlot, kBadgesSlot, kFontSlot, kButtonsSlot, kParticlesSlot,
                   kIconsSlot, kTitleLogoSlot, kMenuSheetSlot})
    EXPECT_TRUE(app->m_images[slot] != nullptr) << slot;
  auto loaded = [&](const char *name) { return std::count(dev->imagesLoaded.begin(), dev->imagesLoaded.end(), name); };
  EXPECT_EQ(loaded("sheet14-hd2.png"), 1);
  Resize(800, 600); // reloads at its variant once the size has settled, without the logo jingle again
  Render();
  Updates(10);
  FinishLoading();
  EXPECT_EQ(loaded("sheet14-hd.png"), 1);
  EXPECT_EQ(dev->Plays(), 1) << "the logo jingle once";
  app.reset();
  dev->allFilesExist = false; // missing files leave empty slots that keep their cells
  Create(630, 470);
  FinishLoading();
  EXPECT_EQ(loaded("blocks.png"), 1);
  EXPECT_EQ(app->m_imageInfo[kButtonsSlot * 3], 64) << "an empty slot keeps its cell width";
  app->p_PlaySFX(kSoundTick, 1);
  EXPECT_EQ(dev->Plays(), 1);
}

TEST_F(ResizeTest, ASizePassedThroughOnTheWayIsNotLoaded) {
  StartWith();
  // A window manager's switch to full screen passes a size just short of it.
  Resize(1278, 999);
  Render();
  Updates(2);
  Resize(1280, 1024);
  for (int i = 0; i < 60; ++i) Render(), Update();
  EXPECT_EQ(app->m_loadStep, 0);
  EXPECT_EQ(std::count(dev->imagesLoaded.begin(), dev->imagesLoaded.end(), "common/icons-hd2.png"), 1);
}

TEST_F(ResizeTest, TheOldFontKeepsItsSizeWhileTheLoaderRuns) {
  auto scales = std::make_shared<FontScales>();
  dev = scales;
  StartWith();
  Resize(1280, 960);
  for (int i = 0; i < 40; ++i) {
    Render(), Update();
    scales->drawn.clear();
    Render();
    // On the device a glyph is its record's scale times the view's.
    std::vector<int> glyphs = RecordsOf(kFontSlot);
    ASSERT_EQ(scales->drawn.size(), glyphs.size());
    for (size_t g = 0; g < glyphs.size(); ++g)
      ASSERT_FLOAT_EQ(scales->drawn[g], Rec(glyphs[g]).w * app->m_view.scale) << "update " << i;
  }
  EXPECT_EQ(scales->level, 4);
}

} // namespace
