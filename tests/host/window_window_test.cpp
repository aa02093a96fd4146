// The host in a real window under X: the window, the close button, and
// suspend and resume on focus changes. Needs a display with a window manager
// (make test provides Xvfb with openbox).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <thread>

#include "host_support.h"

namespace {

using namespace std::chrono_literals;

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

// A program started in its own working directory with its output in a file.
class Program {
public:
  explicit Program(const std::string &path) {
    outPath_ = dir_.Path() + "/out.txt";
    pid_ = fork();
    if (pid_ == 0) {
      freopen("/dev/null", "r", stdin);
      freopen(outPath_.c_str(), "w", stdout);
      execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
  }
  ~Program() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  std::string Output() const { return ReadFileBytes(outPath_); }
  bool WaitForOutput(const std::string &text, std::chrono::milliseconds limit = 20s) const {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms))
      if (Output().find(text) != std::string::npos) return true;
    return false;
  }
  // The exit status, or -1 when the program is still running after the limit.
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
  // Presses the window's close button and returns the exit status. A request
  // sent before the window manager has taken the window on is lost, so it is
  // sent again until the program ends.
  int CloseWindow(const std::string &id) {
    int status = -1;
    for (int attempt = 0; attempt < 20 && status == -1; ++attempt) {
      Shell("wmctrl -i -c " + id);
      status = WaitForExit(1s);
    }
    return status;
  }
  std::string WindowId() const {
    std::string id;
    for (int i = 0; i < 400 && id.empty(); ++i) {
      id = Shell("xdotool search --pid " + std::to_string(pid_) + " --name '^Tilemarch$' 2>/dev/null | head -n1");
      if (id.empty()) std::this_thread::sleep_for(50ms);
    }
    return id;
  }

private:
  TempWorkDir dir_;
  std::string outPath_;
  pid_t pid_ = -1;
  bool exited_ = false;
};

class HostWindow : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY") || system("xdpyinfo >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "no X display: run under make test or tools/with-display.sh";
    if (system("which xdotool wmctrl xmessage >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "xdotool, wmctrl and xmessage are needed (tools/setup.sh installs them)";
  }
};

TEST_F(HostWindow, GameOpensItsWindowAndTheCloseButtonEndsIt) {
  Program game(BuildDir() + "/tilemarch");
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty()) << "no window titled Tilemarch";
  std::string geometry = Shell("xdotool getwindowgeometry " + id);
  EXPECT_NE(geometry.find("Geometry: 640x480"), std::string::npos) << geometry;
  EXPECT_EQ(game.CloseWindow(id), 0);
}

TEST_F(HostWindow, FocusLossSuspendsAndFocusResumes) {
  Program probe(BuildDir() + "/tests/loop_probe");
  ASSERT_TRUE(probe.WaitForOutput("created"));
  std::string id = probe.WindowId();
  ASSERT_FALSE(id.empty());
  Shell("xdotool windowactivate --sync " + id + " 2>/dev/null");
  std::this_thread::sleep_for(300ms);

  std::string otherPid = Shell("xmessage -title tilemarch-other other >/dev/null 2>&1 & echo $!");
  std::string otherId;
  for (int i = 0; i < 400 && otherId.empty(); ++i) {
    otherId = Shell("xdotool search --name '^tilemarch-other$' 2>/dev/null | tail -n1");
    if (otherId.empty()) std::this_thread::sleep_for(50ms);
  }
  ASSERT_FALSE(otherId.empty()) << "xmessage did not open";
  Shell("xdotool windowactivate --sync " + otherId + " 2>/dev/null");
  ASSERT_TRUE(probe.WaitForOutput("suspended after"));
  std::this_thread::sleep_for(500ms);
  Shell("xdotool windowactivate --sync " + id + " 2>/dev/null");
  ASSERT_TRUE(probe.WaitForOutput("resumed after"));
  kill(std::atoi(otherPid.c_str()), SIGTERM);

  std::smatch m;
  std::string out = probe.Output();
  ASSERT_TRUE(std::regex_search(out, m, std::regex("suspended after (\\d+) updates\\nresumed after (\\d+) updates")))
      << out;
  EXPECT_EQ(m[1], m[2]) << "no update runs while suspended";
  EXPECT_GT(std::stoi(m[1]), 0);
  EXPECT_EQ(probe.CloseWindow(id), 0);
}

} // namespace
