// The game test fixture: a fresh host, game globals and game object per test.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "game_fixture.h"

namespace {
// One byte per effect slot: the address of entry n stands for slot n, the
// last entry for any other sound.
char soundTokens[101];

// A non-null handle standing for a loaded image.
GameImage ImageToken() {
  static int token;
  return GameImage(std::shared_ptr<void>(), reinterpret_cast<c_Image *>(&token));
}
} // namespace

int FakeDevices::GetChar() {
  if (fromInput) return vex_input_GetChar();
  if (chars.empty()) return 0;
  int c = chars.front();
  chars.erase(chars.begin());
  return c;
}

GameImage FakeDevices::LoadImage(const String &path, int, int, int, int) {
  imagesLoaded.push_back(path.ToUtf8());
  return allFilesExist ? ImageToken() : nullptr;
}

GameImage FakeDevices::CreateImage(int, int, int, int) { return ImageToken(); }

void FakeDevices::DrawRect(float x, float y, float w, float h) {
  ++rects;
  lastRect[0] = x, lastRect[1] = y, lastRect[2] = w, lastRect[3] = h;
}

GameSound FakeDevices::LoadSound(const String &path) {
  std::string name = path.ToUtf8();
  soundsLoaded.push_back(name);
  if (!allFilesExist) return nullptr;
  // "sfx/098.wav" is slot 98.
  size_t slash = name.find('/');
  int slot = slash == std::string::npos ? -1 : std::atoi(name.c_str() + slash + 1);
  if (slot < 0 || slot > 99) slot = 100;
  return GameSound(std::shared_ptr<void>(), reinterpret_cast<c_Sound *>(&soundTokens[slot]));
}

void FakeDevices::PlaySound(const GameSound &sound, int channel, int) {
  audio.push_back({"play", channel, 0});
  played.push_back(sound ? static_cast<int>(reinterpret_cast<char *>(sound.get()) - soundTokens) : -1);
}

int FakeDevices::Played(int slot) const { return static_cast<int>(std::count(played.begin(), played.end(), slot)); }

int TestHost::SaveState(const String &text) {
  saves.push_back(text.ToUtf8());
  if (useFile) return VexGame::SaveState(text);
  state = text;
  return 0;
}

String TestHost::LoadState() { return useFile ? VexGame::LoadState() : state; }

bool TestHost::PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &,
                            const Array<bool> &pressed) {
  joyx[0] = stickX[port];
  joyy[0] = stickY[port];
  for (int b = 0; b < 32; ++b) pressed[b] = buttons.count(256 + 32 * port + b) > 0;
  return true;
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

void GameTest::SetUp() {
  // The host must exist before the framework's globals take it up.
  host = std::make_unique<TestHost>();
  vexInit();
  vexInitTilemarch();
  dev = std::make_shared<FakeDevices>();
}

void GameTest::TearDown() {
  app.reset();
  host.reset();
  vex_input_SetInputDevice(nullptr);
}

void GameTest::Create(int width, int height) {
  host->width = width;
  host->height = height;
  vex_app_ValidateDeviceWindow(false);
  app = std::make_unique<c_MyApp>(dev);
  app->p_OnCreate();
}

void GameTest::FinishLoading() {
  Render();
  for (int i = 0; i < 30 && app->m_loadStep > 0; ++i) Update();
  Render();
}

void GameTest::StartWith(const std::string &state, int width, int height) {
  host->state = String::FromUtf8(state);
  Create(width, height);
  FinishLoading();
}

void GameTest::Resize(int width, int height) {
  host->width = width;
  host->height = height;
  vex_app_ValidateDeviceWindow(true);
}

void GameTest::Update() {
  if (dev->fromInput) input.p_BeginUpdate();
  app->p_OnUpdate();
  if (dev->fromInput) input.p_EndUpdate();
}

std::vector<int> GameTest::RecordsOf(float kind, float scale) const {
  std::vector<int> found;
  for (int r = 0; r < Records(); ++r)
    if (Rec(r, 0) == kind && (scale < 0 || std::fabs(Rec(r, 4) - scale) < 1e-4f)) found.push_back(r);
  return found;
}

std::string GameTest::DrawnText() const {
  std::string text;
  for (int r : RecordsOf(app->m_font)) text.push_back(static_cast<char>(Rec(r, 6) + 32));
  return text;
}

std::string GameTest::TextAt(float y, float scale) const {
  std::multimap<float, char> glyphs;
  for (int r : RecordsOf(app->m_font, scale))
    if (std::fabs(Rec(r, 2) - y) < 0.5f) glyphs.emplace(Rec(r, 1), static_cast<char>(Rec(r, 6) + 32));
  std::string text;
  for (auto &[x, c] : glyphs) text += c;
  return text;
}

void GameTest::Press(std::set<int> keys) {
  Hold(std::move(keys));
  Update();
  Release();
  Update();
}

void GameTest::TouchAt(float x, float y) {
  dev->down = {kMouse, kTouch0};
  dev->mouseX = dev->touchX[0] = x * app->m_viewScaleX;
  dev->mouseY = dev->touchY[0] = y * app->m_viewScaleY;
  Update();
}

void GameTest::Tap(float x, float y) {
  TouchAt(x, y);
  Release();
  Update();
}

void GameTest::UseInputDevice() {
  dev->fromInput = true;
  vex_input_SetInputDevice(&input);
}

void GameTest::ClickTile(int x, int y) {
  MouseDown(TileX(x), TileY(y));
  Update();
  MouseUp();
  Update();
}

void GameTest::SettleCamera() {
  app->m_camX = app->m_camTargetX + static_cast<float>(app->m_panX);
  app->m_camY = app->m_camTargetY + static_cast<float>(app->m_panY);
}

int GameTest::OpenCells() const {
  int open = 0;
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 15; ++c) open += Locked(c, r) == 0;
  return open;
}

void GameTest::PlayAndPause(int level) {
  app->m_level = level;
  app->m_state = 11;
  Update();
  // Loading a puzzle latches the keys; they free once nothing is held.
  Update();
  Press({kKeyEscape});
}

void GameTest::OpenOptions() {
  app->m_optionsOpen = 1;
  Updates(31);
}

void GameTest::StartPuzzle(int level) {
  Create();
  FinishLoading();
  app->m_level = level;
  app->m_state = 11;
  Update();
  // The player lets go of what started the puzzle.
  Update();
  dev->played.clear();
}

void GameTest::Paint(const std::vector<std::string> &rows, bool solution) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) app->m_grid[(32 * y + x) * 10 + (solution ? 1 : 0)] = rows[y][x] == '#' ? 1.0f : 0.0f;
}

std::vector<std::string> GameTest::Marks() const {
  std::vector<std::string> rows(8, std::string(8, '.'));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (Mark(x, y) == 1) rows[y][x] = '#';
  return rows;
}

void GameTest::MarkSolution() {
  for (int cell = 0; cell < 32 * 32; ++cell) app->m_grid[cell * 10] = app->m_grid[cell * 10 + 1];
}
