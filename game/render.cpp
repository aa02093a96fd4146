// The display list: the drawing vocabulary that screens append records with
// during an update, and p_OnRender, which fits the virtual screen to the device
// and replays the list.
#include "game/render.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <span>

#include "game/flow.h"
#include "host/app.h"

namespace {

// A sixth of a second of updates: a window manager settles a switch to full
// screen sooner, and the old pictures, drawn at their own scale, bridge it.
constexpr int kResizeSettleUpdates = 10;

uint32_t Bits(float v) { return std::bit_cast<uint32_t>(v); }

} // namespace

// The colour, alpha and blend the device last got in this frame. The device
// keeps them until told otherwise, so a record in the ones it has sends none
// of them again. Bits rather than values are compared, so a -0 or a NaN still
// reaches the device as the game wrote it.
class DeviceInk {
public:
  explicit DeviceInk(GameDevices &dev) : dev_(dev) {}

  void Colour(float r, float g, float b) {
    std::array<uint32_t, 3> bits = {Bits(r), Bits(g), Bits(b)};
    if (colour_ == bits) return;
    colour_ = bits;
    dev_.SetColor(r, g, b);
  }
  void Alpha(float a) {
    if (alpha_ == Bits(a)) return;
    alpha_ = Bits(a);
    dev_.SetAlpha(a);
  }
  void Blend(int blend) {
    if (blend_ == blend) return;
    blend_ = blend;
    dev_.SetBlend(blend);
  }

private:
  GameDevices &dev_;
  std::optional<std::array<uint32_t, 3>> colour_;
  std::optional<uint32_t> alpha_;
  std::optional<int> blend_;
};

ViewFit FitVirtualScreen(float deviceW, float deviceH, float overscan, float designW, float designH) {
  ViewFit fit;
  ViewMapping &view = fit.view;
  float f = deviceW >= deviceH ? 1.0f : 1.5f;
  float sx = (deviceW - 2 * overscan) / (designW * f);
  float sy = (deviceH - 2 * overscan) / (designH * f);
  float t;
  if (sx >= sy) {
    fit.mode = 1;
    view.scale = sx;
    t = deviceW / (designW * f);
  } else {
    fit.mode = 2;
    view.scale = sy;
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
  view.offX = overscan;
  view.offY = deviceW > 0 ? overscan * deviceH / deviceW : 0;
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

void c_MyApp::FitToDevice(int w, int h) {
  ViewFit fit = FitVirtualScreen(static_cast<float>(w), static_cast<float>(h), vex_Tilemarch_overscan,
                                 vex_Tilemarch_rawscrw, vex_Tilemarch_rawscrh);
  m_fitMode = fit.mode;
  m_view = fit.view;
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
  DeviceInk ink(dev);
  // An opaque fill gives the rectangle's colour bytes, each channel truncated,
  // so a clear to those bytes draws the same pixels without blending them.
  auto whole = [](float channel) { return static_cast<float>(static_cast<int>(channel)); };
  if (m_clsAlpha < 1 || !dev.Clear(whole(m_clsRed), whole(m_clsGreen), whole(m_clsBlue))) {
    ink.Colour(m_clsRed, m_clsGreen, m_clsBlue);
    ink.Alpha(m_clsAlpha);
    dev.DrawRect(-1, -1, static_cast<float>(w + 2), static_cast<float>(h + 2));
  }

  if (w != m_devW || h != m_devH) {
    m_resizeWait = kResizeSettleUpdates;
    m_devW = w;
    m_devH = h;
  } else if (m_resizeWait == 1) {
    m_resizeWait = 0;
    m_loadStep = 1;
  }
  FitToDevice(w, h);
  ReplayList(ink);
  ink.Alpha(0.5f);
  ink.Colour(255, 255, 255);
  m_shownFrame.Keep(std::span(m_drawList.Data(), m_drawCount), ShownRecords(), FrameSettings(),
                    std::span(m_images.Data(), m_images.Length()));
}

bool c_MyApp::p_PictureChanged() {
  return !m_shownFrame.Same(ShownRecords(), FrameSettings(), std::span(m_images.Data(), m_images.Length()));
}

float c_MyApp::ImageScale(int slot) const {
  const int level = m_imageLevel[slot];
  return level > 0 ? 1.0f / static_cast<float>(level) : m_imageScale;
}

void c_MyApp::ReplayList(DeviceInk &ink) {
  GameDevices &dev = *m_devices;
  for (const DrawRecord &r : std::span(m_drawList.Data(), m_drawCount)) {
    ink.Alpha(r.alpha);
    ink.Colour(r.red, r.green, r.blue);
    // Records carry the game's blend code, but every record replays with the
    // device's normal alpha blend (0); the device's 1 is additive.
    ink.Blend(0);
    auto [x, y] = m_view.ToDevice(r.x, r.y);
    auto [w, h] = m_view.SizeOnDevice(r.w, r.h);
    if (r.kind == kKindRect) {
      dev.DrawRect(x, y, w, h);
    } else if (r.kind == kKindOval) {
      dev.DrawOval(x - w, y - h, w * 2, h * 2);
    } else if (r.kind == kKindLine) {
      auto [endX, endY] = m_view.ToDevice(r.w, r.h);
      dev.DrawLine(x, y, endX, endY);
    } else if (r.kind > -1 && r.kind < kImageSlots) {
      int slot = static_cast<int>(r.kind);
      const GameImage &image = m_images[slot];
      if (!image) continue;
      const float scale = ImageScale(slot);
      dev.DrawImage(image, x, y, r.rot, w * scale, h * scale, static_cast<int>(r.frame));
    }
  }
}
