// A change of window size: one reload once the size has settled, and every
// picture drawn at the scale of the resolution it was loaded at meanwhile.
#include <algorithm>
#include <map>

#include "game_fixture.h"

namespace {

// Remembers the resolution each image was loaded at and the scale of each
// draw of the font.
class ScaleDevices : public FakeDevices {
public:
  std::map<const c_Image *, int> levels;
  GameImage font;
  std::vector<float> fontScales;

  GameImage LoadImage(const String &path, int w, int h, int frames, int flags) override {
    FakeDevices::LoadImage(path, w, h, frames, flags);
    auto owner = std::make_shared<int>();
    GameImage image(owner, reinterpret_cast<c_Image *>(owner.get()));
    std::string name = path.ToUtf8();
    levels[image.get()] = name.find("-hd2.") != std::string::npos ? 4 : name.find("-hd.") != std::string::npos ? 2 : 1;
    if (name.starts_with("fonts/")) font = image;
    return image;
  }
  void DrawImage(const GameImage &image, float, float, float, float scaleX, float, int) override {
    if (image == font) fontScales.push_back(scaleX * static_cast<float>(levels[image.get()]));
  }
};

using ResizeTest = GameTest;

TEST_F(ResizeTest, ASizePassedThroughOnTheWayIsNotLoaded) {
  StartWith();
  auto reloads = [&] { return std::count(dev->imagesLoaded.begin(), dev->imagesLoaded.end(), "common/icons-hd2.png"); };
  // A window manager's switch to full screen: a size just short of the screen
  // for two updates, then the screen.
  Resize(1278, 999);
  Render();
  Updates(2);
  Resize(1280, 1024);
  for (int i = 0; i < 60; ++i) {
    Render();
    Update();
  }
  EXPECT_EQ(app->m_loadStep, 0);
  EXPECT_EQ(reloads(), 1);
  EXPECT_TRUE(std::find(dev->imagesLoaded.begin(), dev->imagesLoaded.end(), "sheet14-hd2.png") !=
              dev->imagesLoaded.end());
}

TEST_F(ResizeTest, TheOldFontKeepsItsSizeWhileTheLoaderRuns) {
  auto scales = std::make_shared<ScaleDevices>();
  dev = scales;
  StartWith("", 640, 480);
  Resize(1280, 960);
  for (int i = 0; i < 40; ++i) {
    Render();
    Update();
    scales->fontScales.clear();
    Render();
    // On the device a glyph is its record's scale times the view's.
    std::vector<int> glyphs = RecordsOf(90);
    ASSERT_EQ(scales->fontScales.size(), glyphs.size());
    for (size_t g = 0; g < glyphs.size(); ++g)
      ASSERT_FLOAT_EQ(scales->fontScales[g], Rec(glyphs[g], 4) * app->m_viewScaleX) << "update " << i;
  }
  EXPECT_EQ(app->m_imageLevel[90], 4);
}

} // namespace
