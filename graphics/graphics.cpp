// The graphics module: context, frame bracket, images, state, matrix and drawing.
#include "graphics/graphics.h"

#include <cmath>

#include "graphics/sprite_geometry.h"
#include "runtime/angle.h"
#include "runtime/data_path.h"

gxtkGraphics *vex_graphics_device = nullptr;
gxtkGraphics *vex_graphics_renderDevice = nullptr;

namespace {
c_GraphicsContext theContext;
} // namespace

c_GraphicsContext *vex_graphics_context = &theContext;

c_GraphicsContext::c_GraphicsContext() : m_matrixStack(192) {}

void c_GraphicsContext::p_Validate() {
  if (!m_matDirty || !vex_graphics_renderDevice) return;
  vex_graphics_renderDevice->SetMatrix(m_ix, m_iy, m_jx, m_jy, m_tx, m_ty);
  m_matDirty = false;
}

void vex_graphics_SetGraphicsDevice(gxtkGraphics *device) { vex_graphics_device = device; }
gxtkGraphics *vex_graphics_GetGraphicsDevice() { return vex_graphics_device; }

namespace {

void MatrixChanged(c_GraphicsContext &c) {
  c.m_tformed = !(c.m_ix == 1 && c.m_iy == 0 && c.m_jx == 0 && c.m_jy == 1 && c.m_tx == 0 && c.m_ty == 0);
  c.m_matDirty = true;
}

// Truncation toward zero, kept in range for the int conversion.
int TruncToInt(float v) {
  if (!(v > -2147483520.0f)) return v != v ? 0 : -2147483647 - 1;
  if (v > 2147483520.0f) return 2147483647;
  return static_cast<int>(v);
}

} // namespace

void vex_graphics_BeginRender() {
  vex_graphics_renderDevice = vex_graphics_device;
  c_GraphicsContext &c = *vex_graphics_context;
  c.m_matrixSp = 0;
  vex_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  vex_graphics_SetColor(255, 255, 255);
  vex_graphics_SetAlpha(1);
  vex_graphics_SetBlend(0);
  float w = vex_graphics_device ? static_cast<float>(vex_graphics_device->Width()) : 0.0f;
  float h = vex_graphics_device ? static_cast<float>(vex_graphics_device->Height()) : 0.0f;
  vex_graphics_SetScissor(0, 0, w, h);
}

void vex_graphics_EndRender() { vex_graphics_renderDevice = nullptr; }

std::shared_ptr<c_Image> vex_graphics_LoadImage(const String &path, int frameCount, int flags) {
  if (!vex_graphics_device) return nullptr;
  std::shared_ptr<gxtkSurface> surface = vex_graphics_device->LoadSurface(vex_data_FixDataPath(path));
  if (!surface) return nullptr;
  auto image = std::make_shared<c_Image>();
  image->p_Init(std::move(surface), frameCount, flags);
  return image;
}

std::shared_ptr<c_Image> vex_graphics_LoadImage2(const String &path, int frameWidth, int frameHeight, int frameCount,
                                                 int flags) {
  if (!vex_graphics_device) return nullptr;
  std::shared_ptr<gxtkSurface> surface = vex_graphics_device->LoadSurface(vex_data_FixDataPath(path));
  if (!surface) return nullptr;
  int w = surface->Width(), h = surface->Height();
  auto image = std::make_shared<c_Image>();
  image->p_Init2(std::move(surface), 0, 0, frameWidth, frameHeight, frameCount, flags, nullptr, 0, 0, w, h);
  return image;
}

std::shared_ptr<c_Image> vex_graphics_CreateImage(int width, int height, int frameCount, int flags) {
  if (!vex_graphics_device) return nullptr;
  if (frameCount < 1) frameCount = 1;
  std::shared_ptr<gxtkSurface> surface = vex_graphics_device->CreateSurface(width * frameCount, height);
  if (!surface) return nullptr;
  auto image = std::make_shared<c_Image>();
  image->p_Init(std::move(surface), frameCount, flags);
  return image;
}

void vex_graphics_SetFont(std::shared_ptr<c_Image> font, int firstChar) {
  c_GraphicsContext &c = *vex_graphics_context;
  if (font) {
    c.m_font = std::move(font);
    c.m_firstChar = firstChar;
    return;
  }
  if (!c.m_defaultFont) c.m_defaultFont = vex_graphics_LoadImage("lumen_font.png", 96, c_Image::XPadding);
  c.m_font = c.m_defaultFont;
  c.m_firstChar = 32;
}

