// VexLoopPlatform: what the main loop needs of the window system.
//
// The loop's scheduling is plain code in VexMainLoop (host/main_loop.h); it
// reaches the clock, the event queue and the window only through this
// interface, so tests can drive it with a fake clock and a fake window.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/game_delegate.h"

class VexLoopPlatform {
public:
  virtual ~VexLoopPlatform() = default;
  virtual double Time() = 0;              // seconds since the window system started
  virtual void Sleep(double seconds) = 0; // blocks the thread
  virtual void PollEvents() = 0;          // runs the input callbacks, returns at once
  virtual void WaitEvents() = 0;          // blocks until an event, then as PollEvents
  virtual bool WindowOpen() = 0;
  virtual bool WindowActive() = 0; // focused and not iconified
  virtual void SwapBuffers() = 0;
  // Whether PresentAreas works: it shows areas of the back buffer and,
  // unlike a swap, leaves the back buffer as it was.
  virtual bool CanPresentArea() { return false; }
  virtual void PresentAreas(std::span<const VexRect> /*areas*/) {}
  // The back buffer's pixels, for the frame probe; false where it cannot be read.
  virtual bool ReadBackBuffer(std::vector<uint32_t> & /*pixels*/) { return false; }
};
