// gxtkSurface: loading from picture files, texture creation, re-creation
// after a context change, and the premultiplied pixel copy.
#include "graphics/surface.h"

#include <GL/gl.h>

#include <cstdint>
#include <memory>

int glfwGraphicsSeq = 0;

namespace {
bool forcePowerOfTwo = false;

// Integer premultiplication, truncating like the rest of the device's colour maths.
inline unsigned char Premultiply(unsigned value, unsigned alpha) {
  return static_cast<unsigned char>(value * alpha / 255);
}
} // namespace

unsigned SurfaceFormatOfDepth(int depth) {
  switch (depth) {
  case 1:
    return GL_LUMINANCE;
  case 2:
    return GL_LUMINANCE_ALPHA;
  case 3:
    return GL_RGB;
  default:
    return GL_RGBA;
  }
}

namespace {
// A surface of a size and depth without pixels yet.
std::shared_ptr<gxtkSurface> SizedSurface(int w, int h, int depth) {
  auto surface = std::make_shared<gxtkSurface>();
  surface->width = w;
  surface->height = h;
  surface->depth = depth;
  surface->format = SurfaceFormatOfDepth(depth);
  return surface;
}
} // namespace

std::shared_ptr<gxtkSurface> SurfaceOnDemand(const String &path) {
  int w = 0, h = 0, depth = 0;
  if (!ReadImageInfo(path, &w, &h, &depth)) return nullptr;
  auto surface = SizedSurface(w, h, depth);
  surface->path = path;
  return surface;
}

std::shared_ptr<gxtkSurface> CreateBlankSurface(int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  return SizedSurface(w, h, 4);
}

int NextPowerOfTwo(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

void gxtkSurface::SetForcePowerOfTwo(bool force) { forcePowerOfTwo = force; }

bool gxtkSurface::ReadFile(const String &file) {
  int w = 0, h = 0, d = 0;
  PixelData pixels = LoadImageData(file, &w, &h, &d);
  if (!pixels) return false;
  SetData(std::move(pixels), w, h, d);
  path = file;
  return true;
}

gxtkSurface::~gxtkSurface() { Discard(); }

void gxtkSurface::Discard() {
  // A texture of an older context went with that context; deleting its name
  // now could delete an unrelated texture of the current one.
  if (seq == glfwGraphicsSeq && seq > 0 && texture) glDeleteTextures(1, &texture);
  seq = -1;
  texture = 0;
  data.reset();
  path = String();
  opaque_.clear();
}

void gxtkSurface::SetData(PixelData pixels, int w, int h, int d) {
  data = std::move(pixels);
  width = w;
  height = h;
  depth = d;
  format = SurfaceFormatOfDepth(d);
  size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  opaque_.assign(data ? count : 0, d != 2 && d != 4);
  if (!data || (d != 2 && d != 4)) return;
  unsigned char *p = data.get();
  if (d == 4) {
    for (size_t i = 0; i < count; ++i, p += 4) {
      unsigned a = p[3];
      opaque_[i] = a == 255;
      p[0] = Premultiply(p[0], a);
      p[1] = Premultiply(p[1], a);
      p[2] = Premultiply(p[2], a);
    }
  } else {
    for (size_t i = 0; i < count; ++i, p += 2) {
      p[0] = Premultiply(p[0], p[1]);
      opaque_[i] = p[1] == 255;
    }
  }
}

void gxtkSurface::SetSubData(int x, int y, int w, int h, const int *pixels, int pitch) {
  if (format != GL_RGBA || !pixels) return;
  // From now on the pixels differ from the file's, so the copy stays.
  if (!data && !path.Empty()) ReadFileAgain();
  path = String();
  // Clip to the surface, moving the source start along with the cut.
  if (x < 0) {
    pixels -= x;
    w += x;
    x = 0;
  }
  if (y < 0) {
    pixels -= static_cast<ptrdiff_t>(y) * pitch;
    h += y;
    y = 0;
  }
  if (w > width - x) w = width - x;
  if (h > height - y) h = height - y;
  if (w <= 0 || h <= 0) return;

  size_t rowBytes = static_cast<size_t>(width) * 4;
  if (!data) {
    data.reset(static_cast<unsigned char *>(std::calloc(rowBytes * static_cast<size_t>(height), 1)));
    if (!data) return;
  }
  opaque_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int row = 0; row < h; ++row) {
    const int *src = pixels + static_cast<ptrdiff_t>(row) * pitch;
    unsigned char *dst = data.get() + static_cast<size_t>(y + row) * rowBytes + static_cast<size_t>(x) * 4;
    for (int col = 0; col < w; ++col, dst += 4) {
      uint32_t argb = static_cast<uint32_t>(src[col]);
      unsigned a = argb >> 24;
      dst[0] = Premultiply((argb >> 16) & 0xff, a);
      dst[1] = Premultiply((argb >> 8) & 0xff, a);
      dst[2] = Premultiply(argb & 0xff, a);
      dst[3] = static_cast<unsigned char>(a);
      opaque_[static_cast<size_t>(y + row) * static_cast<size_t>(width) + static_cast<size_t>(x + col)] = a == 255;
    }
  }

  if (seq != glfwGraphicsSeq || !texture) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (w == width) {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, width, h, GL_RGBA, GL_UNSIGNED_BYTE, data.get() + y * rowBytes);
    return;
  }
  for (int row = 0; row < h; ++row) {
    const unsigned char *src = data.get() + static_cast<size_t>(y + row) * rowBytes + static_cast<size_t>(x) * 4;
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y + row, w, 1, GL_RGBA, GL_UNSIGNED_BYTE, src);
  }
}

bool gxtkSurface::OpaqueAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  return i < opaque_.size() && opaque_[i];
}

void gxtkSurface::Bind() {
  if (glfwGraphicsSeq == 0) return;
  if (seq == glfwGraphicsSeq) {
    glBindTexture(GL_TEXTURE_2D, texture);
    return;
  }
  MakeTexture();
}

void gxtkSurface::Ready() {
  if (seq != glfwGraphicsSeq) Bind();
}

void gxtkSurface::MakeTexture() {
  seq = glfwGraphicsSeq;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

  // An error left over from earlier calls must not be taken for a refusal of
  // this size.
  while (glGetError() != GL_NO_ERROR) {
  }
  texWidth = width;
  texHeight = height;
  bool refused = forcePowerOfTwo;
  if (!refused) {
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE,
                 nullptr);
    refused = glGetError() != GL_NO_ERROR;
  }
  if (refused) {
    texWidth = NextPowerOfTwo(width);
    texHeight = NextPowerOfTwo(height);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE,
                 nullptr);
  }
  uscale = texWidth > 0 ? 1.0f / static_cast<float>(texWidth) : 0.0f;
  vscale = texHeight > 0 ? 1.0f / static_cast<float>(texHeight) : 0.0f;

  if (!data && !path.Empty()) ReadFileAgain();
  if (!data) return;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, data.get());
  // The texture holds the picture now; the file can give it again.
  if (!path.Empty()) data.reset();
}

void gxtkSurface::ReadFileAgain() {
  int w = 0, h = 0, d = 0;
  PixelData pixels = LoadImageData(path, &w, &h, &d);
  // A file replaced by one of another shape would not fit the frames cut
  // from the old one; the texture stays blank instead.
  if (pixels && w == width && h == height && d == depth) SetData(std::move(pixels), w, h, d);
}
