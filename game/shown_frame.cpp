// ShownFrame: the frame on screen in the device's terms, and the conversion
// of a display-list record to those terms.
#include "game/shown_frame.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>

#include "game/names.h"
#include "graphics/graphics_device.h"
#include "graphics/sprite_geometry.h"

namespace {

// Numbers folded (FNV-1a) into one.
class Fold {
public:
  void Add(uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) hash_ = (hash_ ^ ((value >> shift) & 0xffu)) * 0x100000001b3u;
  }
  uint64_t Folded() const { return hash_; }

private:
  uint64_t hash_ = 0xcbf29ce484222325u;
};

// Vertices snapped to the sub-pixel grid and folded into one number.
// Values too far out to snap (and NaN) fold in their own bits.
class Vertices {
public:
  explicit Vertices(int subpixelBits) : steps_(std::ldexp(1.0, subpixelBits)) {}
  Vertices &Add(float x, float y) {
    fold_.Add(Snap(x)), fold_.Add(Snap(y));
    return *this;
  }
  uint64_t Folded() const { return fold_.Folded(); }

private:
  uint64_t Snap(float v) const {
    const double s = static_cast<double>(v) * steps_;
    if (std::fabs(s) < 0x1p62) return static_cast<uint64_t>(std::llround(s));
    return 0x8000000000000000u | std::bit_cast<uint32_t>(v);
  }

  double steps_;
  Fold fold_;
};

int32_t Whole(float value) {
  return std::fabs(value) < 0x1p30f ? static_cast<int32_t>(value)
                                    : static_cast<int32_t>(std::bit_cast<uint32_t>(value));
}

// The pixels a record covers and their texels, folded (0 when untold), and
// whether that cover is sure.
std::pair<uint64_t, bool> CoverHash(const ShownInput &in) {
  ShownCover cover;
  if (!CoverOf(in, cover)) return {0, false};
  Fold v;
  for (const CoverRun &run : cover.runs)
    v.Add(static_cast<uint64_t>(static_cast<uint32_t>(run.row)) << 32 | static_cast<uint32_t>(run.begin)),
        v.Add(static_cast<uint32_t>(run.end));
  v.Add(static_cast<uint64_t>(static_cast<uint32_t>(cover.firstColumn)) << 32 | static_cast<uint32_t>(cover.firstRow));
  for (int32_t t : cover.texelColumns) v.Add(static_cast<uint32_t>(t));
  // Apart from the rows' texels, so that columns do not pass for rows.
  v.Add(0x526f7773ull);
  for (int32_t t : cover.texelRows) v.Add(static_cast<uint32_t>(t));
  return {v.Folded() | 1, !cover.unsure};
}

// The vertices the device makes of a record, in the order it makes them, as
// the replay hands the record over (an oval by its box, a line's ends moved
// to the pixels' middles).
uint64_t VerticesOf(const DrawRecord &r, const ImageFrame &image, int subpixelBits) {
  Vertices v(subpixelBits);
  if (r.kind == kKindRect) {
    v.Add(r.x, r.y).Add(r.x + r.w, r.y).Add(r.x + r.w, r.y + r.h).Add(r.x, r.y + r.h);
  } else if (r.kind == kKindOval) {
    const float x = r.x - r.w, y = r.y - r.h, xr = r.w * 2 * 0.5f, yr = r.h * 2 * 0.5f;
    const int n = OvalSegments(xr, yr, false, 1, 0, 0, 1);
    for (int i = 0; i < n; ++i) {
      const gxtkOvalPoint p = OvalPoint(x + xr, y + yr, xr, yr, i, n);
      v.Add(p.x, p.y);
    }
  } else if (r.kind == kKindLine) {
    v.Add(r.x + 0.5f, r.y + 0.5f).Add(r.w + 0.5f, r.h + 0.5f);
  } else {
    const gxtkSpriteMatrix m = SpriteMatrix(r.x, r.y, r.rot, r.w, r.h, image.handleX, image.handleY);
    for (auto [u, w] : {std::pair(0.0f, 0.0f), {image.width, 0.0f}, {image.width, image.height}, {0.0f, image.height}})
      v.Add(m.X(u, w), m.Y(u, w));
  }
  return v.Folded();
}

// The pixels that may differ between a shape's two covers, row by row: the
// moved ends of each row when only its outline moved, else both rows whole.
std::vector<CoverRun> ChangedRuns(const std::vector<CoverRun> &was, const std::vector<CoverRun> &is, bool outline) {
  std::vector<CoverRun> changed;
  size_t a = 0, b = 0;
  while (a < was.size() || b < is.size()) {
    const int32_t y = std::min(a < was.size() ? was[a].row : INT32_MAX, b < is.size() ? is[b].row : INT32_MAX);
    const CoverRun p = a < was.size() && was[a].row == y ? was[a++] : CoverRun{y, 0, 0};
    const CoverRun q = b < is.size() && is[b].row == y ? is[b++] : CoverRun{y, 0, 0};
    if (outline && p.begin < p.end && q.begin < q.end) {
      if (p.begin != q.begin) changed.push_back({y, std::min(p.begin, q.begin), std::max(p.begin, q.begin)});
      if (p.end != q.end) changed.push_back({y, std::min(p.end, q.end), std::max(p.end, q.end)});
    } else {
      if (p.begin < p.end) changed.push_back(p);
      if (q.begin < q.end) changed.push_back(q);
    }
  }
  return changed;
}

} // namespace

