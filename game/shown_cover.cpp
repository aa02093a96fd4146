// ShownCover: the pixels and texels a record covers, worked out exactly on
// the rasteriser's grid.
#include "game/shown_cover.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "game/names.h"
#include "graphics/graphics_device.h"
#include "graphics/sprite_geometry.h"
#include "graphics/surface.h"

namespace {

// Coordinates are counted in halves of a sub-pixel step, so that pixel
// middles fall on whole numbers too. Beyond this many pixels out, the
// products below could overflow; such records are not followed.
constexpr double kFarthest = 8192;
// How close a texel's border may come to a middle before float arithmetic
// could pick the texel on its other side.
constexpr double kTexelMargin = 1e-3;

struct GridPoint {
  int64_t x, y;
};

int64_t FloorDiv(int64_t n, int64_t d) { return n / d - ((n % d != 0) && ((n < 0) != (d < 0))); }

class Grid {
public:
  explicit Grid(int subpixelBits) : half_(int64_t{1} << std::clamp(subpixelBits, 0, 16)) {}
  std::optional<GridPoint> Snap(float x, float y) const {
    if (!(std::fabs(x) < kFarthest && std::fabs(y) < kFarthest)) return std::nullopt;
    const double steps = static_cast<double>(half_);
    return GridPoint{2 * std::llround(x * steps), 2 * std::llround(y * steps)};
  }
  // The middle of pixel column (or row) i.
  int64_t Middle(int64_t i) const { return (2 * i + 1) * half_; }
  // The first pixel whose middle lies at or beyond y.
  int64_t AtOrBeyond(int64_t y) const { return -FloorDiv(half_ - y, 2 * half_); }
  // The first pixel whose middle lies beyond p / q (q > 0), and whether a
  // middle lies on it exactly.
  std::pair<int64_t, bool> FirstBeyond(int64_t p, int64_t q) const {
    const int64_t n = p - half_ * q, d = 2 * half_ * q;
    return {FloorDiv(n, d) + 1, n % d == 0};
  }

private:
  int64_t half_;
};

// The runs of a convex polygon, row by row: the middles strictly inside.
// A middle on the outline is left out and marks the cover unsure.
bool PolygonRuns(const Grid &grid, const std::vector<GridPoint> &p, ShownCover &cover) {
  std::vector<CoverRun> &runs = cover.runs;
  const size_t n = p.size();
  int sign = 0;
  for (size_t i = 0; i < n; ++i) {
    const GridPoint &a = p[i], &b = p[(i + 1) % n], &c = p[(i + 2) % n];
    const int64_t cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
    const int s = (cross > 0) - (cross < 0);
    if (s != 0 && sign != 0 && s != sign) return false; // a snapped dent: left to the rasteriser
    if (s != 0) sign = s;
  }
  if (sign == 0) return true; // a line's worth of area covers no middle
  const auto [low, high] = std::minmax_element(p.begin(), p.end(), [](auto &a, auto &b) { return a.y < b.y; });
  const int64_t first = grid.AtOrBeyond(low->y), last = grid.AtOrBeyond(high->y + 1);
  if (last - first > 16384) return false;
  const size_t rows = static_cast<size_t>(std::max<int64_t>(last - first, 0));
  std::vector<int64_t> begin(rows, std::numeric_limits<int64_t>::max()), end(rows, std::numeric_limits<int64_t>::min());
  for (size_t e = 0; e < n; ++e) {
    const GridPoint &a = p[e], &b = p[(e + 1) % n];
    if (a.y == b.y) {
      // Along a row of middles, every middle on the edge is on the outline.
      const auto [x0, x1] = std::minmax(a.x, b.x);
      if (grid.FirstBeyond(a.y, 1).second && grid.Middle(grid.AtOrBeyond(x0)) <= x1) cover.unsure = true;
      continue;
    }
    const auto [y0, y1] = std::minmax(a.y, b.y);
    for (int64_t row = std::max(first, grid.AtOrBeyond(y0)); row < last; ++row) {
      const int64_t y = grid.Middle(row);
      if (y > y1) break;
      int64_t q = b.y - a.y, pp = a.x * q + (y - a.y) * (b.x - a.x);
      if (q < 0) q = -q, pp = -pp;
      const auto [beyond, on] = grid.FirstBeyond(pp, q);
      cover.unsure |= on;
      const size_t r = static_cast<size_t>(row - first);
      begin[r] = std::min(begin[r], beyond), end[r] = std::max(end[r], beyond - on);
    }
  }
  for (size_t r = 0; r < rows; ++r)
    if (begin[r] < end[r])
      runs.push_back({static_cast<int32_t>(first + static_cast<int64_t>(r)), static_cast<int32_t>(begin[r]),
                      static_cast<int32_t>(end[r])});
  return true;
}

// An image's frame on the device: its corners as floats and snapped.
struct Quad {
  float x0, y0, x1, y1; // the frame's (0, 0) and (width, height)
  std::vector<GridPoint> corners;
  bool upright = false;
};

std::optional<Quad> ImageQuad(const Grid &grid, const ShownInput &in) {
  const DrawRecord &r = in.record;
  const ImageFrame &f = in.image;
  const gxtkSpriteMatrix m = SpriteMatrix(r.x, r.y, r.rot, r.w, r.h, f.handleX, f.handleY);
  Quad q{m.X(0, 0), m.Y(0, 0), m.X(f.width, f.height), m.Y(f.width, f.height), {}};
  for (auto [u, v] : {std::pair(0.0f, 0.0f), {f.width, 0.0f}, {f.width, f.height}, {0.0f, f.height}}) {
    const auto p = grid.Snap(m.X(u, v), m.Y(u, v));
    if (!p) return std::nullopt;
    q.corners.push_back(*p);
  }
  const auto &c = q.corners;
  q.upright = c[0].x == c[3].x && c[1].x == c[2].x && c[0].y == c[1].y && c[2].y == c[3].y;
  return q;
}

// The texel under the middle of pixel i, along an axis the frame spans from
// a to b over `size` texels; unsure too near a texel's border.
int32_t TexelAt(int64_t i, float a, float b, float size, bool &unsure) {
  const double t = (static_cast<double>(i) + 0.5 - a) / (static_cast<double>(b) - a) * size;
  if (!(std::fabs(t) < kFarthest)) {
    unsure = true;
    return 0;
  }
  unsure |= std::fabs(t - std::round(t)) < kTexelMargin;
  return static_cast<int32_t>(std::floor(t));
}

std::optional<std::vector<GridPoint>> RectCorners(const Grid &grid, const DrawRecord &r) {
  std::vector<GridPoint> corners;
  for (auto [x, y] : {std::pair(r.x, r.y), {r.x + r.w, r.y}, {r.x + r.w, r.y + r.h}, {r.x, r.y + r.h}}) {
    const auto p = grid.Snap(x, y);
    if (!p) return std::nullopt;
    corners.push_back(*p);
  }
  return corners;
}

} // namespace

