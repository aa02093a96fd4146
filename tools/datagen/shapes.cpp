// Polygon and gear distances of the generator's shape set.
#include "tools/datagen/shapes.h"

#include <algorithm>

namespace datagen {

float Polygon(float x, float y, const std::vector<Point> &pts) {
  size_t n = pts.size();
  if (n < 3) return 1e9f;
  float d = (x - pts[0].x) * (x - pts[0].x) + (y - pts[0].y) * (y - pts[0].y);
  float s = 1;
  for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
    float ex = pts[j].x - pts[i].x, ey = pts[j].y - pts[i].y;
    float wx = x - pts[i].x, wy = y - pts[i].y;
    float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.f, 1.f);
    float bx = wx - ex * t, by = wy - ey * t;
    d = std::min(d, bx * bx + by * by);
    bool c1 = y >= pts[i].y, c2 = y<pts[j].y, c3 = ex * wy> ey * wx;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
  }
  return s * std::sqrt(d);
}

std::vector<Point> StarPoints(float cx, float cy, float ro, float ri, int n, float a0) {
  std::vector<Point> pts;
  for (int i = 0; i < n * 2; ++i) {
    float a = (a0 + 180.f * i / n) * kPi / 180.f;
    float r = i % 2 ? ri : ro;
    pts.push_back({cx + std::sin(a) * r, cy - std::cos(a) * r});
  }
  return pts;
}

std::vector<Point> RegularPoints(float cx, float cy, float r, int n, float a0) {
  std::vector<Point> pts;
  for (int i = 0; i < n; ++i) {
    float a = (a0 + 360.f * i / n) * kPi / 180.f;
    pts.push_back({cx + std::sin(a) * r, cy - std::cos(a) * r});
  }
  return pts;
}

float Gear(float x, float y, float cx, float cy, float r, float tooth, int n, float a0) {
  float dx = x - cx, dy = y - cy;
  float dist = Length(dx, dy);
  float a = std::atan2(dx, -dy) - a0 * kPi / 180.f;
  float sector = 2 * kPi / n;
  float local = a - sector * std::round(a / sector);
  // The tooth as a box in the frame of its sector, radially outward. It
  // reaches well into the body so that distances inside the seam stay deep
  // (rims are drawn by offsetting the distance).
  float lx = std::sin(local) * dist, ly = std::cos(local) * dist;
  float sink = std::fmin(3.f, r * 0.5f);
  float toothBox = RoundBox(lx, ly, 0, r + (tooth - sink) * 0.5f, r * std::sin(sector * 0.25f), (tooth + sink) * 0.5f,
                            std::fmin(tooth * 0.3f, 1.5f));
  return Union(dist - r, toothBox);
}

} // namespace datagen
