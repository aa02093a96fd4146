// Pad layouts: how the axes and buttons a pad reports become the game's two
// sticks, two triggers and numbered buttons, and which pad serves which port.
// Plain code over arrays, so that it can be tested without a pad.
#pragma once

#include <functional>

#include "runtime/array.h"

// What one pad reported in one poll. Entries past the counts are 0.
struct JoystickReading {
  static constexpr int kMaxAxes = 6;
  static constexpr int kMaxButtons = 32;
  int axisCount = 0;   // as reported by the device, may exceed kMaxAxes
  int buttonCount = 0; // as reported by the device, may exceed kMaxButtons
  float axes[kMaxAxes] = {};
  bool buttons[kMaxButtons] = {};
};

// A pad reporting exactly 14 buttons and 5 axes uses layout A, every other pad
// layout B.
bool UsesLayoutA(const JoystickReading &reading);

// Fills the two-entry stick and trigger arrays and the 32 buttons of one port
// from a reading, by the layout the reading calls for.
void ApplyJoystickLayout(const JoystickReading &reading, const Array<float> &joyx, const Array<float> &joyy,
                         const Array<float> &joyz, const Array<bool> &buttons);

// The device ids of ports 0-3: the first four present ids of 0-15, in id
// order; -1 for a port without a pad.
struct JoystickPorts {
  static constexpr int kPorts = 4;
  static constexpr int kDeviceIds = 16;
  int device[kPorts] = {-1, -1, -1, -1};
};
JoystickPorts AssignJoystickPorts(const std::function<bool(int id)> &present);
