// The game in a real window under X: the loading screen, the staged loader,
// the reload after a resize, full screen and back, and F4. Needs a display
// with a window manager (make test provides Xvfb with openbox).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class GameWindow : public testing::Test {
protected:
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool wmctrl import"); !why.empty()) GTEST_SKIP() << why;
  }
};

TEST_F(GameWindow, LoadingScreenShowsItsRingsOfDots) {
  if (!fs::exists(BuildDir() + "/data/common/PlinthLogo.png"))
    GTEST_SKIP() << "no game data in " << BuildDir() << "/data";
  Program game(BuildDir() + "/tilemarch");
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty());
  // The loading screen lasts about 24 updates: look at it while it shows.
  int blue = 0, orange = 0;
  for (int attempt = 0; attempt < 40 && (blue <= 500 || orange <= 500); ++attempt) {
    Shot shot(id);
    blue = orange = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) {
        int rgb = shot.Rgb(x, y), r = rgb >> 16, g = rgb >> 8 & 255, b = rgb & 255;
        if (r < 40 && g > 90 && g < 160 && b > 200) ++blue;
        if (r > 200 && g > 90 && g < 160 && b < 40) ++orange;
      }
  }
  // Eleven dots of radius 16 in blue and twenty-two smaller ones in orange.
  EXPECT_GT(blue, 500);
  EXPECT_GT(orange, 500);
  PressKey(id, "F4");
  EXPECT_EQ(game.WaitForExit(), 0);
}

TEST_F(GameWindow, LoaderTakes24UpdatesAndAResizeReloadsOnceAtTheNewVariant) {
  Program probe(BuildDir() + "/tests/loader_probe");
  ASSERT_TRUE(probe.WaitForOutput(std::regex("loaded after \\d+ updates"))) << probe.Output();
  EXPECT_NE(probe.Output().find("loaded after 24 updates"), std::string::npos) << probe.Output();
  EXPECT_NE(probe.Output().find("image sheet14-hd.png"), std::string::npos);

  std::string id = probe.WindowId();
  ASSERT_FALSE(id.empty());
  Shell("xdotool windowsize --sync " + id + " 1240 700 2>/dev/null");
  ASSERT_TRUE(probe.WaitForOutput(std::regex("reload 1240x700[^]*loaded after 24 updates"))) << probe.Output();
  std::this_thread::sleep_for(500ms);
  std::string out = probe.Output();
  EXPECT_EQ(CountMatches(out, std::regex("reload ")), 1) << out;
  EXPECT_NE(out.find("image sheet14-hd2.png"), std::string::npos) << out;
  // The logo and font are only loaded again by a full reload, not by a resize.
  EXPECT_EQ(CountMatches(out, std::regex("image fonts/shadow_editundo")), 3) << out;
  EXPECT_EQ(probe.CloseWindow(), 0);
}

TEST_F(GameWindow, F11GoesFullScreenAndBackToA640By480Window) {
  Program game(BuildDir() + "/tilemarch");
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty());
  std::string screen = Shell("xdpyinfo | awk '/dimensions:/ {print $2}'");
  Shell("xdotool windowsize --sync " + id + " 700 500 2>/dev/null");
  ASSERT_TRUE(WaitForGeometry(game, "700x500"));
  PressKey(id, "F11");
  EXPECT_TRUE(WaitForGeometry(game, screen)) << GeometryOf(game.WindowId());
  PressKey(game.WindowId(), "F11");
  EXPECT_TRUE(WaitForGeometry(game, "640x480")) << GeometryOf(game.WindowId());
  PressKey(game.WindowId(), "F4");
  EXPECT_EQ(game.WaitForExit(), 0);
}

} // namespace
