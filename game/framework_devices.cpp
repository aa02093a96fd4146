// FrameworkDevices: each call forwards to the framework module of its kind.
#include "game/framework_devices.h"

#include "audio/audio.h"
#include "game/flow.h"
#include "graphics/graphics.h"
#include "host/data_paths.h"
#include "host/glfw_game.h"
#include "input/input.h"
#include "net/async_event.h"

int FrameworkDevices::KeyDown(int key) { return vex_input_KeyDown(key); }
int FrameworkDevices::KeyHit(int key) { return vex_input_KeyHit(key); }
float FrameworkDevices::MouseX() { return vex_input_MouseX(); }
float FrameworkDevices::MouseY() { return vex_input_MouseY(); }
float FrameworkDevices::TouchX(int index) { return vex_input_TouchX(index); }
float FrameworkDevices::TouchY(int index) { return vex_input_TouchY(index); }
float FrameworkDevices::JoyX(int stick, int pad) { return vex_input_JoyX(stick, pad); }
float FrameworkDevices::JoyY(int stick, int pad) { return vex_input_JoyY(stick, pad); }
int FrameworkDevices::GetChar() { return vex_input_GetChar(); }

// A data file that decodes to a picture too small for its frames (a damaged or
// replaced file) leaves the slot empty like a missing file, instead of ending
// the game with the framework's frame error.
namespace {
GameImage FramedImage(std::shared_ptr<gxtkSurface> surface, int frameWidth, int frameHeight, int frames, int flags) {
  if (!surface) return nullptr;
  int w = surface->Width(), h = surface->Height();
  if (!c_Image::FramesFit(0, 0, frameWidth, frameHeight, frames, w, h)) return nullptr;
  auto image = std::make_shared<c_Image>();
  image->p_Init2(std::move(surface), 0, 0, frameWidth, frameHeight, frames, flags, nullptr, 0, 0, w, h);
  return image;
}
} // namespace

GameImage FrameworkDevices::LoadImage(const String &path, int frameWidth, int frameHeight, int frames, int flags) {
  if (!vex_graphics_device) return nullptr;
  return FramedImage(vex_graphics_device->LoadSurface(vex_data_FixDataPath(path)), frameWidth, frameHeight, frames,
                     flags);
}

GameImage FrameworkDevices::LoadImageOnDemand(const String &path, int frameWidth, int frameHeight, int frames,
                                              int flags) {
  if (!vex_graphics_device) return nullptr;
  return FramedImage(vex_graphics_device->LoadSurfaceOnDemand(vex_data_FixDataPath(path)), frameWidth, frameHeight,
                     frames, flags);
}

GameImage FrameworkDevices::CreateImage(int width, int height, int frames, int flags) {
  return vex_graphics_CreateImage(width, height, frames, flags);
}

void FrameworkDevices::SetColor(float r, float g, float b) { vex_graphics_SetColor(r, g, b); }
void FrameworkDevices::SetAlpha(float alpha) { vex_graphics_SetAlpha(alpha); }
void FrameworkDevices::SetBlend(int blend) { vex_graphics_SetBlend(blend); }
void FrameworkDevices::DrawRect(float x, float y, float w, float h) { vex_graphics_DrawRect(x, y, w, h); }
bool FrameworkDevices::Clear(float r, float g, float b) {
  vex_graphics_Cls(r, g, b);
  return true;
}
int FrameworkDevices::SubpixelBits() { return vex_graphics_SubpixelBits(); }
std::span<const VexRect> FrameworkDevices::FrameAreas() { return vex_app_FrameAreas(); }
void FrameworkDevices::DrawInArea(int i) { vex_app_DrawInFrameArea(i); }
void FrameworkDevices::DrawOval(float x, float y, float w, float h) { vex_graphics_DrawOval(x, y, w, h); }
void FrameworkDevices::DrawLine(float x1, float y1, float x2, float y2) { vex_graphics_DrawLine(x1, y1, x2, y2); }

void FrameworkDevices::DrawImage(const GameImage &image, float x, float y, float rotation, float scaleX, float scaleY,
                                 int frame) {
  vex_graphics_DrawImage2(image, x, y, rotation, scaleX, scaleY, frame);
}

GameSound FrameworkDevices::LoadSound(const String &path) { return vex_audio_LoadSound(path); }
void FrameworkDevices::PlaySound(const GameSound &sound, int channel, int flags) {
  vex_audio_PlaySound(sound, channel, flags);
}
void FrameworkDevices::StopChannel(int channel) { vex_audio_StopChannel(channel); }
void FrameworkDevices::SetChannelRate(int channel, float rate) { vex_audio_SetChannelRate(channel, rate); }
void FrameworkDevices::SetChannelVolume(int channel, float volume) { vex_audio_SetChannelVolume(channel, volume); }
void FrameworkDevices::SetChannelPan(int channel, float pan) { vex_audio_SetChannelPan(channel, pan); }
void FrameworkDevices::PlayMusic(const String &path, int flags) { vex_audio_PlayMusic(path, flags); }
void FrameworkDevices::StopMusic() { vex_audio_StopMusic(); }
void FrameworkDevices::PauseMusic() { vex_audio_PauseMusic(); }
void FrameworkDevices::ResumeMusic() { vex_audio_ResumeMusic(); }

void FrameworkDevices::UpdateAsyncEvents() { vex_asyncevent_UpdateAsyncEvents(); }

int FrameworkDevices::Millisecs() { return vex_app_Millisecs(); }

void FrameworkDevices::SetKeyboardEnabled(bool enabled) {
  if (vex_app__game) vex_app__game->SetKeyboardEnabled(enabled);
}

bool FrameworkDevices::SetFullScreen(bool on) {
  VexGlfwGame *host = VexGlfwGame::_glfwGame;
  if (!host) return false;
  std::unique_ptr<VexGlfwVideoMode> desktop = host->GetGlfwDesktopMode();
  VexGlfwVideoMode mode = desktop ? *desktop : VexGlfwVideoMode{640, 480, 8, 8, 8};
  if (on)
    host->SetGlfwWindow(mode.width, mode.height, mode.red, mode.green, mode.blue, 0, 0, 0, true);
  else
    host->SetGlfwWindow(640, 480, mode.red, mode.green, mode.blue, 0, 0, 0, false);
  return true;
}

c_MyApp::c_MyApp() : c_MyApp(std::make_shared<FrameworkDevices>()) {}
