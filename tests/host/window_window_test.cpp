// The game in a real window: a fatal signal is reported before it ends.
#include <gtest/gtest.h>
#include <signal.h>

#include "support/program.h"
#include "support/xwindow.h"

using namespace std::chrono_literals;

TEST(CrashWindow, RunningGameKilledWithSegvReportsAndEnds) {
  if (auto why = DisplayMissing("xdotool"); !why.empty()) GTEST_SKIP() << why;
  Program game(BuildDir() + "/tilemarch");
  ASSERT_FALSE(game.WindowId().empty());
  game.Signal(SIGSEGV);
  EXPECT_EQ(game.WaitForExit(10s), 255);
  EXPECT_NE(game.Output().find("Quill Runtime Error : Memory access violation\n\n"), std::string::npos);
}
