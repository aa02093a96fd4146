// GlxAreaPresent: shows one rectangle of the back buffer in the window.
//
// A swap leaves the back buffer undefined, so a frame that changed only in a
// small area would still have to be drawn whole. Where GLX offers
// GLX_MESA_copy_sub_buffer (Mesa's drivers, its software renderer among
// them), the area is copied instead: the back buffer keeps the whole frame,
// and the next frame need be drawn only where it changes.
#pragma once

class GlxAreaPresent {
public:
  // Looks the extension up for the context current now (after a new window).
  void Attach();
  bool Available() const { return copy_ != nullptr; }
  // Copies a rectangle in framebuffer pixels, origin bottom left.
  void Copy(int x, int y, int width, int height) const;

private:
  // glXCopySubBufferMESA, kept untyped so this header needs no X headers.
  void (*copy_)() = nullptr;
};
