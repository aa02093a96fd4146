// gxtkGraphics' primitives: each draw takes room for its vertices in the
// batch (flushing what cannot share it) and fills them in, transformed.
#include <cmath>

#include "graphics/graphics_device.h"
#include "graphics/sprite_geometry.h"

namespace {
// Truncates a non-negative length, capping huge values and reading NaN as 0.
int CappedLength(float length) {
  if (length < 2048.0f) return static_cast<int>(length);
  return length >= 2048.0f ? 2048 : 0;
}
} // namespace

int OvalSegments(float xr, float yr, bool tformed, float ix, float iy, float jx, float jy) {
  int n;
  if (tformed) {
    float dx = xr * ix, dy = xr * iy, ex = yr * jx, ey = yr * jy;
    n = CappedLength(std::sqrt(dx * dx + dy * dy) + std::sqrt(ex * ex + ey * ey));
  } else {
    n = CappedLength(std::fabs(xr)) + CappedLength(std::fabs(yr));
  }
  if (n < 12) return 12;
  if (n > 1024) return 1024;
  return n & ~3;
}

gxtkPrimitive PrimitiveOfPolygon(int n) {
  switch (n) {
  case 1:
    return gxtkPrimitive::kPoints;
  case 2:
    return gxtkPrimitive::kLines;
  case 3:
    return gxtkPrimitive::kTriangles;
  case 4:
    return gxtkPrimitive::kQuads;
  default:
    return gxtkPrimitive::kPolygons;
  }
}

void gxtkGraphics::DrawPoint(float x, float y) {
  gxtkVertex *v = Reserve(gxtkPrimitive::kPoints, nullptr, 1);
  Put(v[0], x, y, 0, 0);
  v[0].x += 0.5f;
  v[0].y += 0.5f;
}

void gxtkGraphics::DrawLine(float x1, float y1, float x2, float y2) {
  gxtkVertex *v = Reserve(gxtkPrimitive::kLines, nullptr, 2);
  Put(v[0], x1, y1, 0, 0);
  Put(v[1], x2, y2, 0, 0);
  for (int i = 0; i < 2; ++i) {
    v[i].x += 0.5f;
    v[i].y += 0.5f;
  }
}

void gxtkGraphics::DrawRect(float x, float y, float w, float h) {
  gxtkVertex *v = Reserve(gxtkPrimitive::kQuads, nullptr, 4);
  Put(v[0], x, y, 0, 0);
  Put(v[1], x + w, y, 0, 0);
  Put(v[2], x + w, y + h, 0, 0);
  Put(v[3], x, y + h, 0, 0);
}

void gxtkGraphics::DrawOval(float x, float y, float w, float h) {
  float xr = w * 0.5f, yr = h * 0.5f;
  float cx = x + xr, cy = y + yr;
  int n = OvalSegments(xr, yr, tformed, ix, iy, jx, jy);
  gxtkVertex *v = Reserve(gxtkPrimitive::kPolygons, nullptr, n);
  for (int i = 0; i < n; ++i) {
    const gxtkOvalPoint p = OvalPoint(cx, cy, xr, yr, i, n);
    Put(v[i], p.x, p.y, 0, 0);
  }
}

void gxtkGraphics::DrawPoly(const Array<float> &verts) {
  int n = verts.Length() / 2;
  if (n < 1 || n > kMaxVertices) return;
  gxtkVertex *v = Reserve(PrimitiveOfPolygon(n), nullptr, n);
  for (int i = 0; i < n; ++i) Put(v[i], verts[i * 2], verts[i * 2 + 1], 0, 0);
}

void gxtkGraphics::DrawPoly2(const Array<float> &verts, const std::shared_ptr<gxtkSurface> &surface, int srcx,
                             int srcy) {
  int n = verts.Length() / 4;
  if (n < 1 || n > kMaxVertices || !surface) return;
  surface->Ready();
  gxtkVertex *v = Reserve(PrimitiveOfPolygon(n), surface, n);
  float us = surface->uscale, vs = surface->vscale;
  for (int i = 0; i < n; ++i) {
    const float *p = verts.Data() + i * 4;
    Put(v[i], p[0], p[1], (p[2] + static_cast<float>(srcx)) * us, (p[3] + static_cast<float>(srcy)) * vs);
  }
}

void gxtkGraphics::DrawSurface(const std::shared_ptr<gxtkSurface> &surface, float x, float y) {
  if (!surface) return;
  surface->Ready();
  float w = static_cast<float>(surface->width), h = static_cast<float>(surface->height);
  float u1 = w * surface->uscale, v1 = h * surface->vscale;
  gxtkVertex *v = Reserve(gxtkPrimitive::kQuads, surface, 4);
  Put(v[0], x, y, 0, 0);
  Put(v[1], x + w, y, u1, 0);
  Put(v[2], x + w, y + h, u1, v1);
  Put(v[3], x, y + h, 0, v1);
}

void gxtkGraphics::DrawSurface2(const std::shared_ptr<gxtkSurface> &surface, float x, float y, int srcx, int srcy,
                                int srcw, int srch) {
  if (!surface) return;
  surface->Ready();
  float w = static_cast<float>(srcw), h = static_cast<float>(srch);
  float us = surface->uscale, vs = surface->vscale;
  float u0 = static_cast<float>(srcx) * us, u1 = static_cast<float>(srcx + srcw) * us;
  float v0 = static_cast<float>(srcy) * vs, v1 = static_cast<float>(srcy + srch) * vs;
  gxtkVertex *v = Reserve(gxtkPrimitive::kQuads, surface, 4);
  Put(v[0], x, y, u0, v0);
  Put(v[1], x + w, y, u1, v0);
  Put(v[2], x + w, y + h, u1, v1);
  Put(v[3], x, y + h, u0, v1);
}
