// ShownFrame: the frame on screen, as the device showed it.
//
// p_OnRender draws from the display list, a few settings beside it (the fill
// colour, the device size, the image scale) and the images in the slots. Two
// frames whose lists differ only below what the device can show draw the
// same pixels: an eased value that creeps in its last float bits for hundreds
// of updates must not count as a new picture. So the frame is compared in the
// device's terms:
//  - colours and alphas packed to 8 bits a channel, as the device packs them;
//  - the geometry as the vertices the device makes of it, each snapped to
//    the rasteriser's sub-pixel grid (vertices on the same step cover the
//    same pixels);
//  - a record the device draws with no colour and no alpha, as nothing;
//  - a record covering the same pixel middles with the same texels (see
//    game/shown_cover.h) as the same, and one that changed only where a
//    later record that stood still paints over it opaquely as unchanged
//    (the cursor's disc creeps under the map's cells).
//
// Index: ShownRecord, ShownSettings (the device forms), ShowOnDevice,
// ShowFillOnDevice (the conversions), ShownCache (the conversions remembered),
// ShownFrame (the kept frame).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "game/devices.h"
#include "game/render.h"
#include "game/shown_cover.h"

// A record as the device draws it: the pixels it covers and their texels
// folded into one number, its snapped vertices into another, and its colour
// as the packed vertex colour. Two records show alike when they cover alike,
// and where either cover is unsure (or untold: cover 0), when their vertices
// snap alike too.
struct ShownRecord {
  int32_t kind = 0, frame = 0;
  uint64_t cover = 0, vertices = 0;
  bool sure = false;
  uint32_t colour = 0;
  friend bool operator==(const ShownRecord &a, const ShownRecord &b) {
    return a.kind == b.kind && a.frame == b.frame && a.colour == b.colour && a.cover == b.cover &&
           ((a.sure && b.sure) || a.vertices == b.vertices);
  }
};

// The fill as packed for the device, and the settings compared as they stand
// (they do not ease: any change is a new picture), as bits.
struct ShownSettings {
  uint32_t fill = 0;
  std::array<uint32_t, 4> exact{};
  friend bool operator==(const ShownSettings &, const ShownSettings &) = default;
};

// The record `r`, already in device units (position, size or line end), with
// an image's scales including its image scale.
ShownRecord ShowOnDevice(const DrawRecord &r, const ImageFrame &image, int subpixelBits);
// The background fill of channels 0..255 and an alpha, then the device size,
// image scale and overscan.
ShownSettings ShowFillOnDevice(float red, float green, float blue, float alpha, std::array<float, 4> exact);

// ShowOnDevice for a list, place by place, converting again only the places
// whose input changed since the last call. A frame is put in the device's
// terms several times over (whether it changed, where, and when kept), and
// most of a list stands still between frames; an oval's vertices cost a sine
// each.
class ShownCache {
public:
  // A place beyond any seen so far grows the cache; a list that grows
  // shorter leaves its later places to be compared when it grows again.
  const ShownRecord &Show(size_t place, const DrawRecord &r, const ImageFrame &image, int subpixelBits);
  // The inputs of the first `count` places, as last shown.
  std::span<const ShownInput> Inputs(size_t count) const { return std::span(inputs_).first(count); }

private:
  // Compared as bytes, so no padding may hide among them.
  static_assert(sizeof(ShownInput) == sizeof(DrawRecord) + sizeof(ImageFrame) + sizeof(int));
  std::vector<ShownInput> inputs_;
  std::vector<ShownRecord> shown_;
};

// A frame's list in the device's terms: each record's form, and the input it
// was made from (empty when not known: then no change counts as hidden).
struct ShownList {
  std::span<const ShownRecord> shown;
  std::span<const ShownInput> inputs;
};

class ShownFrame {
public:
  // Whether a frame drawn from these inputs would show the kept one's pixels.
  bool Same(ShownList now, const ShownSettings &settings, std::span<const GameImage> images) const;
  // Calls changed(kept, now) for each record that shows differently from the
  // kept one at its place; false, and no call, when the frame differs
  // otherwise (nothing kept, other settings or images, another length).
  bool EachChangedRecord(std::span<const DrawRecord> list, ShownList now, const ShownSettings &settings,
                         std::span<const GameImage> images,
                         const std::function<void(const DrawRecord &kept, const DrawRecord &now)> &changed) const;
  // Remembers the frame just drawn.
  void Keep(std::span<const DrawRecord> list, ShownList now, const ShownSettings &settings,
            std::span<const GameImage> images);

private:
  bool SameBesideList(const ShownSettings &settings, std::span<const GameImage> images) const;
  // Whether the record at `place` shows differently from the kept one.
  bool Changed(size_t place, ShownList now) const;
  // Whether every pixel the record at `place` changed is painted over
  // opaquely by a later record that shows as it did.
  bool ChangeHidden(size_t place, ShownList now) const;

  bool kept_ = false;
  std::vector<DrawRecord> list_;
  std::vector<ShownRecord> shown_;
  std::vector<ShownInput> inputs_;
  ShownSettings settings_;
  // Held, not just their addresses: a picture freed while kept could leave
  // its address to the next one loaded, which would then pass for it.
  std::vector<GameImage> images_;
};
