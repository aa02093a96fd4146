// VexMainLoop: drawing, pacing, suspend and resume, and the fixed-rate updates.
#include "host/main_loop.h"

#include <cstdio>
#include <utility>

void VexMainLoop::SetUpdateRate(int hertz) {
  if (hertz) updatePeriod_ = 1.0 / hertz;
  nextUpdate_ = 0;
}

void VexMainLoop::Run() {
  while (platform_->WindowOpen()) RunPass();
}

// A frame that differs from the one on screen only inside some areas is shown
// by copying those areas, where the platform can: the back buffer then still
// holds the whole frame, and the next such frame is drawn inside its areas
// only. Anything the window asks for is drawn whole and swapped.
void VexMainLoop::DrawFrame(bool forced) {
  VexAreas &areas = areas_;
  areas.clear();
  const bool part = !redraw_ && platform_->CanPresentArea() && game_.ChangedAreas(areas);
  redraw_ = false;
  // No area at all is a frame drawn nowhere, not one drawn everywhere.
  static constexpr VexRect kNowhere;
  std::span<const VexRect> clip;
  if (part && backKept_) clip = areas.empty() ? std::span(&kNowhere, 1) : std::span<const VexRect>(areas);
  game_.ClipFrame(clip);
  game_.RenderGame();
  game_.ClipFrame({});
  if (std::vector<uint32_t> pixels; probe_ && platform_->ReadBackBuffer(pixels))
    probe_->Drawn(std::move(pixels), forced);
  if (part)
    platform_->PresentAreas(areas);
  else
    platform_->SwapBuffers();
  backKept_ = part;
}

void VexMainLoop::RunPass() {
  // Drawing the frame on screen again would only cost the processor: under a
  // software renderer most of what the game costs at rest.
  if (redraw_ || game_.PictureChanged())
    DrawFrame(redraw_);
  else if (probe_)
    ProbeSkippedFrame();
  if (probe_) ReportProbe();

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

// The whole frame into the back buffer, never shown; the back buffer then
// holds it rather than the frame on screen.
void VexMainLoop::ProbeSkippedFrame() {
  game_.ClipFrame({});
  game_.RenderGame();
  if (std::vector<uint32_t> pixels; platform_->ReadBackBuffer(pixels))
    if (const std::string miss = probe_->Skipped(pixels); !miss.empty())
      std::fprintf(stderr, "frame probe: missed a frame, %s\n", miss.c_str());
  backKept_ = false;
}

void VexMainLoop::ReportProbe() {
  const double now = platform_->Time();
  if (now - probeReported_ < 0.5) return;
  probeReported_ = now;
  std::fprintf(stderr, "%s\n", probe_->Report().c_str());
}
