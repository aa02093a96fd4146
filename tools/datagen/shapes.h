// Signed distances of the shapes the pictures are built from (negative inside,
// in design units), and the ways to combine them.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace datagen {

constexpr float kPi = 3.14159265358979f;

// Plain square roots rather than hypot: coordinates are small, and this runs per pixel.
inline float Length(float x, float y) { return std::sqrt(x * x + y * y); }

inline float Circle(float x, float y, float cx, float cy, float r) { return Length(x - cx, y - cy) - r; }

// Box centred on (cx, cy) with half sizes hw, hh and corner radius r.
inline float RoundBox(float x, float y, float cx, float cy, float hw, float hh, float r) {
  float qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
  float outside = Length(std::fmax(qx, 0.f), std::fmax(qy, 0.f));
  return outside + std::fmin(std::fmax(qx, qy), 0.f) - r;
}

// Stroke of half width hw along the segment a-b, with round ends.
inline float Segment(float x, float y, float ax, float ay, float bx, float by, float hw) {
  float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? std::fmin(std::fmax((px * dx + py * dy) / len2, 0.f), 1.f) : 0.f;
  return Length(px - dx * t, py - dy * t) - hw;
}

inline float Ring(float x, float y, float cx, float cy, float r, float halfWidth) {
  return std::fabs(Circle(x, y, cx, cy, r)) - halfWidth;
}

inline float Union(float a, float b) { return std::fmin(a, b); }
inline float Cut(float a, float b) { return std::fmax(a, -b); }
inline float Intersect(float a, float b) { return std::fmax(a, b); }

struct Point {
  float x, y;
};

// Any simple polygon (points in order).
float Polygon(float x, float y, const std::vector<Point> &pts);

// A star of n points around (cx, cy), outer radius ro, inner radius ri,
// first point at angle a0 degrees (0 = up).
std::vector<Point> StarPoints(float cx, float cy, float ro, float ri, int n, float a0 = 0);
// A regular polygon of n corners, first corner at angle a0 degrees (0 = up).
std::vector<Point> RegularPoints(float cx, float cy, float r, int n, float a0 = 0);

// A gear of n teeth: body radius r, teeth reaching to r + tooth, turned by a0 degrees.
float Gear(float x, float y, float cx, float cy, float r, float tooth, int n, float a0 = 0);

} // namespace datagen
