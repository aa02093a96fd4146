// A game fixture whose input goes through the framework's real input device,
// fed with the events the host passes on (mouse, touch, key), and whose pads
// are polled from the test host as the host polls GLFW. Sounds are told apart
// by their slot, so tests can ask which effect played.
#pragma once

#include <string>
#include <vector>

#include "game_fixture.h"
#include "input/input_device.h"

// A host whose joysticks report settable sticks and buttons.
class PadHost : public TestHost {
public:
  float stickX[4] = {}, stickY[4] = {};
  std::set<int> buttons; // key codes 256 + 32 x pad + button
  bool PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                    const Array<bool> &pressed) override;
};

// Input read from the input device; drawing and audio recorded as FakeDevices
// does, with each loaded sound slot a distinct handle.
class HostFedDevices : public FakeDevices {
public:
  std::vector<int> played; // sound slots in the order played

  int KeyDown(int key) override;
  int KeyHit(int key) override;
  float MouseX() override;
  float MouseY() override;
  float TouchX(int index) override;
  float TouchY(int index) override;
  float JoyX(int stick, int pad) override;
  float JoyY(int stick, int pad) override;
  int GetChar() override;
  GameSound LoadSound(const String &path) override;
  void PlaySound(const GameSound &sound, int channel, int flags) override;
  int Played(int slot) const;
};

class BoardTest : public GameTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the game, starts puzzle level (0 the tutorial) as the menu does, and
  // runs one update with nothing held.
  void StartPuzzle(int level);
  // One host pass: poll pads, update, forget the hits.
  void Step();
  void Steps(int n) {
    for (int i = 0; i < n; ++i) Step();
  }

  void Press(int key);
  void Release(int key);
  void MouseDown(float x, float y);
  void MouseMove(float x, float y);
  void MouseUp();
  void TouchDown(int finger, float x, float y);
  void TouchUp(int finger);
  // Press and release over tile (x, y), one update each.
  void ClickTile(int x, int y);

  // Tile centres at 640 x 480 with the board at the bottom.
  static float TileX(int x) { return 208.0f + 32.0f * static_cast<float>(x); }
  static float TileY(int y) { return 236.0f + 32.0f * static_cast<float>(y); }

  float Mark(int x, int y) const { return app->m_grid[(32 * y + x) * 10]; }
  void SetMark(int x, int y, float v) { app->m_grid[(32 * y + x) * 10] = v; }
  // Sets the marks (or with solution true the solution) from 8 rows of '#'
  // and '.'.
  void Paint(const std::vector<std::string> &rows, bool solution = false);
  // The marks as 8 rows of '#' and '.'.
  std::vector<std::string> Marks() const;
  // Marks the stored picture exactly.
  void MarkSolution();

  // Display-list records of an image slot at a draw scale.
  std::vector<int> RecordsOf(int slot, float scale) const;
  // The text drawn at one y by glyphs of a scale, left to right.
  std::string TextAt(float y, float scale) const;

  PadHost *pads = nullptr;
  std::shared_ptr<HostFedDevices> fed;
  c_InputDevice input;
};
