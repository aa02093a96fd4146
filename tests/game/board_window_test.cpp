// A puzzle in the real game under X: the game object on the framework's own
// window, input and audio (tests/board_probe, which starts puzzle 5 once its
// loading is done), tiles marked with real clicks, the marks checked on
// screenshots, and the fill sound found in what OpenAL Soft's wave backend
// wrote out. Needs a display, xdotool, imagemagick, and the generated data in
// the build directory.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>

#include "support/program.h"
#include "support/wave.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Tile centres of the board at 640 x 480.
int TileX(int x) { return 208 + 32 * x; }
int TileY(int y) { return 236 + 32 * y; }

TEST(BoardWindow, ClickedTilesTurnBlackAndTheFillIsHeard) {
  if (auto why = DisplayMissing("xdotool import"); !why.empty()) GTEST_SKIP() << why;
  std::string build = BuildDir();
  if (!fs::exists(build + "/tests/board_probe") || !fs::exists(build + "/data/sfx/098.wav"))
    GTEST_SKIP() << "the probe and the game data are built into " << build
                 << " by the board_probe and tilemarch_data targets";

  // The game finds its data beside its executable: a copy of the probe sits
  // next to a link to the build's data.
  TempDir dir;
  fs::copy_file(build + "/tests/board_probe", dir / "board_probe");
  fs::create_directory_symlink(fs::absolute(build + "/data"), dir / "data");
  std::string capture = dir / "capture.wav";
  WriteFile(dir / "alsoft.conf", CaptureConf(capture));
  Program game(dir / "board_probe", {dir.Path(), {}, {{"ALSOFT_CONF", dir / "alsoft.conf"}}});
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty());
  ASSERT_TRUE(game.WaitForOutput("puzzle started")) << game.Output();
  Activate(id);
  std::this_thread::sleep_for(1000ms);
  Shot before(id);
  ASSERT_FALSE(before.Empty());

  // Everything written from here on comes after any sound of the start.
  std::error_code err;
  uintmax_t heardFrom = fs::file_size(capture, err);
  ASSERT_FALSE(err) << "OpenAL Soft wrote no capture file";
  for (int x : {0, 1}) {
    Click(id, TileX(x), TileY(0));
    std::this_thread::sleep_for(300ms);
  }
  Shell("xdotool mousemove --window " + id + " 600 20");
  std::this_thread::sleep_for(800ms);
  Shot after(id);
  ASSERT_FALSE(after.Empty());

  // The clicked tiles are much darker than before; one the clicks did not
  // touch stays as it was.
  for (int x : {0, 1})
    EXPECT_GT(before.Brightness(TileX(x), TileY(0)) - after.Brightness(TileX(x), TileY(0)), 100) << x;
  EXPECT_LT(std::abs(before.Brightness(TileX(6), TileY(0)) - after.Brightness(TileX(6), TileY(0))), 30);
  EXPECT_GT(after.Brightness(TileX(6), TileY(0)) - after.Brightness(TileX(0), TileY(0)), 100);

  PressKey(id, "F4");
  EXPECT_EQ(game.WaitForExit(), 0);

  // Only what was written after the start counts, less a little for the
  // writer's buffering.
  Wave heard = ReadWave(ReadFile(capture), heardFrom > 8192 ? static_cast<size_t>(heardFrom) - 8192 : 0);
  Wave fill = ReadWave(ReadFile(build + "/data/sfx/098.wav"));
  ASSERT_FALSE(fill.samples.empty());
  EXPECT_GT(BestMatch(fill, heard), 0.6f);
}

} // namespace
