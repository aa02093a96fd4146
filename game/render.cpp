// The display list: the drawing vocabulary that screens append records with
// during an update, and p_OnRender, which fits the virtual screen to the device
// and replays the list.
#include "game/render.h"

#include <algorithm>

#include "game/flow.h"
#include "host/app.h"

namespace {

// A sixth of a second of updates: a window manager settles a switch to full
// screen sooner, and the old pictures, drawn at their own scale, bridge it.
constexpr int kResizeSettleUpdates = 10;

} // namespace

ViewFit FitVirtualScreen(float deviceW, float deviceH, float overscan, float designW, float designH) {
  ViewFit fit;
  float f = deviceW >= deviceH ? 1.0f : 1.5f;
  float sx = (deviceW - 2 * overscan) / (designW * f);
  float sy = (deviceH - 2 * overscan) / (designH * f);
  float t;
  if (sx >= sy) {
    fit.mode = 1;
    fit.scale = sx;
    t = deviceW / (designW * f);
  } else {
    fit.mode = 2;
    fit.scale = sy;
    t = deviceH / (designH * f);
  }
  // A zero-sized (minimised) device keeps the design size rather than
  // dividing by zero.
  if (t > 0) {
    fit.virtualW = deviceW / t;
    fit.virtualH = deviceH / t;
  } else {
    fit.virtualW = designW;
    fit.virtualH = designH;
  }
  fit.offX = overscan;
  fit.offY = deviceW > 0 ? overscan * deviceH / deviceW : 0;
  return fit;
}

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
  // The list's last record fits too: full means no room for 15 more floats.
  if (m_drawCount > kDrawListFloats - kRecordSize) return;
  float *r = m_drawList.Data() + m_drawCount;
  r[kRecKind] = kind;
  r[kRecX] = x;
  r[kRecY] = y;
  r[kRecRot] = m_rot;
  r[kRecW] = w;
  r[kRecH] = h;
  r[kRecFrame] = frame;
  r[kRecAlpha] = m_alpha;
  r[kRecRed] = m_red;
  r[kRecGreen] = m_green;
  r[kRecBlue] = m_blue;
  r[kRecBlend] = static_cast<float>(m_blend);
  m_drawCount += kRecordSize;
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

void c_MyApp::FitToDevice(int w, int h) {
  ViewFit fit = FitVirtualScreen(static_cast<float>(w), static_cast<float>(h), vex_Tilemarch_overscan,
                                 vex_Tilemarch_rawscrw, vex_Tilemarch_rawscrh);
  m_fitMode = fit.mode;
  m_viewScaleX = m_viewScaleY = fit.scale;
  vex_Tilemarch_jscrw = fit.virtualW;
  vex_Tilemarch_jscrh = fit.virtualH;
  m_landscape = vex_Tilemarch_jscrh <= vex_Tilemarch_jscrw ? 1 : 0;
}

void c_MyApp::p_OnRender() {
  int now = m_devices->Millisecs();
  if (now > m_renderMillis) m_renderFps = 1000 / (now - m_renderMillis);
  m_renderFpsAvg = (m_renderFps + 9 * m_renderFpsAvg) / 10;
  m_renderMillis = m_devices->Millisecs();

  int w = vex_app_DeviceWidth(), h = vex_app_DeviceHeight();
  GameDevices &dev = *m_devices;
  // An opaque fill gives the rectangle's colour bytes, each channel truncated,
  // so a clear to those bytes draws the same pixels without blending them.
  auto whole = [](float channel) { return static_cast<float>(static_cast<int>(channel)); };
  if (m_clsAlpha < 1 || !dev.Clear(whole(m_clsRed), whole(m_clsGreen), whole(m_clsBlue))) {
    dev.SetColor(m_clsRed, m_clsGreen, m_clsBlue);
    dev.SetAlpha(m_clsAlpha);
    dev.DrawRect(-1, -1, static_cast<float>(w + 2), static_cast<float>(h + 2));
  }
  dev.SetColor(255, 255, 255);
  dev.SetAlpha(1);

  if (w != m_devW || h != m_devH) {
    m_resizeWait = kResizeSettleUpdates;
    m_devW = w;
    m_devH = h;
  } else if (m_resizeWait == 1) {
    m_resizeWait = 0;
    m_loadStep = 1;
  }
  FitToDevice(w, h);
  ReplayList();
  dev.SetAlpha(0.5f);
  dev.SetColor(255, 255, 255);
  m_shownFrame.Keep(std::span(m_drawList.Data(), m_drawCount), FrameSettings(),
                    std::span(m_images.Data(), m_images.Length()));
}

std::array<float, 8> c_MyApp::FrameSettings() const {
  return {m_clsRed,
          m_clsGreen,
          m_clsBlue,
          m_clsAlpha,
          static_cast<float>(vex_app_DeviceWidth()),
          static_cast<float>(vex_app_DeviceHeight()),
          m_imageScale,
          vex_Tilemarch_overscan};
}

bool c_MyApp::p_PictureChanged() {
  return !m_shownFrame.Same(std::span(m_drawList.Data(), m_drawCount), FrameSettings(),
                            std::span(m_images.Data(), m_images.Length()));
}

void c_MyApp::ReplayList() {
  if (m_drawCount < kRecordSize) return;
  GameDevices &dev = *m_devices;
  float sx = m_viewScaleX, sy = m_viewScaleY;
  float offX = vex_Tilemarch_overscan;
  float offY = m_devW > 0 ? vex_Tilemarch_overscan * static_cast<float>(m_devH) / static_cast<float>(m_devW) : 0;
  const float *list = m_drawList.Data();
  // Records carry the game's blend code, but every record replays with the
  // device's normal alpha blend (0); the device's 1 is additive.
  bool blendSet = false;
  for (int at = 0; at + kRecordSize <= m_drawCount; at += kRecordSize) {
    const float *r = list + at;
    dev.SetAlpha(r[kRecAlpha]);
    dev.SetColor(r[kRecRed], r[kRecGreen], r[kRecBlue]);
    if (!blendSet) {
      dev.SetBlend(0);
      blendSet = true;
    }
    float kind = r[kRecKind];
    float x = r[kRecX] * sx + offX, y = r[kRecY] * sy + offY;
    if (kind == kKindRect) {
      dev.DrawRect(x, y, r[kRecW] * sx, r[kRecH] * sy);
    } else if (kind == kKindOval) {
      float rx = r[kRecW] * sx, ry = r[kRecH] * sy;
      dev.DrawOval(x - rx, y - ry, rx * 2, ry * 2);
    } else if (kind == kKindLine) {
      dev.DrawLine(x, y, r[kRecW] * sx + offX, r[kRecH] * sy + offY);
    } else if (kind > -1 && kind < kImageSlots) {
      const GameImage &image = m_images[static_cast<int>(kind)];
      if (!image) continue;
      int level = m_imageLevel[static_cast<int>(kind)];
      float scale = level > 0 ? 1.0f / static_cast<float>(level) : m_imageScale;
      dev.DrawImage(image, x, y, r[kRecRot], r[kRecW] * sx * scale, r[kRecH] * sy * scale,
                    static_cast<int>(r[kRecFrame]));
    }
  }
}
