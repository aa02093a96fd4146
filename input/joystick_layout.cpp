// Pad layouts and port assignment; see joystick_layout.h.
#include "input/joystick_layout.h"

namespace {

// An output code: the low 4 bits are the source (an axis, or a button for
// kButton), the rest the operation applied to it.
enum : int {
  kAxis = 0,
  kHalfPlus = 16,  // (1 + axis) x 0.5
  kHalfMinus = 32, // (1 - axis) x 0.5
  kNegated = 64,
  kButton = 128, // 1.0 while the button of that number is pressed
};

// Outputs in the order joyx[0], joyy[0], joyz[0], joyx[1], joyy[1], joyz[1].
constexpr int kOutputsA[6] = {kAxis | 0, kAxis | 1, kAxis | 2, kAxis | 4, kNegated | 3, kNegated | 2};
constexpr int kOutputsB[6] = {kAxis | 0, kAxis | 1, kButton | 6, kAxis | 2, kNegated | 3, kButton | 7};

// The device button behind each of the first 14 buttons; a negative number
// counts from the end of the device's button list.
constexpr int kButtonsA[14] = {0, 1, 2, 3, 4, 5, 6, 7, -4, -3, -2, -1, 8, 9};
constexpr int kButtonsB[14] = {1, 2, 0, 3, 4, 5, 8, 9, -4, -3, -2, -1, 10, 11};

bool DeviceButton(const JoystickReading &r, int index) {
  if (index < 0) index += r.buttonCount;
  return index >= 0 && index < JoystickReading::kMaxButtons && r.buttons[index];
}

float Output(const JoystickReading &r, int code) {
  int source = code & 15;
  int op = code & ~15;
  if (op == kButton) return DeviceButton(r, source) ? 1.0f : 0.0f;
  float axis = source < JoystickReading::kMaxAxes ? r.axes[source] : 0.0f;
  switch (op) {
  case kHalfPlus:
    return (1.0f + axis) * 0.5f;
  case kHalfMinus:
    return (1.0f - axis) * 0.5f;
  case kNegated:
    return -axis;
  default:
    return axis;
  }
}

} // namespace

bool UsesLayoutA(const JoystickReading &reading) { return reading.buttonCount == 14 && reading.axisCount == 5; }

void ApplyJoystickLayout(const JoystickReading &reading, const Array<float> &joyx, const Array<float> &joyy,
                         const Array<float> &joyz, const Array<bool> &buttons) {
  bool a = UsesLayoutA(reading);
  const int *outputs = a ? kOutputsA : kOutputsB;
  const int *map = a ? kButtonsA : kButtonsB;
  joyx[0] = Output(reading, outputs[0]);
  joyy[0] = Output(reading, outputs[1]);
  joyz[0] = Output(reading, outputs[2]);
  joyx[1] = Output(reading, outputs[3]);
  joyy[1] = Output(reading, outputs[4]);
  joyz[1] = Output(reading, outputs[5]);
  for (int i = 0; i < buttons.Length(); ++i) buttons[i] = false;
  for (int i = 0; i < 14 && i < buttons.Length(); ++i) buttons[i] = DeviceButton(reading, map[i]);
}

JoystickPorts AssignJoystickPorts(const std::function<bool(int id)> &present) {
  JoystickPorts ports;
  int next = 0;
  for (int id = 0; id < JoystickPorts::kDeviceIds && next < JoystickPorts::kPorts; ++id)
    if (present(id)) ports.device[next++] = id;
  return ports;
}
