// Pads with a gamepad mapping, from states recorded on an Xbox-style pad, as
// the game's pad buttons and sticks: button 0 fills and starts, 6 and 7 pause,
// 8-11 are the D-pad's left, up, right and down.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "input/glfw_joysticks.h"

namespace {

struct Port {
  Array<float> joyx = Array<float>(2), joyy = Array<float>(2), joyz = Array<float>(2);
  Array<bool> buttons = Array<bool>(32);
};

// Sticks drifting a little, triggers released.
Port Read(const std::vector<int> &held, std::initializer_list<float> axes = {0.02f, -0.01f, 0, 0.03f, -1, -1}) {
  GLFWgamepadstate state{};
  std::copy(axes.begin(), axes.end(), state.axes);
  for (int b : held) state.buttons[b] = GLFW_PRESS;
  Port port;
  ApplyJoystickLayout(MakeGamepadReading(state), port.joyx, port.joyy, port.joyz, port.buttons);
  return port;
}

} // namespace

TEST(Gamepad, MappedButtonsAreTheGamesPadButtons) {
  // Vectors, not initializer lists: a list's array would end with its full expression.
  const std::pair<std::vector<int>, std::set<int>> cases[] = {
      {{}, {}},
      {{GLFW_GAMEPAD_BUTTON_A}, {0}},
      {{GLFW_GAMEPAD_BUTTON_B}, {1}},
      {{GLFW_GAMEPAD_BUTTON_BACK}, {6}},
      {{GLFW_GAMEPAD_BUTTON_START}, {7}},
      {{GLFW_GAMEPAD_BUTTON_GUIDE}, {}},
      {{GLFW_GAMEPAD_BUTTON_X, GLFW_GAMEPAD_BUTTON_Y, GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
        GLFW_GAMEPAD_BUTTON_LEFT_THUMB, GLFW_GAMEPAD_BUTTON_RIGHT_THUMB},
       {2, 3, 4, 5, 12, 13}},
      {{GLFW_GAMEPAD_BUTTON_DPAD_LEFT}, {8}},
      {{GLFW_GAMEPAD_BUTTON_DPAD_UP, GLFW_GAMEPAD_BUTTON_DPAD_RIGHT}, {9, 10}},
      {{GLFW_GAMEPAD_BUTTON_DPAD_DOWN}, {11}},
  };
  for (const auto &[held, game] : cases) {
    Port port = Read(held);
    std::set<int> pressed;
    for (int b = 0; b < 32; ++b)
      if (port.buttons[b]) pressed.insert(b);
    EXPECT_EQ(pressed, game) << "first held: " << (held.size() ? *held.begin() : -1);
  }
}

TEST(Gamepad, SticksAndTriggersAsTheGameReadsThem) {
  Port rest = Read({});
  EXPECT_FLOAT_EQ(rest.joyz[0], 0.0f) << "released triggers rest at 0";
  EXPECT_FLOAT_EQ(rest.joyz[1], 0.0f);
  Port port = Read({}, {-0.8f, -0.9f, 0.5f, 0.6f, -1, 1}); // left stick up-left, right trigger full
  EXPECT_FLOAT_EQ(port.joyx[0], -0.8f);
  EXPECT_FLOAT_EQ(port.joyy[0], 0.9f) << "the left stick's y is positive up, as on raw pads";
  EXPECT_FLOAT_EQ(port.joyx[1], 0.5f);
  EXPECT_FLOAT_EQ(port.joyy[1], 0.6f);
  EXPECT_FLOAT_EQ(port.joyz[1], 1.0f) << "the triggers share one axis, the left one positive";
  EXPECT_FLOAT_EQ(port.joyz[0], -1.0f);
}
