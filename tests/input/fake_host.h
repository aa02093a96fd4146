// A host without a window for the input tests: events enter through VexGame's
// guarded entry points and a delegate that hands them to a c_InputDevice, the
// way the framework's bridge does, and the key and character callbacks are
// replayed with the GLFW host's translation. Pads are scripted per device id.
#pragma once

#include <GLFW/glfw3.h>

#include <map>

#include "host/game.h"
#include "input/glfw_keys.h"
#include "input/input.h"
#include "input/joystick_layout.h"

class DeviceDelegate : public VexGameDelegate {
public:
  explicit DeviceDelegate(c_InputDevice &device) : device_(device) {}
  void UpdateGame() override {
    device_.p_BeginUpdate();
    if (onUpdate) onUpdate();
    device_.p_EndUpdate();
  }
  void KeyEvent(int event, int data) override { device_.p_KeyEvent(event, data); }
  void MouseEvent(int event, int data, float x, float y) override { device_.p_MouseEvent(event, data, x, y); }
  void TouchEvent(int event, int data, float x, float y) override { device_.p_TouchEvent(event, data, x, y); }
  void MotionEvent(int event, int data, float x, float y, float z) override {
    device_.p_MotionEvent(event, data, x, y, z);
  }

  // What the game does during an update, if anything.
  std::function<void()> onUpdate;

private:
  c_InputDevice &device_;
};

class FakeHost : public VexGame {
public:
  FakeHost() : delegate(device) {
    SetDelegate(&delegate);
    vex_input_SetInputDevice(&device);
    StartGame();
  }
  ~FakeHost() override { vex_input_SetInputDevice(nullptr); }

  // The GLFW host's key callback.
  void Key(int glfwKey, int action) {
    int code = TransKey(glfwKey);
    if (!code) return;
    if (action == GLFW_RELEASE) {
      KeyEvent(KeyUp, code);
      return;
    }
    KeyEvent(KeyDown, code);
    if (int chr = KeyToChar(code)) KeyEvent(KeyChar, chr);
  }
  void Tap(int glfwKey) {
    Key(glfwKey, GLFW_PRESS);
    Key(glfwKey, GLFW_RELEASE);
  }
  // The GLFW host's character callback.
  void Char(int codepoint) { KeyEvent(KeyChar, codepoint); }

  // Runs one update; `during` plays the game's part in it.
  void Update(std::function<void()> during = nullptr) {
    delegate.onUpdate = std::move(during);
    UpdateGame();
    delegate.onUpdate = nullptr;
  }

  // The pads plugged in, by GLFW device id, polled like PollGlfwJoystick does.
  std::map<int, JoystickReading> pads;
  int polls = 0;
  bool PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                    const Array<bool> &buttons) override {
    ++polls;
    if (port == 0) ports_ = AssignJoystickPorts([this](int id) { return pads.count(id) != 0; });
    int id = ports_.device[port];
    if (id < 0) return false;
    ApplyJoystickLayout(pads[id], joyx, joyy, joyz, buttons);
    return true;
  }

  c_InputDevice device;
  DeviceDelegate delegate;

private:
  JoystickPorts ports_;
};

// A pad of the given size with every input at rest.
inline JoystickReading Pad(int buttons, int axes) {
  JoystickReading r;
  r.buttonCount = buttons;
  r.axisCount = axes;
  return r;
}
