// The graphics module: the drawing interface the game uses.
#pragma once

class gxtkGraphics;
class c_Image;

extern gxtkGraphics *vex_graphics_device;

void vex_graphics_SetGraphicsDevice(gxtkGraphics *device);
void vex_graphics_SetFont(c_Image *font, int firstChar);
void vex_graphics_BeginRender();
void vex_graphics_EndRender();
