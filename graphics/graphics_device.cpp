// gxtkGraphics: the batch, its flush, the frame bracket and the primitives.
#include "graphics/graphics_device.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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

gxtkGraphics::gxtkGraphics(gxtkWindowSource window) : window_(std::move(window)) {
  for (int q = 0; q < kMaxQuads; ++q) {
    uint16_t base = static_cast<uint16_t>(q * 4);
    uint16_t *idx = quadIndices + q * 6;
    idx[0] = base;
    idx[1] = static_cast<uint16_t>(base + 1);
    idx[2] = static_cast<uint16_t>(base + 2);
    idx[3] = base;
    idx[4] = static_cast<uint16_t>(base + 2);
    idx[5] = static_cast<uint16_t>(base + 3);
  }
  ReadWindowSize();
}

void gxtkGraphics::ReadWindowSize() {
  GLFWwindow *window = Window();
  width = height = fbWidth = fbHeight = 0;
  if (!window) return;
  glfwGetWindowSize(window, &width, &height);
  glfwGetFramebufferSize(window, &fbWidth, &fbHeight);
}

int gxtkGraphics::BeginRender() {
  ReadWindowSize();
  primCount = 0;
  stats = gxtkFrameStats();
  GLFWwindow *window = Window();
  if (!window) return 0;
  // The framebuffer can be larger than the window on dense screens; drawing
  // stays in window units.
  glViewport(0, 0, fbWidth, fbHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, sizeof(gxtkVertex), &vertices[0].x);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, sizeof(gxtkVertex), &vertices[0].u);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(gxtkVertex), &vertices[0].color);

  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_TEXTURE_2D);
  return 1;
}

void gxtkGraphics::EndRender() { Flush(); }

void gxtkGraphics::Flush() {
  if (primCount == 0) return;
  stats.vertices += primCount;
  if (primSurf) {
    glEnable(GL_TEXTURE_2D);
    primSurf->Bind();
    ++stats.textureBinds;
  }
  switch (primKind) {
  case gxtkPrimitive::kPoints:
    glDrawArrays(GL_POINTS, 0, primCount);
    ++stats.drawCalls;
    break;
  case gxtkPrimitive::kLines:
    glDrawArrays(GL_LINES, 0, primCount);
    ++stats.drawCalls;
    break;
  case gxtkPrimitive::kTriangles:
    glDrawArrays(GL_TRIANGLES, 0, primCount);
    ++stats.drawCalls;
    break;
  case gxtkPrimitive::kQuads:
    glDrawElements(GL_TRIANGLES, primCount / 4 * 6, GL_UNSIGNED_SHORT, quadIndices);
    ++stats.drawCalls;
    break;
  case gxtkPrimitive::kPolygons:
    for (int first = 0; first < primCount; first += primPolygon) {
      glDrawArrays(GL_TRIANGLE_FAN, first, primPolygon);
      ++stats.drawCalls;
    }
    break;
  case gxtkPrimitive::kNone:
    break;
  }
  if (primSurf) glDisable(GL_TEXTURE_2D);
  primCount = 0;
}

std::shared_ptr<gxtkSurface> gxtkGraphics::LoadSurface(const String &path) {
  auto surface = std::make_shared<gxtkSurface>();
  if (!LoadSurface__UNSAFE__(*surface, path)) return nullptr;
  surface->Bind();
  return surface;
}