bool CoverOf(const ShownInput &in, ShownCover &cover) {
  const Grid grid(in.subpixelBits);
  const DrawRecord &r = in.record;
  cover = {};
  if (r.kind == kKindRect) {
    const auto corners = RectCorners(grid, r);
    return corners && PolygonRuns(grid, *corners, cover);
  }
  if (r.kind == kKindOval) {
    const float xr = r.w, yr = r.h;
    const int n = OvalSegments(xr, yr, false, 1, 0, 0, 1);
    std::vector<GridPoint> points;
    for (int i = 0; i < n; ++i) {
      const gxtkOvalPoint o = OvalPoint(r.x - r.w + xr, r.y - r.h + yr, xr, yr, i, n);
      const auto p = grid.Snap(o.x, o.y);
      if (!p) return false;
      points.push_back(*p);
    }
    return PolygonRuns(grid, points, cover);
  }
  if (r.kind == kKindLine) return false;
  const auto quad = ImageQuad(grid, in);
  if (!quad || !quad->upright || !PolygonRuns(grid, quad->corners, cover)) return false;
  if (cover.runs.empty()) return true;
  const CoverRun &run = cover.runs.front();
  cover.firstColumn = run.begin, cover.firstRow = run.row;
  for (int64_t i = run.begin; i < run.end; ++i)
    cover.texelColumns.push_back(TexelAt(i, quad->x0, quad->x1, in.image.width, cover.unsure));
  for (int64_t i = run.row; i <= cover.runs.back().row; ++i)
    cover.texelRows.push_back(TexelAt(i, quad->y0, quad->y1, in.image.height, cover.unsure));
  return true;
}

OpaqueCover::OpaqueCover(const ShownInput &in) : half_(Grid(in.subpixelBits).Middle(0)) {
  const DrawRecord &r = in.record;
  if (PackColor(r.red, r.green, r.blue, r.alpha) >> 24 != 0xff) return;
  const Grid grid(in.subpixelBits);
  std::vector<GridPoint> corners;
  if (r.kind == kKindRect) {
    if (auto c = RectCorners(grid, r)) corners = std::move(*c);
  } else if (r.kind != kKindOval && r.kind != kKindLine && in.image.surface) {
    const auto quad = ImageQuad(grid, in);
    if (!quad || !quad->upright) return;
    corners = quad->corners;
    x0_ = quad->x0, y0_ = quad->y0, x1_ = quad->x1, y1_ = quad->y1;
    image_ = in.image;
  }
  if (corners.empty()) return;
  std::tie(left_, right_) = std::minmax(corners[0].x, corners[2].x);
  std::tie(top_, bottom_) = std::minmax(corners[0].y, corners[2].y);
}

bool OpaqueCover::Hides(int32_t column, int32_t row) const {
  const int64_t x = (2 * int64_t{column} + 1) * half_, y = (2 * int64_t{row} + 1) * half_;
  if (!(left_ < x && x < right_ && top_ < y && y < bottom_)) return false;
  if (!image_.surface) return true;
  bool unsure = false;
  const int32_t u = TexelAt(column, x0_, x1_, image_.width, unsure), v = TexelAt(row, y0_, y1_, image_.height, unsure);
  return !unsure && image_.surface->OpaqueAt(image_.surfaceX + u, image_.surfaceY + v);
}
