// The kinds of raw event the host forwards to the input device, passed as the
// first argument of the event operations of both.
#pragma once

enum VexEvent {
  KeyDown = 1,
  KeyUp = 2,
  KeyChar = 3,
  MouseDown = 4,
  MouseUp = 5,
  MouseMove = 6,
  TouchDown = 7,
  TouchUp = 8,
  TouchMove = 9,
  MotionAccel = 10,
};
