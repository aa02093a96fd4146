// The game on test devices and a test host, without a window: input set
// directly or through the real input device, loads and effects recorded.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "game/board_rules.h"
#include "game/flow.h"
#include "game/menu_map.h"
#include "game/names.h"
#include "host/game.h"
#include "input/input.h"
#include "input/input_device.h"
#include "support/fake_devices.h"

// A host with a size, a clock, pad sticks, the state in memory, and,
// when switchable, a window that goes full screen.
class TestHost : public VexGame {
public:
  int width = 640, height = 480, millis = 1000;
  String state;
  std::vector<std::string> saves;
  bool switchable = false, fullScreen = false;
  float stickX[4] = {}, stickY[4] = {};

  int Millisecs() override { return millis; }
  int GetDeviceWidth() override { return width; }
  int GetDeviceHeight() override { return height; }
  int SaveState(const String &text) override { return saves.push_back(text.ToUtf8()), state = text, 0; }
  String LoadState() override { return state; }
  bool PollJoystick(int port, const Array<float> &x, const Array<float> &y, const Array<float> &,
                    const Array<bool> &) override {
    x[0] = stickX[port], y[0] = stickY[port];
    return true;
  }
};

// Input from settable state (or, with fromInput, the input device); loads and
// plays recorded, each effect slot's sound an object of its own, so tests can
// ask which played.
class FakeDevices : public QuietDevices {
public:
  std::set<int> down, hits;
  float mouseX = 0, mouseY = 0, touchX[10] = {}, touchY[10] = {};
  bool fromInput = false, allFilesExist = true; // false: every load gives an empty slot
  std::vector<std::string> imagesLoaded, music;
  std::vector<int> played; // effect slots in the order played; -1 an empty slot

  int KeyDown(int key) override { return fromInput ? vex_input_KeyDown(key) : down.count(key) ? 1 : 0; }
  int KeyHit(int key) override { return fromInput ? vex_input_KeyHit(key) : hits.count(key) ? 1 : 0; }
  float MouseX() override { return fromInput ? vex_input_MouseX() : mouseX; }
  float MouseY() override { return fromInput ? vex_input_MouseY() : mouseY; }
  float TouchX(int i) override { return fromInput ? vex_input_TouchX(i) : touchX[i]; }
  float TouchY(int i) override { return fromInput ? vex_input_TouchY(i) : touchY[i]; }
  float JoyX(int stick, int pad) override { return fromInput ? vex_input_JoyX(stick, pad) : 0; }
  float JoyY(int stick, int pad) override { return fromInput ? vex_input_JoyY(stick, pad) : 0; }
  int GetChar() override { return fromInput ? vex_input_GetChar() : 0; }
  GameImage LoadImage(const String &path, int frameWidth, int frameHeight, int frames, int flags) override {
    imagesLoaded.push_back(path.ToUtf8());
    return allFilesExist ? QuietDevices::LoadImage(path, frameWidth, frameHeight, frames, flags) : nullptr;
  }
  GameSound LoadSound(const String &path) override { // "sfx/098.wav" is slot 98
    if (!allFilesExist) return nullptr;
    GameSound sound = QuietDevices::LoadSound(path);
    slotOf_[sound] = path.ToUtf8().rfind("sfx/", 0) == 0 ? std::atoi(path.ToUtf8().c_str() + 4) : kSoundSlots;
    return sound;
  }
  void PlaySound(const GameSound &sound, int, int) override {
    auto slot = slotOf_.find(sound);
    played.push_back(slot == slotOf_.end() ? -1 : slot->second);
  }
  void PlayMusic(const String &path, int) override { music.push_back(path.ToUtf8()); }
  void StopMusic() override { music.push_back("stop"); }
  int Millisecs() override { return Host().millis; }
  void SetKeyboardEnabled(bool on) override { Host().SetKeyboardEnabled(on); }
  bool SetFullScreen(bool on) override { return Host().switchable && (Host().fullScreen = on, true); }
  // The host of the test in progress.
  static TestHost &Host() { return *static_cast<TestHost *>(VexGame::_game); }

