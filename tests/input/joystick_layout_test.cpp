// What a pad's buttons, sticks and hat become in the game: GLFW 3's arrays,
// or a gamepad mapping's state recorded on an Xbox-style pad, read into a pad
// and laid out as the game's buttons and axes. Mapped, button 0 fills and
// starts, 6 and 7 pause, 8-11 are the D-pad's left, up, right and down.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <set>
#include <tuple>

#include "input/glfw_joysticks.h"
#include "input/joystick_layout.h"

namespace {

// The game's port after a poll of a pad with these GLFW arrays, or with a
// gamepad state whose sticks drift a little and whose triggers are released.
struct Port {
  Array<float> x = Array<float>(2), y = Array<float>(2), z = Array<float>(2);
  Array<bool> buttons = Array<bool>(32);
  Port(std::vector<float> axes, std::vector<unsigned char> pressed, std::vector<unsigned char> hats = {}) {
    ApplyJoystickLayout(MakeGlfwJoystickReading(axes.data(), static_cast<int>(axes.size()), pressed.data(),
                                                static_cast<int>(pressed.size()), hats.data(),
                                                static_cast<int>(hats.size())),
                        x, y, z, buttons);
  }
  explicit Port(const std::vector<int> &held, std::initializer_list<float> axes = {0.02f, -0.01f, 0, 0.03f, -1, -1}) {
    GLFWgamepadstate state{};
    std::copy(axes.begin(), axes.end(), state.axes);
    for (int b : held) state.buttons[b] = GLFW_PRESS;
    ApplyJoystickLayout(MakeGamepadReading(state), x, y, z, buttons);
  }
  std::vector<int> Pressed() const {
    std::vector<int> pressed;
    for (int b = 0; b < buttons.Length(); ++b)
      if (buttons[b]) pressed.push_back(b);
    return pressed;
  }
};

TEST(Pad, ButtonsAndTheHatLandOnTheGameButtons) {
  // Fourteen buttons: the last four are the d-pad. Other pads: device buttons
  // 1, 2, 0 are game buttons 0, 1, 2, and a hat is the d-pad.
  const std::tuple<int, int, unsigned char, std::vector<int>> cases[] = {{14, 7, 0, {7}},
                                                                         {14, 8, 0, {12}},
                                                                         {14, 13, 0, {11}},
                                                                         {10, 0, 0, {2}},
                                                                         {10, 1, 0, {0}},
                                                                         {10, 2, 0, {1}},
                                                                         {10, -1, GLFW_HAT_LEFT, {8, 12}},
                                                                         {2, 1, 0, {0, 11}}};
  for (const auto &[count, pressed, hat, game] : cases) {
    std::vector<unsigned char> buttons(count, GLFW_RELEASE);
    if (pressed >= 0) buttons[pressed] = GLFW_PRESS;
    Port port(std::vector<float>(count == 14 ? 5 : 4), buttons, std::vector<unsigned char>(count == 10, hat));
    EXPECT_EQ(port.Pressed(), game) << count << " " << pressed << " " << int(hat);
  }
  // Device button 96 of a huge pad is past what was read.
  EXPECT_EQ(Port(std::vector<float>(40), std::vector<unsigned char>(100, GLFW_PRESS)).Pressed().size(), 10u);
}

TEST(Pad, SticksAreUpPositiveAndAnUnpluggedPadIsAtRest) {
  Port a({0.1f, 0.2f, 0.3f, 0.4f, 0.5f}, std::vector<unsigned char>(14));
  EXPECT_EQ((std::vector<float>{a.x[0], a.y[0], a.z[0], a.x[1], a.y[1], a.z[1]}),
            (std::vector<float>{0.1f, -0.2f, 0.3f, 0.5f, 0.4f, -0.3f}));
  JoystickReading gone = MakeGlfwJoystickReading(nullptr, 6, nullptr, 12, nullptr, 1);
  EXPECT_EQ(gone.axisCount, 0) << "an unplugged pad is at rest";
  EXPECT_EQ(gone.buttonCount, 0);
}

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
    std::vector<int> pressed = Port(held).Pressed();
    EXPECT_EQ(std::set<int>(pressed.begin(), pressed.end()), game)
        << "first held: " << (held.size() ? *held.begin() : -1);
  }
}

TEST(Gamepad, SticksAndTriggersAsTheGameReadsThem) {
  // Released triggers rest at 0; the left stick's y is positive up, as on raw
  // pads; the triggers share one axis, the left one positive.
  Port rest({}), port({}, {-0.8f, -0.9f, 0.5f, 0.6f, -1, 1}); // left stick up-left, right trigger full
  EXPECT_EQ(
      (std::vector<float>{rest.z[0], rest.z[1], port.x[0], port.y[0], port.z[0], port.x[1], port.y[1], port.z[1]}),
      (std::vector<float>{0, 0, -0.8f, 0.9f, -1, 0.5f, 0.6f, 1}));
}

} // namespace
