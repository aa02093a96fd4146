// The input device fed the way the host feeds it: events between updates,
// pads polled as an update begins, reads by the game during the update.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "host/game.h"
#include "input/input.h"
#include "input/joystick_layout.h"

namespace {

// A key's hits in this update and whether it is held.
std::pair<int, int> StateOf(int key) { return {vex_input_KeyHit(key), vex_input_KeyDown(key)}; }

class InputDevice : public testing::Test, public VexGame {
protected:
  void SetUp() override { vex_input_SetInputDevice(&device); }
  void TearDown() override { vex_input_SetInputDevice(nullptr); }
  // One update; `during` is the game's part in it.
  void Update(const std::function<void()> &during = [] {}) {
    device.p_BeginUpdate();
    during();
    device.p_EndUpdate();
  }
  void Key(int event, int key) { device.p_KeyEvent(event, key); }
  // Pads plugged in by GLFW device id.
  bool PollJoystick(int port, const Array<float> &x, const Array<float> &y, const Array<float> &z,
                    const Array<bool> &buttons) override {
    ++polls;
    if (port == 0) ports = AssignJoystickPorts([this](int id) { return pads.count(id) != 0; });
    if (ports.device[port] < 0) return false;
    ApplyJoystickLayout(pads[ports.device[port]], x, y, z, buttons);
    return true;
  }
  std::map<int, JoystickReading> pads;
  JoystickPorts ports;
  int polls = 0;
  c_InputDevice device{this};
};

TEST_F(InputDevice, APressIsOneHitForOneUpdateAndAHeldKeyStaysDown) {
  Key(KeyDown, 'A');
  Key(KeyUp, 'A');
  for (int i = 0; i < 6; ++i) Key(KeyDown, 37); // held, with key repeat
  Update([] {
    EXPECT_EQ(StateOf('A'), std::pair(1, 0));
    EXPECT_EQ(StateOf(37), std::pair(1, 1));
  });
  Update([] {
    EXPECT_EQ(StateOf('A'), std::pair(0, 0));
    EXPECT_EQ(StateOf(37), std::pair(0, 1));
  });
}

TEST_F(InputDevice, AnUpdateHoldsThirtyThreeHitsAndThirtyTwoCharacters) {
  for (int key = 100; key < 134; ++key) Key(KeyDown, key);
  for (int i = 0; i < 40; ++i) Key(KeyChar, 'a' + i % 26);
  Update([] {
    EXPECT_EQ(vex_input_KeyHit(132), 1); // the 33rd
    EXPECT_EQ(vex_input_KeyHit(133), 0);
    EXPECT_EQ(vex_input_KeyDown(133), 1);
    for (int i = 0; i < 32; ++i) ASSERT_EQ(vex_input_GetChar(), 'a' + i % 26) << i;
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
  Key(KeyChar, 0x20AC);
  Update([] {
    for (int key = 100; key < 134; ++key) EXPECT_EQ(vex_input_KeyHit(key), 0);
    EXPECT_EQ(vex_input_GetChar(), 0x20AC);
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
}

TEST_F(InputDevice, TheLeftButtonAndFingerZeroAreOneTouchThatMovesThePointer) {
  device.p_MouseEvent(MouseDown, 0, 100, 50);
  Update([] {
    EXPECT_EQ(vex_input_MouseHit(0), 1);
    EXPECT_EQ(vex_input_KeyHit(384), 1) << "touch 0";
    EXPECT_EQ(vex_input_TouchX(0), 100);
  });
  device.p_TouchEvent(TouchDown, 0, 1, 1);  // already down through the mouse
  device.p_MouseEvent(MouseUp, 0, 130, 80); // a release does not move the pointer
  Update([] {
    EXPECT_EQ(vex_input_KeyHit(384), 0);
    EXPECT_EQ(vex_input_TouchDown(0), 0);
    EXPECT_EQ(vex_input_MouseX(), 1);
  });
  device.p_TouchEvent(TouchDown, 0, 7, 8);
  Update([] {
    EXPECT_EQ(vex_input_MouseDown(0), 1);
    EXPECT_EQ(vex_input_MouseY(), 8);
  });
}

TEST_F(InputDevice, PadButtonsAreKeysOfTheirPortAndPortsFollowReplugging) {
  JoystickReading pad;
  pad.buttonCount = 14, pad.axisCount = 5;
  pads[3] = pad;
  pads[3].buttons[1] = true;
  pads[3].axes[0] = 0.75f;
  Update([] {
    EXPECT_EQ(vex_input_JoyHit(1, 0), 1);
    EXPECT_EQ(vex_input_KeyHit(257), 1) << "pad 0's button 1";
    EXPECT_EQ(vex_input_JoyX(0, 0), 0.75f);
  });
  EXPECT_EQ(polls, 2) << "polling stops at the first empty port";
  pads[1] = pad; // plugged in below the first pad, it takes port 0
  Update([] {
    EXPECT_EQ(vex_input_JoyDown(1, 0), 0);
    EXPECT_EQ(vex_input_JoyHit(1, 1), 1);
    EXPECT_EQ(vex_input_KeyDown(257 + 32), 1) << "pad 1's button 1";
    EXPECT_EQ(vex_input_JoyX(0, 1), 0.75f);
    EXPECT_EQ(vex_input_JoyHit(-1, 0), 0) << "no such button";
    EXPECT_EQ(vex_input_JoyX(2, 0), 0) << "no such stick";
    EXPECT_EQ(vex_input_JoyY(0, 4), 0) << "no such port";
  });
  Update([] {
    EXPECT_EQ(vex_input_JoyHit(1, 1), 0) << "held: one hit";
    EXPECT_EQ(vex_input_JoyDown(1, 1), 1);
  });
  pads[3].buttons[1] = false;
  Update([] { EXPECT_EQ(vex_input_JoyDown(1, 1), 0); });
}

} // namespace
