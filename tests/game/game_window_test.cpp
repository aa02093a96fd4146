// The real program played through xdotool in a fresh directory, its sound
// captured by OpenAL Soft: the tutorial, a puzzle with the pause menu and the
// options on the way, and the score it saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/levels/levels.h"
#include "support/program.h"
#include "support/wait.h"
#include "support/wave.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Tile centres in the 640 x 480 window, the board at the bottom.
int TileX(size_t i) { return 208 + 32 * static_cast<int>(i % 8); }
int TileY(size_t i) { return 236 + 32 * static_cast<int>(i / 8); }
bool Dark(const Shot &shot, size_t tile) { return shot.Brightness(TileX(tile), TileY(tile)) < 140; }
bool EmptyBoard(const Shot &shot) {
  for (size_t i = 0; i < 64; ++i)
    if (Dark(shot, i)) return false;
  return true;
}

// Each channel within 24 of the colour's.
bool Near(int rgb, int colour) {
  for (int shift : {0, 8, 16})
    if (std::abs((rgb >> shift & 255) - (colour >> shift & 255)) > 24) return false;
  return true;
}
// The How-To cell's blue disc `cells` cells right of the middle, where a tap
// starts the cell under the cursor.
bool HowToAt(const Shot &shot, int cells) { return Near(shot.Rgb(320 + 116 * cells, 240), 0x0080ff); }
// The pause menu in place (its gear and pendulum never rest): the quit
// button's white cross where it stops, and no options box.
bool PauseMenuShown(const Shot &shot) {
  return Near(shot.Rgb(72, 92), 0xffffff) && !Near(shot.Rgb(500, 140), 0x402250);
}
constexpr Area kPauseButtons{0, 60, 120, 170};
// The options box in place: the sound row's bar under a tap at (300, 140).
bool OptionsShown(const Shot &shot) { return Near(shot.Rgb(500, 140), 0x402250); }
constexpr Area kOptionRows{120, 110, 400, 90};

// Clicks until the window shows what the click brings, waiting 20 s each
// time: a click the game saw in no update (a busy machine can keep it from
// running for the whole click) is lost.
bool ClickUntil(const std::string &window, int x, int y, const std::function<bool(const Shot &)> &shown,
                std::optional<Area> still = std::nullopt) {
  for (int round = 0; round < 3; ++round) {
    Click(window, x, y);
    if (WaitForPicture(window, shown, still, 20s)) return true;
  }
  return false;
}

// Clicks the black tiles of a picture, the last only once the others show
// dark, and waits until the game took that one too. A lost click is repeated
// only after a long wait, since a second click on a tile clears it. Returns
// how many black tiles the game did not take.
int ClickBlackTiles(const std::string &window, const std::string &picture) {
  std::vector<size_t> black;
  for (size_t i = 0; i < picture.size(); ++i)
    if (picture[i] == '1') black.push_back(i);
  const size_t last = black.back();
  black.pop_back();
  const std::vector<size_t> others = black;
  for (int round = 0; round < 3 && !black.empty(); ++round) {
    for (size_t i : black) Click(window, TileX(i), TileY(i));
    WaitFor(
        [&] {
          Shot shot(window);
          std::erase_if(black, [&](size_t i) { return Dark(shot, i); });
          return black.empty();
        },
        20s);
  }
  if (!black.empty()) return static_cast<int>(black.size()) + 1;
  // Taken once the board no longer shows the others dark and the last light:
  // the solved picture, the next one, or the end of the puzzle.
  auto taken = [&](const Shot &shot) {
    return Dark(shot, last) || std::any_of(others.begin(), others.end(), [&](size_t i) { return !Dark(shot, i); });
  };
  return ClickUntil(window, TileX(last), TileY(last), taken) ? 0 : 1;
}

int Part(const std::string &state, int n) {
  size_t at = 0;
  for (int bar = 0; bar < n; ++bar) at = state.find('|', at) + 1;
  return std::atoi(state.c_str() + at);
}

// Parts of the saved state: the sound mode, and puzzle 111's record.
constexpr int kSoundModePart = 5;
constexpr int kBestOf111 = 35 + 5 * 110, kLatestOf111 = kBestOf111 + 1, kChecksumOf111 = kBestOf111 + 4;

