// The pixels a shape covers, worked out row by row on the rasteriser's grid,
// against the plain test of every pixel middle inside the snapped outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "game/names.h"
#include "game/shown_cover.h"
#include "graphics/graphics_device.h"
#include "graphics/sprite_geometry.h"

namespace {

constexpr int kBits = 8;

float Snapped(float v) { return static_cast<float>(std::llround(v * (1 << kBits))) / (1 << kBits); }

// Middles strictly inside a convex outline, by the sign of every edge.
std::set<std::pair<int, int>> InsideMiddles(const std::vector<gxtkOvalPoint> &outline) {
  std::set<std::pair<int, int>> inside;
  float left = outline[0].x, right = left, top = outline[0].y, bottom = top;
  for (const gxtkOvalPoint &p : outline)
    left = std::min(left, p.x), right = std::max(right, p.x), top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  for (int row = static_cast<int>(top) - 1; row <= bottom; ++row)
    for (int column = static_cast<int>(left) - 1; column <= right; ++column) {
      const double x = column + 0.5, y = row + 0.5;
      int positive = 0, negative = 0, edges = 0;
      for (size_t i = 0; i < outline.size(); ++i) {
        const gxtkOvalPoint &a = outline[i], &b = outline[(i + 1) % outline.size()];
        if (a.x == b.x && a.y == b.y) continue; // two vertices snapped together
        const double cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        positive += cross > 0, negative += cross < 0, ++edges;
      }
      if ((positive == 0 || negative == 0) && positive + negative == edges) inside.insert({column, row});
    }
  return inside;
}

TEST(ShownCover, HoldsTheMiddlesInsideTheSnappedOutline) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> at(70, 130), size(0.3f, 60);
  int told = 0;
  for (int shape = 0; shape < 100; ++shape) {
    const bool oval = shape % 2;
    const float x = at(random), y = at(random), w = size(random), h = size(random);
    const DrawRecord r{oval ? kKindOval : kKindRect, x, y, 0, w, h, 0, 1, 0, 0, 255, 255, 255, 1, 0};
    std::vector<gxtkOvalPoint> outline;
    if (oval) {
      const int n = OvalSegments(r.w, r.h, false, 1, 0, 0, 1);
      for (int i = 0; i < n; ++i) outline.push_back(OvalPoint(r.x - r.w + r.w, r.y - r.h + r.h, r.w, r.h, i, n));
    } else {
      outline = {{r.x, r.y}, {r.x + r.w, r.y}, {r.x + r.w, r.y + r.h}, {r.x, r.y + r.h}};
    }
    for (gxtkOvalPoint &p : outline) p = {Snapped(p.x), Snapped(p.y)};
    ShownCover cover;
    if (!CoverOf({{}, r, kBits}, cover) || cover.unsure) continue;
    ++told;
    std::set<std::pair<int, int>> covered;
    for (const CoverRun &run : cover.runs)
      for (int column = run.begin; column < run.end; ++column) covered.insert({column, run.row});
    EXPECT_EQ(covered, InsideMiddles(outline)) << (oval ? "oval " : "rectangle ") << shape;
  }
  EXPECT_GT(told, 75) << "most shapes have no middle on their outline";
}

} // namespace
