// Game pads on GLFW: the host's PollJoystick.
#pragma once

#include "runtime/array.h"

// Fills the arrays of one port (0-3) from the pad assigned to it; polling port
// 0 assigns the present pads to ports anew. False when the port has no pad.
bool PollGlfwJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                      const Array<bool> &buttons);
