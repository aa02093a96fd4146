// Game pads on GLFW 3: the host's PollJoystick.
//
// Pads are read the way the layouts of joystick_layout.h expect them, which is
// how GLFW 2 reported them: the odd-numbered axes (the y axes of the sticks)
// are positive up, and each hat follows the buttons as four buttons in the
// order left, up, right, down. GLFW 3 must therefore be initialised with
// GLFW_JOYSTICK_HAT_BUTTONS off, or the hats would be counted twice.
//
// A pad that GLFW knows a gamepad mapping for is read through the mapping and
// presented as the pad layout A was made for, whatever its raw button order.
#pragma once

#include <GLFW/glfw3.h>

#include "input/joystick_layout.h"
#include "runtime/array.h"

// Fills the arrays of one port (0-3) from the pad assigned to it; polling port
// 0 assigns the present pads to ports anew. False when the port has no pad.
bool PollGlfwJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                      const Array<bool> &buttons);

// A reading in that form from what GLFW 3 answered for one pad (null arrays
// read as none).
JoystickReading MakeGlfwJoystickReading(const float *axes, int axisCount, const unsigned char *buttons, int buttonCount,
                                        const unsigned char *hats, int hatCount);

// A reading in layout A's form from a mapped pad's state: A, B, X, Y, the
// shoulders, Back, Start, the stick buttons, then the D-pad as a hat; the
// sticks' x and y, both triggers on one axis (left positive), and the right
// stick's y and x.
JoystickReading MakeGamepadReading(const GLFWgamepadstate &state);
