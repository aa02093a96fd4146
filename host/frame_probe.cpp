// VexFrameProbe: the counts of redundant and missed frames.
#include "host/frame_probe.h"

#include <algorithm>
#include <cstdint>

void VexFrameProbe::Drawn(std::vector<uint32_t> pixels, bool forced) {
  ++counts_.drawn;
  if (shown_ && !forced && pixels == onScreen_) ++counts_.redundant;
  onScreen_ = std::move(pixels);
  shown_ = true;
}

std::string VexFrameProbe::Skipped(const std::vector<uint32_t> &pixels) {
  ++counts_.skipped;
  if (shown_ && pixels == onScreen_) return "";
  ++counts_.missed;
  if (!shown_ || pixels.size() != onScreen_.size() || pixels.empty()) return "a frame of another size";
  const size_t width = pixels[0];
  size_t count = 0, x0 = SIZE_MAX, y0 = SIZE_MAX, x1 = 0, y1 = 0;
  for (size_t i = 1; i < pixels.size(); ++i) {
    if (pixels[i] == onScreen_[i]) continue;
    const size_t x = (i - 1) % width, y = (i - 1) / width;
    ++count, x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  }
  return std::to_string(count) + " pixels in " + std::to_string(x0) + "," + std::to_string(y0) + " to " +
         std::to_string(x1) + "," + std::to_string(y1);
}

std::string VexFrameProbe::Report() const {
  return "frame probe: drawn " + std::to_string(counts_.drawn) + " redundant " + std::to_string(counts_.redundant) +
         " skipped " + std::to_string(counts_.skipped) + " missed " + std::to_string(counts_.missed);
}
