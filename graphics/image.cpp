// c_Image: cutting frames and applying flags.
#include "graphics/image.h"

#include "runtime/error.h"

int c_Image::m_DefaultFlags = 0;

void c_Image::RequireUninitialized() const {
  if (m_surface) vexError("Image already initialized");
}

c_Image *c_Image::p_Init(std::shared_ptr<gxtkSurface> surface, int frameCount, int flags) {
  RequireUninitialized();
  // A count below one would divide by zero; one frame is the useful reading.
  if (frameCount < 1) frameCount = 1;
  m_surface = std::move(surface);
  m_width = m_surface->Width() / frameCount;
  m_height = m_surface->Height();
  m_frames = Array<c_Frame>(frameCount);
  for (int i = 0; i < frameCount; ++i) m_frames[i] = {i * m_width, 0};
  p_ApplyFlags(flags);
  return this;
}

c_Image *c_Image::p_Init2(std::shared_ptr<gxtkSurface> surface, int x, int y, int frameWidth, int frameHeight,
                          int frameCount, int flags, std::shared_ptr<c_Image> source, int srcx, int srcy, int srcw,
                          int srch) {
  RequireUninitialized();
  m_surface = std::move(surface);
  m_source = std::move(source);
  m_width = frameWidth;
  m_height = frameHeight;
  m_frames = Array<c_Frame>(frameCount > 0 ? frameCount : 0);
  if (!FramesFit(x, y, frameWidth, frameHeight, m_frames.Length(), srcw, srch)) vexError("Image frame outside surface");
  for (int i = 0; i < m_frames.Length(); ++i) {
    if (x + frameWidth > srcw) {
      x = 0;
      y += frameHeight;
    }
    m_frames[i] = {x + srcx, y + srcy};
    x += frameWidth;
  }
  p_ApplyFlags(flags);
  return this;
}

bool c_Image::FramesFit(int x, int y, int frameWidth, int frameHeight, int frameCount, int srcw, int srch) {
  for (int i = 0; i < frameCount; ++i) {
    if (x + frameWidth > srcw) {
      x = 0;
      y += frameHeight;
      if (frameWidth > srcw) return false;
    }
    if (y + frameHeight > srch) return false;
    x += frameWidth;
  }
  return true;
}

void c_Image::p_ApplyFlags(int flags) {
  m_flags = flags;
  if (m_flags & XPadding) {
    for (c_Frame &f : m_frames) f.m_x += 1;
    m_width -= 2;
  }
  if (m_flags & YPadding) {
    for (c_Frame &f : m_frames) f.m_y += 1;
    m_height -= 2;
  }
  if (m_flags & MidHandle) {
    p_SetHandle(static_cast<float>(m_width) * 0.5f, static_cast<float>(m_height) * 0.5f);
  }
  if (m_frames.Length() == 1 && m_frames[0].m_x == 0 && m_frames[0].m_y == 0 && m_surface &&
      m_width == m_surface->Width() && m_height == m_surface->Height()) {
    m_flags |= FullFrame;
  }
}

void c_Image::p_SetHandle(float tx, float ty) {
  m_tx = tx;
  m_ty = ty;
  m_flags &= ~MidHandle;
}
