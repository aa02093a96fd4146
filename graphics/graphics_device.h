// gxtkGraphics: the OpenGL batch renderer under the drawing interface.
//
// Every draw appends vertices to one fixed client-side array of 1024 vertices;
// a draw call is made only when the primitive type or the texture changes, on a
// blend or scissor change, when the array is full, and at the end of the frame.
// Vertices are transformed on the processor, so matrix changes cost no draw
// call and OpenGL's own matrices stay identity. Colours are premultiplied by
// alpha; the normal blend is (ONE, ONE_MINUS_SRC_ALPHA).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "graphics/surface.h"
#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/string.h"

// One batched vertex: the three OpenGL arrays point into it with a stride of 20.
struct gxtkVertex {
  float x, y, u, v;
  uint32_t color; // bytes red, green, blue, alpha in memory
};
static_assert(sizeof(gxtkVertex) == 20, "vertex layout is shared with OpenGL");

// What one frame sent to OpenGL; reset by BeginRender.
struct gxtkFrameStats {
  int drawCalls = 0;
  int textureBinds = 0;
  int vertices = 0;
};

// How the vertices of the pending batch make primitives: one point or line
// per one or two vertices, triangles, quads (drawn as two triangles each), or
// polygons of primPolygon vertices each (ovals, and polygons of five or more).
enum class gxtkPrimitive { kNone, kPoints, kLines, kTriangles, kQuads, kPolygons };

// The primitive of one polygon of n vertices: points, a line, a triangle or a
// quad for one to four, else a polygon.
gxtkPrimitive PrimitiveOfPolygon(int n);

struct GLFWwindow;

// The window the device draws into, asked afresh every frame: the host opens
// another one to switch to or from full screen. Null while there is none.
using gxtkWindowSource = std::function<GLFWwindow *()>;

class gxtkGraphics : public Object {
public:
  static constexpr int kMaxVertices = 1024;
  static constexpr int kMaxQuads = kMaxVertices / 4;

  explicit gxtkGraphics(gxtkWindowSource window);

  virtual int Width() { return width; }
  virtual int Height() { return height; }
  // 1 when the frame can be drawn; 0 when there is no window to draw into.
  virtual int BeginRender();
  virtual void EndRender();
  virtual void DiscardGraphics() {}
  // A surface read from a picture file (LoadSurface__UNSAFE__) with its
  // texture made; null when the file does not decode.
  virtual std::shared_ptr<gxtkSurface> LoadSurface(const String &path);
  virtual std::shared_ptr<gxtkSurface> CreateSurface(int width, int height) {
    return CreateBlankSurface(width, height);
  }
  // Decodes into the surface without any OpenGL call (safe off the main
  // thread); the surface's OnUnsafeLoadComplete makes the texture later.
  virtual bool LoadSurface__UNSAFE__(gxtkSurface &surface, const String &path) { return surface.ReadFile(path); }
  std::shared_ptr<gxtkSurface> LoadSurfaceOnDemand(const String &path) { return SurfaceOnDemand(path); }
  virtual void Cls(float r, float g, float b);
  virtual void SetAlpha(float alpha);
  virtual void SetColor(float r, float g, float b);
  virtual void SetBlend(int blend);
  virtual void SetScissor(int x, int y, int width, int height);
  // Confines every scissor rectangle (the whole window included) to this one
  // until cleared, so a frame can be drawn again in part of the window.
  void SetFrameClip(int x, int y, int width, int height);
  void ClearFrameClip() { clipped = false; }
  virtual void SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
  virtual void DrawPoint(float x, float y);
  virtual void DrawRect(float x, float y, float width, float height);
  virtual void DrawLine(float x1, float y1, float x2, float y2);
  virtual void DrawOval(float x, float y, float width, float height);
  virtual void DrawPoly(const Array<float> &verts);
  virtual void DrawPoly2(const Array<float> &verts, const std::shared_ptr<gxtkSurface> &surface, int srcx, int srcy);
  virtual void DrawSurface(const std::shared_ptr<gxtkSurface> &surface, float x, float y);
  virtual void DrawSurface2(const std::shared_ptr<gxtkSurface> &surface, float x, float y, int srcx, int srcy, int srcw,
                            int srch);
  // Reads window pixels as ints (alpha, red, green, blue from the top byte
  // down), top row first, into pixels[offset + row * pitch + column]. A
  // rectangle that does not fit the array is not read.
  virtual void ReadPixels(const Array<int> &pixels, int x, int y, int width, int height, int offset, int pitch);
  virtual void WritePixels2(const std::shared_ptr<gxtkSurface> &surface, const Array<int> &pixels, int x, int y,
                            int width, int height, int offset, int pitch);

