// A running game that receives a fatal signal reports it and ends. Needs a
// display (make test provides Xvfb).
#include <gtest/gtest.h>
#include <signal.h>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;

TEST(CrashWindow, RunningGameKilledWithSegvReportsAndEnds) {
  if (auto why = DisplayMissing("xdotool"); !why.empty()) GTEST_SKIP() << why;
  Program game(BuildDir() + "/tilemarch");
  ASSERT_FALSE(game.WindowId().empty());
  game.Signal(SIGSEGV);
  EXPECT_EQ(game.WaitForExit(10s), 255);
  EXPECT_NE(game.Output().find("Quill Runtime Error : Memory access violation\n\n"), std::string::npos);
}

} // namespace