  int Played(int slot) const { return static_cast<int>(std::count(played.begin(), played.end(), slot)); }
  int Plays() const { return static_cast<int>(played.size()); }

private:
  std::map<GameSound, int> slotOf_; // every sound loaded, kept, with its slot
};

enum TestKeys { kKeyLeft = 37, kKeyUp, kKeyRight, kKeyDown, kKeyEnter = 13, kKeyEscape = 27 };
enum TestPointers { kMouse = 1, kTouch0 = 384 };

class GameTest : public testing::Test {
protected:
  // The host, made with the fixture, exists before the framework's globals
  // take it up.
  void SetUp() override {
    vexInit();
    vexInitTilemarch();
    dev = std::make_shared<FakeDevices>();
  }
  void TearDown() override {
    app.reset();
    host.reset();
    vex_input_SetInputDevice(nullptr);
  }
  // Creates the game as the host does at a device size.
  void Create(int width = 640, int height = 480) {
    Resize(width, height, false);
    app = std::make_unique<c_MyApp>(dev);
    app->p_OnCreate();
  }
  // Runs the loader to its end and renders, so the fit is current.
  void FinishLoading() {
    Render();
    for (int i = 0; i < 30 && app->m_loadStep > 0; ++i) Update();
    Render();
  }
  void StartWith(const std::string &state = "") {
    host->state = String::FromUtf8(state);
    Create();
    FinishLoading();
  }
  void Resize(int width, int height, bool changed = true) {
    host->width = width;
    host->height = height;
    vex_app_ValidateDeviceWindow(changed);
  }
  // One update; with the input device, one host pass that also polls the pads.
  void Update() {
    if (dev->fromInput) input.p_BeginUpdate();
    app->p_OnUpdate();
    if (dev->fromInput) input.p_EndUpdate();
  }
  void Updates(int n) {
    while (n-- > 0) Update();
  }
  void Render() { app->p_OnRender(); }
  std::string Saved() const { return host->state.ToUtf8(); }
  std::vector<std::string> Parts() const {
    std::vector<std::string> parts;
    std::stringstream in(Saved());
    for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
    return parts;
  }

  // The display list: records, their fields, records of a kind (at a scale).
  int Records() const { return app->m_drawCount; }
  const DrawRecord &Rec(int record) const { return app->m_drawList[record]; }
  std::vector<int> RecordsOf(float kind, float scale = -1) const {
    std::vector<int> found;
    for (int r = 0; r < Records(); ++r)
      if (Rec(r).kind == kind && (scale < 0 || std::fabs(Rec(r).w - scale) < 1e-4f)) found.push_back(r);
    return found;
  }
  // Glyphs drawn, in order; or those at one y (and x) at a scale, left to right.
  std::string DrawnText() const { return TextAt(-1e9f, -1); }
  std::string TextAt(float y, float scale, float x = -1e9f) const {
    std::multimap<float, char> glyphs;
    for (int r : RecordsOf(app->m_font, scale))
      if ((y < -1e8f || std::fabs(Rec(r).y - y) < 0.5f) && (x < -1e8f || std::fabs(Rec(r).x - x) < 0.5f))
        glyphs.emplace(y < -1e8f ? r : Rec(r).x, static_cast<char>(Rec(r).frame + 32));
    std::string text;
    for (auto &[at, c] : glyphs) text += c;
    return text;
  }

  // Input set directly: keys held from now on, or for one update and then
  // released for one.
  void Hold(std::set<int> keys) { dev->down = std::move(keys); }
  void Release() { Hold({}); }
  void Press(std::set<int> keys) { Hold(std::move(keys)), Update(), Release(), Update(); }