ShownRecord ShowOnDevice(const DrawRecord &r, const ImageFrame &image, int subpixelBits) {
  ShownRecord shown;
  shown.kind = Whole(r.kind);
  // The device blends premultiplied colour: a record packed to nothing adds
  // nothing, wherever it lies.
  shown.colour = PackColor(r.red, r.green, r.blue, r.alpha);
  if (shown.colour == 0) return shown;
  shown.frame = Whole(r.frame);
  std::tie(shown.cover, shown.sure) = CoverHash({image, r, subpixelBits});
  shown.vertices = VerticesOf(r, image, subpixelBits);
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

const ShownRecord &ShownCache::Show(size_t place, const DrawRecord &r, const ImageFrame &image, int subpixelBits) {
  // Bytes, not values: a NaN must not miss its own place, nor -0 pass for 0.
  const ShownInput input{image, r, subpixelBits};
  if (place < inputs_.size() && std::memcmp(&inputs_[place], &input, sizeof input) == 0) return shown_[place];
  if (place >= inputs_.size()) {
    inputs_.resize(place + 1);
    shown_.resize(place + 1);
  }
  inputs_[place] = input;
  shown_[place] = ShowOnDevice(r, image, subpixelBits);
  return shown_[place];
}

bool ShownFrame::Same(ShownList now, const ShownSettings &settings, std::span<const GameImage> images) const {
  if (!SameBesideList(settings, images) || now.shown.size() != shown_.size()) return false;
  for (size_t i = 0; i < now.shown.size(); ++i)
    if (Changed(i, now)) return false;
  return true;
}

bool ShownFrame::EachChangedRecord(
    std::span<const DrawRecord> list, ShownList now, const ShownSettings &settings, std::span<const GameImage> images,
    const std::function<void(const DrawRecord &kept, const DrawRecord &now)> &changed) const {
  if (!SameBesideList(settings, images) || now.shown.size() != shown_.size() || list.size() != now.shown.size())
    return false;
  for (size_t i = 0; i < now.shown.size(); ++i)
    if (Changed(i, now)) changed(list_[i], list[i]);
  return true;
}

bool ShownFrame::Changed(size_t place, ShownList now) const {
  return now.shown[place] != shown_[place] && !ChangeHidden(place, now);
}

bool ShownFrame::ChangeHidden(size_t place, ShownList now) const {
  if (now.inputs.size() != now.shown.size() || inputs_.size() != shown_.size()) return false;
  // Shapes only: the images that move, move by the hundred, and each would
  // ask every record drawn after it.
  const float kind = inputs_[place].record.kind;
  auto shape = [](float k) { return k == kKindRect || k == kKindOval; };
  if (!shape(kind) || !shape(now.inputs[place].record.kind)) return false;
  ShownCover was, is;
  if (!CoverOf(inputs_[place], was) || !CoverOf(now.inputs[place], is) || was.unsure || is.unsure) return false;
  if (shown_[place].colour == 0) was.runs.clear();
  if (now.shown[place].colour == 0) is.runs.clear();
  // A shape that kept its kind and colour changed only where its outline
  // moved; one that did not may have changed wherever it was or is.
  const bool outline = kind == now.inputs[place].record.kind && shown_[place].colour == now.shown[place].colour;
  const std::vector<CoverRun> changed = ChangedRuns(was.runs, is.runs, outline);
  // Each pixel asks the covers in turn; a large change is not worth it.
  size_t pixels = 0;
  for (const CoverRun &run : changed) pixels += static_cast<size_t>(run.end - run.begin);
  if (pixels > 4096) return false;
  // The later records that stand still and paint opaquely somewhere.
  std::vector<OpaqueCover> covers;
  for (size_t j = place + 1; j < now.shown.size(); ++j)
    if (now.shown[j] == shown_[j] && now.shown[j].colour >> 24 == 0xff) covers.emplace_back(now.inputs[j]);
  for (const CoverRun &run : changed)
    for (int32_t x = run.begin; x < run.end; ++x)
      if (std::none_of(covers.begin(), covers.end(), [&](const OpaqueCover &c) { return c.Hides(x, run.row); }))
        return false;
  return true;
}

bool ShownFrame::SameBesideList(const ShownSettings &settings, std::span<const GameImage> images) const {
  if (!kept_ || settings != settings_ || images.size() != images_.size()) return false;
  for (size_t i = 0; i < images.size(); ++i)
    if (images[i].get() != images_[i].get()) return false;
  return true;
}

void ShownFrame::Keep(std::span<const DrawRecord> list, ShownList now, const ShownSettings &settings,
                      std::span<const GameImage> images) {
  list_.assign(list.begin(), list.end());
  shown_.assign(now.shown.begin(), now.shown.end());
  inputs_.assign(now.inputs.begin(), now.inputs.end());
  settings_ = settings;
  images_.assign(images.begin(), images.end());
  kept_ = true;
}
