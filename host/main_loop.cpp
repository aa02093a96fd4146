// VexMainLoop: drawing, pacing, suspend and resume, and the fixed-rate updates.
#include "host/main_loop.h"

void VexMainLoop::SetUpdateRate(int hertz) {
  if (hertz) updatePeriod_ = 1.0 / hertz;
  nextUpdate_ = 0;
}

void VexMainLoop::Run() {
  while (platform_->WindowOpen()) RunPass();
}

// A frame that differs from the one on screen only inside an area is shown by
// copying that area, where the platform can: the back buffer then still holds
// the whole frame, and the next such frame is drawn inside its area only.
// Anything the window asks for is drawn whole and swapped.
void VexMainLoop::DrawFrame() {
  VexRect area;
  const bool part = !redraw_ && platform_->CanPresentArea() && game_.ChangedArea(area);
  redraw_ = false;
  game_.ClipFrame(part && backKept_ ? &area : nullptr);
  game_.RenderGame();
  game_.ClipFrame(nullptr);
  if (part)
    platform_->PresentArea(area);
  else
    platform_->SwapBuffers();
  backKept_ = part;
}

void VexMainLoop::RunPass() {
  // Drawing the frame on screen again would only cost the processor: under a
  // software renderer most of what the game costs at rest.
  if (redraw_ || game_.PictureChanged()) DrawFrame();

  if (nextUpdate_ != 0) {
    double delay = nextUpdate_ - platform_->Time();
    if (delay > 0) platform_->Sleep(delay);
  }

  if (game_.Suspended())
    platform_->WaitEvents();
  else
    platform_->PollEvents();

  FollowFocus();
  if (!game_.Suspended()) Update();
}

void VexMainLoop::FollowFocus() {
  if (platform_->WindowActive()) {
    if (game_.Suspended()) {
      game_.ResumeGame();
      nextUpdate_ = 0;
      redraw_ = true;
    }
  } else if (!game_.Suspended()) {
    game_.SuspendGame();
    nextUpdate_ = 0;
  }
}

// An update may change the rate, which drops the schedule (nextUpdate_ 0):
// the updates then stop for this pass.
void VexMainLoop::Update() {
  if (game_.UpdateRate() == 0) {
    game_.UpdateGame();
    return;
  }
  if (nextUpdate_ == 0) nextUpdate_ = platform_->Time();
  for (int i = 0; i < 4; ++i) {
    game_.UpdateGame();
    if (nextUpdate_ == 0) return;
    nextUpdate_ += updatePeriod_;
    if (nextUpdate_ > platform_->Time()) return;
  }
  nextUpdate_ = 0;
}
