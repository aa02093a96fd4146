// InputHost: what the input module asks of the platform: the pads' state
// once per update, and the on-screen keyboard switched on or off.
#pragma once

#include "runtime/array.h"

class InputHost {
public:
  virtual ~InputHost() = default;
  // Fills the arrays of pad port; false when there is no pad there (the
  // device then polls no further port).
  virtual bool PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                            const Array<bool> &buttons) = 0;
  virtual void SetKeyboardEnabled(bool enabled) = 0;
};
