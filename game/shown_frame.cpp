// ShownFrame: the inputs of the frame on screen, compared bit for bit.
#include "game/shown_frame.h"

#include <cstring>

namespace {
// Bits rather than values: a NaN in the list is the same NaN next time.
template <class T> bool SameBits(std::span<const T> a, const std::vector<T> &b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size_bytes()) == 0);
}
} // namespace

bool ShownFrame::Same(std::span<const DrawRecord> list, std::span<const float> settings,
                      std::span<const GameImage> images) const {
  return SameBesideList(settings, images) && SameBits(list, list_);
}

bool ShownFrame::EachChangedRecord(
    std::span<const DrawRecord> list, std::span<const float> settings, std::span<const GameImage> images,
    const std::function<void(const DrawRecord &kept, const DrawRecord &now)> &changed) const {
  if (!SameBesideList(settings, images) || list.size() != list_.size()) return false;
  for (size_t i = 0; i < list.size(); ++i)
    if (std::memcmp(&list[i], &list_[i], sizeof(DrawRecord)) != 0) changed(list_[i], list[i]);
  return true;
}

bool ShownFrame::SameBesideList(std::span<const float> settings, std::span<const GameImage> images) const {
  if (!kept_ || !SameBits(settings, settings_) || images.size() != images_.size()) return false;
  for (size_t i = 0; i < images.size(); ++i)
    if (images[i].get() != images_[i].get()) return false;
  return true;
}

void ShownFrame::Keep(std::span<const DrawRecord> list, std::span<const float> settings,
                      std::span<const GameImage> images) {
  list_.assign(list.begin(), list.end());
  settings_.assign(settings.begin(), settings.end());
  images_.assign(images.begin(), images.end());
  kept_ = true;
}
