// The real program under X, played with the real mouse and keyboard through
// xdotool in a fresh working directory: the whole tutorial, a puzzle next to
// the How-To cell, the score on the map, Escape to leave; then a second start
// in the same directory that reads exactly that progress back. Screenshots of
// every step go to menus_window_shots/ in the build directory.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "game/levels.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string Shell(const std::string &command) {
  std::string out;
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string ReadFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The game started in a working directory, its output in a file there.
class Game {
public:
  Game(const fs::path &program, const fs::path &dir) : out_(dir / "out.txt") {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(dir.c_str()) != 0) _exit(126);
      if (!freopen("/dev/null", "r", stdin) || !freopen(out_.c_str(), "w", stdout)) _exit(126);
      execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
  }
  ~Game() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  std::string Output() const { return ReadFile(out_); }
  std::string Window() {
    for (int i = 0; i < 200 && window_.empty(); ++i) {
      window_ = Shell("xdotool search --pid " + std::to_string(pid_) + " --name '^Tilemarch$' 2>/dev/null | head -n1");
      if (window_.empty()) std::this_thread::sleep_for(50ms);
    }
    // An inactive window suspends the game: give it the focus.
    if (!window_.empty()) Shell("xdotool windowactivate --sync " + window_ + " 2>/dev/null");
    return window_;
  }
  // A press and a release far enough apart for an update to see the button,
  // even on a busy machine.
  void Click(int x, int y) {
    Shell("xdotool mousemove --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y) +
          " sleep 0.08 mousedown 1 sleep 0.15 mouseup 1 sleep 0.08");
  }
  // The window's pixels as 8-bit RGB rows of 640.
  std::string Pixels(const fs::path &scratch) {
    Shell("import -window " + window_ + " -depth 8 rgb:" + scratch.string() + " 2>/dev/null");
    return ReadFile(scratch);
  }
  void Key(const std::string &key) {
    Shell("xdotool windowactivate --sync " + window_ + " keydown " + key + " sleep 0.1 keyup " + key);
  }
  void Shot(const fs::path &file) { Shell("import -window " + window_ + " " + file.string() + " 2>/dev/null"); }
  int WaitForExit(std::chrono::milliseconds limit = 10s) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms)) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
    }
    return -1;
  }

private:
  fs::path out_;
  pid_t pid_ = -1;
  bool exited_ = false;
  std::string window_;
};

// Board tile centres in the 640 x 480 window (board at the bottom, centred).
int TileX(int x) { return 208 + 32 * x; }
int TileY(int y) { return 236 + 32 * y; }

bool TileLooksBlack(const std::string &rgb, int x, int y) {
  size_t at = (static_cast<size_t>(TileY(y)) * 640 + static_cast<size_t>(TileX(x))) * 3;
  if (at + 2 >= rgb.size()) return false;
  int sum = 0;
  for (int c = 0; c < 3; ++c) sum += static_cast<unsigned char>(rgb[at + static_cast<size_t>(c)]);
  return sum < 3 * 140;
}