void gxtkGraphics::Cls(float red, float green, float blue) {
  primCount = 0;
  glClearColor(red / 255.0f, green / 255.0f, blue / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

namespace {
// value cut to [0, top], NaN to 0.
float Clamped(float value, float top) { return value > 0.0f ? std::min(value, top) : 0.0f; }
uint32_t Byte(float value) { return static_cast<uint32_t>(Clamped(value, 255.0f)); }
} // namespace

uint32_t PackColor(float r, float g, float b, float alpha) {
  const float a = Clamped(alpha, 1.0f);
  return Byte(a * 255.0f) << 24 | Byte(Clamped(b, 255.0f) * a) << 16 | Byte(Clamped(g, 255.0f) * a) << 8 |
         Byte(Clamped(r, 255.0f) * a);
}

gxtkPixelRect FramebufferRect(int x, int y, int w, int h, int windowWidth, int windowHeight, int fbWidth,
                              int fbHeight) {
  const double sx = windowWidth > 0 ? static_cast<double>(fbWidth) / windowWidth : 1.0;
  const double sy = windowHeight > 0 ? static_cast<double>(fbHeight) / windowHeight : 1.0;
  const double bottom = static_cast<double>(windowHeight) - y - std::max(h, 0);
  auto pixels = [](double units, double scale) { return static_cast<int>(std::lround(units * scale)); };
  return {pixels(x, sx), pixels(bottom, sy), pixels(std::max(w, 0), sx), pixels(std::max(h, 0), sy)};
}

void gxtkGraphics::UpdateColor() { color = PackColor(r, g, b, alpha); }

void gxtkGraphics::SetAlpha(float a) {
  alpha = a;
  UpdateColor();
}

void gxtkGraphics::SetColor(float red, float green, float blue) {
  r = red;
  g = green;
  b = blue;
  UpdateColor();
}

void gxtkGraphics::SetBlend(int blend) {
  Flush();
  if (blend == 1)
    glBlendFunc(GL_ONE, GL_ONE);
  else
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
}

void gxtkGraphics::SetFrameClip(int x, int y, int w, int h) {
  clipped = true;
  clipX = x;
  clipY = y;
  clipWidth = std::max(w, 0);
  clipHeight = std::max(h, 0);
}

void gxtkGraphics::SetScissor(int x, int y, int w, int h) {
  Flush();
  if (clipped) {
    // Wide sums: a caller's rectangle may reach to the end of the int range.
    long long x1 = std::min(static_cast<long long>(x) + w, static_cast<long long>(clipX) + clipWidth);
    long long y1 = std::min(static_cast<long long>(y) + h, static_cast<long long>(clipY) + clipHeight);
    x = std::max(x, clipX);
    y = std::max(y, clipY);
    w = static_cast<int>(std::max(x1 - x, 0LL));
    h = static_cast<int>(std::max(y1 - y, 0LL));
  } else if (x == 0 && y == 0 && w == Width() && h == Height()) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  // A negative size is an empty rectangle rather than an OpenGL error that
  // would leave the previous rectangle in force.
  gxtkPixelRect rect = FramebufferRect(x, y, w, h, width, height, fbWidth, fbHeight);
  glScissor(rect.x, rect.y, rect.width, rect.height);
}

void gxtkGraphics::SetMatrix(float mix, float miy, float mjx, float mjy, float mtx, float mty) {
  ix = mix;
  iy = miy;
  jx = mjx;
  jy = mjy;
  tx = mtx;
  ty = mty;
  tformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
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
    float angle = static_cast<float>(i) * 6.2831855f / static_cast<float>(n);
    Put(v[i], cx + std::cos(angle) * xr, cy - std::sin(angle) * yr, 0, 0);
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

namespace {
// Whether rows of width ints, pitch apart from offset, fit in length ints.
bool RectFits(int length, int w, int h, int offset, int pitch) {
  if (w <= 0 || h <= 0 || offset < 0 || pitch < w) return false;
  long long last = static_cast<long long>(offset) + static_cast<long long>(h - 1) * pitch + w;
  return last <= length;
}
} // namespace

void gxtkGraphics::ReadPixels(const Array<int> &pixels, int x, int y, int w, int h, int offset, int pitch) {
  Flush();
  if (!RectFits(pixels.Length(), w, h, offset, pitch)) return;
  // On a dense screen the rectangle covers more pixels than window units:
  // each unit takes the pixel at its top-left corner.
  gxtkPixelRect rect = FramebufferRect(x, y, w, h, width, height, fbWidth, fbHeight);
  if (rect.width < 1 || rect.height < 1) return;
  std::vector<uint32_t> rows(static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height));
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(rect.x, rect.y, rect.width, rect.height, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
  // OpenGL's rows run bottom to top; BGRA bytes read as one little-endian
  // word are exactly alpha, red, green, blue from the top byte down.
  for (int row = 0; row < h; ++row) {
    const size_t fromTop = static_cast<size_t>(row) * rect.height / h;
    const uint32_t *src = rows.data() + (rect.height - 1 - fromTop) * static_cast<size_t>(rect.width);
    int *dst = pixels.Data() + offset + row * pitch;
    for (int col = 0; col < w; ++col) dst[col] = static_cast<int>(src[static_cast<size_t>(col) * rect.width / w]);
  }
}

void gxtkGraphics::WritePixels2(const std::shared_ptr<gxtkSurface> &surface, const Array<int> &pixels, int x, int y,
                                int w, int h, int offset, int pitch) {
  if (!surface || !RectFits(pixels.Length(), w, h, offset, pitch)) return;
  surface->SetSubData(x, y, w, h, pixels.Data() + offset, pitch);
}
