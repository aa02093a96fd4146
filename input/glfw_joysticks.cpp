// Game pads on GLFW 3; see glfw_joysticks.h.
#include "input/glfw_joysticks.h"

#include <GLFW/glfw3.h>

#include <algorithm>

#include "input/joystick_layout.h"

namespace {

// Made at every poll of port 0, so pads can come and go while the game runs.
JoystickPorts ports;

JoystickReading ReadPad(int id) {
  GLFWgamepadstate state;
  if (glfwJoystickIsGamepad(id) && glfwGetGamepadState(id, &state)) return MakeGamepadReading(state);
  int axisCount = 0, buttonCount = 0, hatCount = 0;
  const float *axes = glfwGetJoystickAxes(id, &axisCount);
  const unsigned char *buttons = glfwGetJoystickButtons(id, &buttonCount);
  const unsigned char *hats = glfwGetJoystickHats(id, &hatCount);
  return MakeGlfwJoystickReading(axes, axisCount, buttons, buttonCount, hats, hatCount);
}

} // namespace

JoystickReading MakeGlfwJoystickReading(const float *axes, int axisCount, const unsigned char *buttons, int buttonCount,
                                        const unsigned char *hats, int hatCount) {
  // The hat directions in the order of the four buttons a hat becomes.
  constexpr int kHatButtonOrder[4] = {GLFW_HAT_LEFT, GLFW_HAT_UP, GLFW_HAT_RIGHT, GLFW_HAT_DOWN};
  // A pad unplugged since the rescan answers null: it reads as at rest.
  if (!axes || axisCount < 0) axisCount = 0;
  if (!buttons || buttonCount < 0) buttonCount = 0;
  if (!hats || hatCount < 0) hatCount = 0;

  JoystickReading r;
  r.axisCount = axisCount;
  for (int i = 0; i < std::min(axisCount, JoystickReading::kMaxAxes); ++i) r.axes[i] = (i & 1) ? -axes[i] : axes[i];

  r.buttonCount = buttonCount + 4 * hatCount;
  for (int i = 0; i < std::min(buttonCount, JoystickReading::kMaxButtons); ++i) r.buttons[i] = buttons[i] == GLFW_PRESS;
  for (int h = 0; h < hatCount && buttonCount + 4 * h < JoystickReading::kMaxButtons; ++h) {
    for (int d = 0; d < 4; ++d) {
      int index = buttonCount + 4 * h + d;
      if (index < JoystickReading::kMaxButtons) r.buttons[index] = (hats[h] & kHatButtonOrder[d]) != 0;
    }
  }
  return r;
}

JoystickReading MakeGamepadReading(const GLFWgamepadstate &state) {
  constexpr int kButtons[10] = {
      GLFW_GAMEPAD_BUTTON_A,           GLFW_GAMEPAD_BUTTON_B,           GLFW_GAMEPAD_BUTTON_X,
      GLFW_GAMEPAD_BUTTON_Y,           GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
      GLFW_GAMEPAD_BUTTON_BACK,        GLFW_GAMEPAD_BUTTON_START,       GLFW_GAMEPAD_BUTTON_LEFT_THUMB,
      GLFW_GAMEPAD_BUTTON_RIGHT_THUMB,
  };
  unsigned char buttons[10];
  for (int i = 0; i < 10; ++i) buttons[i] = state.buttons[kButtons[i]];
  const unsigned char *pad = state.buttons;
  unsigned char hat = (pad[GLFW_GAMEPAD_BUTTON_DPAD_UP] ? GLFW_HAT_UP : 0) |
                      (pad[GLFW_GAMEPAD_BUTTON_DPAD_RIGHT] ? GLFW_HAT_RIGHT : 0) |
                      (pad[GLFW_GAMEPAD_BUTTON_DPAD_DOWN] ? GLFW_HAT_DOWN : 0) |
                      (pad[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] ? GLFW_HAT_LEFT : 0);
  // Mapped triggers rest at -1; the shared axis holds each one's pull 0..1.
  const float *in = state.axes;
  float triggers = (in[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] - in[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER]) * 0.5f;
  // Mapped y axes are positive down, as raw ones are on this system.
  const float axes[5] = {in[GLFW_GAMEPAD_AXIS_LEFT_X], in[GLFW_GAMEPAD_AXIS_LEFT_Y], triggers,
                         in[GLFW_GAMEPAD_AXIS_RIGHT_Y], in[GLFW_GAMEPAD_AXIS_RIGHT_X]};
  return MakeGlfwJoystickReading(axes, 5, buttons, 10, &hat, 1);
}

bool PollGlfwJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                      const Array<bool> &buttons) {
  if (port < 0 || port >= JoystickPorts::kPorts) return false;
  if (port == 0) ports = AssignJoystickPorts([](int id) { return glfwJoystickPresent(id) == GLFW_TRUE; });
  int id = ports.device[port];
  if (id < 0) return false;
  ApplyJoystickLayout(ReadPad(id), joyx, joyy, joyz, buttons);
  return true;
}
