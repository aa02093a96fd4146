// The host in a real window under a window manager: its size, focus loss and
// return suspending and resuming with no update between, the close button, and
// a fatal signal reported before the game ends.
#include <gtest/gtest.h>
#include <signal.h>

#include <regex>
#include <thread>

#include "support/program.h"
#include "support/xwindow.h"

using namespace std::chrono_literals;

TEST(HostWindow, FocusLossSuspendsFocusResumesAndTheCloseButtonEnds) {
  if (auto why = DisplayMissing("xdotool wmctrl xmessage"); !why.empty()) GTEST_SKIP() << why;
  Program probe(BuildDir() + "/tests/loop_probe");
  ASSERT_TRUE(probe.WaitForOutput("created"));
  std::string id = probe.WindowId();
  ASSERT_FALSE(id.empty()) << "no window titled Tilemarch";
  EXPECT_EQ(GeometryOf(id), "640x480");
  Activate(id);
  ASSERT_TRUE(probe.WaitForOutput("updating"));

  Program other(Shell("command -v xmessage"), {"", {"-title", "tilemarch-other", "other"}, {}});
  std::string otherId = Shell("timeout 20 xdotool search --sync --name '^tilemarch-other$' | tail -n1");
  ASSERT_FALSE(otherId.empty()) << "xmessage did not open";
  Activate(otherId);
  // A suspension after some updates (the window manager may unfocus the window
  // once before it has run any), then the resumption.
  ASSERT_TRUE(probe.WaitForOutput(std::regex("suspended after [1-9]"))) << probe.Output();
  // Time in which a loop that went on while suspended would update.
  std::this_thread::sleep_for(500ms);
  Activate(id);
  ASSERT_TRUE(probe.WaitForOutput(std::regex("suspended after ([1-9]\\d*) updates\\nresumed after \\1 updates")))
      << "no resumption, or updates ran while suspended:\n"
      << probe.Output();
  EXPECT_EQ(probe.CloseWindow(), 0);
}

TEST(CrashWindow, RunningGameKilledWithSegvReportsAndEnds) {
  if (auto why = DisplayMissing("xdotool"); !why.empty()) GTEST_SKIP() << why;
  Program game(BuildDir() + "/tilemarch");
  ASSERT_FALSE(game.WindowId().empty());
  game.Signal(SIGSEGV);
  EXPECT_EQ(game.WaitForExit(10s), 255);
  EXPECT_NE(game.Output().find("Quill Runtime Error : Memory access violation\n\n"), std::string::npos);
}
