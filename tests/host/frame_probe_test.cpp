// The frame probe's counts: a frame drawn again unchanged is redundant unless
// the window asked for it, and a skipped frame that differs is a miss, with
// where it differs.
#include <gtest/gtest.h>

#include "host/frame_probe.h"

namespace {

// A 2 x 2 frame: the width first, then the pixels.
std::vector<uint32_t> Frame(uint32_t a, uint32_t b = 0) { return {2, a, b, 0, 0}; }

TEST(FrameProbe, CountsFramesDrawnForNothingAndFramesLeftOut) {
  VexFrameProbe probe;
  probe.Drawn(Frame(1), false);
  probe.Drawn(Frame(1), true);
  EXPECT_EQ(probe.Totals().redundant, 0) << "the window asked for it";
  probe.Drawn(Frame(1), false);
  EXPECT_EQ(probe.Totals().redundant, 1);
  EXPECT_EQ(probe.Skipped(Frame(1)), "");
  EXPECT_EQ(probe.Skipped(Frame(1, 7)), "1 pixels in 1,0 to 1,0");
  EXPECT_EQ(probe.Totals().drawn, 3);
  EXPECT_EQ(probe.Totals().skipped, 2);
  EXPECT_EQ(probe.Totals().missed, 1);
  EXPECT_EQ(probe.Report(), "frame probe: drawn 3 redundant 1 skipped 2 missed 1");
}

} // namespace
