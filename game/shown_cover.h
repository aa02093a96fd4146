// ShownCover: the pixels a record covers, as the rasteriser decides them.
//
// The rasteriser snaps each vertex to its sub-pixel grid and fills the pixels
// whose middles lie inside the snapped outline; an image gives each of those
// pixels the texel under its middle (nearest sampling). A record that covers
// the same middles with the same texels shows alike wherever its vertices
// went: as the map's camera settles, its cells and the cursor's disc move by
// hundredths of a pixel for half a second and no pixel changes.
//
// Where the rasteriser's own rules decide (a middle exactly on an edge) or
// its float arithmetic may (a middle within a thousandth of a texel of a
// texel's border), the cover is unsure: the caller compares the snapped
// vertices too, which cover the same pixels whatever the rules.
//
// Index: ShownInput (a record in device units), CoverRun, ShownCover,
// CoverOf, OpaqueCover.
#pragma once

#include <cstdint>
#include <vector>

#include "game/render.h"

class gxtkSurface;

// An image record's frame: its size and handle in texture pixels, and where
// its texels lie in the surface (for what it hides, no surface when unknown).
struct ImageFrame {
  float width = 0, height = 0, handleX = 0, handleY = 0;
  const gxtkSurface *surface = nullptr;
  int32_t surfaceX = 0, surfaceY = 0;
};

// A record as the device takes it: in device units (position, size or line
// end), with an image's scales including its image scale.
struct ShownInput {
  ImageFrame image;
  DrawRecord record;
  int subpixelBits;
};

// The pixels of one row, begin to end (exclusive), by their middles.
struct CoverRun {
  int32_t row, begin, end;
  friend bool operator==(const CoverRun &, const CoverRun &) = default;
};

struct ShownCover {
  std::vector<CoverRun> runs;
  // A middle on an edge (left out of the runs) or near a texel's border.
  bool unsure = false;
  // An upright image: the texel column under each pixel column from
  // firstColumn on, and the texel row under each pixel row from firstRow on.
  int32_t firstColumn = 0, firstRow = 0;
  std::vector<int32_t> texelColumns, texelRows;
};

// The cover of a rectangle, an oval or an upright image; false for a line, a
// turned image, a record too far out and a shape its snapped vertices bent
// out of convex.
bool CoverOf(const ShownInput &in, ShownCover &cover);

// The pixels a record paints over opaquely, so that nothing drawn before it
// shows there: an opaque rectangle, or an opaque upright image's opaque
// texels. Built once, asked pixel by pixel.
class OpaqueCover {
public:
  explicit OpaqueCover(const ShownInput &in);
  bool Hides(int32_t column, int32_t row) const;

private:
  int64_t half_;
  // In halves of a sub-pixel step; an empty box hides nothing.
  int64_t left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
  // An image's frame from (x0, y0) to (x1, y1) in device units.
  ImageFrame image_;
  float x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
};
