// A change of window size: one reload once the size has settled, and every
// picture drawn at the scale of the resolution it was loaded at meanwhile.
#include <algorithm>

#include "game_fixture.h"

namespace {

// Device scales of the draws of the newest font, times its resolution.
class FontScales : public FakeDevices {
public:
  GameImage font;
  float level = 1;
  std::vector<float> drawn;

  GameImage LoadImage(const String &path, int w, int h, int frames, int flags) override {
    auto image = FakeDevices::LoadImage(path, w, h, frames, flags);
    std::string name = path.ToUtf8();
    if (!name.starts_with("fonts/")) return image;
    font = std::reinterpret_pointer_cast<c_Image>(std::make_shared<int>()); // an image of its own
    level = name.ends_with("-hd2.png") ? 4 : name.ends_with("-hd.png") ? 2 : 1;
    return font;
  }
  void DrawImage(const GameImage &image, float, float, float, float scaleX, float, int) override {
    if (image == font) drawn.push_back(scaleX * level);
  }
};

using ResizeTest = GameTest;

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
    std::vector<int> glyphs = RecordsOf(90);
    ASSERT_EQ(scales->drawn.size(), glyphs.size());
    for (size_t g = 0; g < glyphs.size(); ++g)
      ASSERT_FLOAT_EQ(scales->drawn[g], Rec(glyphs[g], 4) * app->m_viewScaleX) << "update " << i;
  }
  EXPECT_EQ(scales->level, 4);
}

} // namespace
