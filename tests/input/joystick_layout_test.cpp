// What a pad's buttons, sticks and hat become in the game: GLFW 3's arrays
// read into a pad, and the pad laid out as the game's buttons and axes.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <tuple>

#include "input/glfw_joysticks.h"
#include "input/joystick_layout.h"

namespace {

// The game's port after a poll of a pad with these GLFW arrays.
struct Port {
  Array<float> x = Array<float>(2), y = Array<float>(2), z = Array<float>(2);
  Array<bool> buttons = Array<bool>(32);
  Port(std::vector<float> axes, std::vector<unsigned char> pressed, std::vector<unsigned char> hats = {}) {
    ApplyJoystickLayout(MakeGlfwJoystickReading(axes.data(), static_cast<int>(axes.size()), pressed.data(),
                                                static_cast<int>(pressed.size()), hats.data(),
                                                static_cast<int>(hats.size())),
                        x, y, z, buttons);
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

} // namespace
