// The game draws only when its picture changes, yet the window always shows
// it: after being covered, after a click, a resize and a full-screen switch.
// Needs a display with a window manager (make test provides Xvfb with openbox).
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;

int Drawn(const Program &game) { return CountMatches(game.Output(), std::regex("drawn \\d+")); }

// Waits until a second passes without a frame drawn.
bool Settles(const Program &game) {
  for (int second = 0, last = -1; second < 40; ++second, std::this_thread::sleep_for(1s)) {
    if (Drawn(game) == last) return true;
    last = Drawn(game);
  }
  return false;
}

bool SamePixels(const Shot &a, const Shot &b) {
  bool same = !a.Empty() && a.Width() == b.Width() && a.Height() == b.Height();
  for (int i = 0; same && i < a.Width() * a.Height(); ++i)
    same = a.Rgb(i % a.Width(), i / a.Width()) == b.Rgb(i % a.Width(), i / a.Width());
  return same;
}

TEST(RedrawWindow, IdleDrawsNothingYetTheWindowShowsEveryChange) {
  if (auto why = DisplayMissing("xdotool import xmessage"); !why.empty()) GTEST_SKIP() << why;
  Program game(BuildDir() + "/tests/redraw_probe");
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty());
  Activate(id);
  ASSERT_TRUE(Settles(game)) << "the idle map keeps drawing";
  Shot before(id);

  // A window that takes no focus covers the middle of the game, then goes.
  Shell("xmessage -xrm '*input: false' -center -geometry 400x300 covering & echo $! > cover.pid; sleep 1;"
        " kill $(cat cover.pid); sleep 1");
  EXPECT_TRUE(SamePixels(before, Shot(id))) << "the uncovered window lost its picture";

  // The tile right of the cursor, which a click makes the cursor.
  Click(id, 320 + 116, 240);
  std::smatch click, frame;
  std::string out = game.Output();
  ASSERT_TRUE(std::regex_search(out, click, std::regex("update (\\d+)\\n")));
  std::string after = click.suffix();
  ASSERT_TRUE(std::regex_search(after, frame, std::regex("drawn (\\d+)")));
  EXPECT_LE(std::stoi(frame[1]) - std::stoi(click[1]), 1) << "the click shows two updates late";

  // Full screen and back: new contexts, and pictures read again from their files.
  ASSERT_TRUE(Settles(game));
  Shot moved(id);
  for (const char *size : {"1280x1024", "640x480"}) {
    int drawn = Drawn(game);
    PressKey(game.WindowId(), "F11");
    EXPECT_TRUE(WaitForGeometry(game, size));
    EXPECT_TRUE(Settles(game));
    EXPECT_GT(Drawn(game), drawn) << size;
  }
  EXPECT_TRUE(SamePixels(moved, Shot(game.WindowId()))) << "the picture differs after full screen and back";
  int drawn = Drawn(game);
  Shell("xdotool windowsize --sync " + game.WindowId() + " 700 520 2>/dev/null");
  std::this_thread::sleep_for(1s);
  EXPECT_GT(Drawn(game), drawn) << "a resize draws";
  EXPECT_EQ(game.CloseWindow(), 0);
}

} // namespace
