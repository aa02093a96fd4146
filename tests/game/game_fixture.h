// Test doubles for the game's devices and host, and a fixture that builds a
// c_MyApp on them without a window: input set directly or fed through the
// framework's real input device, drawing and audio recorded, the state kept in
// memory, and helpers that play the map, the menus and a puzzle.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/devices.h"
#include "game/flow.h"
#include "host/game.h"
#include "host/game_delegate.h"
#include "input/input.h"
#include "input/input_device.h"

// Records what the game asks of the devices and answers from settable state,
// or, with fromInput, reads input from the framework's input device. Each
// effect slot loads as a handle of its own, so tests can ask which one played.
class FakeDevices : public GameDevices {
public:
  std::set<int> down, hits;
  float mouseX = 0, mouseY = 0;
  float touchX[10] = {}, touchY[10] = {};
  float joyX[4] = {}, joyY[4] = {};
  std::vector<int> chars;
  bool fromInput = false;
  // With false every load gives an empty slot.
  bool allFilesExist = true;
  std::vector<std::string> imagesLoaded, soundsLoaded, musicPlayed;
  struct Call {
    std::string what;
    int channel;
    float value;
  };
  std::vector<Call> audio;
  std::vector<int> played; // effect slots in the order played
  int drawCalls = 0, imageDraws = 0, rects = 0, ovals = 0, lines = 0, pauses = 0, resumes = 0;
  float lastRect[4] = {};
  int blend = -1;

  int KeyDown(int key) override { return fromInput ? vex_input_KeyDown(key) : down.count(key) ? 1 : 0; }
  int KeyHit(int key) override { return fromInput ? vex_input_KeyHit(key) : hits.count(key) ? 1 : 0; }
  float MouseX() override { return fromInput ? vex_input_MouseX() : mouseX; }
  float MouseY() override { return fromInput ? vex_input_MouseY() : mouseY; }
  float TouchX(int i) override { return fromInput ? vex_input_TouchX(i) : touchX[i]; }
  float TouchY(int i) override { return fromInput ? vex_input_TouchY(i) : touchY[i]; }
  float JoyX(int stick, int pad) override { return fromInput ? vex_input_JoyX(stick, pad) : joyX[pad]; }
  float JoyY(int stick, int pad) override { return fromInput ? vex_input_JoyY(stick, pad) : joyY[pad]; }
  int GetChar() override;
  GameImage LoadImage(const String &path, int, int, int, int) override;
  GameImage CreateImage(int, int, int, int) override;
  void SetColor(float, float, float) override {}
  void SetAlpha(float) override {}
  void SetBlend(int b) override { blend = b; }
  void DrawRect(float x, float y, float w, float h) override;
  void DrawOval(float, float, float, float) override { ++ovals; }
  void DrawLine(float, float, float, float) override { ++lines; }
  void DrawImage(const GameImage &, float, float, float, float, float, int) override { ++imageDraws; }
  GameSound LoadSound(const String &path) override;
  void PlaySound(const GameSound &sound, int channel, int) override;
  void StopChannel(int channel) override { audio.push_back({"stop", channel, 0}); }
  void SetChannelRate(int channel, float v) override { audio.push_back({"rate", channel, v}); }
  void SetChannelVolume(int channel, float v) override { audio.push_back({"volume", channel, v}); }
  void SetChannelPan(int channel, float v) override { audio.push_back({"pan", channel, v}); }
  void PlayMusic(const String &path, int) override { musicPlayed.push_back(path.ToUtf8()); }
  void StopMusic() override { musicPlayed.push_back("stop"); }
  void PauseMusic() override { ++pauses; }
  void ResumeMusic() override { ++resumes; }
  void UpdateAsyncEvents() override {}

  // How often an effect slot has played; Plays() counts every effect.
  int Played(int slot) const;
  int Plays() const { return static_cast<int>(played.size()); }
};

// A host with a device size, a settable clock, pads whose sticks and buttons
// tests set, and the state in memory (or, with useFile, in the real state
// file of the working directory).
class TestHost : public VexGame {
public:
  int width = 640, height = 480, millis = 1000;
  String state;
  std::vector<std::string> saves;
  bool useFile = false;
  float stickX[4] = {}, stickY[4] = {};
  std::set<int> buttons; // key codes 256 + 32 x pad + button

  int Millisecs() override { return millis; }
  int GetDeviceWidth() override { return width; }
  int GetDeviceHeight() override { return height; }
  int SaveState(const String &text) override;
  String LoadState() override;
  bool PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                    const Array<bool> &pressed) override;
};

