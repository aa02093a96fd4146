// Game pads on GLFW; see glfw_joysticks.h.
#include "input/glfw_joysticks.h"

bool PollGlfwJoystick(int, const Array<float> &, const Array<float> &, const Array<float> &, const Array<bool> &) {
  return false;
}
