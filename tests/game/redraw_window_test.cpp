// The game draws only when its picture changes, yet the window always shows
// it: after being covered and after a click (resizes and full-screen switches
// are the ship stress test's).
// Needs a display with a window manager (make test provides Xvfb with openbox).
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>

#include "support/program.h"
#include "support/wait.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;

int Drawn(const Program &game) { return CountMatches(game.Output(), std::regex("drawn \\d+")); }

// Waits until a whole second passes without a frame drawn.
bool Settles(const Program &game) {
  int last = -1;
  auto since = std::chrono::steady_clock::now();
  return WaitFor(
      [&] {
        auto now = std::chrono::steady_clock::now();
        if (int drawn = Drawn(game); drawn != last) last = drawn, since = now;
        return now - since >= 1s;
      },
      60s);
}

TEST(RedrawWindow, IdleDrawsNothingYetTheWindowShowsEveryChange) {
  if (auto why = DisplayMissing("xdotool import xmessage"); !why.empty()) GTEST_SKIP() << why;
  Program game(BuildDir() + "/tests/stress_probe");
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty());
  Activate(id);
  ASSERT_TRUE(Settles(game)) << "the idle map keeps drawing";
  Shot before(id);

  // A window that takes no focus covers the middle of the game, then goes.
  {
    Program cover(
        Shell("command -v xmessage"),
        {"", {"-xrm", "*input: false", "-center", "-geometry", "400x300", "-title", "tilemarch-cover", "x"}, {}});
    ASSERT_FALSE(Shell("timeout 20 xdotool search --sync --onlyvisible --name '^tilemarch-cover$'").empty());
    ASSERT_TRUE(WaitForPicture(id, [&](const Shot &shot) { return !shot.SameIn(before); }))
        << "the other window covers the game";
  }
  EXPECT_TRUE(WaitForPicture(id, [&](const Shot &shot) { return shot.SameIn(before); }))
      << "the uncovered window lost its picture";

  // The tile right of the cursor, which a click makes the cursor.
  Click(id, 320 + 116, 240);
  std::smatch click, frame;
  std::string out, after;
  ASSERT_TRUE(WaitFor([&] {
    out = game.Output();
    if (!std::regex_search(out, click, std::regex("update (\\d+)\\n"))) return false;
    after = click.suffix();
    return std::regex_search(after, frame, std::regex("drawn (\\d+)"));
  })) << "the click is drawn";
  EXPECT_LE(std::stoi(frame[1]) - std::stoi(click[1]), 1) << "the click shows two updates late";

  EXPECT_EQ(game.CloseWindow(), 0);
}

} // namespace
