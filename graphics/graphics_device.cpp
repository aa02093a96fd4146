// gxtkGraphics: the OpenGL batch renderer.
#include "graphics/graphics_device.h"

gxtkGraphics::gxtkGraphics() = default;
int gxtkGraphics::BeginRender() { return 1; }
void gxtkGraphics::EndRender() {}
void gxtkGraphics::DiscardGraphics() {}
