// The lifecycle: the one application object, the app module's answers, the
// host's date and display modes, and the runtime's exits.
#include <gtest/gtest.h>

#include "host/app.h"
#include "host/game.h"
#include "runtime/object.h"

namespace {

class FakeHost : public VexGame {
public:
  int width = 640, height = 480;
  Array<VexDisplayMode> modes;
  int GetDeviceWidth() override { return width; }
  int GetDeviceHeight() override { return height; }
  Array<VexDisplayMode> GetDisplayModes() override { return modes; }
};

class CountingApp : public c_App {
public:
  int creates = 0, updates = 0, renders = 0;
  void p_OnCreate() override { ++creates; }
  void p_OnUpdate() override { ++updates; }
  void p_OnRender() override { ++renders; }
};

class Lifecycle : public ::testing::Test {
protected:
  void SetUp() override { vexInit(); }
  void TearDown() override { vexInit(); }
  FakeHost host;
};

TEST_F(Lifecycle, AppRegistersItsDelegateAndStartsThroughTheHost) {
  vexInit();
  CountingApp app;
  ASSERT_NE(host.Delegate(), nullptr);
  host.RenderGame();
  EXPECT_EQ(app.renders, 0) << "nothing runs before StartGame";
  host.StartGame();
  host.StartGame();
  EXPECT_EQ(app.creates, 1);
  EXPECT_EQ(vex_app_DeviceWidth(), 640);
  host.width = 800;
  host.UpdateGame();
  EXPECT_EQ(vex_app_DeviceWidth(), 800) << "a resize is seen from the next update on";
  host.RenderGame();
  EXPECT_EQ(app.updates, 1);
  EXPECT_EQ(app.renders, 1);
}

TEST_F(Lifecycle, SecondAppIsARuntimeError) {
  vexInit();
  CountingApp first;
  EXPECT_EXIT(CountingApp second, testing::ExitedWithCode(255), "App has already been created");
}

TEST_F(Lifecycle, CloseAndBackKeysEndTheProgramSilently) {
  vexInit();
  CountingApp app;
  host.StartGame();
  EXPECT_EXIT(host.KeyEvent(KeyDown, 432), testing::ExitedWithCode(0), "^$");
  EXPECT_EXIT(host.KeyEvent(KeyDown, 416), testing::ExitedWithCode(0), "^$");
  host.KeyEvent(KeyUp, 432);
}

TEST_F(Lifecycle, ThrowableObjectInAnEntryPointIsUncaughtException) {
  struct ThrowingApp : c_App {
    void p_OnUpdate() override { throw ThrowableObject(); }
  };
  vexInit();
  ThrowingApp app;
  host.StartGame();
  EXPECT_EXIT(host.UpdateGame(), testing::ExitedWithCode(255), "");
}

TEST(DisplayModes, SameSizeAtAnotherDepthIsOneMode) {
  Array<VexDisplayMode> modes(4);
  modes[0] = {640, 480, 16, 0, 0};
  modes[1] = {800, 600, 32, 0, 0};
  modes[2] = {640, 480, 32, 0, 0};
  modes[3] = {1024, 768, 32, 0, 0};
  Array<c_DisplayMode> distinct = DistinctDisplayModes(modes);
  ASSERT_EQ(distinct.Length(), 3);
  EXPECT_EQ(distinct[0].width, 640);
  EXPECT_EQ(distinct[1].width, 800);
  EXPECT_EQ(distinct[2].height, 768);
  EXPECT_EQ(DistinctDisplayModes(Array<VexDisplayMode>()).Length(), 0);
}

TEST(Date, FillsAsManyFieldsAsTheArrayHolds) {
  VexGame host;
  Array<int> none;
  host.GetDate(none);
  Array<int> three(3);
  host.GetDate(three);
  EXPECT_GE(three[0], 2024);
  EXPECT_GE(three[1], 1);
  EXPECT_LE(three[1], 12);
  EXPECT_GE(three[2], 1);
  EXPECT_LE(three[2], 31);
  Array<int> seven(7);
  seven[6] = 99;
  host.GetDate(seven);
  EXPECT_EQ(seven[0], three[0]);
  EXPECT_LE(seven[3], 23);
  EXPECT_LE(seven[5], 60);
  EXPECT_EQ(seven[6], 0);
}

} // namespace
