// c_InputDevice: keys, mouse, touches and joysticks as one space of key codes.
#pragma once

class c_InputDevice {
public:
  void p_KeyEvent(int event, int data);
  void p_MouseEvent(int event, int button, float x, float y);
  void p_TouchEvent(int event, int finger, float x, float y);
  void p_MotionEvent(int event, int data, float x, float y, float z);
  void p_BeginUpdate();
  void p_EndUpdate();
};

extern c_InputDevice *vex_input_device;
void vex_input_SetInputDevice(c_InputDevice *device);
