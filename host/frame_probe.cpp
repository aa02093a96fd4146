// VexFrameProbe: the counts of redundant and missed frames.
#include "host/frame_probe.h"

void VexFrameProbe::Drawn(std::vector<uint32_t> pixels, bool forced) {
  ++counts_.drawn;
  if (shown_ && !forced && pixels == onScreen_) ++counts_.redundant;
  onScreen_ = std::move(pixels);
  shown_ = true;
}

void VexFrameProbe::Skipped(const std::vector<uint32_t> &pixels) {
  ++counts_.skipped;
  if (!shown_ || pixels != onScreen_) ++counts_.missed;
}

std::string VexFrameProbe::Report() const {
  return "frame probe: drawn " + std::to_string(counts_.drawn) + " redundant " + std::to_string(counts_.redundant) +
         " skipped " + std::to_string(counts_.skipped) + " missed " + std::to_string(counts_.missed);
}
