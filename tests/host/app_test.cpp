// The lifecycle: the one application object, what the host lets through to
// it, and the runtime's exits.
#include <gtest/gtest.h>

#include "host/app.h"
#include "host/game.h"
#include "runtime/object.h"

namespace {

class FakeHost : public VexGame {
public:
  int width = 640;
  int GetDeviceWidth() override { return width; }
};

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

TEST(Lifecycle, TheAppRunsOnlyBetweenStartAndSuspend) {
  FakeHost host;
  vexInit();
  CountingApp app;
  host.RenderGame();
  host.UpdateGame();
  EXPECT_EQ(app.renders + app.updates, 0) << "nothing runs before StartGame";
  host.StartGame();
  host.StartGame();
  EXPECT_EQ(app.creates, 1);
  host.width = 800;
  host.UpdateGame();
  EXPECT_EQ(vex_app_DeviceWidth(), 800) << "a resize is seen from the next update on";
  host.SuspendGame();
  host.UpdateGame();
  EXPECT_EQ(app.updates, 1) << "no update while suspended";
  host.ResumeGame();
  host.UpdateGame();
  EXPECT_EQ(app.updates, 2);
  EXPECT_EXIT(CountingApp second, testing::ExitedWithCode(255), "App has already been created");
  // The close and back keys end the program silently.
  EXPECT_EXIT(host.KeyEvent(KeyDown, 432), testing::ExitedWithCode(0), "^$");
  EXPECT_EXIT(host.KeyEvent(KeyDown, 416), testing::ExitedWithCode(0), "^$");
  app.throws = true;
  EXPECT_EXIT(host.UpdateGame(), testing::ExitedWithCode(255), "");
}

} // namespace
