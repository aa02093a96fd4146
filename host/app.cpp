// c_App, c_GameDelegate and the app module.
#include "host/app.h"

#include <algorithm>
#include <unordered_set>

#include "audio/audio_device.h"
#include "graphics/graphics.h"
#include "graphics/graphics_device.h"
#include "host/glfw_game.h"
#include "input/input_device.h"
#include "input/key_codes.h"
#include "runtime/error.h"

c_App *vex_app__app = nullptr;
c_GameDelegate *vex_app__delegate = nullptr;
VexGame *vex_app__game = nullptr;
int vex_app__updateRate = 0;
int vex_app__devWidth = 0, vex_app__devHeight = 0;
Array<c_DisplayMode> vex_app__displayModes;
std::unique_ptr<c_DisplayMode> vex_app__desktopMode;

namespace {
// The delegate lives as long as the application that registered it.
std::unique_ptr<c_GameDelegate> ownedDelegate;
} // namespace

void vexInit() {
  vex_app__app = nullptr;
  vex_app__delegate = nullptr;
  vex_app__game = VexGame::_game;
  vex_app__updateRate = 0;
  vex_app__devWidth = vex_app__devHeight = 0;
  vex_app__displayModes = Array<c_DisplayMode>();
  vex_app__desktopMode.reset();
  vex_graphics_device = nullptr;
  vex_audio_device = nullptr;
  vex_input_device = nullptr;
}

c_App::c_App() {
  if (vex_app__app) vexError("App has already been created");
  vex_app__app = this;
  ownedDelegate = std::make_unique<c_GameDelegate>();
  vex_app__delegate = ownedDelegate.get();
  if (vex_app__game) vex_app__game->SetDelegate(vex_app__delegate);
}

c_App::~c_App() {
  if (vex_app__app != this) return;
  if (vex_app__game && vex_app__game->Delegate() == vex_app__delegate) vex_app__game->SetDelegate(nullptr);
  vex_app__app = nullptr;
  vex_app__delegate = nullptr;
  ownedDelegate.reset();
}

void c_App::p_OnClose() { vex_app_EndApp(); }
void c_App::p_OnBack() { vex_app_EndApp(); }

c_GameDelegate::c_GameDelegate() = default;

c_GameDelegate::~c_GameDelegate() {
  if (vex_graphics_device == m_graphics.get()) vex_graphics_device = nullptr;
  if (vex_audio_device == m_audio.get()) vex_audio_device = nullptr;
  if (vex_input_device == m_input.get()) vex_input_device = nullptr;
}

void c_GameDelegate::StartGame() {
  m_graphics = std::make_unique<gxtkGraphics>(
      [] { return VexGlfwGame::_glfwGame ? VexGlfwGame::_glfwGame->Window() : nullptr; });
  vex_graphics_SetGraphicsDevice(m_graphics.get());
  vex_graphics_SetFont(nullptr, 32);
  m_audio = std::make_unique<gxtkAudio>();
  vex_audio_SetAudioDevice(m_audio.get());
  m_input = std::make_unique<c_InputDevice>(vex_app__game);
  vex_input_SetInputDevice(m_input.get());
  vex_app_ValidateDeviceWindow(false);
  vex_app_EnumDisplayModes();
  vex_app__app->p_OnCreate();
}

void c_GameDelegate::SuspendGame() {
  vex_app__app->p_OnSuspend();
  m_audio->Suspend();
}

void c_GameDelegate::ResumeGame() {
  m_audio->Resume();
  vex_app__app->p_OnResume();
}

void c_GameDelegate::UpdateGame() {
  vex_app_ValidateDeviceWindow(true);
  m_input->p_BeginUpdate();
  vex_app__app->p_OnUpdate();
  m_input->p_EndUpdate();
}

void c_GameDelegate::RenderGame() {
  vex_app_ValidateDeviceWindow(true);
  int mode = m_graphics->BeginRender();
  if (mode) vex_graphics_BeginRender();
  if (mode == 2)
    vex_app__app->p_OnLoading();
  else
    vex_app__app->p_OnRender();
  if (mode) vex_graphics_EndRender();
  m_graphics->EndRender();
}

bool c_GameDelegate::PictureChanged() { return vex_app__app->p_PictureChanged(); }
bool c_GameDelegate::ChangedAreas(VexAreas &areas) { return vex_app__app->p_ChangedAreas(areas); }

