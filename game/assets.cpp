// Image slots and the staged loader with its loading screen.
#include "game/assets.h"

#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/names.h"
#include "host/app.h"
#include "runtime/angle.h"

int ResolutionLevel(int deviceW, int deviceH, bool useHD) {
  if (!useHD) return 1;
  int m = std::max(deviceW, deviceH);
  if (m >= 1231) return 4;
  if (m >= 631) return 2;
  return 1;
}

String VariantSuffix(int level) {
  if (level == 4) return "-hd2";
  if (level == 2) return "-hd";
  return "";
}

String PicturePath(const String &name, int level) { return name + VariantSuffix(level) + ".png"; }

String SfxPath(int slot) {
  String digits(slot);
  if (slot >= 0 && slot < 10) return "sfx/00" + digits + ".wav";
  if (slot >= 0 && slot < 100) return "sfx/0" + digits + ".wav";
  return "sfx/" + digits + ".wav";
}

namespace {
// Glyph images and sprites turn and scale about their centre.
constexpr int kMidHandle = 1;
// Loader steps 10..23 load the thumbnail sheets 1..14 in slot order.
constexpr int kFirstSheetStep = 10;
constexpr int kLastSheetStep = kFirstSheetStep + kLastSheetSlot - kFirstSheetSlot;

// The dpad, the menu sheet, the circles and the lights are loaded with the
// set but no screen of this game draws them: they are read from their files
// only if something ever does (at full screen they would hold 33 MB).
bool ReadWhenDrawn(int slot) {
  return slot == kCircleSlot || slot == kLightSlot || slot == kDpadSlot || slot == kMenuSheetSlot;
}
} // namespace

void c_MyApp::p_ChooseResolution() {
  m_hdLevel = ResolutionLevel(vex_app_DeviceWidth(), vex_app_DeviceHeight(), vex_Tilemarch_UseHDImages != 0);
  m_imageScale = 1.0f / static_cast<float>(m_hdLevel);
}

void c_MyApp::p_LoadImg(int slot, const String &name, int w, int h, int frames, int flags) {
  if (slot < 0 || slot >= kImageSlots) return;
  m_images[slot] = nullptr;
  int fw = w * m_hdLevel, fh = h * m_hdLevel;
  String path = PicturePath(name, m_hdLevel);
  m_images[slot] = ReadWhenDrawn(slot) ? m_devices->LoadImageOnDemand(path, fw, fh, frames, flags)
                                       : m_devices->LoadImage(path, fw, fh, frames, flags);
  m_imageInfo[slot * 3] = fw;
  m_imageInfo[slot * 3 + 1] = fh;
  m_imageInfo[slot * 3 + 2] = frames;
  m_imageLevel[slot] = m_hdLevel;
}

void c_MyApp::p_LoadFont(int slot, const String &name, int advance, int lineHeight) {
  if (slot < 0 || slot >= kImageSlots) return;
  m_images[slot] = nullptr;
  int cell = 16 * m_hdLevel;
  m_images[slot] = m_devices->LoadImage(PicturePath(name, m_hdLevel), cell, cell, 128, kMidHandle);
  m_imageInfo[slot * 3] = advance;
  m_imageInfo[slot * 3 + 1] = lineHeight;
  m_imageInfo[slot * 3 + 2] = 128;
  m_imageLevel[slot] = m_hdLevel;
  m_font = slot;
}

void c_MyApp::p_ReserveImg(int slot, int w, int h) {
  if (slot < 0 || slot >= kImageSlots) return;
  m_images[slot] = nullptr;
  m_images[slot] = m_devices->CreateImage(w, h, 1, kMidHandle);
  m_imageInfo[slot * 3] = w;
  m_imageInfo[slot * 3 + 1] = h;
  m_imageInfo[slot * 3 + 2] = 1;
  m_imageLevel[slot] = 0;
  m_canvasSlot = slot;
}

void c_MyApp::p_Reload() {
  m_clsRed = m_clsGreen = m_clsBlue = 0;
  m_clsAlpha = 1;
  p_ChooseResolution();
  p_LoadImg(kLoadingLogoSlot, "common/PlinthLogo", 256, 256, 1, kMidHandle);
  p_LoadFont(kFontSlot, "fonts/shadow_editundo", 7, 10);
  m_loadStep = 1;
}

