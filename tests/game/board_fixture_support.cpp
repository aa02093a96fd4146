// The board fixture (see board_fixture.h).
#include "board_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "host/game_delegate.h"
#include "input/input.h"

namespace {
// One byte per sound slot: the address of entry n stands for slot n.
char soundTokens[100];
} // namespace

bool PadHost::PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &,
                           const Array<bool> &pressed) {
  joyx[0] = stickX[port];
  joyy[0] = stickY[port];
  for (int b = 0; b < 32; ++b) pressed[b] = buttons.count(256 + 32 * port + b) > 0;
  return true;
}

int HostFedDevices::KeyDown(int key) { return vex_input_KeyDown(key); }
int HostFedDevices::KeyHit(int key) { return vex_input_KeyHit(key); }
float HostFedDevices::MouseX() { return vex_input_MouseX(); }
float HostFedDevices::MouseY() { return vex_input_MouseY(); }
float HostFedDevices::TouchX(int index) { return vex_input_TouchX(index); }
float HostFedDevices::TouchY(int index) { return vex_input_TouchY(index); }
float HostFedDevices::JoyX(int stick, int pad) { return vex_input_JoyX(stick, pad); }
float HostFedDevices::JoyY(int stick, int pad) { return vex_input_JoyY(stick, pad); }
int HostFedDevices::GetChar() { return vex_input_GetChar(); }

GameSound HostFedDevices::LoadSound(const String &path) {
  FakeDevices::LoadSound(path);
  // "sfx/098.wav" is slot 98.
  std::string name = path.ToUtf8();
  int slot = std::atoi(name.c_str() + name.find('/') + 1);
  if (slot < 0 || slot > 99) return nullptr;
  return GameSound(std::shared_ptr<void>(), reinterpret_cast<c_Sound *>(&soundTokens[slot]));
}

void HostFedDevices::PlaySound(const GameSound &sound, int channel, int flags) {
  FakeDevices::PlaySound(sound, channel, flags);
  played.push_back(static_cast<int>(reinterpret_cast<char *>(sound.get()) - soundTokens));
}

int HostFedDevices::Played(int slot) const { return static_cast<int>(std::count(played.begin(), played.end(), slot)); }

void BoardTest::SetUp() {
  // The host must exist before the framework's globals take it up.
  auto padHost = std::make_unique<PadHost>();
  pads = padHost.get();
  host = std::move(padHost);
  vexInit();
  vexInitTilemarch();
  fed = std::make_shared<HostFedDevices>();
  dev = fed;
  vex_input_SetInputDevice(&input);
}

void BoardTest::TearDown() {
  GameTest::TearDown();
  vex_input_SetInputDevice(nullptr);
}

void BoardTest::StartPuzzle(int level) {
  Create();
  FinishLoading();
  app->m_level = level;
  app->m_state = 11;
  Step();
  // The player lets go of what started the puzzle.
  Step();
  fed->played.clear();
}

void BoardTest::Step() {
  input.p_BeginUpdate();
  app->p_OnUpdate();
  input.p_EndUpdate();
}

void BoardTest::Press(int key) { input.p_KeyEvent(VexEvent::KeyDown, key); }
void BoardTest::Release(int key) { input.p_KeyEvent(VexEvent::KeyUp, key); }
void BoardTest::MouseDown(float x, float y) { input.p_MouseEvent(VexEvent::MouseDown, 0, x, y); }
void BoardTest::MouseMove(float x, float y) { input.p_MouseEvent(VexEvent::MouseMove, 0, x, y); }
void BoardTest::MouseUp() { input.p_MouseEvent(VexEvent::MouseUp, 0, 0, 0); }
void BoardTest::TouchDown(int finger, float x, float y) { input.p_TouchEvent(VexEvent::TouchDown, finger, x, y); }
void BoardTest::TouchUp(int finger) { input.p_TouchEvent(VexEvent::TouchUp, finger, 0, 0); }

void BoardTest::ClickTile(int x, int y) {
  MouseDown(TileX(x), TileY(y));
  Step();
  MouseUp();
  Step();
}

void BoardTest::Paint(const std::vector<std::string> &rows, bool solution) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) app->m_grid[(32 * y + x) * 10 + (solution ? 1 : 0)] = rows[y][x] == '#' ? 1.0f : 0.0f;
}

std::vector<std::string> BoardTest::Marks() const {
  std::vector<std::string> rows(8, std::string(8, '.'));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (Mark(x, y) == 1) rows[y][x] = '#';
  return rows;
}

void BoardTest::MarkSolution() {
  for (int cell = 0; cell < 32 * 32; ++cell) app->m_grid[cell * 10] = app->m_grid[cell * 10 + 1];
}

std::vector<int> BoardTest::RecordsOf(int slot, float scale) const {
  std::vector<int> found;
  for (int r = 0; r < Records(); ++r)
    if (Rec(r, 0) == static_cast<float>(slot) && std::fabs(Rec(r, 4) - scale) < 1e-4f) found.push_back(r);
  return found;
}

std::string BoardTest::TextAt(float y, float scale) const {
  std::multimap<float, char> glyphs;
  for (int r : RecordsOf(app->m_font, scale))
    if (std::fabs(Rec(r, 2) - y) < 0.5f) glyphs.emplace(Rec(r, 1), static_cast<char>(Rec(r, 6) + 32));
  std::string text;
  for (auto &[x, c] : glyphs) text += c;
  return text;
}
