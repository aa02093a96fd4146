// VexMainLoop: the main loop's schedule, apart from any window system.
//
// One pass (RunPass) renders a frame and shows it (unless the frame would show
// what the window already shows), sleeps until the next update is due,
// processes events (blocking while suspended), follows the window's focus into
// suspend and resume, and then runs one to four fixed-rate updates. When it
// falls more than four updates behind it drops the schedule rather than trying
// to catch up, and the next pass starts afresh.
//
// The loop reaches the clock, the event queue and the window only through its
// VexLoopPlatform, so tests drive it with a fake clock and a fake window.
#pragma once

#include "host/frame_probe.h"
#include "host/game.h"
#include "host/loop_platform.h"

class VexMainLoop {
public:
  explicit VexMainLoop(VexGame &game) : game_(game) {}

  void SetPlatform(VexLoopPlatform *platform) { platform_ = platform; }
  // With a probe, each frame drawn is read back and each frame skipped is
  // drawn unseen and read back, and the counts are reported on stderr.
  void SetFrameProbe(VexFrameProbe *probe) { probe_ = probe; }
  VexLoopPlatform &Platform() const { return *platform_; }
  // A new rate (0: one update a frame) starts the schedule afresh.
  void SetUpdateRate(int hertz);
  double NextUpdate() const { return nextUpdate_; }
  // The window lost its pixels or changed size: the next pass draws whether
  // or not the picture changed.
  void Redraw() { redraw_ = true; }

  // One pass; see the header comment.
  void RunPass();
  // Passes for as long as the window is open.
  void Run();

private:
  void DrawFrame(bool forced);
  void ProbeSkippedFrame();
  void ReportProbe();
  void FollowFocus();
  void Update();

  VexGame &game_;
  VexLoopPlatform *platform_ = nullptr;
  VexFrameProbe *probe_ = nullptr;
  double probeReported_ = 0;
  double updatePeriod_ = 0;
  // When the next update is due; 0 while none is scheduled.
  double nextUpdate_ = 0;
  bool redraw_ = true;
  // The areas of the frame being drawn, kept to spare an allocation a frame.
  VexAreas areas_;
  // The back buffer still holds the frame on screen (it was shown by a copy).
  bool backKept_ = false;
};
