// The input device fed the way the host feeds it: events between updates,
// reads by the game during an update.
#include <gtest/gtest.h>

#include "tests/input/fake_host.h"

TEST(InputDeviceKeys, PressAndReleaseBetweenUpdatesIsOneHitAndNotDown) {
  FakeHost host;
  host.Tap(GLFW_KEY_A);
  host.Update([] {
    EXPECT_EQ(vex_input_KeyHit('A'), 1);
    EXPECT_EQ(vex_input_KeyDown('A'), 0);
  });
  host.Update([] { EXPECT_EQ(vex_input_KeyHit('A'), 0); });
}

TEST(InputDeviceKeys, HeldKeyStaysDownWithOneHitAcrossRepeatsAndUpdates) {
  FakeHost host;
  host.Key(GLFW_KEY_LEFT, GLFW_PRESS);
  for (int i = 0; i < 5; ++i) host.Key(GLFW_KEY_LEFT, GLFW_REPEAT);
  host.Update([] {
    EXPECT_EQ(vex_input_KeyHit(37), 1);
    EXPECT_EQ(vex_input_KeyDown(37), 1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(vex_input_GetChar(), 65536 + 37);
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
  host.Update([] {
    EXPECT_EQ(vex_input_KeyHit(37), 0);
    EXPECT_EQ(vex_input_KeyDown(37), 1);
  });
  host.Key(GLFW_KEY_LEFT, GLFW_RELEASE);
  host.Update([] { EXPECT_EQ(vex_input_KeyDown(37), 0); });
}

TEST(InputDeviceKeys, HitQueueHolds33KeysPerUpdate) {
  FakeHost host;
  for (int key = 100; key < 134; ++key) host.KeyEvent(KeyDown, key);
  host.Update([] {
    EXPECT_EQ(vex_input_KeyHit(132), 1); // the 33rd
    EXPECT_EQ(vex_input_KeyHit(133), 0); // the 34th
    EXPECT_EQ(vex_input_KeyDown(133), 1);
  });
  // The queue is empty again, and every count it held is back to 0.
  host.KeyEvent(KeyDown, 200);
  host.Update([] {
    EXPECT_EQ(vex_input_KeyHit(200), 1);
    for (int key = 100; key < 134; ++key) EXPECT_EQ(vex_input_KeyHit(key), 0);
  });
}

TEST(InputDeviceKeys, OutOfRangeCodesAreIgnoredAndReadAsZero) {
  FakeHost host;
  for (int key : {-1, 0, 512, 100000}) {
    host.KeyEvent(KeyDown, key);
    host.KeyEvent(KeyUp, key);
  }
  host.Key(GLFW_KEY_LEFT_ALT, GLFW_PRESS); // translates to 0: ignored
  host.Update([] {
    for (int key : {-1, 0, 512, 100000}) {
      EXPECT_EQ(vex_input_KeyDown(key), 0);
      EXPECT_EQ(vex_input_KeyHit(key), 0);
    }
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
}

TEST(InputDeviceChars, FirstThirtyTwoCharactersOfAnUpdateAreKept) {
  FakeHost host;
  for (int i = 0; i < 40; ++i) host.Char('a' + i % 26);
  host.Update([] {
    for (int i = 0; i < 32; ++i) ASSERT_EQ(vex_input_GetChar(), 'a' + i % 26) << i;
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
  host.Char(0x20AC);
  host.Update([] {
    EXPECT_EQ(vex_input_GetChar(), 0x20AC);
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
  host.Update([] { EXPECT_EQ(vex_input_GetChar(), 0); });
}

TEST(InputDeviceChars, ControlKeysTypeTheirCharactersInOrder) {
  FakeHost host;
  host.Tap(GLFW_KEY_BACKSPACE);
  host.Tap(GLFW_KEY_ESCAPE);
  host.Tap(GLFW_KEY_DELETE);
  host.Tap(GLFW_KEY_HOME);
  host.Tap(GLFW_KEY_B); // a letter types through the character callback only
  host.Char('b');
  host.Update([] {
    EXPECT_EQ(vex_input_GetChar(), 8);
    EXPECT_EQ(vex_input_GetChar(), 27);
    EXPECT_EQ(vex_input_GetChar(), 127);
    EXPECT_EQ(vex_input_GetChar(), 65536 + 36);
    EXPECT_EQ(vex_input_GetChar(), 'b');
    EXPECT_EQ(vex_input_GetChar(), 0);
  });
}

TEST(InputDeviceMouse, LeftClickIsKeyOneAndTouchZero) {
  FakeHost host;
  host.MouseEvent(MouseMove, -1, 10, 20);
  host.MouseEvent(MouseDown, 0, 100, 50);
  host.Update([] {
    EXPECT_EQ(vex_input_MouseHit(0), 1);
    EXPECT_EQ(vex_input_KeyHit(384), 1);
    EXPECT_EQ(vex_input_MouseDown(0), 1);
    EXPECT_EQ(vex_input_TouchDown(0), 1);
    EXPECT_EQ(vex_input_MouseX(), 100);
    EXPECT_EQ(vex_input_MouseY(), 50);
    EXPECT_EQ(vex_input_TouchX(0), 100);
    EXPECT_EQ(vex_input_TouchY(0), 50);
  });
  host.MouseEvent(MouseMove, -1, 120, 70);
  host.MouseEvent(MouseUp, 0, 130, 80); // a release does not move the pointer
  host.Update([] {
    EXPECT_EQ(vex_input_MouseDown(0), 0);
    EXPECT_EQ(vex_input_TouchDown(0), 0);
    EXPECT_EQ(vex_input_TouchX(0), 120);
    EXPECT_EQ(vex_input_MouseY(), 70);
  });
}

TEST(InputDeviceTouch, FingersAreKeysAndFingerZeroMovesTheMouse) {
  FakeHost host;
  host.TouchEvent(TouchDown, 3, 30, 40);
  host.TouchEvent(TouchDown, 0, 7, 8);
  host.TouchEvent(TouchDown, 32, 9, 9); // no such finger
  host.Update([] {
    EXPECT_EQ(vex_input_KeyHit(387), 1);
    EXPECT_EQ(vex_input_TouchX(3), 30);
    EXPECT_EQ(vex_input_TouchY(3), 40);
    EXPECT_EQ(vex_input_MouseDown(0), 1); // touch 0 is the left button too
    EXPECT_EQ(vex_input_MouseHit(0), 1);
    EXPECT_EQ(vex_input_MouseX(), 7);
    EXPECT_EQ(vex_input_TouchX(32), 0);
    EXPECT_EQ(vex_input_TouchX(-1), 0);
    EXPECT_EQ(vex_input_TouchDown(32), 0);
  });
  host.TouchEvent(TouchMove, 3, 31, 41);
  host.TouchEvent(TouchUp, 0, 0, 0);
  host.Update([] {
    EXPECT_EQ(vex_input_TouchX(3), 31);
    EXPECT_EQ(vex_input_MouseDown(0), 0);
    EXPECT_EQ(vex_input_TouchDown(3), 1);
  });
}

TEST(InputDeviceTouch, MirrorHeldByItsOwnSourceGetsNoSecondHit) {
  FakeHost host;
  host.TouchEvent(TouchDown, 0, 1, 1);
  host.Update();
  host.MouseEvent(MouseDown, 0, 1, 1); // key 1 is already down through touch 0
  host.Update([] { EXPECT_EQ(vex_input_KeyHit(1), 0); });
}

TEST(InputDeviceJoysticks, ButtonsBecomeKeysOncePerUpdate) {
  FakeHost host;
  host.pads[0] = Pad(14, 5);
  host.pads[0].buttons[0] = true;
  host.Update([] {
    EXPECT_EQ(vex_input_JoyHit(0, 0), 1);
    EXPECT_EQ(vex_input_KeyHit(256), 1);
    EXPECT_EQ(vex_input_JoyDown(0, 0), 1);
  });
  host.Update([] {
    EXPECT_EQ(vex_input_JoyHit(0, 0), 0);
    EXPECT_EQ(vex_input_JoyDown(0, 0), 1);
  });
  host.pads[0].buttons[0] = false;
  host.Update([] { EXPECT_EQ(vex_input_JoyDown(0, 0), 0); });
  host.pads[0].buttons[0] = true;
  host.Update([] { EXPECT_EQ(vex_input_JoyHit(0, 0), 1); });
}

TEST(InputDeviceJoysticks, PollingStopsAtTheFirstEmptyPort) {
  FakeHost host;
  host.Update();
  EXPECT_EQ(host.polls, 1);
  host.pads[5] = Pad(14, 5);
  host.pads[9] = Pad(14, 5);
  host.polls = 0;
  host.Update();
  EXPECT_EQ(host.polls, 3);
}

TEST(InputDeviceJoysticks, PadAtHighIdIsJoystickZeroAndFollowsReplugging) {
  FakeHost host;
  host.pads[3] = Pad(14, 5);
  host.pads[3].buttons[1] = true;
  host.pads[3].axes[0] = 0.75f;
  host.Update([] {
    EXPECT_EQ(vex_input_KeyDown(257), 1);
    EXPECT_EQ(vex_input_JoyX(0, 0), 0.75f);
    EXPECT_EQ(vex_input_KeyDown(257 + 32), 0);
  });
  // A second pad plugged in below it takes port 0 at the next update.
  host.pads[1] = Pad(14, 5);
  host.Update([] {
    EXPECT_EQ(vex_input_JoyDown(1, 0), 0);
    EXPECT_EQ(vex_input_JoyDown(1, 1), 1);
    EXPECT_EQ(vex_input_JoyHit(1, 1), 1);
    EXPECT_EQ(vex_input_JoyX(0, 1), 0.75f);
  });
}

TEST(InputDeviceJoysticks, JoystickKeysPastTheRangeReadAsZero) {
  FakeHost host;
  host.KeyEvent(KeyDown, 256 | 31 | 3 * 32);
  host.Update([] {
    EXPECT_EQ(vex_input_JoyDown(31, 3), 1);
    EXPECT_EQ(vex_input_JoyDown(0, 8), 0); // key 512
    EXPECT_EQ(vex_input_JoyHit(-1, 0), 0);
    EXPECT_EQ(vex_input_JoyX(2, 0), 0);
    EXPECT_EQ(vex_input_JoyY(0, 4), 0);
  });
}

TEST(InputModule, ReadsZeroWithoutADeviceAndSetsTheKeyboardFlag) {
  {
    FakeHost host;
    EXPECT_TRUE(vex_input_EnableKeyboard());
    EXPECT_TRUE(host.KeyboardEnabled());
    EXPECT_TRUE(vex_input_DisableKeyboard());
    EXPECT_FALSE(host.KeyboardEnabled());
  }
  ASSERT_EQ(vex_input_device, nullptr);
  EXPECT_EQ(vex_input_KeyDown(65), 0);
  EXPECT_EQ(vex_input_GetChar(), 0);
  EXPECT_EQ(vex_input_JoyX(0, 0), 0);
  EXPECT_EQ(vex_input_MouseX(), 0);
}
