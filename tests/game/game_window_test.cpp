// The real program played through xdotool in a fresh directory, its sound
// captured by OpenAL Soft: the tutorial, a puzzle with the pause menu and the
// options on the way, the score; a second start reads it back; F4 quits.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "game/levels/levels.h"
#include "support/program.h"
#include "support/wave.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

int TileX(size_t i) { return 208 + 32 * static_cast<int>(i % 8); }
int TileY(size_t i) { return 236 + 32 * static_cast<int>(i / 8); }

// Clicks the black tiles, the last after seeing the others dark (a busy
// machine can drop a click between two updates); returns how many stay light.
int ClickBlackTiles(const std::string &window, const std::string &picture) {
  std::vector<size_t> light;
  for (size_t i = 0; i < picture.rfind('1'); ++i)
    if (picture[i] == '1') light.push_back(i);
  for (int round = 0; round < 3 && !light.empty(); ++round) {
    for (size_t i : light) Click(window, TileX(i), TileY(i));
    std::this_thread::sleep_for(200ms);
    Shot shot(window);
    std::erase_if(light, [&](size_t i) { return shot.Brightness(TileX(i), TileY(i)) < 140; });
  }
  Click(window, TileX(picture.rfind('1')), TileY(picture.rfind('1')));
  return static_cast<int>(light.size());
}

bool Eventually(const std::function<bool()> &holds) {
  for (int i = 0; i < 100 && !holds(); ++i) std::this_thread::sleep_for(100ms);
  return holds();
}

int Part(const std::string &state, int n) {
  size_t at = 0;
  for (int bar = 0; bar < n; ++bar) at = state.find('|', at) + 1;
  return std::atoi(state.c_str() + at);
}

TEST(GameWindow, TutorialPuzzlePauseAndOptionsAreKeptForTheNextStart) {
  if (auto why = DisplayMissing("xdotool wmctrl import"); !why.empty()) GTEST_SKIP() << why;
  const std::string build = BuildDir();
  if (!fs::exists(build + "/data/sfx/098.wav")) GTEST_SKIP() << "no game data: build the tilemarch_data target";
  TempDir dir;
  const std::string capture = dir / "capture.wav", state = dir / ".quillstate";
  WriteFile(dir / "alsoft.conf", CaptureConf(capture));
  auto start = [&] {
    auto game = std::make_unique<Program>(build + "/tilemarch",
                                          Program::Options{dir.Path(), {}, {{"ALSOFT_CONF", dir / "alsoft.conf"}}});
    std::string id = game->WindowId();
    if (!id.empty()) Activate(id);
    return std::pair{std::move(game), id};
  };

  auto [game, id] = start();
  ASSERT_FALSE(id.empty()) << game->Output();
  std::this_thread::sleep_for(2500ms); // loading, and the camera reaching the How-To cell
  std::error_code err;
  const uintmax_t heardFrom = fs::file_size(capture, err);
  ASSERT_FALSE(err) << "OpenAL Soft wrote no capture file";
  Click(id, 320, 240); // the How-To cell under the cursor
  std::this_thread::sleep_for(800ms);
  for (int step = -1; step >= -6; --step) {
    EXPECT_EQ(ClickBlackTiles(id, TutorialPicture(step).ToUtf8()), 0) << step;
    std::this_thread::sleep_for(1900ms); // the solved picture stays 90 updates
  }
  ASSERT_TRUE(Eventually([&] { return fs::exists(state); })) << "\"Good Luck\", then the map, which saves";
  std::this_thread::sleep_for(800ms); // the banner fades over the map
  EXPECT_EQ(Part(ReadFile(state), 5) * 1000 + Part(ReadFile(state), 35 + 5 * 110), 1000) << ReadFile(state);

  // Puzzle 111 is left of the How-To cell: a tap moves the cursor, a second
  // one starts it. Escape pauses; the gear opens the options, where a tap on
  // the sound row turns the music off, kept at once.
  Click(id, 320 - 116, 240);
  std::this_thread::sleep_for(1500ms);
  Click(id, 320, 240);
  std::this_thread::sleep_for(800ms);
  const int board = Shot(id).Brightness(TileX(0), TileY(0));
  PressKey(id, "Escape");
  std::this_thread::sleep_for(800ms);
  EXPECT_LT(Shot(id).Brightness(TileX(0), TileY(0)), board - 40) << "the pause menu darkens the board";
  Click(id, 72, 296);
  std::this_thread::sleep_for(1000ms);
  Click(id, 300, 140);
  EXPECT_TRUE(Eventually([&] { return Part(ReadFile(state), 5) == 2; }));
  PressKey(id, "Escape"); // closes the options
  std::this_thread::sleep_for(800ms);
  PressKey(id, "Escape"); // resumes
  std::this_thread::sleep_for(800ms);
  EXPECT_EQ(ClickBlackTiles(id, p_GetLevDat(111).ToUtf8()), 0);
  // The reveal, "Level Complete", the map, which saves; the banner fades.
  EXPECT_TRUE(Eventually([&] { return Part(ReadFile(state), 35 + 5 * 110) > 0; }));
  std::this_thread::sleep_for(800ms);
  const std::string saved = ReadFile(state);
  const int score = Part(saved, 35 + 5 * 110); // best, latest, second, previous, checksum
  EXPECT_TRUE(score > 0 && score <= 720) << saved;
  EXPECT_EQ(Part(saved, 36 + 5 * 110), score);
  EXPECT_EQ(Part(saved, 39 + 5 * 110), (110 + 7) * score);
  PressKey(id, "Escape");
  EXPECT_EQ(game->WaitForExit(), 0);
  Wave heard = ReadWave(ReadFile(capture), heardFrom > 8192 ? static_cast<size_t>(heardFrom) - 8192 : 0);
  EXPECT_GT(BestMatch(ReadWave(ReadFile(build + "/data/sfx/098.wav")), heard), 0.6f) << "the fill sound is heard";

  std::tie(game, id) = start();
  ASSERT_FALSE(id.empty());
  ASSERT_TRUE(game->WaitForOutput("Highscores Loaded"));
  for (const char *line : {"Settings Loaded", "Badges Loaded"})
    EXPECT_NE(game->Output().find(line), std::string::npos) << game->Output();
  EXPECT_EQ(ReadFile(state), saved);
  PressKey(id, "F4");
  EXPECT_EQ(game->WaitForExit(), 0);
}

} // namespace