// Clicks the black tiles of a picture, looking at each after its click: a
// busy machine can let a press and its release fall between two updates, and
// then the click is repeated. A repeat after the last tile, when the solved
// board has started to move away, lands on nothing that reacts.
void ClickBlackTiles(Game &game, const std::string &picture, const fs::path &scratch) {
  for (int i = 0; i < 64; ++i) {
    if (picture[static_cast<size_t>(i)] != '1') continue;
    for (int attempt = 0; attempt < 3; ++attempt) {
      game.Click(TileX(i % 8), TileY(i / 8));
      if (TileLooksBlack(game.Pixels(scratch), i % 8, i / 8)) break;
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
    const char *build = std::getenv("TILEMARCH_BUILD_DIR");
    if (!build) GTEST_SKIP() << "TILEMARCH_BUILD_DIR is not set: run through ctest";
    program_ = fs::path(build) / "tilemarch";
    if (!fs::exists(program_)) GTEST_SKIP() << "the executable " << program_ << " has not been built";
    if (!fs::exists(fs::path(build) / "data" / "logo.png"))
      GTEST_SKIP() << "no game data in " << build << "/data: build the tilemarch_data target";
    if (!std::getenv("DISPLAY") || Shell("xdpyinfo >/dev/null 2>&1 && echo ok") != "ok")
      GTEST_SKIP() << "no X display: run under tools/with-display.sh";
    if (Shell("command -v xdotool").empty() || Shell("command -v import").empty())
      GTEST_SKIP() << "xdotool and ImageMagick's import are needed";
    shots_ = fs::path(build) / "menus_window_shots";
    fs::remove_all(shots_);
    fs::create_directories(shots_);
    char pattern[] = "/tmp/tilemarch-play-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  fs::path program_, shots_, dir_;
};

TEST_F(MenusWindowTest, TutorialThenAPuzzleAreKeptForTheNextStart) {
  int score = 0;
  {
    Game game(program_, dir_);
    ASSERT_FALSE(game.Window().empty()) << game.Output();
    std::this_thread::sleep_for(2500ms); // loading, and the camera reaching the How-To cell
    game.Shot(shots_ / "01-map-fresh.png");
    EXPECT_NE(game.Output().find("Highscores Loaded"), std::string::npos);

    game.Click(320, 240); // the How-To cell under the cursor
    std::this_thread::sleep_for(800ms);
    for (int step = -1; step >= -6; --step) {
      ClickBlackTiles(game, TutorialPicture(step).ToUtf8(), dir_ / "pixels.rgb");
      std::this_thread::sleep_for(300ms);
      game.Shot(shots_ / ("02-tutorial-" + std::to_string(-step) + ".png"));
      std::this_thread::sleep_for(1800ms); // the solved picture stays 90 updates
    }
    std::this_thread::sleep_for(2500ms); // "Good Luck", then the map
    game.Shot(shots_ / "03-map-after-tutorial.png");
    // Leaving the tutorial saves, with nothing recorded.
    EXPECT_EQ(ReadFile(dir_ / ".quillstate"), ExpectedState(0));

    // Puzzle 111 is left of the How-To cell: a tap moves the cursor there,
    // the camera follows, a second tap starts it.
    game.Click(320 - 116, 240);
    std::this_thread::sleep_for(1500ms);
    game.Click(320, 240);
    std::this_thread::sleep_for(800ms);
    game.Shot(shots_ / "04-puzzle-111.png");
    ClickBlackTiles(game, p_GetLevDat(111).ToUtf8(), dir_ / "pixels.rgb");
    std::this_thread::sleep_for(700ms);
    game.Shot(shots_ / "05-puzzle-111-solved.png");
    std::this_thread::sleep_for(6000ms); // reveal, "Level Complete", the map
    game.Shot(shots_ / "06-map-with-score.png");

    std::string saved = ReadFile(dir_ / ".quillstate");
    size_t record = 0;
    for (int bars = 0; bars < 35 + 5 * 110; ++bars) record = saved.find('|', record) + 1;
    score = std::atoi(saved.c_str() + record);
    EXPECT_GT(score, 0);
    EXPECT_LE(score, 720);
    EXPECT_EQ(saved, ExpectedState(score));

    game.Key("Escape");
    EXPECT_EQ(game.WaitForExit(), 0);
  }
  {
    Game again(program_, dir_);
    ASSERT_FALSE(again.Window().empty());
    std::this_thread::sleep_for(2500ms);
    again.Shot(shots_ / "07-map-second-start.png");
    std::string out = again.Output();
    EXPECT_NE(out.find("Settings Loaded"), std::string::npos) << out;
    EXPECT_NE(out.find("Badges Loaded"), std::string::npos) << out;
    EXPECT_NE(out.find("Highscores Loaded"), std::string::npos) << out;
    // Nothing changed the file on the way in.
    EXPECT_EQ(ReadFile(dir_ / ".quillstate"), ExpectedState(score));
    again.Key("Escape");
    EXPECT_EQ(again.WaitForExit(), 0);
  }
}

} // namespace
