// The vertex positions the device makes for a sprite and an oval, in one
// place for the device that draws them and for the game, which compares them
// to tell whether a frame would show anything new.
#pragma once

#include <cmath>

#include "runtime/angle.h"

// Translate(x, y), Rotate, Scale, Translate(-handle), composed: a point
// (u, v) of the frame lands at (u * ix + v * jx + tx, u * iy + v * jy + ty).
struct gxtkSpriteMatrix {
  float ix, iy, jx, jy, tx, ty;
  float X(float u, float v) const { return u * ix + v * jx + tx; }
  float Y(float u, float v) const { return u * iy + v * jy + ty; }
};

inline gxtkSpriteMatrix SpriteMatrix(float x, float y, float rotation, float scaleX, float scaleY, float handleX,
                                     float handleY) {
  const float a = rotation * kDegToRad;
  const float cs = std::cos(a), sn = std::sin(a);
  const float ix = cs * scaleX, iy = -sn * scaleX, jx = sn * scaleY, jy = cs * scaleY;
  return {ix, iy, jx, jy, x - handleX * ix - handleY * jx, y - handleX * iy - handleY * jy};
}

// Vertex i of the n about an oval's middle.
struct gxtkOvalPoint {
  float x, y;
};
inline gxtkOvalPoint OvalPoint(float cx, float cy, float xr, float yr, int i, int n) {
  const float angle = static_cast<float>(i) * 6.2831855f / static_cast<float>(n);
  return {cx + std::cos(angle) * xr, cy - std::sin(angle) * yr};
}