void c_GameDelegate::ClipFrame(std::span<const VexRect> areas) {
  m_frameAreas.assign(areas.begin(), areas.end());
  if (areas.empty())
    m_graphics->ClearFrameClip();
  else
    DrawInFrameArea(-1);
}

// What an application draws before it chooses an area still lands inside
// them all; the scissor it set is confined to the new clip at once.
void c_GameDelegate::DrawInFrameArea(int i) {
  if (m_frameAreas.empty()) return;
  VexRect clip;
  if (i >= 0 && i < static_cast<int>(m_frameAreas.size())) {
    clip = m_frameAreas[static_cast<size_t>(i)];
  } else {
    int x0 = m_frameAreas[0].x, y0 = m_frameAreas[0].y, x1 = x0, y1 = y0;
    for (const VexRect &a : m_frameAreas) {
      x0 = std::min(x0, a.x), y0 = std::min(y0, a.y);
      x1 = std::max(x1, a.x + a.width), y1 = std::max(y1, a.y + a.height);
    }
    clip = {x0, y0, x1 - x0, y1 - y0};
  }
  m_graphics->SetFrameClip(clip.x, clip.y, clip.width, clip.height);
  const c_GraphicsContext &c = *vex_graphics_context;
  if (vex_graphics_renderDevice)
    vex_graphics_SetScissor(c.m_scissor_x, c.m_scissor_y, c.m_scissor_width, c.m_scissor_height);
}

void c_GameDelegate::KeyEvent(int event, int data) {
  m_input->p_KeyEvent(event, data);
  if (event != KeyDown) return;
  if (data == keycode::kClose)
    vex_app__app->p_OnClose();
  else if (data == keycode::kBack)
    vex_app__app->p_OnBack();
}

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) { m_input->p_MouseEvent(event, data, x, y); }
void c_GameDelegate::TouchEvent(int event, int data, float x, float y) { m_input->p_TouchEvent(event, data, x, y); }
void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
  m_input->p_MotionEvent(event, data, x, y, z);
}
void c_GameDelegate::DiscardGraphics() { m_graphics->DiscardGraphics(); }

void vex_app_SetUpdateRate(int hertz) {
  vex_app__updateRate = hertz;
  vex_app__game->SetUpdateRate(hertz);
}

int vex_app_UpdateRate() { return vex_app__updateRate; }
int vex_app_Millisecs() { return vex_app__game ? vex_app__game->Millisecs() : 0; }
int vex_app_DeviceWidth() { return vex_app__devWidth; }
int vex_app_DeviceHeight() { return vex_app__devHeight; }

std::span<const VexRect> vex_app_FrameAreas() {
  if (!vex_app__delegate) return {};
  return vex_app__delegate->m_frameAreas;
}

void vex_app_DrawInFrameArea(int i) {
  if (vex_app__delegate) vex_app__delegate->DrawInFrameArea(i);
}

void vex_app_ValidateDeviceWindow(bool notifyApp) {
  int w = vex_app__game->GetDeviceWidth(), h = vex_app__game->GetDeviceHeight();
  if (w == vex_app__devWidth && h == vex_app__devHeight) return;
  vex_app__devWidth = w;
  vex_app__devHeight = h;
  if (notifyApp && vex_app__app) vex_app__app->p_OnResize();
}

Array<c_DisplayMode> DistinctDisplayModes(const Array<VexDisplayMode> &modes) {
  std::unordered_set<int> seen;
  std::vector<c_DisplayMode> out;
  for (const VexDisplayMode &mode : modes) {
    int key = (mode.width << 16) | mode.height;
    if (!seen.insert(key).second) continue;
    out.push_back({mode.width, mode.height});
  }
  return Array<c_DisplayMode>(out);
}

void vex_app_EnumDisplayModes() {
  vex_app__displayModes = DistinctDisplayModes(vex_app__game->GetDisplayModes());
  auto desktop = vex_app__game->GetDesktopMode();
  vex_app__desktopMode = std::make_unique<c_DisplayMode>();
  if (desktop)
    *vex_app__desktopMode = {desktop->width, desktop->height};
  else
    *vex_app__desktopMode = {vex_app_DeviceWidth(), vex_app_DeviceHeight()};
}

Array<c_DisplayMode> vex_app_DisplayModes() { return vex_app__displayModes; }
c_DisplayMode *vex_app_DesktopMode() { return vex_app__desktopMode.get(); }
int vex_app_SaveState(const String &state) { return vex_app__game->SaveState(state); }
String vex_app_LoadState() { return vex_app__game->LoadState(); }
void vex_app_EndApp() { vexError(String()); }
