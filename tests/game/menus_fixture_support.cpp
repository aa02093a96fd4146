// The menus fixture: in-memory state, key and tap helpers, display-list reading.
#include "menus_fixture.h"

#include "host/app.h"

int MemoryStateHost::SaveState(const String &text) {
  if (useFile) return VexGame::SaveState(text);
  state = text.ToUtf8();
  saves.push_back(state);
  return 0;
}

String MemoryStateHost::LoadState() {
  if (useFile) return VexGame::LoadState();
  return String::FromUtf8(state);
}

std::string SavedPart(const std::string &state, int n) {
  size_t start = 0;
  for (int i = 0; i < n && start != std::string::npos; ++i) {
    start = state.find('|', start);
    if (start != std::string::npos) ++start;
  }
  if (start == std::string::npos) return "";
  return state.substr(start, state.find('|', start) - start);
}

void MenusTest::SetUp() {
  GameTest::SetUp();
  host = std::make_unique<MemoryStateHost>();
  vexInit();
}

void MenusTest::StartWith(const std::string &state, int width, int height) {
  State().state = state;
  Create(width, height);
  FinishLoading();
}

void MenusTest::Hold(std::set<int> keys) { dev->down = std::move(keys); }

void MenusTest::Press(std::set<int> keys) {
  Hold(std::move(keys));
  Update();
  Release();
  Update();
}

void MenusTest::TouchAt(float x, float y) {
  dev->down = {kMouse, kTouch0};
  dev->mouseX = dev->touchX[0] = x * app->m_viewScaleX;
  dev->mouseY = dev->touchY[0] = y * app->m_viewScaleY;
  Update();
}

void MenusTest::Tap(float x, float y) {
  TouchAt(x, y);
  Release();
  Update();
}

std::string MenusTest::DrawnText() const {
  std::string text;
  for (int r = 0; r < Records(); ++r)
    if (Rec(r, 0) == static_cast<float>(app->m_font)) text.push_back(static_cast<char>(Rec(r, 6) + 32));
  return text;
}

std::vector<int> MenusTest::RecordsOf(float kind) const {
  std::vector<int> found;
  for (int r = 0; r < Records(); ++r)
    if (Rec(r, 0) == kind) found.push_back(r);
  return found;
}

int MenusTest::SoundsPlayed() const {
  int played = 0;
  for (const FakeDevices::Call &call : dev->audio) played += call.what == "play";
  return played;
}

void MenusTest::SettleCamera() {
  app->m_camX = app->m_camTargetX + static_cast<float>(app->m_panX);
  app->m_camY = app->m_camTargetY + static_cast<float>(app->m_panY);
}

int MenusTest::OpenCells() const {
  int open = 0;
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 15; ++c) open += Locked(c, r) == 0;
  return open;
}

void MenusTest::PlayAndPause(int level) {
  app->m_level = level;
  app->m_state = 11;
  Update();
  // Loading a puzzle latches the keys; they free once nothing is held.
  Update();
  Press({kKeyEscape});
}

void MenusTest::OpenOptions() {
  app->m_optionsOpen = 1;
  Updates(31);
}