std::shared_ptr<c_Image> vex_graphics_GetFont() { return vex_graphics_context->m_font; }

void vex_graphics_SetColor(float r, float g, float b) {
  if (vex_graphics_renderDevice) vex_graphics_renderDevice->SetColor(r, g, b);
}

void vex_graphics_SetAlpha(float alpha) {
  if (vex_graphics_renderDevice) vex_graphics_renderDevice->SetAlpha(alpha);
}

void vex_graphics_SetBlend(int blend) {
  if (vex_graphics_renderDevice) vex_graphics_renderDevice->SetBlend(blend);
}

void vex_graphics_SetScissor(float x, float y, float width, float height) {
  c_GraphicsContext &c = *vex_graphics_context;
  c.m_scissor_x = x;
  c.m_scissor_y = y;
  c.m_scissor_width = width;
  c.m_scissor_height = height;
  if (vex_graphics_renderDevice)
    vex_graphics_renderDevice->SetScissor(TruncToInt(x), TruncToInt(y), TruncToInt(width), TruncToInt(height));
}

void vex_graphics_Cls(float r, float g, float b) {
  if (vex_graphics_renderDevice) vex_graphics_renderDevice->Cls(r, g, b);
}

void vex_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) {
  c_GraphicsContext &c = *vex_graphics_context;
  c.m_ix = ix;
  c.m_iy = iy;
  c.m_jx = jx;
  c.m_jy = jy;
  c.m_tx = tx;
  c.m_ty = ty;
  MatrixChanged(c);
}

