// c_InputDevice; see input_device.h.
#include "input/input_device.h"

#include "input/input_events.h"

c_InputDevice *vex_input_device = nullptr;

namespace {
bool ValidKey(int key) { return key > 0 && key < keycode::kCount; }
bool ValidFinger(int finger) { return finger >= 0 && finger < keycode::kTouches; }

// The key that mirrors a key, or 0: the left mouse button is touch 0.
int MirrorOf(int key) {
  if (key == keycode::kMouseLeft) return keycode::kTouchFirst;
  if (key == keycode::kTouchFirst) return keycode::kMouseLeft;
  return 0;
}
} // namespace

c_JoyState::c_JoyState() : m_joyx(2), m_joyy(2), m_joyz(2), m_buttons(keycode::kPadButtons) {}

c_InputDevice::c_InputDevice(InputHost *host)
    : m__joyStates(keycode::kPads), m__keyDown(keycode::kCount), m__keyHitQueue(kHitQueue), m__keyHit(keycode::kCount),
      m__charQueue(kChars), m__touchX(keycode::kTouches), m__touchY(keycode::kTouches), host_(host) {
  for (auto &state : m__joyStates) state = std::make_shared<c_JoyState>();
}

void c_InputDevice::PressKey(int key) {
  if (m__keyDown[key]) return;
  m__keyDown[key] = true;
  p_PutKeyHit(key);
}

void c_InputDevice::ReleaseKey(int key) { m__keyDown[key] = false; }

void c_InputDevice::p_KeyEvent(int event, int data) {
  switch (event) {
  case KeyDown:
    if (!ValidKey(data) || m__keyDown[data]) return;
    PressKey(data);
    // A mirror already held by its own source went down before: no new hit.
    if (int mirror = MirrorOf(data)) PressKey(mirror);
    return;
  case KeyUp:
    if (!ValidKey(data) || !m__keyDown[data]) return;
    ReleaseKey(data);
    if (int mirror = MirrorOf(data)) ReleaseKey(mirror);
    return;
  case KeyChar:
    if (m__charPut < kChars) m__charQueue[m__charPut++] = data;
    return;
  default:
    return;
  }
}

void c_InputDevice::p_PutKeyHit(int key) {
  if (!ValidKey(key) || m__keyHitPut == kHitQueue) return;
  m__keyHit[key] += 1;
  m__keyHitQueue[m__keyHitPut++] = key;
}

void c_InputDevice::SetTouch(int finger, float x, float y) {
  if (!ValidFinger(finger)) return;
  m__touchX[finger] = x;
  m__touchY[finger] = y;
  if (finger == 0) {
    m__mouseX = x;
    m__mouseY = y;
  }
}

void c_InputDevice::p_MouseEvent(int event, int button, float x, float y) {
  switch (event) {
  case MouseDown:
    p_KeyEvent(KeyDown, keycode::kMouseLeft + button);
    SetTouch(0, x, y);
    return;
  case MouseUp:
    p_KeyEvent(KeyUp, keycode::kMouseLeft + button);
    return;
  case MouseMove:
    SetTouch(0, x, y);
    return;
  default:
    return;
  }
}

void c_InputDevice::p_TouchEvent(int event, int finger, float x, float y) {
  if (!ValidFinger(finger)) return;
  switch (event) {
  case TouchDown:
    p_KeyEvent(KeyDown, keycode::kTouchFirst + finger);
    SetTouch(finger, x, y);
    return;
  case TouchUp:
    p_KeyEvent(KeyUp, keycode::kTouchFirst + finger);
    return;
  case TouchMove:
    SetTouch(finger, x, y);
    return;
  default:
    return;
  }
}

void c_InputDevice::p_MotionEvent(int event, int, float x, float y, float z) {
  if (event != MotionAccel) return;
  m__accelX = x;
  m__accelY = y;
  m__accelZ = z;
}

void c_InputDevice::p_BeginUpdate() {
  for (int joy = 0; joy < keycode::kPads; ++joy) {
    c_JoyState &state = *m__joyStates[joy];
    if (!host_ || !host_->PollJoystick(joy, state.m_joyx, state.m_joyy, state.m_joyz, state.m_buttons)) return;
    for (int b = 0; b < keycode::kPadButtons; ++b) {
      int key = keycode::PadButton(joy, b);
      if (!state.m_buttons[b])
        ReleaseKey(key);
      else
        PressKey(key);
    }
  }
}

void c_InputDevice::p_EndUpdate() {
  for (int i = 0; i < m__keyHitPut; ++i) m__keyHit[m__keyHitQueue[i]] = 0;
  m__keyHitPut = 0;
  m__charGet = 0;
  m__charPut = 0;
}

void c_InputDevice::SetKeyboardEnabled(bool enabled) {
  if (host_) host_->SetKeyboardEnabled(enabled);
}

bool c_InputDevice::p_KeyDown(int key) const { return ValidKey(key) && m__keyDown[key]; }
int c_InputDevice::p_KeyHit(int key) const { return ValidKey(key) ? m__keyHit[key] : 0; }

int c_InputDevice::p_GetChar() {
  if (m__charGet >= m__charPut) return 0;
  return m__charQueue[m__charGet++];
}

float c_InputDevice::p_TouchX(int finger) const { return ValidFinger(finger) ? m__touchX[finger] : 0.0f; }
float c_InputDevice::p_TouchY(int finger) const { return ValidFinger(finger) ? m__touchY[finger] : 0.0f; }

void vex_input_SetInputDevice(c_InputDevice *device) { vex_input_device = device; }
