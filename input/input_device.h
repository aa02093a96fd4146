// c_InputDevice: keys, mouse, touches and joysticks as one space of key codes
// (input/key_codes.h).
//
// The host's events arrive between updates and mark keys down or up; every
// key that goes down is counted as a hit, which the game sees during exactly
// the next update (p_EndUpdate forgets them). Joystick buttons join the same
// space once per update, when p_BeginUpdate polls the pads. The left mouse
// button and touch 0 mirror each other.
#pragma once

#include <memory>

#include "input/input_host.h"
#include "input/key_codes.h"
#include "runtime/array.h"
#include "runtime/object.h"

// The sticks, triggers and buttons of one joystick as of the last poll.
class c_JoyState : public Object {
public:
  c_JoyState();

  Array<float> m_joyx; // [0] left stick, [1] right stick
  Array<float> m_joyy;
  Array<float> m_joyz; // [0] left trigger, [1] right trigger
  Array<bool> m_buttons;
};

class c_InputDevice : public Object {
public:
  static constexpr int kHitQueue = 33;
  static constexpr int kChars = 32;

  // host answers the pads and switches the keyboard; null: neither.
  explicit c_InputDevice(InputHost *host);

  void p_KeyEvent(int event, int data);
  void p_PutKeyHit(int key);
  void p_MouseEvent(int event, int button, float x, float y);
  void p_TouchEvent(int event, int finger, float x, float y);
  void p_MotionEvent(int event, int data, float x, float y, float z);
  void p_BeginUpdate();
  void p_EndUpdate();
  void SetKeyboardEnabled(bool enabled);

  // Reads for the game's vex_input_* functions; out-of-range keys and fingers
  // read as 0.
  bool p_KeyDown(int key) const;
  int p_KeyHit(int key) const;
  int p_GetChar();
  float p_TouchX(int finger) const;
  float p_TouchY(int finger) const;

  Array<std::shared_ptr<c_JoyState>> m__joyStates;
  Array<bool> m__keyDown;
  int m__keyHitPut = 0;
  Array<int> m__keyHitQueue;
  Array<int> m__keyHit;
  int m__charGet = 0;
  int m__charPut = 0;
  Array<int> m__charQueue;
  float m__mouseX = 0;
  float m__mouseY = 0;
  Array<float> m__touchX;
  Array<float> m__touchY;
  float m__accelX = 0;
  float m__accelY = 0;
  float m__accelZ = 0;

private:
  void PressKey(int key);
  void ReleaseKey(int key);
  void SetTouch(int finger, float x, float y);

  InputHost *host_;
};

extern c_InputDevice *vex_input_device;
void vex_input_SetInputDevice(c_InputDevice *device);