  // Input through the framework's input device, as the host feeds it.
  void KeyDown(int key) { input.p_KeyEvent(VexEvent::KeyDown, key); }
  void KeyUp(int key) { input.p_KeyEvent(VexEvent::KeyUp, key); }
  void HoldKey(int key, int held, int after) { KeyDown(key), Updates(held), KeyUp(key), Updates(after); }
  void MouseDown(float x, float y) { input.p_MouseEvent(VexEvent::MouseDown, 0, x, y); }
  void MouseMove(float x, float y) { input.p_MouseEvent(VexEvent::MouseMove, 0, x, y); }
  void MouseUp() { input.p_MouseEvent(VexEvent::MouseUp, 0, 0, 0); }
  void TouchDown(int finger, float x, float y) { input.p_TouchEvent(VexEvent::TouchDown, finger, x, y); }
  void TouchUp(int finger) { input.p_TouchEvent(VexEvent::TouchUp, finger, 0, 0); }
  void Click(float x, float y) { MouseDown(x, y), Update(), MouseUp(), Update(); }

  // The map: a cell's lock flag, and the open cells.
  int Locked(int c, int r) const { return app->m_mapCells[kMapRowStride * r + c]; }
  int OpenCells() const {
    int open = 0;
    for (int r = 0; r < kMapSize; ++r)
      for (int c = 0; c < kMapSize; ++c) open += !Locked(c, r);
    return open;
  }

  // Starts puzzle level (0 the tutorial) as the menu does, nothing held.
  void StartPuzzle(int level) {
    StartWith();
    app->m_level = level;
    app->m_state = kStateStartPuzzle;
    Updates(2);
    dev->played.clear();
  }
  // Tile centres at 640 x 480 with the board at the bottom.
  static float TileX(int x) { return 208.0f + kTilePitch * static_cast<float>(x); }
  static float TileY(int y) { return 236.0f + kTilePitch * static_cast<float>(y); }
  float &Mark(int x, int y) const { return app->m_grid[CellIndex(x, y, kCellMark)]; }
  // The board's cursor as (column, row), and the running puzzle's time left.
  std::pair<int, int> Cursor() const {
    return {static_cast<int>(app->m_tmpF[kTmpCursorX]), static_cast<int>(app->m_tmpF[kTmpCursorY])};
  }
  float &TimeLeft() const { return app->m_tmpF[kTmpTimeLeft]; }
  // The marks (or the solution) from 8 rows of '#' and '.', and the marks back.
  void Paint(const std::vector<std::string> &rows, int entry = kCellMark) {
    for (int y = 0; y < kBoardSide; ++y)
      for (int x = 0; x < kBoardSide; ++x) app->m_grid[CellIndex(x, y, entry)] = rows[y][x] == '#';
  }
  std::vector<std::string> Marks() const {
    std::vector<std::string> rows(kBoardSide, std::string(kBoardSide, '.'));
    for (int y = 0; y < kBoardSide; ++y)
      for (int x = 0; x < kBoardSide; ++x) rows[y][x] = Mark(x, y) == 1 ? '#' : '.';
    return rows;
  }
  void MarkSolution() {
    for (int y = 0; y < kGridSide; ++y)
      for (int x = 0; x < kGridSide; ++x) Mark(x, y) = app->m_grid[CellIndex(x, y, kCellSolution)];
  }

  // Parts of the save string: the settings and their checksum, the badge
  // words and theirs, then five parts for each puzzle, from puzzle 1 on.
  static constexpr int kSettingsParts = kSettingCount + 1, kBadgeParts = 9, kRecordParts = 5;
  static constexpr int kFirstRecordPart = kSettingsParts + kBadgeParts;
  // Part `entry` of puzzle `puzzle`'s record: best, latest, second best,
  // previous, checksum.
  static int RecordPart(int puzzle, int entry = 0) { return kFirstRecordPart + kRecordParts * (puzzle - 1) + entry; }

  std::unique_ptr<TestHost> host = std::make_unique<TestHost>();
  std::shared_ptr<FakeDevices> dev;
  std::unique_ptr<c_MyApp> app;
  c_InputDevice input{host.get()};
};

// Input through the framework's input device.
class BoardTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    dev->fromInput = true;
    vex_input_SetInputDevice(&input);
  }
};