  const gxtkFrameStats &Stats() const { return stats; }
  uint32_t PackedColor() const { return color; }

  int width = 0, height = 0;
  // The framebuffer's size in pixels: larger than the window on dense screens.
  int fbWidth = 0, fbHeight = 0;
  uint32_t color = 0xffffffffu;
  float r = 255, g = 255, b = 255;
  float alpha = 1;
  float ix = 1, iy = 0, jx = 0, jy = 1, tx = 0, ty = 0;
  bool tformed = false;
  gxtkVertex vertices[kMaxVertices];
  uint16_t quadIndices[kMaxQuads * 6];
  bool clipped = false;
  int clipX = 0, clipY = 0, clipWidth = 0, clipHeight = 0;
  gxtkPrimitive primKind = gxtkPrimitive::kNone;
  int primPolygon = 0;
  int primCount = 0;
  std::shared_ptr<gxtkSurface> primSurf;

private:
  // Room for n vertices of a kind of primitive (a polygon's n vertices are
  // one polygon) with surface surf, flushing first when the pending batch
  // cannot take them; the caller fills them in.
  gxtkVertex *Reserve(gxtkPrimitive kind, const std::shared_ptr<gxtkSurface> &surf, int n) {
    const int polygon = kind == gxtkPrimitive::kPolygons ? n : 0;
    if (primKind != kind || primPolygon != polygon || primSurf.get() != surf.get() || primCount + n > kMaxVertices) {
      Flush();
      primKind = kind;
      primPolygon = polygon;
      if (primSurf.get() != surf.get()) primSurf = surf;
    }
    gxtkVertex *v = vertices + primCount;
    primCount += n;
    return v;
  }
  void Put(gxtkVertex &v, float x, float y, float u, float w) {
    if (tformed) {
      v.x = x * ix + y * jx + tx;
      v.y = x * iy + y * jy + ty;
    } else {
      v.x = x;
      v.y = y;
    }
    v.u = u;
    v.v = w;
    v.color = color;
  }
  void Flush();
  void UpdateColor();
  void ReadWindowSize();
  GLFWwindow *Window() const { return window_ ? window_() : nullptr; }

  gxtkWindowSource window_;
  gxtkFrameStats stats;
};

// Segments of an oval with radii xr, yr under the matrix (ix, iy, jx, jy):
// 12 to 1024, a multiple of 4 in between.
int OvalSegments(float xr, float yr, bool tformed, float ix, float iy, float jx, float jy);

// The vertex colour of channels of 0 to 255 and an alpha of 0 to 1,
// premultiplied, red in the low byte and alpha in the top one. Values outside
// those ranges are clamped (NaN reads as 0): none spills into its neighbour.
uint32_t PackColor(float r, float g, float b, float alpha);

// A rectangle in the framebuffer's pixels, counted from the bottom left as
// OpenGL's scissor and read-back take it.
struct gxtkPixelRect {
  int x, y, width, height;
};
// The pixels of a rectangle of window units counted from the top left; a
// negative size is an empty rectangle.
gxtkPixelRect FramebufferRect(int x, int y, int width, int height, int windowWidth, int windowHeight, int fbWidth,
                              int fbHeight);
// The part of a rectangle of pixels inside a framebuffer of that size. A frame
// bounded at the old size of a window that has just shrunk reaches outside it,
// and a copy of pixels outside the back buffer is an X error that ends the game.
gxtkPixelRect InsideFramebuffer(const gxtkPixelRect &rect, int fbWidth, int fbHeight);
