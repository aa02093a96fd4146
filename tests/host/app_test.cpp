// The lifecycle: the one application object and what the host lets through
// to it; and the crash report of a real process where a careless handler would
// hang or die silently.
#include <gtest/gtest.h>

#include "host/app.h"
#include "host/game.h"
#include "input/input.h"
#include "runtime/object.h"
#include "support/program.h"

namespace {

class CountingApp : public c_App {
public:
  int creates = 0, updates = 0, renders = 0;
  bool throws = false;
  void p_OnCreate() override { ++creates; }
  void p_OnUpdate() override {
    if (throws) throw ThrowableObject();
    ++updates;
  }
  void p_OnRender() override { ++renders; }
};

// A host with one pad, its first button held.
class PadHost : public VexGame {
public:
  bool PollJoystick(int port, const Array<float> &, const Array<float> &, const Array<float> &,
                    const Array<bool> &buttons) override {
    buttons[0] = true;
    return port == 0;
  }
};

TEST(Lifecycle, TheAppRunsOnlyBetweenStartAndSuspend) {
  PadHost host;
  vexInit();
  CountingApp app;
  host.RenderGame();
  host.UpdateGame();
  EXPECT_EQ(app.renders, 0) << "nothing runs before StartGame";
  EXPECT_EQ(app.updates, 0) << "nothing runs before StartGame";
  host.StartGame();
  host.StartGame();
  EXPECT_EQ(app.creates, 1);
  host.SuspendGame();
  host.UpdateGame();
  host.ResumeGame();
  host.UpdateGame();
  EXPECT_EQ(app.updates, 1) << "no update while suspended";
  EXPECT_EQ(vex_input_JoyDown(0, 0), 1) << "the host's pads reach the input device";
  EXPECT_EXIT(CountingApp second, testing::ExitedWithCode(255), "App has already been created");
  app.throws = true;
  EXPECT_EXIT(host.UpdateGame(), testing::ExitedWithCode(255), "");
}

TEST(CrashReport, EveryCrashIsReportedAndEndsTheProcess) {
  for (const char *mode : {"overflow", "worker-overflow", "worker", "locked"}) {
    Program probe(BuildDir() + "/tests/crash_probe", Program::Options{"", {mode}, {}});
    EXPECT_EQ(probe.WaitForExit(std::chrono::seconds(10)), 255) << mode;
    EXPECT_TRUE(probe.Output().ends_with("Quill Runtime Error : Memory access violation\n\n"))
        << mode << ", the report not last in:\n"
        << probe.Output().substr(0, 400);
  }
}

} // namespace
