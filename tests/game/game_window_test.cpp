// The game in a real window under X: the loading screen, the staged loader,
// the reload after a resize, full screen and back, and F4. Needs a display
// with a window manager (make test provides Xvfb with openbox).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

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

std::string BuildDir() {
  const char *dir = std::getenv("TILEMARCH_BUILD_DIR");
  return dir ? dir : ".";
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A program started in a fresh temporary working directory (the state file is
// written there) with its standard output in a file.
class Program {
public:
  explicit Program(const std::string &path) {
    char pattern[] = "/tmp/tilemarch-game-XXXXXX";
    dir_ = mkdtemp(pattern);
    outPath_ = dir_ + "/out.txt";
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(dir_.c_str()) != 0) _exit(127);
      if (!freopen("/dev/null", "r", stdin) || !freopen(outPath_.c_str(), "w", stdout)) _exit(127);
      execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
  }
  ~Program() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string Output() const { return ReadFile(outPath_); }
  bool WaitForOutput(const std::regex &pattern, std::chrono::milliseconds limit = 20s) const {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms))
      if (std::regex_search(Output(), pattern)) return true;
    return false;
  }
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
  // The program's window; a window re-opened for full screen gets a new id.
  std::string WindowId() const {
    std::string id;
    for (int i = 0; i < 200 && id.empty(); ++i) {
      id = Shell("xdotool search --pid " + std::to_string(pid_) + " --name '^Tilemarch$' 2>/dev/null | tail -n1");
      if (id.empty()) std::this_thread::sleep_for(50ms);
    }
    return id;
  }
  const std::string &Dir() const { return dir_; }

private:
  std::string dir_, outPath_;
  pid_t pid_ = -1;
  bool exited_ = false;
};

// The size of a window's client area as "WxH", once it has settled.
std::string GeometryOf(const std::string &id) {
  std::smatch m;
  std::string text = Shell("xdotool getwindowgeometry " + id + " 2>/dev/null");
  static const std::regex size("Geometry: (\\d+x\\d+)");
  return std::regex_search(text, m, size) ? m[1].str() : "";
}

bool WaitForGeometry(Program &program, const std::string &size, std::chrono::milliseconds limit = 10s) {
  for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(100ms))
    if (GeometryOf(program.WindowId()) == size) return true;
  return false;
}

void PressKey(const std::string &id, const std::string &key) {
  Shell("xdotool windowactivate --sync " + id + " 2>/dev/null");
  Shell("xdotool key " + key);
}

int CountMatches(const std::string &text, const std::regex &pattern) {
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

class GameWindow : public testing::Test {
protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY") || std::system("xdpyinfo >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "no X display: run under make test or tools/with-display.sh";
    if (std::system("which xdotool wmctrl import >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "xdotool, wmctrl and imagemagick are needed (tools/setup.sh installs them)";
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
  std::string raw = game.Dir() + "/shot.rgb";
  for (int shot = 0; shot < 40 && (blue <= 500 || orange <= 500); ++shot) {
    Shell("import -window " + id + " -depth 8 rgb:" + raw + " 2>/dev/null");
    std::string pixels = ReadFile(raw);
    blue = orange = 0;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
      int r = static_cast<unsigned char>(pixels[i]), g = static_cast<unsigned char>(pixels[i + 1]),
          b = static_cast<unsigned char>(pixels[i + 2]);
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
  Shell("wmctrl -i -c " + id);
  EXPECT_EQ(probe.WaitForExit(), 0);
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
