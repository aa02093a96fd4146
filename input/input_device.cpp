// c_InputDevice: keys, mouse, touches and joysticks as one space of key codes.
#include "input/input_device.h"

c_InputDevice *vex_input_device = nullptr;

void c_InputDevice::p_KeyEvent(int, int) {}
void c_InputDevice::p_MouseEvent(int, int, float, float) {}
void c_InputDevice::p_TouchEvent(int, int, float, float) {}
void c_InputDevice::p_MotionEvent(int, int, float, float, float) {}
void c_InputDevice::p_BeginUpdate() {}
void c_InputDevice::p_EndUpdate() {}
void vex_input_SetInputDevice(c_InputDevice *device) { vex_input_device = device; }
