// Keys and clicks typed by xdotool into a real host window arrive through the
// GLFW callbacks with the right key codes, hits, characters and positions.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "host/glfw_game.h"
#include "input/input_device.h"
#include "support/xwindow.h"

namespace {

class RecordingDelegate : public VexGameDelegate {
public:
  void KeyEvent(int event, int data) override { device.p_KeyEvent(event, data); }
  void MouseEvent(int event, int data, float x, float y) override { device.p_MouseEvent(event, data, x, y); }
  c_InputDevice device;
};

class GlfwInputWindow : public testing::Test {
protected:
  static void SetUpTestSuite() {
    why_ = DisplayMissing("xdotool");
    if (!why_.empty()) return;
    if (!glfwInit()) {
      why_ = "GLFW did not start";
      return;
    }
    host_ = new VexGlfwGame;
    host_->SetDelegate(&delegate_);
    host_->SetGlfwWindow(320, 240, 8, 8, 8, 0, 0, 0, false);
    host_->StartGame();
    if (!host_->Window()) {
      why_ = "the window did not open";
      return;
    }
    // Our own window, even if another program shows one of the same title.
    window_ = Drive("xdotool search --sync --pid " + std::to_string(getpid()) + " --name Tilemarch");
    if (auto end = window_.find('\n'); end != std::string::npos) window_.resize(end);
    if (window_.empty()) {
      why_ = "xdotool did not find the window";
      return;
    }
    Drive("xdotool windowactivate --sync " + window_);
    ready_ = true;
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
    glfwTerminate();
  }
  void SetUp() override {
    if (!ready_) GTEST_SKIP() << "windowed input tests skipped: " << why_;
    Drive("true"); // whatever an earlier test left behind
    delegate_.device.p_EndUpdate();
  }

  // Runs a shell command while the host keeps processing window events, then
  // lets the last of them arrive; answers what the command printed. Bounded:
  // the command is given 20 seconds.
  static std::string Drive(const std::string &command) {
    auto done = std::async(std::launch::async, [command] {
      std::string out;
      FILE *pipe = popen(("timeout 20 " + command).c_str(), "r");
      if (!pipe) return out;
      char buffer[256];
      while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
      EXPECT_EQ(pclose(pipe), 0) << command;
      return out;
    });
    while (done.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) glfwPollEvents();
    for (int i = 0; i < 40; ++i) {
      glfwPollEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done.get();
  }

  static std::vector<int> Chars() {
    std::vector<int> chars;
    while (int c = delegate_.device.p_GetChar()) chars.push_back(c);
    return chars;
  }

  static c_InputDevice &Device() { return delegate_.device; }

  static inline VexGlfwGame *host_ = nullptr;
  static inline RecordingDelegate delegate_;
  static inline std::string window_;
  static inline bool ready_ = false;
  static inline std::string why_;
};

} // namespace

TEST_F(GlfwInputWindow, LetterEscapeAndF11AreOneHitEachWithTheirCharacters) {
  Drive("xdotool key a Escape F11");
  for (int key : {65, 27, 122}) {
    EXPECT_EQ(Device().p_KeyHit(key), 1) << key;
    EXPECT_FALSE(Device().p_KeyDown(key)) << key;
  }
  EXPECT_EQ(Chars(), (std::vector<int>{'a', 27})); // F11 types nothing
}

TEST_F(GlfwInputWindow, HeldCursorLeftRepeatsCharactersButHitsOnce) {
  Drive("xdotool keydown Left && sleep 1.2");
  EXPECT_TRUE(Device().p_KeyDown(37));
  Drive("xdotool keyup Left");
  EXPECT_FALSE(Device().p_KeyDown(37));
  EXPECT_EQ(Device().p_KeyHit(37), 1);
  std::vector<int> chars = Chars();
  EXPECT_GE(chars.size(), 2u) << "no key repeat arrived";
  for (int c : chars) EXPECT_EQ(c, 65536 + 37);
}

TEST_F(GlfwInputWindow, ClickIsKeyOneAndTouchZeroAtThePointer) {
  Drive("xdotool mousemove --window " + window_ + " 100 50 click 1");
  EXPECT_EQ(Device().p_KeyHit(1), 1);
  EXPECT_EQ(Device().p_KeyHit(384), 1);
  EXPECT_FALSE(Device().p_KeyDown(1));
  EXPECT_FALSE(Device().p_KeyDown(384));
  EXPECT_FLOAT_EQ(Device().m__mouseX, 100);
  EXPECT_FLOAT_EQ(Device().m__mouseY, 50);
  EXPECT_FLOAT_EQ(Device().p_TouchX(0), 100);
  EXPECT_FLOAT_EQ(Device().p_TouchY(0), 50);
}
