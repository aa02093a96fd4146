// gxtkGraphics: the OpenGL batch renderer.
#pragma once

class gxtkGraphics {
public:
  gxtkGraphics();
  // 1 when the device can draw this frame.
  int BeginRender();
  void EndRender();
  void DiscardGraphics();
};
