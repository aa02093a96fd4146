// The input module: what the game asks of the input device.
//
// Keys, mouse buttons, touches and joystick buttons are all key codes
// (1-511). Down states hold across updates; hits count the presses since the
// previous update ended and the characters are those typed since then. Every
// function reads 0 while no device has been set.
#pragma once

#include "input/input_device.h"

int vex_input_KeyDown(int key);
int vex_input_KeyHit(int key);
int vex_input_MouseDown(int button);
int vex_input_MouseHit(int button);
float vex_input_MouseX();
float vex_input_MouseY();
int vex_input_TouchDown(int finger);
float vex_input_TouchX(int finger);
float vex_input_TouchY(int finger);
int vex_input_JoyDown(int button, int joystick);
int vex_input_JoyHit(int button, int joystick);
float vex_input_JoyX(int index, int joystick);
float vex_input_JoyY(int index, int joystick);
float vex_input_JoyZ(int index, int joystick);
float vex_input_AccelX();
float vex_input_AccelY();
float vex_input_AccelZ();
int vex_input_GetChar();
bool vex_input_EnableKeyboard();
bool vex_input_DisableKeyboard();
