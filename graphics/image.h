// c_Image: a surface cut into equal frames, with a handle point and flags.
#pragma once

#include <memory>

#include "graphics/surface.h"
#include "runtime/array.h"
#include "runtime/object.h"

// The top-left corner of one frame on its image's surface.
struct c_Frame {
  int m_x = 0, m_y = 0;
};

class c_Image : public Object {
public:
  // The handle goes to the middle of the frame (after padding); the bit is not kept.
  static constexpr int MidHandle = 1;
  // One pixel of border left and right of every frame.
  static constexpr int XPadding = 2;
  // One pixel of border above and below every frame.
  static constexpr int YPadding = 4;
  // Set by the image itself: one frame covering the whole surface, drawn with
  // the device's whole-surface operation.
  static constexpr int FullFrame = 65536;

  // Flags used by the loaders when none are given.
  static int m_DefaultFlags;

  // frameCount frames side by side in one row across the whole surface.
  c_Image *p_Init(std::shared_ptr<gxtkSurface> surface, int frameCount, int flags);
  // frameCount frames of frameWidth x frameHeight, walked left to right and
  // row by row inside the source rectangle (srcx, srcy, srcw, srch), starting
  // at (x, y) relative to it. A frame that does not fit is the runtime error
  // "Image frame outside surface".
  c_Image *p_Init2(std::shared_ptr<gxtkSurface> surface, int x, int y, int frameWidth, int frameHeight, int frameCount,
                   int flags, std::shared_ptr<c_Image> source, int srcx, int srcy, int srcw, int srch);
  // Whether p_Init2's walk of those frames stays inside a srcw x srch source,
  // so a caller can turn away a picture instead of raising the error.
  static bool FramesFit(int x, int y, int frameWidth, int frameHeight, int frameCount, int srcw, int srch);
  void p_ApplyFlags(int flags);
  void p_SetHandle(float tx, float ty);

  int p_Width() const { return m_width; }
  int p_Height() const { return m_height; }
  int p_Frames() const { return m_frames.Length(); }
  int p_Flags() const { return m_flags; }
  float p_HandleX() const { return m_tx; }
  float p_HandleY() const { return m_ty; }

  std::shared_ptr<gxtkSurface> m_surface;
  int m_width = 0, m_height = 0;
  Array<c_Frame> m_frames;
  int m_flags = 0;
  float m_tx = 0, m_ty = 0;
  std::shared_ptr<c_Image> m_source;

private:
  void RequireUninitialized() const;
};
