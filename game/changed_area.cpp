// p_ChangedAreas: where in the window the next frame differs from the one on
// screen, so that the host can draw and show those areas alone; and the box
// of a record, by which the replay also skips what lies outside an area.
//
// The areas cover, in window units, every record that changed: where it was
// drawn and where it will be. Bounds err on the large side: every primitive
// gets a margin for the pixels its edge touches, and a turned image counts as
// the circle its frame sweeps about its handle.
#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/render.h"
#include "graphics/image.h"

namespace {

// Room for pixels a primitive touches beside its exact outline.
constexpr float kEdge = 2;
// The tiles' side, in window units, and the most areas a frame is drawn in:
// each area replays the records that reach into it, a draw call or more each.
constexpr int kAreaTile = 16;
constexpr size_t kMostAreas = 12;

} // namespace

AreaBox c_MyApp::RecordBox(const DrawRecord &r) const {
  AreaBox box;
  const auto [x, y] = m_view.ToDevice(r.x, r.y);
  const auto [w, h] = m_view.SizeOnDevice(r.w, r.h);
  if (r.kind == kKindRect) {
    box.Add(x + w / 2, y + h / 2, std::fabs(w / 2) + kEdge, std::fabs(h / 2) + kEdge);
  } else if (r.kind == kKindOval) {
    box.Add(x, y, std::fabs(w) + kEdge, std::fabs(h) + kEdge);
  } else if (r.kind == kKindLine) {
    const auto [endX, endY] = m_view.ToDevice(r.w, r.h);
    box.Add(x, y, kEdge, kEdge);
    box.Add(endX, endY, kEdge, kEdge);
  } else if (r.kind > -1 && r.kind < kImageSlots && m_images[static_cast<int>(r.kind)]) {
    const c_Image &image = *m_images[static_cast<int>(r.kind)];
    const float sx = w * ImageScale(static_cast<int>(r.kind)), sy = h * ImageScale(static_cast<int>(r.kind));
    const float left = -image.m_tx * sx, right = (static_cast<float>(image.m_width) - image.m_tx) * sx;
    const float top = -image.m_ty * sy, bottom = (static_cast<float>(image.m_height) - image.m_ty) * sy;
    if (r.rot == 0) {
      box.Cover(x + std::min(left, right) - kEdge, y + std::min(top, bottom) - kEdge, x + std::max(left, right) + kEdge,
                y + std::max(top, bottom) + kEdge);
    } else {
      const float reach =
          std::hypot(std::max(std::fabs(left), std::fabs(right)), std::max(std::fabs(top), std::fabs(bottom))) + kEdge;
      box.Add(x, y, reach, reach);
    }
  }
  return box;
}

bool c_MyApp::p_ChangedAreas(VexAreas &areas) {
  std::vector<AreaBox> &boxes = m_changedBoxes;
  boxes.clear();
  if (!m_shownFrame.EachChangedRecord(std::span(m_drawList.Data(), m_drawCount), Shown(), FrameSettings(),
                                      std::span(m_images.Data(), m_images.Length()),
                                      [&](const DrawRecord &kept, const DrawRecord &now) {
                                        boxes.push_back(RecordBox(kept));
                                        boxes.push_back(RecordBox(now));
                                      }))
    return false;
  // A NaN or an endless reach bounds nothing.
  if (!std::all_of(boxes.begin(), boxes.end(), [](const AreaBox &b) { return b.Empty() || b.Finite(); })) return false;
  areas = CoverBoxes(boxes, vex_app_DeviceWidth(), vex_app_DeviceHeight(), kAreaTile, kMostAreas);
  return true;
}
