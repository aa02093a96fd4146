// The graphics module: the drawing interface the game uses.
#include "graphics/graphics.h"

gxtkGraphics *vex_graphics_device = nullptr;

void vex_graphics_SetGraphicsDevice(gxtkGraphics *device) { vex_graphics_device = device; }
void vex_graphics_SetFont(c_Image *, int) {}
void vex_graphics_BeginRender() {}
void vex_graphics_EndRender() {}