void vex_graphics_SetMatrix(const Array<float> &m) {
  if (m.Length() < 6) return;
  vex_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

Array<float> vex_graphics_GetMatrix() {
  const c_GraphicsContext &c = *vex_graphics_context;
  return Array<float>{c.m_ix, c.m_iy, c.m_jx, c.m_jy, c.m_tx, c.m_ty};
}

void vex_graphics_Transform(float ix, float iy, float jx, float jy, float tx, float ty) {
  c_GraphicsContext &c = *vex_graphics_context;
  float nix = ix * c.m_ix + iy * c.m_jx;
  float niy = ix * c.m_iy + iy * c.m_jy;
  float njx = jx * c.m_ix + jy * c.m_jx;
  float njy = jx * c.m_iy + jy * c.m_jy;
  float ntx = tx * c.m_ix + ty * c.m_jx + c.m_tx;
  float nty = tx * c.m_iy + ty * c.m_jy + c.m_ty;
  vex_graphics_SetMatrix(nix, niy, njx, njy, ntx, nty);
}

void vex_graphics_Transform(const Array<float> &m) {
  if (m.Length() < 6) return;
  vex_graphics_Transform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

void vex_graphics_Translate(float x, float y) { vex_graphics_Transform(1, 0, 0, 1, x, y); }
void vex_graphics_Scale(float x, float y) { vex_graphics_Transform(x, 0, 0, y, 0, 0); }

void vex_graphics_Rotate(float angle) {
  float a = angle * kDegToRad;
  float c = std::cos(a), s = std::sin(a);
  vex_graphics_Transform(c, -s, s, c, 0, 0);
}

void vex_graphics_PushMatrix() {
  c_GraphicsContext &c = *vex_graphics_context;
  if (c.m_matrixSp + 6 > c.m_matrixStack.Length())
    c.m_matrixStack = c.m_matrixStack.Resize(c.m_matrixStack.Length() * 2);
  float *top = c.m_matrixStack.Data() + c.m_matrixSp;
  top[0] = c.m_ix;
  top[1] = c.m_iy;
  top[2] = c.m_jx;
  top[3] = c.m_jy;
  top[4] = c.m_tx;
  top[5] = c.m_ty;
  c.m_matrixSp += 6;
}

void vex_graphics_PopMatrix() {
  c_GraphicsContext &c = *vex_graphics_context;
  if (c.m_matrixSp < 6) return;
  c.m_matrixSp -= 6;
  const float *top = c.m_matrixStack.Data() + c.m_matrixSp;
  vex_graphics_SetMatrix(top[0], top[1], top[2], top[3], top[4], top[5]);
}

void vex_graphics_ValidateMatrix() { vex_graphics_context->p_Validate(); }

void vex_graphics_DrawPoint(float x, float y) {
  if (!vex_graphics_renderDevice) return;
  vex_graphics_context->p_Validate();
  vex_graphics_renderDevice->DrawPoint(x, y);
}

void vex_graphics_DrawRect(float x, float y, float width, float height) {
  if (!vex_graphics_renderDevice) return;
  vex_graphics_context->p_Validate();
  vex_graphics_renderDevice->DrawRect(x, y, width, height);
}

void vex_graphics_DrawLine(float x1, float y1, float x2, float y2) {
  if (!vex_graphics_renderDevice) return;
  vex_graphics_context->p_Validate();
  vex_graphics_renderDevice->DrawLine(x1, y1, x2, y2);
}

void vex_graphics_DrawOval(float x, float y, float width, float height) {
  if (!vex_graphics_renderDevice) return;
  vex_graphics_context->p_Validate();
  vex_graphics_renderDevice->DrawOval(x, y, width, height);
}

void vex_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius) {
  vex_graphics_DrawOval(x - xRadius, y - yRadius, xRadius * 2, yRadius * 2);
}

void vex_graphics_DrawCircle(float x, float y, float radius) { vex_graphics_DrawEllipse(x, y, radius, radius); }

void vex_graphics_DrawPoly(const Array<float> &verts) {
  if (!vex_graphics_renderDevice) return;
  vex_graphics_context->p_Validate();
  vex_graphics_renderDevice->DrawPoly(verts);
}

namespace {

// Draws the frame with its top-left corner at (x, y) under the already
// validated matrix.
void DrawFrame(const c_Image &image, float x, float y, int frame) {
  if (image.m_flags & c_Image::FullFrame) {
    vex_graphics_renderDevice->DrawSurface(image.m_surface, x, y);
    return;
  }
  const c_Frame &f = image.m_frames[frame];
  vex_graphics_renderDevice->DrawSurface2(image.m_surface, x, y, f.m_x, f.m_y, image.m_width, image.m_height);
}

bool Drawable(const c_Image *image, int frame) {
  return vex_graphics_renderDevice && image && image->m_surface && frame >= 0 && frame < image->m_frames.Length();
}

} // namespace

void vex_graphics_DrawImage(c_Image *image, float x, float y, int frame) {
  if (!Drawable(image, frame)) return;
  vex_graphics_context->p_Validate();
  DrawFrame(*image, x - image->m_tx, y - image->m_ty, frame);
}

void vex_graphics_DrawImage2(c_Image *image, float x, float y, float rotation, float scaleX, float scaleY, int frame) {
  if (!Drawable(image, frame)) return;
  // Translate(x, y), Rotate, Scale, Translate(-handle) composed in one step:
  // this is the hot path of every sprite the game draws.
  c_GraphicsContext &c = *vex_graphics_context;
  const float saved[6] = {c.m_ix, c.m_iy, c.m_jx, c.m_jy, c.m_tx, c.m_ty};
  const gxtkSpriteMatrix m = SpriteMatrix(x, y, rotation, scaleX, scaleY, image->m_tx, image->m_ty);
  vex_graphics_Transform(m.ix, m.iy, m.jx, m.jy, m.tx, m.ty);
  c.p_Validate();
  DrawFrame(*image, 0, 0, frame);
  vex_graphics_SetMatrix(saved[0], saved[1], saved[2], saved[3], saved[4], saved[5]);
}

void vex_graphics_ReadPixels(const Array<int> &pixels, int x, int y, int width, int height, int offset, int pitch) {
  if (!vex_graphics_renderDevice) return;
  if (pitch == 0) pitch = width;
  vex_graphics_renderDevice->ReadPixels(pixels, x, y, width, height, offset, pitch);
}

void vex_graphics_WritePixels(c_Image *image, const Array<int> &pixels, int x, int y, int width, int height, int offset,
                              int pitch, int frame) {
  if (!vex_graphics_device || !image || !image->m_surface || frame < 0 || frame >= image->m_frames.Length()) return;
  if (pitch == 0) pitch = width;
  // Stay inside the frame so a write cannot spill into its neighbours.
  if (x < 0 || y < 0 || width > image->m_width - x || height > image->m_height - y) return;
  const c_Frame &f = image->m_frames[frame];
  vex_graphics_device->WritePixels2(image->m_surface, pixels, x + f.m_x, y + f.m_y, width, height, offset, pitch);
}
