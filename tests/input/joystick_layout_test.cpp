// Pad layouts, port assignment and the reading of GLFW 3's pad arrays.
#include <gtest/gtest.h>

#include "input/glfw_joysticks.h"
#include "tests/input/fake_host.h"

namespace {

struct Port {
  Array<float> joyx = Array<float>(2), joyy = Array<float>(2), joyz = Array<float>(2);
  Array<bool> buttons = Array<bool>(32);
  void Apply(const JoystickReading &r) { ApplyJoystickLayout(r, joyx, joyy, joyz, buttons); }
};

// The device button behind each of the 14 outputs, found by pressing one at a
// time.
std::vector<int> SourcesOf(int buttonCount, int axisCount) {
  std::vector<int> sources(14, -1);
  for (int device = 0; device < buttonCount; ++device) {
    JoystickReading r = Pad(buttonCount, axisCount);
    r.buttons[device] = true;
    Port port;
    port.Apply(r);
    for (int b = 0; b < 32; ++b) {
      if (!port.buttons[b]) continue;
      EXPECT_LT(b, 14) << "device button " << device;
      if (b < 14) sources[b] = device;
    }
  }
  return sources;
}

} // namespace

TEST(JoystickLayout, FourteenButtonsAndFiveAxesIsLayoutA) {
  EXPECT_EQ(SourcesOf(14, 5), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 8, 9}));
  JoystickReading r = Pad(14, 5);
  const float axes[5] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f};
  std::copy(axes, axes + 5, r.axes);
  Port port;
  port.Apply(r);
  EXPECT_FLOAT_EQ(port.joyx[0], 0.1f);
  EXPECT_FLOAT_EQ(port.joyy[0], 0.2f);
  EXPECT_FLOAT_EQ(port.joyz[0], 0.3f);
  EXPECT_FLOAT_EQ(port.joyx[1], 0.5f);
  EXPECT_FLOAT_EQ(port.joyy[1], -0.4f);
  EXPECT_FLOAT_EQ(port.joyz[1], -0.3f);
}

TEST(JoystickLayout, AFifteenthButtonOrASixthAxisIsLayoutB) {
  EXPECT_EQ(SourcesOf(15, 5), (std::vector<int>{1, 2, 0, 3, 4, 5, 8, 9, 11, 12, 13, 14, 10, 11}));
  EXPECT_EQ(SourcesOf(14, 6)[2], 0);
  JoystickReading r = Pad(15, 5);
  r.axes[2] = 0.6f;
  r.axes[3] = 0.7f;
  r.buttons[6] = true;
  Port port;
  port.Apply(r);
  EXPECT_FLOAT_EQ(port.joyx[1], 0.6f);
  EXPECT_FLOAT_EQ(port.joyy[1], -0.7f);
  EXPECT_FLOAT_EQ(port.joyz[0], 1.0f); // button 6 is the left trigger
  EXPECT_FLOAT_EQ(port.joyz[1], 0.0f);
}

TEST(JoystickLayout, SmallPadsNeverReachBeforeTheirFirstButton) {
  // With two buttons, -4 and -3 would be before the list: they read as up.
  JoystickReading r = Pad(2, 2);
  r.buttons[0] = r.buttons[1] = true;
  Port port;
  port.Apply(r);
  EXPECT_TRUE(port.buttons[2]);   // device 0
  EXPECT_TRUE(port.buttons[0]);   // device 1
  EXPECT_FALSE(port.buttons[8]);  // -4
  EXPECT_FALSE(port.buttons[9]);  // -3
  EXPECT_TRUE(port.buttons[10]);  // -2 is device 0
  EXPECT_TRUE(port.buttons[11]);  // -1 is device 1
  EXPECT_FALSE(port.buttons[12]); // device 10 does not exist
}

TEST(JoystickLayout, HugeButtonCountsReadPastTheEndAsUp) {
  JoystickReading r = Pad(100, 5);
  for (bool &b : r.buttons) b = true;
  Port port;
  port.buttons[20] = true; // stale from an earlier poll
  port.Apply(r);
  EXPECT_FALSE(port.buttons[8]); // device button 96 was never read
  EXPECT_TRUE(port.buttons[0]);
  EXPECT_FALSE(port.buttons[20]);
}

