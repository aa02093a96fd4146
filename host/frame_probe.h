// VexFrameProbe: counts the frames the loop draws for nothing and the frames
// it wrongly leaves out, from the pixels themselves.
//
// Off in the game as shipped; TILEMARCH_FRAME_PROBE turns it on for the
// measurements. Then every frame the loop draws is read back before it is
// shown, and every frame it skips is drawn all the same into the back buffer,
// read back and not shown:
//  - redundant: a frame drawn on the loop's own decision whose pixels equal
//    those of the frame before (one the window asked for is not counted);
//  - missed: a skipped frame whose pixels differ from those on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class VexFrameProbe {
public:
  struct Counts {
    int drawn = 0, redundant = 0, skipped = 0, missed = 0;
  };

  // A frame drawn and about to be shown; forced when the window asked for it.
  void Drawn(std::vector<uint32_t> pixels, bool forced);
  // A frame the loop did not draw, drawn for the probe only; when it differs
  // from the screen, where: "N pixels in X0,Y0 to X1,Y1" (rows bottom up).
  std::string Skipped(const std::vector<uint32_t> &pixels);
  const Counts &Totals() const { return counts_; }
  // "frame probe: drawn D redundant R skipped S missed M".
  std::string Report() const;

private:
  Counts counts_;
  bool shown_ = false;
  std::vector<uint32_t> onScreen_;
};
