// The graphics module: the drawing interface the game uses.
//
// State lives in one graphics context and is forwarded to the render device,
// which exists only between vex_graphics_BeginRender and vex_graphics_EndRender
// (the framework brackets the application's render with them). The matrix is
// the exception: matrix operations change only the context, and the device
// receives the matrix when something is drawn, so any number of them between
// two draws cost one device call. Colour, alpha and blend live only in the
// device: every frame starts white, opaque and normally blended, so outside a
// frame those calls, like drawing, do nothing.
#pragma once

#include <memory>

#include "graphics/graphics_device.h"
#include "graphics/image.h"
#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/string.h"

class c_GraphicsContext : public Object {
public:
  c_GraphicsContext();

  // Hands the matrix to the render device if it changed since the last time.
  void p_Validate();

  std::shared_ptr<c_Image> m_defaultFont;
  std::shared_ptr<c_Image> m_font;
  int m_firstChar = 0;
  int m_matrixSp = 0;
  float m_ix = 1, m_iy = 0, m_jx = 0, m_jy = 1, m_tx = 0, m_ty = 0;
  bool m_tformed = false;
  bool m_matDirty = false;
  float m_scissor_x = 0, m_scissor_y = 0, m_scissor_width = 0, m_scissor_height = 0;
  Array<float> m_matrixStack;
};

extern gxtkGraphics *vex_graphics_device;
extern gxtkGraphics *vex_graphics_renderDevice;
extern c_GraphicsContext *vex_graphics_context;

void vex_graphics_SetGraphicsDevice(gxtkGraphics *device);
gxtkGraphics *vex_graphics_GetGraphicsDevice();
void vex_graphics_BeginRender();
void vex_graphics_EndRender();

// Images. A missing or undecodable file gives null.
std::shared_ptr<c_Image> vex_graphics_LoadImage(const String &path, int frameCount = 1,
                                                int flags = c_Image::m_DefaultFlags);
std::shared_ptr<c_Image> vex_graphics_LoadImage2(const String &path, int frameWidth, int frameHeight,
                                                 int frameCount = 1, int flags = c_Image::m_DefaultFlags);
std::shared_ptr<c_Image> vex_graphics_CreateImage(int width, int height, int frameCount = 1,
                                                  int flags = c_Image::m_DefaultFlags);

// With null: the default font "lumen_font.png" (96 padded frames, first
// character 32), loaded on first use; it stays null when the file is missing.
void vex_graphics_SetFont(std::shared_ptr<c_Image> font, int firstChar = 32);
std::shared_ptr<c_Image> vex_graphics_GetFont();

void vex_graphics_SetColor(float r, float g, float b);
void vex_graphics_SetAlpha(float alpha);
void vex_graphics_SetBlend(int blend);
void vex_graphics_SetScissor(float x, float y, float width, float height);
void vex_graphics_Cls(float r = 0, float g = 0, float b = 0);
// How many bits below the pixel the rasteriser snaps vertices to (8 before a
// context is current).
int vex_graphics_SubpixelBits();

void vex_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
void vex_graphics_SetMatrix(const Array<float> &m);
Array<float> vex_graphics_GetMatrix();
// Applies the given matrix first, then the current one.
void vex_graphics_Transform(float ix, float iy, float jx, float jy, float tx, float ty);
void vex_graphics_Transform(const Array<float> &m);
void vex_graphics_Translate(float x, float y);
void vex_graphics_Scale(float x, float y);
// Degrees; positive turns counter-clockwise on the screen (y points down).
void vex_graphics_Rotate(float angle);
void vex_graphics_PushMatrix();
// Popping more than was pushed leaves the matrix as it is.
void vex_graphics_PopMatrix();
// Brings the render device's matrix up to date (for drawing on the device directly).
void vex_graphics_ValidateMatrix();

void vex_graphics_DrawPoint(float x, float y);
void vex_graphics_DrawRect(float x, float y, float width, float height);
void vex_graphics_DrawLine(float x1, float y1, float x2, float y2);
void vex_graphics_DrawOval(float x, float y, float width, float height);
// (x, y) is the centre.
void vex_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius);
void vex_graphics_DrawCircle(float x, float y, float radius);
void vex_graphics_DrawPoly(const Array<float> &verts);
// The handle of frame `frame` lands on (x, y). A null image or a frame number
// outside the image draws nothing.
void vex_graphics_DrawImage(c_Image *image, float x, float y, int frame = 0);
// Turned by rotation degrees and scaled about the handle, which lands on (x, y).
void vex_graphics_DrawImage2(c_Image *image, float x, float y, float rotation, float scaleX, float scaleY,
                             int frame = 0);
inline void vex_graphics_DrawImage(const std::shared_ptr<c_Image> &image, float x, float y, int frame = 0) {
  vex_graphics_DrawImage(image.get(), x, y, frame);
}
inline void vex_graphics_DrawImage2(const std::shared_ptr<c_Image> &image, float x, float y, float rotation,
                                    float scaleX, float scaleY, int frame = 0) {
  vex_graphics_DrawImage2(image.get(), x, y, rotation, scaleX, scaleY, frame);
}

// Window pixels as ints (alpha, red, green, blue from the top byte down), top
// row first.
void vex_graphics_ReadPixels(const Array<int> &pixels, int x, int y, int width, int height, int offset = 0,
                             int pitch = 0);
// Writes ints of the same layout into frame `frame` of an image created with
// vex_graphics_CreateImage (premultiplied on the way).
void vex_graphics_WritePixels(c_Image *image, const Array<int> &pixels, int x, int y, int width, int height,
                              int offset = 0, int pitch = 0, int frame = 0);
