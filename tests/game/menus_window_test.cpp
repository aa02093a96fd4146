// The real program under X, played with the real mouse and keyboard through
// xdotool in a fresh working directory: the whole tutorial, a puzzle next to
// the How-To cell, the score on the map, Escape to leave; then a second start
// in the same directory that reads exactly that progress back. Screenshots of
// every step go to menus_window_shots/ in the build directory.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "game/levels.h"
#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Board tile centres in the 640 x 480 window (board at the bottom, centred).
int TileX(int x) { return 208 + 32 * x; }
int TileY(int y) { return 236 + 32 * y; }

// Clicks the black tiles of a picture, looking at each after its click: a
// busy machine can let a press and its release fall between two updates, and
// then the click is repeated. A repeat after the last tile, when the solved
// board has started to move away, lands on nothing that reacts.
void ClickBlackTiles(const std::string &window, const std::string &picture) {
  for (int i = 0; i < 64; ++i) {
    if (picture[static_cast<size_t>(i)] != '1') continue;
    for (int attempt = 0; attempt < 3; ++attempt) {
      Click(window, TileX(i % 8), TileY(i / 8));
      if (Shot(window).Brightness(TileX(i % 8), TileY(i / 8)) < 140) break;
    }
  }
}

// The save string of a fresh game in which only puzzle 111 has been played,
// with the score it got.
std::string ExpectedState(int score) {
  std::string text;
  int settings[25] = {};
  settings[5] = 1;
  settings[10] = settings[11] = 64;
  settings[12] = 10;
  settings[14] = 1;
  int sum = 0;
  for (int i = 0; i < 25; ++i) {
    text += std::to_string(settings[i]) + "|";
    sum += i * settings[i];
  }
  text += std::to_string(sum) + "|";
  for (int g = 0; g < 9; ++g) text += "0|";
  for (int record = 0; record < 229; ++record) {
    int best = record == 110 ? score : 0;
    // a0, b0 (the latest), a1, b1 and the checksum 4 a0 + (L + 3) b0.
    text += std::to_string(best) + "|" + std::to_string(best) + "|0|0|" +
            std::to_string(4 * best + (record + 3) * best) + "|";
  }
  return text;
}

class MenusWindowTest : public testing::Test {
protected:
  void SetUp() override {
    if (!fs::exists(BuildDir() + "/data/logo.png"))
      GTEST_SKIP() << "no game data in " << BuildDir() << "/data: build the tilemarch_data target";
    if (auto why = DisplayMissing("xdotool import"); !why.empty()) GTEST_SKIP() << why;
    shots_ = BuildDir() + "/menus_window_shots";
    fs::remove_all(shots_);
    fs::create_directories(shots_);
  }
  // Starts the game in the shared directory and gives its window the focus.
  std::string Start(std::unique_ptr<Program> &game) {
    game = std::make_unique<Program>(BuildDir() + "/tilemarch", Program::Options{dir_.Path(), {}, {}});
    std::string id = game->WindowId();
    if (!id.empty()) Activate(id);
    return id;
  }
  void Snap(const std::string &window, const std::string &name) {
    Shell("import -window " + window + " " + shots_ + "/" + name + ".png 2>/dev/null");
  }

  std::string shots_;
  TempDir dir_;
};

TEST_F(MenusWindowTest, TutorialThenAPuzzleAreKeptForTheNextStart) {
  int score = 0;
  std::unique_ptr<Program> game;
  std::string id = Start(game);
  ASSERT_FALSE(id.empty()) << game->Output();
  std::this_thread::sleep_for(2500ms); // loading, and the camera reaching the How-To cell
  Snap(id, "01-map-fresh");
  EXPECT_NE(game->Output().find("Highscores Loaded"), std::string::npos);

  Click(id, 320, 240); // the How-To cell under the cursor
  std::this_thread::sleep_for(800ms);
  for (int step = -1; step >= -6; --step) {
    ClickBlackTiles(id, TutorialPicture(step).ToUtf8());
    std::this_thread::sleep_for(300ms);
    Snap(id, "02-tutorial-" + std::to_string(-step));
    std::this_thread::sleep_for(1800ms); // the solved picture stays 90 updates
  }
  std::this_thread::sleep_for(2500ms); // "Good Luck", then the map
  Snap(id, "03-map-after-tutorial");
  // Leaving the tutorial saves, with nothing recorded.
  EXPECT_EQ(ReadFile(dir_ / ".quillstate"), ExpectedState(0));

  // Puzzle 111 is left of the How-To cell: a tap moves the cursor there, the
  // camera follows, a second tap starts it.
  Click(id, 320 - 116, 240);
  std::this_thread::sleep_for(1500ms);
  Click(id, 320, 240);
  std::this_thread::sleep_for(800ms);
  Snap(id, "04-puzzle-111");
  ClickBlackTiles(id, p_GetLevDat(111).ToUtf8());
  std::this_thread::sleep_for(700ms);
  Snap(id, "05-puzzle-111-solved");
  std::this_thread::sleep_for(6000ms); // reveal, "Level Complete", the map
  Snap(id, "06-map-with-score");

  std::string saved = ReadFile(dir_ / ".quillstate");
  size_t record = 0;
  for (int bars = 0; bars < 35 + 5 * 110; ++bars) record = saved.find('|', record) + 1;
  score = std::atoi(saved.c_str() + record);
  EXPECT_GT(score, 0);
  EXPECT_LE(score, 720);
  EXPECT_EQ(saved, ExpectedState(score));
  PressKey(id, "Escape");
  EXPECT_EQ(game->WaitForExit(), 0);

  id = Start(game);
  ASSERT_FALSE(id.empty());
  std::this_thread::sleep_for(2500ms);
  Snap(id, "07-map-second-start");
  std::string out = game->Output();
  for (const char *line : {"Settings Loaded", "Badges Loaded", "Highscores Loaded"})
    EXPECT_NE(out.find(line), std::string::npos) << out;
  // Nothing changed the file on the way in.
  EXPECT_EQ(ReadFile(dir_ / ".quillstate"), ExpectedState(score));
  PressKey(id, "Escape");
  EXPECT_EQ(game->WaitForExit(), 0);
}

} // namespace
