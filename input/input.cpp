// The input module; see input.h.
#include "input/input.h"

namespace {

// Key of a joystick button, or 0 past the joystick range.
int JoyKey(int button, int joystick) {
  int key = keycode::kPadFirst | button | (joystick * keycode::kPadButtons);
  return key < keycode::kCount ? key : 0;
}

// The stick or trigger arrays of one joystick, or null out of range.
const c_JoyState *Joy(int index, int joystick) {
  if (!vex_input_device || index < 0 || index > 1 || joystick < 0 || joystick >= keycode::kPads) return nullptr;
  return vex_input_device->m__joyStates[joystick].get();
}

} // namespace

int vex_input_KeyDown(int key) { return vex_input_device && vex_input_device->p_KeyDown(key) ? 1 : 0; }
int vex_input_KeyHit(int key) { return vex_input_device ? vex_input_device->p_KeyHit(key) : 0; }

// The mouse's buttons only: a wider button would land on another key code.
int vex_input_MouseDown(int button) {
  return button >= 0 && button < keycode::kMouseButtons ? vex_input_KeyDown(keycode::kMouseLeft + button) : 0;
}
int vex_input_MouseHit(int button) {
  return button >= 0 && button < keycode::kMouseButtons ? vex_input_KeyHit(keycode::kMouseLeft + button) : 0;
}
float vex_input_MouseX() { return vex_input_device ? vex_input_device->m__mouseX : 0.0f; }
float vex_input_MouseY() { return vex_input_device ? vex_input_device->m__mouseY : 0.0f; }

int vex_input_TouchDown(int finger) {
  return finger >= 0 && finger < keycode::kTouches ? vex_input_KeyDown(keycode::kTouchFirst + finger) : 0;
}
float vex_input_TouchX(int finger) { return vex_input_device ? vex_input_device->p_TouchX(finger) : 0.0f; }
float vex_input_TouchY(int finger) { return vex_input_device ? vex_input_device->p_TouchY(finger) : 0.0f; }

int vex_input_JoyDown(int button, int joystick) { return vex_input_KeyDown(JoyKey(button, joystick)); }
int vex_input_JoyHit(int button, int joystick) { return vex_input_KeyHit(JoyKey(button, joystick)); }

float vex_input_JoyX(int index, int joystick) {
  const c_JoyState *joy = Joy(index, joystick);
  return joy ? joy->m_joyx[index] : 0.0f;
}
float vex_input_JoyY(int index, int joystick) {
  const c_JoyState *joy = Joy(index, joystick);
  return joy ? joy->m_joyy[index] : 0.0f;
}
float vex_input_JoyZ(int index, int joystick) {
  const c_JoyState *joy = Joy(index, joystick);
  return joy ? joy->m_joyz[index] : 0.0f;
}

float vex_input_AccelX() { return vex_input_device ? vex_input_device->m__accelX : 0.0f; }
float vex_input_AccelY() { return vex_input_device ? vex_input_device->m__accelY : 0.0f; }
float vex_input_AccelZ() { return vex_input_device ? vex_input_device->m__accelZ : 0.0f; }

int vex_input_GetChar() { return vex_input_device ? vex_input_device->p_GetChar() : 0; }

bool vex_input_EnableKeyboard() {
  if (vex_input_device) vex_input_device->SetKeyboardEnabled(true);
  return true;
}
bool vex_input_DisableKeyboard() {
  if (vex_input_device) vex_input_device->SetKeyboardEnabled(false);
  return true;
}
