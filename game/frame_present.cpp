// c_MyApp::p_OnRender, once per rendered frame: the frame-rate counter, the
// background, the check for a new device size, the fit of the virtual screen
// and the replay of the display list on the devices; and what the host asks
// of the picture before it draws one (whether it changed).
#include "game/frame_present.h"

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
  CountFrame();
  const int w = vex_app_DeviceWidth(), h = vex_app_DeviceHeight();
  DeviceInk ink(*m_devices);
  NoticeDeviceSize(w, h);
  FitToDevice(w, h);
  // A frame drawn in areas is drawn in each as the whole frame would be
  // there: the fill, then every record that reaches into it. The areas lie
  // apart, so no pixel is drawn twice, and a see-through fill stays right.
  const std::span<const VexRect> areas = m_devices->FrameAreas();
  if (areas.empty()) {
    FillBackground(ink, w, h);
    ReplayList(ink, nullptr);
  } else {
    m_recordBoxes.clear();
    for (const DrawRecord &r : std::span(m_drawList.Data(), m_drawCount)) m_recordBoxes.push_back(RecordBox(r));
    for (size_t i = 0; i < areas.size(); ++i) {
      m_devices->DrawInArea(static_cast<int>(i));
      FillBackground(ink, w, h);
      ReplayList(ink, &areas[i]);
    }
  }
  ink.Alpha(0.5f);
  ink.Colour(255, 255, 255);
  m_shownFrame.Keep(std::span(m_drawList.Data(), m_drawCount), Shown(), FrameSettings(),
                    std::span(m_images.Data(), m_images.Length()));
}

// The time between two frames, and an average that follows it by a tenth a
// frame; the clock is read again for the next frame's start.
void c_MyApp::CountFrame() {
  int now = m_devices->Millisecs();
  if (now > m_renderMillis) m_renderFps = 1000 / (now - m_renderMillis);
  m_renderFpsAvg = (m_renderFps + 9 * m_renderFpsAvg) / 10;
  m_renderMillis = m_devices->Millisecs();
}

void c_MyApp::FillBackground(DeviceInk &ink, int w, int h) {
  GameDevices &dev = *m_devices;
  // An opaque fill gives the rectangle's colour bytes, each channel truncated,
  // so a clear to those bytes draws the same pixels without blending them.
  auto whole = [](float channel) { return static_cast<float>(static_cast<int>(channel)); };
  if (m_clsAlpha < 1 || !dev.Clear(whole(m_clsRed), whole(m_clsGreen), whole(m_clsBlue))) {
    ink.Colour(m_clsRed, m_clsGreen, m_clsBlue);
    ink.Alpha(m_clsAlpha);
    dev.DrawRect(-1, -1, static_cast<float>(w + 2), static_cast<float>(h + 2));
  }
}

// A new device size waits until it has stood for a while (m_resizeWait counts
// down in the updates); then the loader runs again for the new size.
void c_MyApp::NoticeDeviceSize(int w, int h) {
  if (w != m_devW || h != m_devH) {
    m_resizeWait = kResizeSettleUpdates;
    m_devW = w;
    m_devH = h;
  } else if (m_resizeWait == 1) {
    m_resizeWait = 0;
    m_loadStep = 1;
  }
}

bool c_MyApp::p_PictureChanged() {
  return !m_shownFrame.Same(Shown(), FrameSettings(), std::span(m_images.Data(), m_images.Length()));
}

float c_MyApp::ImageScale(int slot) const {
  const int level = m_imageLevel[slot];
  return level > 0 ? 1.0f / static_cast<float>(level) : m_imageScale;
}

void c_MyApp::ReplayList(DeviceInk &ink, const VexRect *area) {
  GameDevices &dev = *m_devices;
  const std::span<const DrawRecord> list(m_drawList.Data(), m_drawCount);
  for (size_t i = 0; i < list.size(); ++i) {
    const DrawRecord &r = list[i];
    if (area && !m_recordBoxes[i].Meets(*area)) continue;
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
