// gxtkSurface: an OpenGL texture and what it takes to make it again.
//
// A texture is valid only while its seq equals glfwGraphicsSeq; after the
// window (and with it the OpenGL context) has been re-opened, Bind makes a
// stale one again. A picture read from a file keeps no copy of its pixels once
// its texture is made: it is read from the file again. Only pixels written
// into a surface are kept in memory. Pixels are premultiplied by their alpha,
// like everything the device draws.
#pragma once

#include <memory>
#include <vector>

#include "graphics/image_data.h"
#include "runtime/object.h"

// Counts the windows (and OpenGL contexts) opened so far; the host counts one
// up for each window it opens. Textures made under an older number belong to a
// context that is gone.
extern int glfwGraphicsSeq;

class gxtkSurface : public Object {
public:
  gxtkSurface() = default;
  ~gxtkSurface() override;
  gxtkSurface(const gxtkSurface &) = delete;
  gxtkSurface &operator=(const gxtkSurface &) = delete;

  // Deletes a texture of the current context and frees the pixel copy.
  virtual void Discard();
  virtual int Width() { return width; }
  virtual int Height() { return height; }
  virtual bool Loaded() { return true; }
  // Finishes a load made off the main thread: the texture can only be made here.
  virtual void OnUnsafeLoadComplete() { Bind(); }

  // Decodes a picture file into the surface (SetData) without any OpenGL
  // call, so a worker thread may read it; false when it does not decode.
  bool ReadFile(const String &file);
  // Takes the pixels (rows of width x depth bytes) and premultiplies them.
  void SetData(PixelData pixels, int width, int height, int depth);
  // Writes ints (alpha in the top byte, then red, green, blue) into an RGBA
  // surface, premultiplied, and updates a live texture. pitch is the distance
  // between source rows in ints. The rectangle is clipped to the surface.
  void SetSubData(int x, int y, int width, int height, const int *pixels, int pitch);
  // Makes the texture if it is missing or stale, otherwise binds it. Needs a
  // current OpenGL context; does nothing before the first window.
  void Bind();
  // Makes a missing or stale texture before drawing from the surface: its
  // size decides the texture coordinates.
  void Ready();

  // Whether the pixel at (x, y) is fully opaque: what is drawn beneath it
  // with it on top cannot show. Known from the pixels given (kept when the
  // texture frees them); false outside the surface and before any pixels.
  bool OpaqueAt(int x, int y) const;

  int TextureWidth() const { return texWidth; }
  int TextureHeight() const { return texHeight; }

  // Makes every new texture take power-of-two sizes, as on a driver that
  // refuses other sizes (for tests of that path).
  static void SetForcePowerOfTwo(bool force);

  PixelData data;
  // The picture file the pixels came from, until pixels are written into them.
  String path;
  int width = 0, height = 0;
  int depth = 0;
  unsigned format = 0;
  int seq = -1;
  unsigned texture = 0;
  float uscale = 0, vscale = 0;

private:
  void MakeTexture();
  void ReadFileAgain();
  int texWidth = 0, texHeight = 0;
  std::vector<bool> opaque_;
};

// A surface that reads its picture file when it is first drawn: one that is
// never drawn costs neither pixels nor a texture. Only the header is read
// now; null when the file is no picture.
std::shared_ptr<gxtkSurface> SurfaceOnDemand(const String &path);
// A blank RGBA surface, null for an empty size. Its texture is made when it is
// first drawn: a blank surface that is never drawn costs no texture memory.
std::shared_ptr<gxtkSurface> CreateBlankSurface(int width, int height);

// The OpenGL pixel format of a depth of 1 to 4 bytes per pixel.
unsigned SurfaceFormatOfDepth(int depth);

// The smallest power of two at or above n (1 for sizes below 2).
int NextPowerOfTwo(int n);
