// VexGameDelegate: the interface through which the host calls the framework.
//
// The host knows nothing of the game; it starts, suspends, resumes, updates and
// renders it through this interface and forwards raw events as numbered event
// kinds (VexEvent, input/input_events.h). c_GameDelegate (host/app.h) is the one implementation.
#pragma once

#include <span>
#include <vector>

#include "input/input_events.h"

// A rectangle of the window in window units, origin top left.
struct VexRect {
  int x = 0, y = 0, width = 0, height = 0;
};
// Rectangles of the window apart from each other.
using VexAreas = std::vector<VexRect>;

class VexGameDelegate {
public:
  virtual ~VexGameDelegate() = default;
  virtual void StartGame() {}
  virtual void SuspendGame() {}
  virtual void ResumeGame() {}
  virtual void UpdateGame() {}
  virtual void RenderGame() {}
  // Whether a frame drawn now would differ from the one on screen; a delegate
  // that cannot tell says yes.
  virtual bool PictureChanged() { return true; }
  // The parts of the window outside which a frame drawn now equals the one
  // on screen (none when it equals it everywhere); false when it may differ
  // anywhere.
  virtual bool ChangedAreas(VexAreas & /*areas*/) { return false; }
  // Confines the next frames' drawing to these areas (none: the whole window).
  virtual void ClipFrame(std::span<const VexRect> /*areas*/) {}
  virtual void KeyEvent(int /*event*/, int /*data*/) {}
  virtual void MouseEvent(int /*event*/, int /*data*/, float /*x*/, float /*y*/) {}
  virtual void TouchEvent(int /*event*/, int /*data*/, float /*x*/, float /*y*/) {}
  virtual void MotionEvent(int /*event*/, int /*data*/, float /*x*/, float /*y*/, float /*z*/) {}
  virtual void DiscardGraphics() {}
};
