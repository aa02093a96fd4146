// CoverBoxes: tiles marked under the boxes, gathered into row runs and
// stacked; coarser tiles until the rectangles are few enough.
#include "game/area_cover.h"

#include <algorithm>

namespace {

// Columns [first, last] of tiles, from row `top` down for `rows` rows.
struct Run {
  int first, last, top, rows;
};

std::vector<VexRect> Gather(std::span<const AreaBox> boxes, int width, int height, int tile) {
  const int cols = (width + tile - 1) / tile, rows = (height + tile - 1) / tile;
  std::vector<char> marked(static_cast<size_t>(cols) * static_cast<size_t>(rows));
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  for (const AreaBox &b : boxes) {
    if (b.Empty() || !b.Finite() || b.x1 < 0 || b.y1 < 0 || b.x0 > w || b.y0 > h) continue;
    auto cell = [tile](float v, float limit, int count) {
      return std::min(static_cast<int>(std::clamp(v, 0.0f, limit)) / tile, count - 1);
    };
    const int c0 = cell(b.x0, w, cols), c1 = cell(b.x1, w, cols);
    const int r0 = cell(b.y0, h, rows), r1 = cell(b.y1, h, rows);
    for (int r = r0; r <= r1; ++r) std::fill_n(marked.begin() + r * cols + c0, c1 - c0 + 1, 1);
  }
  // Runs still open below the row before, and those closed.
  std::vector<Run> open, done, next;
  for (int r = 0; r < rows; ++r) {
    next.clear();
    for (int c = 0; c < cols; ++c) {
      if (!marked[static_cast<size_t>(r * cols + c)]) continue;
      int last = c;
      while (last + 1 < cols && marked[static_cast<size_t>(r * cols + last + 1)]) ++last;
      auto above = std::find_if(open.begin(), open.end(), [&](const Run &o) { return o.first == c && o.last == last; });
      if (above != open.end()) {
        next.push_back({c, last, above->top, above->rows + 1});
        open.erase(above);
      } else {
        next.push_back({c, last, r, 1});
      }
      c = last;
    }
    done.insert(done.end(), open.begin(), open.end());
    open.swap(next);
  }
  done.insert(done.end(), open.begin(), open.end());
  std::vector<VexRect> areas;
  for (const Run &run : done) {
    const int x = run.first * tile, y = run.top * tile;
    areas.push_back(
        {x, y, std::min((run.last + 1) * tile, width) - x, std::min((run.top + run.rows) * tile, height) - y});
  }
  return areas;
}

} // namespace

void AreaBox::Cover(float left, float top, float right, float bottom) {
  if (std::isnan(left + top + right + bottom)) {
    left = top = -INFINITY;
    right = bottom = INFINITY;
  }
  x0 = std::min(x0, left);
  y0 = std::min(y0, top);
  x1 = std::max(x1, right);
  y1 = std::max(y1, bottom);
}

std::vector<VexRect> CoverBoxes(std::span<const AreaBox> boxes, int width, int height, int tile, size_t maxAreas) {
  if (width <= 0 || height <= 0) return {};
  tile = std::max(tile, 1);
  for (;; tile *= 2) {
    std::vector<VexRect> areas = Gather(boxes, width, height, tile);
    // One tile the size of the window is one rectangle at most.
    if (areas.size() <= std::max<size_t>(maxAreas, 1) || (tile >= width && tile >= height)) return areas;
  }
}