TEST(JoystickPorts, FirstFourPresentIdsInOrder) {
  JoystickPorts one = AssignJoystickPorts([](int id) { return id == 3; });
  EXPECT_EQ(one.device[0], 3);
  EXPECT_EQ(one.device[1], -1);
  JoystickPorts many = AssignJoystickPorts([](int id) { return id % 3 == 1; });
  EXPECT_EQ(std::vector<int>(many.device, many.device + 4), (std::vector<int>{1, 4, 7, 10}));
  JoystickPorts none = AssignJoystickPorts([](int id) { return id > 15; });
  EXPECT_EQ(none.device[0], -1);
}

TEST(GlfwJoystickReading, YAxesArePositiveUpAndHatsFollowTheButtonsLeftUpRightDown) {
  const float axes[6] = {0.5f, -1.0f, 0.25f, 1.0f, -0.5f, 0.125f};
  const unsigned char buttons[3] = {GLFW_PRESS, GLFW_RELEASE, GLFW_PRESS};
  const unsigned char hats[2] = {GLFW_HAT_LEFT_UP, GLFW_HAT_DOWN};
  JoystickReading r = MakeGlfwJoystickReading(axes, 6, buttons, 3, hats, 2);
  EXPECT_EQ(r.axisCount, 6);
  EXPECT_EQ(r.buttonCount, 11);
  EXPECT_EQ(std::vector<float>(r.axes, r.axes + 6), (std::vector<float>{0.5f, 1.0f, 0.25f, -1.0f, -0.5f, -0.125f}));
  std::vector<bool> got(r.buttons, r.buttons + 12);
  EXPECT_EQ(got, (std::vector<bool>{true, false, true, true, true, false, false, false, false, false, true, false}));
}

TEST(GlfwJoystickReading, ADPadLandsOnTheGameDirectionButtons) {
  // A pad with ten buttons and one hat: in layout B the d-pad is outputs 8-11,
  // which the game reads as left, up, right, down. (Outputs 12 and 13 are the
  // device's buttons 10 and 11 and so repeat left and up.)
  const float axes[4] = {};
  const unsigned char buttons[10] = {};
  for (unsigned char hat : {GLFW_HAT_LEFT, GLFW_HAT_UP, GLFW_HAT_RIGHT, GLFW_HAT_DOWN}) {
    JoystickReading r = MakeGlfwJoystickReading(axes, 4, buttons, 10, &hat, 1);
    Port port;
    port.Apply(r);
    int expected = hat == GLFW_HAT_LEFT ? 8 : hat == GLFW_HAT_UP ? 9 : hat == GLFW_HAT_RIGHT ? 10 : 11;
    for (int b = 0; b < 12; ++b) EXPECT_EQ(port.buttons[b], b == expected) << "hat " << int(hat) << " button " << b;
  }
}

TEST(GlfwJoystickReading, MissingOrOversizedArraysStayInBounds) {
  JoystickReading gone = MakeGlfwJoystickReading(nullptr, 6, nullptr, 12, nullptr, 1);
  EXPECT_EQ(gone.axisCount, 0);
  EXPECT_EQ(gone.buttonCount, 0);
  std::vector<float> axes(40, 0.5f);
  std::vector<unsigned char> buttons(40, GLFW_PRESS);
  std::vector<unsigned char> hats(3, GLFW_HAT_UP);
  JoystickReading big = MakeGlfwJoystickReading(axes.data(), 40, buttons.data(), 30, hats.data(), 3);
  EXPECT_EQ(big.axisCount, 40);
  EXPECT_EQ(big.buttonCount, 42);
  EXPECT_TRUE(big.buttons[29]);
  EXPECT_FALSE(big.buttons[30]); // the first hat's left
  EXPECT_TRUE(big.buttons[31]);  // the first hat's up
}