TEST(GameWindow, TutorialPuzzlePauseAndOptionsAndTheScoreSaved) {
  if (auto why = DisplayMissing("xdotool wmctrl import"); !why.empty()) GTEST_SKIP() << why;
  const std::string build = BuildDir();
  if (!fs::exists(build + "/data/sfx/098.wav")) GTEST_SKIP() << "no game data: build the tilemarch_data target";
  TempDir dir;
  const std::string capture = dir / "capture.wav", state = dir / ".quillstate";
  WriteFile(dir / "alsoft.conf", CaptureConf(capture));
  Program game(build + "/tilemarch", {dir.Path(), {}, {{"ALSOFT_CONF", dir / "alsoft.conf"}}});
  const std::string id = game.WindowId();
  ASSERT_FALSE(id.empty()) << game.Output();
  Activate(id);
  auto mapWithHowTo = [&](int cells) {
    return WaitForPicture(
        id, [&](const Shot &shot) { return HowToAt(shot, cells); }, Area{});
  };
  ASSERT_TRUE(mapWithHowTo(0)) << "loaded, the camera on the How-To cell";
  ASSERT_TRUE(fs::exists(capture)) << "OpenAL Soft wrote no capture file";
  ASSERT_TRUE(ClickUntil(id, 320, 240, EmptyBoard)) << "the How-To cell under the cursor starts the tutorial";
  for (int step = -1; step >= -6; --step) {
    ASSERT_TRUE(WaitForPicture(id, EmptyBoard)) << "tutorial picture " << -step;
    EXPECT_EQ(ClickBlackTiles(id, TutorialPicture(step).ToUtf8()), 0) << "tutorial picture " << -step;
  }
  ASSERT_TRUE(WaitFor([&] { return fs::exists(state); }, 60s)) << "\"Good Luck\", then the map, which saves";
  ASSERT_TRUE(mapWithHowTo(0)) << "the banner faded";
  EXPECT_EQ(Part(ReadFile(state), kSoundModePart), 1) << ReadFile(state);
  EXPECT_EQ(Part(ReadFile(state), kBestOf111), 0) << ReadFile(state);

  // Puzzle 111 is left of the How-To cell: a tap moves the cursor, a second
  // one starts it. Escape pauses; the gear opens the options, where a tap on
  // the sound row turns the music off, kept at once.
  ASSERT_TRUE(ClickUntil(
      id, 320 - 116, 240, [](const Shot &shot) { return HowToAt(shot, 1); }, Area{}))
      << "the camera on puzzle 111";
  ASSERT_TRUE(ClickUntil(id, 320, 240, EmptyBoard)) << "puzzle 111";
  const int board = Shot(id).Brightness(TileX(0), TileY(0));
  PressKey(id, "Escape");
  EXPECT_TRUE(WaitForPicture(
      id, [&](const Shot &shot) { return shot.Brightness(TileX(0), TileY(0)) < board - 40 && PauseMenuShown(shot); },
      kPauseButtons))
      << "the pause menu darkens the board";
  ASSERT_TRUE(ClickUntil(id, 72, 296, OptionsShown, kOptionRows)) << "the gear opens the options";
  Click(id, 300, 140);
  EXPECT_TRUE(WaitFor([&] { return Part(ReadFile(state), kSoundModePart) == 2; }));
  PressKey(id, "Escape"); // closes the options
  ASSERT_TRUE(WaitForPicture(id, PauseMenuShown, kPauseButtons)) << "back on the pause menu";
  // The pause menu takes no key while the options box is still sliding away,
  // which a slow shot may not yet show: resume is asked again until it is.
  bool resumed = false;
  for (int press = 0; press < 4 && !resumed; ++press) {
    PressKey(id, "Escape");
    resumed = WaitForPicture(id, EmptyBoard, std::nullopt, 10s);
  }
  ASSERT_TRUE(resumed) << "back on the board";
  // With the music off, what is heard from here on is the game's effects.
  const uintmax_t effectsFrom = fs::file_size(capture);
  EXPECT_EQ(ClickBlackTiles(id, p_GetLevDat(111).ToUtf8()), 0);
  // The reveal, "Level Complete", the map, which saves; the banner fades.
  EXPECT_TRUE(WaitFor([&] { return Part(ReadFile(state), kBestOf111) > 0; }, 60s));
  ASSERT_TRUE(mapWithHowTo(1)) << "back on the map";
  const std::string saved = ReadFile(state);
  const int score = Part(saved, kBestOf111);
  EXPECT_GT(score, 0) << saved;
  EXPECT_LE(score, 720) << saved;
  EXPECT_EQ(Part(saved, kLatestOf111), score);
  EXPECT_EQ(Part(saved, kChecksumOf111), (4 + 113) * score); // 4 best + 113 latest, the second and previous 0
  PressKey(id, "Escape");
  EXPECT_EQ(game.WaitForExit(), 0);
  EXPECT_GE(ReadWave(ReadFile(capture), static_cast<size_t>(effectsFrom)).Onset(0.02f), 0) << "the fills are heard";
}

} // namespace
