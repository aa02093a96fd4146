// gxtkGraphics: the batch, its flush, the frame bracket, the drawing state
// (colour, blend, scissor, matrix) and the pixel copies; the primitives are in
// graphics_draw.cpp.
#include "graphics/graphics_device.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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
  // Both edges rounded, not the size: rectangles side by side in window
  // units stay side by side in pixels, with no pixel between them left out.
  const int left = pixels(x, sx), top = pixels(bottom, sy);
  return {left, top, pixels(static_cast<double>(x) + std::max(w, 0), sx) - left,
          pixels(bottom + std::max(h, 0), sy) - top};
}

gxtkPixelRect InsideFramebuffer(const gxtkPixelRect &rect, int fbWidth, int fbHeight) {
  auto span = [](int from, int length, int limit) {
    const long long start = std::clamp<long long>(from, 0, std::max(limit, 0));
    const long long end =
        std::clamp<long long>(static_cast<long long>(from) + std::max(length, 0), start, std::max(limit, 0));
    return std::pair(static_cast<int>(start), static_cast<int>(end - start));
  };
  const auto [x, width] = span(rect.x, rect.width, fbWidth);
  const auto [y, height] = span(rect.y, rect.height, fbHeight);
  return {x, y, width, height};
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
