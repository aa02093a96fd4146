// Keys and clicks typed by xdotool into a real host window arrive at the input
// device as the game's key codes, hits and characters, at the pointer's place.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <unistd.h>

#include <functional>
#include <future>

#include "host/glfw_game.h"
#include "input/input_device.h"
#include "support/files.h"
#include "support/wait.h"
#include "support/xwindow.h"

namespace {

class InputWindow : public testing::Test, public VexGameDelegate {
protected:
  void KeyEvent(int event, int data) override { device.p_KeyEvent(event, data); }
  void MouseEvent(int event, int data, float x, float y) override { device.p_MouseEvent(event, data, x, y); }
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool"); !why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(glfw.ok);
    host.SetDelegate(this);
    host.SetGlfwWindow(320, 240, 8, 8, 8, 0, 0, 0, false);
    host.StartGame();
    ASSERT_TRUE(host.Window());
    // Our own window, even if another program shows one of the same title.
    window = Drive("xdotool search --sync --pid " + std::to_string(getpid()) + " --name Tilemarch | head -n1");
    ASSERT_FALSE(window.empty());
    Drive("xdotool windowactivate --sync " + window, [&] { return glfwGetWindowAttrib(host.Window(), GLFW_FOCUSED); });
    device.p_EndUpdate();
  }

  // Runs a shell command (bounded) while the host processes window events, and
  // goes on processing them until what it typed has arrived; answers what the
  // command printed.
  std::string Drive(
      const std::string &command, const std::function<bool()> &arrived = [] { return true; }) {
    auto done = std::async(std::launch::async, [command] { return Shell("timeout 20 " + command); });
    while (done.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) glfwPollEvents();
    EXPECT_TRUE(WaitFor([&] { return glfwPollEvents(), arrived(); }, std::chrono::seconds(20))) << command;
    return done.get();
  }
  // A key or button pressed and released again.
  bool Released(int key) const { return device.p_KeyHit(key) && !device.p_KeyDown(key); }

  // GLFW stays up to the end of the process: terminating it unloads X
  // libraries whose own small allocations a leak checker then reports.
  struct Glfw {
    bool ok = glfwInit();
  } glfw;
  c_InputDevice device{&host};
  VexGlfwGame host;
  std::string window;
};

TEST_F(InputWindow, KeysAndClicksArriveAsThePlayerGaveThem) {
  Drive("xdotool key a 7 space Return Escape grave BackSpace Delete Up Control_L Shift_R F1 F11",
        [&] { return Released(122); });
  for (int key : {65, 55, 32, 13, 27, 192, 8, 46, 38, 17, 16, 112, 122}) {
    EXPECT_EQ(device.p_KeyHit(key), 1) << key;
    EXPECT_FALSE(device.p_KeyDown(key)) << key;
  }
  std::vector<int> chars;
  while (int c = device.p_GetChar()) chars.push_back(c);
  EXPECT_EQ(chars, (std::vector<int>{'a', '7', ' ', 13, 27, '`', 8, 127, 65536 + 38}));

  // A click is key 1 and touch 0, at the pointer.
  Drive("xdotool mousemove --window " + window + " 100 50 click 1", [&] { return Released(1); });
  for (int key : {1, 384}) {
    EXPECT_EQ(device.p_KeyHit(key), 1) << key;
    EXPECT_FALSE(device.p_KeyDown(key)) << key;
  }
  EXPECT_FLOAT_EQ(device.m__mouseX, 100);
  EXPECT_FLOAT_EQ(device.p_TouchY(0), 50);
}

} // namespace