// Key codes used by the tests.
enum TestKeys {
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeyX = 88,
  kKeyN = 78,
  kKeyF2 = 113,
  kMouse = 1,
  kTouch0 = 384,
};

class GameTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the game as the host does (p_OnCreate) at a device size.
  void Create(int width = 640, int height = 480);
  // Runs the loader to its end and renders once, so the fit is current.
  void FinishLoading();
  // Creates the game on a saved state and finishes its loading.
  void StartWith(const std::string &state = "", int width = 640, int height = 480);
  void Resize(int width, int height);
  // One update; with input from the input device, one host pass that also
  // polls the pads and forgets the hits.
  void Update();
  void Updates(int n) {
    for (int i = 0; i < n; ++i) Update();
  }
  void Render() { app->p_OnRender(); }
  // The records of the display list.
  int Records() const { return app->m_drawCount / 15; }
  float Rec(int record, int field) const { return app->m_drawList[record * 15 + field]; }
  // Records of a kind (an image slot or a shape kind), at a draw scale if
  // one is given.
  std::vector<int> RecordsOf(float kind, float scale = -1) const;
  // Glyphs drawn in the current display list, in order (spaces draw nothing).
  std::string DrawnText() const;
  // The text drawn at one y by glyphs of a scale, left to right.
  std::string TextAt(float y, float scale) const;
  std::string Saved() const { return host->state.ToUtf8(); }

  // Input set directly: keys held from now on, or held for one update and
  // released for one.
  void Hold(std::set<int> keys) { dev->down = std::move(keys); }
  void Release() { Hold({}); }
  void Press(std::set<int> keys);
  // Mouse button and touch point 0 down at a virtual position for one update;
  // a tap adds one update up.
  void TouchAt(float x, float y);
  void Tap(float x, float y);

  // Input fed through the framework's input device, as the host feeds it.
  void UseInputDevice();
  void KeyDown(int key) { input.p_KeyEvent(VexEvent::KeyDown, key); }
  void KeyUp(int key) { input.p_KeyEvent(VexEvent::KeyUp, key); }
  void MouseDown(float x, float y) { input.p_MouseEvent(VexEvent::MouseDown, 0, x, y); }
  void MouseMove(float x, float y) { input.p_MouseEvent(VexEvent::MouseMove, 0, x, y); }
  void MouseUp() { input.p_MouseEvent(VexEvent::MouseUp, 0, 0, 0); }
  void TouchDown(int finger, float x, float y) { input.p_TouchEvent(VexEvent::TouchDown, finger, x, y); }
  void TouchUp(int finger) { input.p_TouchEvent(VexEvent::TouchUp, finger, 0, 0); }
  // Press and release over tile (x, y), one update each.
  void ClickTile(int x, int y);

  // The map: lets the camera reach its target so cells stand still; the lock
  // flag of a cell (1 locked); the number of open cells.
  void SettleCamera();
  int Locked(int c, int r) const { return app->m_mapCells[16 * r + c]; }
  int OpenCells() const;
  // Loads a puzzle and pauses it as the board does on back.
  void PlayAndPause(int level = 5);
  // Opens the options box and lets it slide fully in.
  void OpenOptions();

  // A puzzle: loads the game and starts puzzle level (0 the tutorial) as the
  // menu does, with nothing held.
  void StartPuzzle(int level);
  // Tile centres at 640 x 480 with the board at the bottom.
  static float TileX(int x) { return 208.0f + 32.0f * static_cast<float>(x); }
  static float TileY(int y) { return 236.0f + 32.0f * static_cast<float>(y); }
  float Mark(int x, int y) const { return app->m_grid[(32 * y + x) * 10]; }
  void SetMark(int x, int y, float v) { app->m_grid[(32 * y + x) * 10] = v; }
  // Sets the marks (or with solution true the solution) from 8 rows of '#'
  // and '.'; Marks reads them back.
  void Paint(const std::vector<std::string> &rows, bool solution = false);
  std::vector<std::string> Marks() const;
  // Marks the stored picture exactly.
  void MarkSolution();

  std::unique_ptr<TestHost> host;
  std::shared_ptr<FakeDevices> dev;
  std::unique_ptr<c_MyApp> app;
  c_InputDevice input;
};

// A fixture whose input goes through the framework's input device.
class BoardTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    UseInputDevice();
  }
};

// Number n of a save string, as text.
std::string SavedPart(const std::string &state, int n);
