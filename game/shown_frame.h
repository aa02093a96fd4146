// ShownFrame: what the frame on screen was drawn from.
//
// p_OnRender draws from the display list, a few settings beside it (the fill
// colour, the device size, the image scale) and the images in the slots. An
// update that leaves all of them as they were leaves the picture as it was, so
// the host need not draw it again.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "game/devices.h"
#include "game/render.h"

class ShownFrame {
public:
  // Whether a frame drawn from these inputs would equal the kept one.
  bool Same(std::span<const DrawRecord> list, std::span<const float> settings, std::span<const GameImage> images) const;
  // Calls changed(kept, now) for each record that differs from the kept one at
  // its place; false, and no call, when the frame differs otherwise (nothing
  // kept, other settings or images, another length).
  bool EachChangedRecord(std::span<const DrawRecord> list, std::span<const float> settings,
                         std::span<const GameImage> images,
                         const std::function<void(const DrawRecord &kept, const DrawRecord &now)> &changed) const;
  // Remembers the inputs of the frame just drawn.
  void Keep(std::span<const DrawRecord> list, std::span<const float> settings, std::span<const GameImage> images);

private:
  bool SameBesideList(std::span<const float> settings, std::span<const GameImage> images) const;

  bool kept_ = false;
  std::vector<DrawRecord> list_;
  std::vector<float> settings_;
  // Held, not just their addresses: a picture freed while kept could leave
  // its address to the next one loaded, which would then pass for it.
  std::vector<GameImage> images_;
};
