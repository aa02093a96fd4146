// The drawing vocabulary: what screens call during an update to start a frame
// and append records to the display list, and the palette their inks take.
#include "game/render.h"

#include <algorithm>

#include "game/flow.h"
#include "host/app.h"

PaletteColour PaletteEntry(int n) {
  switch (n) {
  case 1:
    return {1.0f, 0.1f, 0.1f};
  case 2:
    return {1.0f, 0.5f, 0.1f};
  case 3:
    return {1.0f, 1.0f, 0.1f};
  case 4:
    return {0.1f, 1.0f, 0.1f};
  case 5:
    return {0.1f, 1.0f, 1.0f};
  case 6:
    return {0.1f, 0.1f, 1.0f};
  case 7:
    return {0.5f, 0.1f, 1.0f};
  case 8:
    return {1.0f, 0.1f, 0.5f};
  case 9:
    return {1.0f, 1.0f, 1.0f};
  default:
    return {0.3f, 0.3f, 0.3f};
  }
}

void c_MyApp::AppendRecord(float kind, float x, float y, float w, float h, float frame) {
  if (m_drawCount >= kDrawListRecords) return;
  m_drawList[m_drawCount++] = {.kind = kind,
                               .x = x,
                               .y = y,
                               .rot = m_rot,
                               .w = w,
                               .h = h,
                               .frame = frame,
                               .alpha = m_alpha,
                               .red = m_red,
                               .green = m_green,
                               .blue = m_blue,
                               .blend = static_cast<float>(m_blend)};
}

void c_MyApp::p_StartFrame(float r, float g, float b, float alpha) {
  m_clsRed = r;
  m_clsGreen = g;
  m_clsBlue = b;
  m_clsAlpha = alpha;
  m_viewX = 0;
  m_viewY = 0;
  m_viewW = vex_Tilemarch_jscrw;
  m_viewH = vex_Tilemarch_jscrh;
  p_ResetDraw();
  m_drawCount = 0;
}

void c_MyApp::p_DoBG(int r, int g, int b, float alpha) {
  if (r > kKeepBG) m_bgTargetRed = static_cast<float>(r);
  if (g > kKeepBG) m_bgTargetGreen = static_cast<float>(g);
  if (b > kKeepBG) m_bgTargetBlue = static_cast<float>(b);
  m_bgRed = m_bgRed - (m_bgRed - m_bgTargetRed) * 0.125f;
  m_bgGreen = m_bgGreen - (m_bgGreen - m_bgTargetGreen) * 0.125f;
  m_bgBlue = m_bgBlue - (m_bgBlue - m_bgTargetBlue) * 0.125f;
  float a = alpha == static_cast<float>(kKeepBG) ? 1.0f : std::clamp(alpha, 0.0f, 1.0f);
  p_StartFrame(m_bgRed, m_bgGreen, m_bgBlue, a);
}

void c_MyApp::p_ResetDraw() {
  m_scaleX = m_scaleY = 1;
  m_rot = 0;
  m_red = m_green = m_blue = 255;
  m_alpha = 1;
  m_blend = 1;
}

void c_MyApp::p_SetCol(float r, float g, float b, float a) {
  m_red = r;
  m_green = g;
  m_blue = b;
  if (a != kOmit) m_alpha = a;
}

void c_MyApp::p_Alpha(float a) { m_alpha = a; }
void c_MyApp::p_SetRot(float degrees) { m_rot = -degrees; }

void c_MyApp::p_SetSize(float sx, float sy) {
  m_scaleX = sx;
  m_scaleY = sy == kOmit ? sx : sy;
}

void c_MyApp::p_Ink(int n, float brightness) {
  PaletteColour c = PaletteEntry(n);
  m_red = std::clamp(c.r * brightness * 255.0f, 0.0f, 255.0f);
  m_green = std::clamp(c.g * brightness * 255.0f, 0.0f, 255.0f);
  m_blue = std::clamp(c.b * brightness * 255.0f, 0.0f, 255.0f);
}

void c_MyApp::p_DrawImg(int slot, float x, float y, int frame) {
  AppendRecord(static_cast<float>(slot), x, y, m_scaleX, m_scaleY, static_cast<float>(frame));
}

void c_MyApp::p_DrawImg(float x, float y, int frame) { p_DrawImg(kButtonsSlot, x, y, frame); }
void c_MyApp::p_Rect(float x, float y, float w, float h) { AppendRecord(kKindRect, x, y, w, h, 0); }
void c_MyApp::p_Oval(float x, float y, float rx, float ry) { AppendRecord(kKindOval, x, y, rx, ry, 0); }
void c_MyApp::p_Line(float x1, float y1, float x2, float y2) { AppendRecord(kKindLine, x1, y1, x2, y2, 0); }

void c_MyApp::p_DrawTile(int n, float x, float y) {
  p_DrawImg(kFirstSheetSlot + (n - 1) / kPuzzlesPerSheet, x, y, (n - 1) % kPuzzlesPerSheet);
}
