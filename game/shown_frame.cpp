// ShownFrame: the frame on screen in the device's terms, and the conversion
// of a display-list record to those terms.
#include "game/shown_frame.h"

#include <bit>
#include <cmath>

#include "graphics/graphics_device.h"
#include "runtime/angle.h"

namespace {

// A travel of `units` device pixels in sub-pixel steps. Values too far out to
// round (and NaN) keep their own bits, so they still compare as themselves.
int64_t Steps(double units, double steps) {
  const double s = units * steps;
  if (std::fabs(s) < 0x1p62) return std::llround(s);
  return INT64_MIN + std::bit_cast<uint32_t>(static_cast<float>(units));
}

int32_t Whole(float value) {
  return std::fabs(value) < 0x1p30f ? static_cast<int32_t>(value)
                                    : static_cast<int32_t>(std::bit_cast<uint32_t>(value));
}

} // namespace

ShownRecord ShowOnDevice(const DrawRecord &r, const ImageReach &reach, int subpixelBits) {
  ShownRecord shown;
  shown.kind = Whole(r.kind);
  // The device blends premultiplied colour: a record packed to nothing adds
  // nothing, wherever it lies.
  shown.colour = PackColor(r.red, r.green, r.blue, r.alpha);
  if (shown.colour == 0) return shown;
  const double steps = std::ldexp(1.0, subpixelBits);
  shown.frame = Whole(r.frame);
  shown.x = Steps(r.x, steps);
  shown.y = Steps(r.y, steps);
  if (r.kind > -1) {
    // An image's scales move its corners by the scale times their distance
    // from the handle, and its turn by the angle times the farthest corner's.
    const double across = reach.across * std::fabs(r.w), down = reach.down * std::fabs(r.h);
    shown.w = Steps(static_cast<double>(r.w) * reach.across, steps);
    shown.h = Steps(static_cast<double>(r.h) * reach.down, steps);
    shown.rot = Steps(static_cast<double>(r.rot) * kDegToRad * std::hypot(across, down), steps);
  } else {
    shown.w = Steps(r.w, steps);
    shown.h = Steps(r.h, steps);
  }
  return shown;
}

ShownSettings ShowFillOnDevice(float red, float green, float blue, float alpha, std::array<float, 4> exact) {
  // An opaque fill is a clear to the channels' whole parts, which is what the
  // packed colour holds too.
  ShownSettings settings;
  settings.fill = PackColor(red, green, blue, alpha);
  for (size_t i = 0; i < exact.size(); ++i) settings.exact[i] = std::bit_cast<uint32_t>(exact[i]);
  return settings;
}

bool ShownFrame::Same(std::span<const ShownRecord> shown, const ShownSettings &settings,
                      std::span<const GameImage> images) const {
  return SameBesideList(settings, images) && std::equal(shown.begin(), shown.end(), shown_.begin(), shown_.end());
}

bool ShownFrame::EachChangedRecord(
    std::span<const DrawRecord> list, std::span<const ShownRecord> shown, const ShownSettings &settings,
    std::span<const GameImage> images,
    const std::function<void(const DrawRecord &kept, const DrawRecord &now)> &changed) const {
  if (!SameBesideList(settings, images) || shown.size() != shown_.size() || list.size() != shown.size()) return false;
  for (size_t i = 0; i < shown.size(); ++i)
    if (shown[i] != shown_[i]) changed(list_[i], list[i]);
  return true;
}

bool ShownFrame::SameBesideList(const ShownSettings &settings, std::span<const GameImage> images) const {
  if (!kept_ || settings != settings_ || images.size() != images_.size()) return false;
  for (size_t i = 0; i < images.size(); ++i)
    if (images[i].get() != images_[i].get()) return false;
  return true;
}

void ShownFrame::Keep(std::span<const DrawRecord> list, std::span<const ShownRecord> shown,
                      const ShownSettings &settings, std::span<const GameImage> images) {
  list_.assign(list.begin(), list.end());
  shown_.assign(shown.begin(), shown.end());
  settings_ = settings;
  images_.assign(images.begin(), images.end());
  kept_ = true;
}
