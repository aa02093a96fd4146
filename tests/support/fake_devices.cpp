// Quiet game devices and their empty pictures and sounds; see fake_devices.h.
#include "support/fake_devices.h"

#include <algorithm>

#include "audio/audio.h"
#include "graphics/image.h"

GameImage TestImage(int width, int height, int frames, int flags) {
  auto surface = std::make_shared<gxtkSurface>();
  surface->width = std::max(width, 0) * std::max(frames, 1);
  surface->height = std::max(height, 0);
  auto image = std::make_shared<c_Image>();
  image->p_Init2(surface, 0, 0, width, height, frames, flags, nullptr, 0, 0, surface->width, surface->height);
  return image;
}

GameSound QuietDevices::LoadSound(const String &) { return std::make_shared<c_Sound>(); }
