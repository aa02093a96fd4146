// The host in a real window under a window manager: its size, focus loss and
// return suspending and resuming with no update between, the close button.
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
  std::this_thread::sleep_for(300ms);

  Program other(Shell("command -v xmessage"), {"", {"-title", "tilemarch-other", "other"}, {}});
  std::string otherId = Shell("timeout 20 xdotool search --sync --name '^tilemarch-other$' | tail -n1");
  ASSERT_FALSE(otherId.empty()) << "xmessage did not open";
  Activate(otherId);
  // A suspension after some updates (the window manager may unfocus the window
  // once before it has run any), then the resumption.
  ASSERT_TRUE(probe.WaitForOutput(std::regex("suspended after [1-9]"))) << probe.Output();
  std::this_thread::sleep_for(500ms);
  Activate(id);
  std::regex pair("suspended after ([1-9]\\d*) updates\\nresumed after (\\d+) updates");
  ASSERT_TRUE(probe.WaitForOutput(pair)) << probe.Output();
  std::smatch m;
  std::string out = probe.Output();
  ASSERT_TRUE(std::regex_search(out, m, pair));
  EXPECT_EQ(m[1], m[2]) << "no update runs while suspended";
  EXPECT_EQ(probe.CloseWindow(), 0);
}
