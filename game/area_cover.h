// The parts of the window a frame changes, as a few rectangles apart.
//
// A changed record is bounded by a box; the boxes of a frame may lie far
// apart (the pendulum's trail sweeps a curve across the screen, the gear
// turns in a corner), and their one bounding box can hold most of the window
// while they cover a tenth of it. Under a software renderer what a frame costs
// is the pixels it draws, so the boxes are covered by tiles and the tiles
// gathered into rectangles: runs along each row of tiles, stacked where rows
// repeat a run. Too many rectangles cost more in draw calls than they save in
// pixels, so the tiles grow until few enough remain.
//
// Index: AreaBox (a bound in window units), CoverBoxes (the rectangles).
#pragma once

#include <cmath>
#include <span>
#include <vector>

#include "host/game_delegate.h"

struct AreaBox {
  float x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;

  // A NaN makes the box endless, which bounds nothing.
  void Cover(float left, float top, float right, float bottom);
  // The box of half-widths rx, ry about (x, y).
  void Add(float x, float y, float rx, float ry) { Cover(x - rx, y - ry, x + rx, y + ry); }
  void Add(const AreaBox &box) { Cover(box.x0, box.y0, box.x1, box.y1); }
  bool Empty() const { return x0 > x1 || y0 > y1; }
  bool Finite() const { return std::isfinite(x0 + y0 + x1 + y1); }
  // Whether the box may touch the rectangle's pixels; an endless box may.
  bool Meets(const VexRect &r) const {
    return !Empty() && x1 >= static_cast<float>(r.x) && x0 <= static_cast<float>(r.x + r.width) &&
           y1 >= static_cast<float>(r.y) && y0 <= static_cast<float>(r.y + r.height);
  }
};

// Rectangles of whole window units inside a width x height window, apart from
// each other and at most maxAreas of them, that hold every finite box's part
// of the window; tiles start at `tile` units a side.
std::vector<VexRect> CoverBoxes(std::span<const AreaBox> boxes, int width, int height, int tile, size_t maxAreas);