void c_MyApp::p_Loader() {
  p_ChooseResolution();
  int step = m_loadStep;
  switch (step) {
  case 1:
    // On a reload for a new size the old pictures go before the new ones come,
    // so that the two sets never share memory. The loading screen keeps its
    // logo and font until their own steps.
    for (int slot = 0; slot < kImageSlots; ++slot)
      if (slot != kLoadingLogoSlot && slot != kFontSlot) m_images[slot] = nullptr;
    p_LoadImg(kIconsSlot, "common/icons", 32, 32, 16, kMidHandle);
    p_ReserveImg(kCanvasSlot, 2048, 2048);
    p_LoadSFX(kSoundChimes);
    break;
  case 2:
    p_LoadImg(kButtonsSlot, "common/Buttons", 64, 64, 16, kMidHandle);
    p_LoadSFX(kSoundPop);
    break;
  case 3:
    p_LoadImg(kDpadSlot, "common/dpad", 32, 32, 16, kMidHandle);
    p_LoadSFX(kSoundKnock);
    break;
  case 4:
    p_LoadImg(kLoadingLogoSlot, "common/PlinthLogo", 256, 256, 1, kMidHandle);
    if (m_logoJingle == 0) {
      p_PlaySFX(kSoundChimes, 1);
      m_logoJingle = 1;
    }
    break;
  case 5:
    p_LoadFont(kFontSlot, "fonts/shadow_editundo", 7, 10);
    p_LoadSFX(kSoundTick);
    break;
  case 6:
    p_LoadImg(kMenuSheetSlot, "menu", 256, 256, 4, kMidHandle);
    p_LoadImg(kTitleLogoSlot, "logo", 256, 128, 1, kMidHandle);
    p_LoadSFX(kSoundSolved);
    break;
  case 7:
    p_LoadImg(kBadgesSlot, "BadgesA", 64, 64, 64, kMidHandle);
    p_LoadImg(kParticlesSlot, "parts", 8, 8, 256, kMidHandle);
    break;
  case 8:
    p_LoadImg(kCircleSlot, "common/circle", 256, 256, 4, kMidHandle);
    p_LoadImg(kLightSlot, "common/light", 32, 32, 4, kMidHandle);
    break;
  case 9:
    p_LoadImg(kBlocksSlot, "blocks", 12, 12, 25, kMidHandle);
    break;
  default:
    if (step >= kFirstSheetStep && step <= kLastSheetStep)
      p_LoadImg(kFirstSheetSlot + step - kFirstSheetStep, "sheet" + String(step - kFirstSheetStep + 1), 64, 64,
                kPuzzlesPerSheet, kMidHandle);
    break;
  }
  m_loadStep = step >= kLoaderSteps ? 0 : step + 1;
  p_WaitStart(1);
}

void c_MyApp::p_WaitStart(int /*mode*/) {
  m_bgTargetRed = m_bgTargetGreen = m_bgTargetBlue = 0;
  m_bgRed -= m_bgRed * 0.125f;
  m_bgGreen -= m_bgGreen * 0.125f;
  m_bgBlue -= m_bgBlue * 0.125f;
  p_StartFrame(m_bgRed, m_bgGreen, m_bgBlue, 1);

  float w = vex_Tilemarch_jscrw, h = vex_Tilemarch_jscrh;
  float s = static_cast<float>(static_cast<int>(std::min(w, h)));
  m_spinAngle += 3;
  struct Ring {
    float offset, radius, dot, r, g, b;
  };
  auto drawRing = [&](const Ring &ring) {
    p_SetCol(ring.r, ring.g, ring.b);
    for (int i = 0; i <= 10; ++i) {
      float theta = (static_cast<float>(m_spinAngle) + ring.offset + 4.0f * static_cast<float>(i)) * kDegToRad;
      p_Alpha(static_cast<float>(i) / 10.0f);
      p_Oval(w / 2 + std::sin(theta) * s * ring.radius, h / 2 - std::cos(theta) * s * ring.radius, ring.dot, ring.dot);
    }
  };
  drawRing({0, 0.45f, 16, 0, 125, 255});
  p_SetCol(255, 255, 255, 1);
  p_SetSize(2);
  p_DrawImg(kLoadingLogoSlot, w / 2, h * 0.48f, 0);
  p_ResetDraw();
  drawRing({120, 0.4f, 12, 255, 125, 0});
  drawRing({240, 0.35f, 8, 255, 125, 0});
  p_SetCol(255, 255, 255, 1);
  p_SetSize(1);
  p_Text(w / 2, h - 32, "Loading...");
}
