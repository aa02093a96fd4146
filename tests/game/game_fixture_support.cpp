// The game test fixture: a fresh host, game globals and game object per test.
#include "game_fixture.h"

void GameTest::SetUp() {
  host = std::make_unique<TestHost>();
  vexInit();
  vexInitTilemarch();
  dev = std::make_shared<FakeDevices>();
}

void GameTest::TearDown() {
  app.reset();
  host.reset();
}

void GameTest::Create(int width, int height) {
  host->width = width;
  host->height = height;
  vex_app_ValidateDeviceWindow(false);
  app = std::make_unique<c_MyApp>(dev);
  app->p_OnCreate();
}

void GameTest::Resize(int width, int height) {
  host->width = width;
  host->height = height;
  vex_app_ValidateDeviceWindow(true);
}

void GameTest::FinishLoading() {
  Render();
  for (int i = 0; i < 30 && app->m_loadStep > 0; ++i) Update();
  Render();
}
