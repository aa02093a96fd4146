// p_ChangedArea: where in the window the next frame differs from the one on
// screen, so that the host can draw and show that area alone.
//
// The area covers, in window units, every record that changed: where it was
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

struct Box {
  float x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  // A NaN makes the box endless, which bounds nothing.
  void Cover(float left, float top, float right, float bottom) {
    if (std::isnan(left + top + right + bottom)) left = -INFINITY;
    x0 = std::min(x0, left);
    y0 = std::min(y0, top);
    x1 = std::max(x1, right);
    y1 = std::max(y1, bottom);
  }
  void Add(float x, float y, float rx, float ry) { Cover(x - rx, y - ry, x + rx, y + ry); }
  bool Empty() const { return x0 > x1; }
};

} // namespace

bool c_MyApp::p_ChangedArea(VexRect &area) {
  Box box;
  auto add = [&](const DrawRecord &r) {
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
        box.Cover(x + std::min(left, right) - kEdge, y + std::min(top, bottom) - kEdge,
                  x + std::max(left, right) + kEdge, y + std::max(top, bottom) + kEdge);
      } else {
        const float reach =
            std::hypot(std::max(std::fabs(left), std::fabs(right)), std::max(std::fabs(top), std::fabs(bottom))) +
            kEdge;
        box.Add(x, y, reach, reach);
      }
    }
  };
  if (!m_shownFrame.EachChangedRecord(std::span(m_drawList.Data(), m_drawCount), ShownRecords(), FrameSettings(),
                                      std::span(m_images.Data(), m_images.Length()),
                                      [&](const DrawRecord &kept, const DrawRecord &now) { add(kept), add(now); }))
    return false;
  if (box.Empty()) {
    area = VexRect();
    return true;
  }
  // A NaN or an endless reach bounds nothing.
  if (!std::isfinite(box.x0 + box.y0 + box.x1 + box.y1)) return false;
  const float w = static_cast<float>(vex_app_DeviceWidth()), h = static_cast<float>(vex_app_DeviceHeight());
  const int x0 = static_cast<int>(std::floor(std::clamp(box.x0, 0.0f, w)));
  const int y0 = static_cast<int>(std::floor(std::clamp(box.y0, 0.0f, h)));
  const int x1 = static_cast<int>(std::ceil(std::clamp(box.x1, 0.0f, w)));
  const int y1 = static_cast<int>(std::ceil(std::clamp(box.y1, 0.0f, h)));
  area = {x0, y0, x1 - x0, y1 - y0};
  return true;
}
