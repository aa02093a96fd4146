// c_MyApp's creation, the update skeleton every screen shares (global keys,
// pointer and touch sampling, input latches, the screen dispatch), suspend and
// resume, and the full-screen toggle.
#include "game/flow.h"

#include "game/greeting.h"
#include "game/levels/random.h"
#include "game/names.h"
#include "host/app.h"
#include "input/key_codes.h"

int vex_Tilemarch_DebugMode = 0;
int vex_Tilemarch_UseHDImages = 1;
int vex_Tilemarch_HasMusicStream = 1;
int vex_Tilemarch_iCadeControls = 0;
float vex_Tilemarch_rawscrw = 640, vex_Tilemarch_rawscrh = 480;
float vex_Tilemarch_jscrw = 640, vex_Tilemarch_jscrh = 480;
float vex_Tilemarch_overscan = 0;
int vex_Tilemarch_GameNum = 415;
int vex_Tilemarch_J_On_Allow = 0;
int vex_Tilemarch_J_On_Able = 0;

void vexInitTilemarch() {
  vex_Tilemarch_DebugMode = 0;
  vex_Tilemarch_UseHDImages = 1;
  vex_Tilemarch_HasMusicStream = 1;
  vex_Tilemarch_iCadeControls = 0;
  vex_Tilemarch_rawscrw = 640;
  vex_Tilemarch_rawscrh = 480;
  vex_Tilemarch_jscrw = 640;
  vex_Tilemarch_jscrh = 480;
  vex_Tilemarch_overscan = 0;
  vex_Tilemarch_GameNum = 415;
  vex_Tilemarch_J_On_Allow = 0;
  vex_Tilemarch_J_On_Able = 0;
  vex_Tilemarch_GreetingUrl = kGreetingServiceUrl;
}

namespace {
constexpr int kUntouched = -3717;
} // namespace

c_MyApp::c_MyApp(std::shared_ptr<GameDevices> devices) : m_devices(std::move(devices)) {
  SetRandomClock(vex_app_Millisecs);
  for (int i = 0; i < 10; ++i) m_touchX[i] = m_touchY[i] = kUntouched;
}

c_MyApp::~c_MyApp() = default;

void c_MyApp::p_OnCreate() {
  m_fullscreen = 0;
  m_logoJingle = 0;
  m_selLevel = 1;
  m_camX = m_camY = 0;
  m_state = kStateMap;
  if (vex_Tilemarch_J_On_Allow == 1)
    p_GetURL(vex_Tilemarch_GreetingUrl, "hello=1&gameID=" + String(vex_Tilemarch_GameNum));
  vex_app_SetUpdateRate(60);
  m_devW = vex_app_DeviceWidth();
  m_devH = vex_app_DeviceHeight();
  m_analogX = m_analogY = 0;
  p_Reload();
  m_level = 2;
  m_paused = 0;
  m_pauseDir = -1;
  m_pauseSlide = -64;
  for (int i = 0; i < 15; ++i) m_badgeShow[i] = m_badgeTimer[i] = 0;
  for (int i = 0; i < 128; ++i) m_badges[i] = false;
  for (int i = 0; i <= 18; ++i) m_vButtons[i] = 0;
  for (int i = 0; i < kSettingCount; ++i) m_settings[i] = 0;
  m_settings[kSettingSoundMode] = kSoundEffectsAndMusic;
  for (int i = 0; i <= 448; ++i) m_scores[i] = 0;
  p_Load();
  for (int i = 0; i <= 32; ++i) m_channels[i] = i;
}

void c_MyApp::p_OnUpdate() {
  GameDevices &dev = *m_devices;
  if (dev.KeyHit(keycode::kF1)) vex_Tilemarch_DebugMode = 1 - vex_Tilemarch_DebugMode;
  if (dev.KeyHit(keycode::kF2)) m_cleanView = 1 - m_cleanView;
  if (dev.KeyHit(keycode::kF11)) p_FullscreenFlip();
  if (dev.KeyHit(keycode::kF4)) vex_app_EndApp();

  dev.UpdateAsyncEvents();

  if (vex_Tilemarch_HasMusicStream == 1 && m_musicOn == 1) {
    if (m_paused == 1)
      dev.PauseMusic();
    else
      dev.ResumeMusic();
  }

  SamplePointer();
  UpdateKeyLatch();

  if (m_resizeWait > 1) --m_resizeWait;
  if (m_loadStep == 0) {
    RunScreen();
    if (m_optionsOpen == 1 || m_optionsSlide > 0) {
      p_OptionBox();
      if (m_optionsOpen == 1) {
        if (m_optionsSlide < 30) ++m_optionsSlide;
      } else if (m_optionsSlide > 0) {
        --m_optionsSlide;
      }
    }
  }
  if (m_loadStep > 0) p_Loader();

  if (vex_Tilemarch_iCadeControls == 1) {
    for (int c = dev.GetChar(); c != 0; c = dev.GetChar()) {
      m_lastChar = c;
      p_iCadeChar(c);
    }
    m_lastChar = 0;
  }

  if (vex_Tilemarch_DebugMode == 1) DrawDebugOverlay();
  p_ShowBadges();
}

void c_MyApp::SamplePointer() {
  GameDevices &dev = *m_devices;
  auto toVirtual = [&](int &x, int &y, float deviceX, float deviceY) {
    ViewMapping::Point at = m_view.ToVirtual(deviceX, deviceY);
    x = static_cast<int>(at.x);
    y = static_cast<int>(at.y);
  };

  m_pointerOldX = m_pointerX;
  m_pointerOldY = m_pointerY;
  toVirtual(m_pointerX, m_pointerY, dev.MouseX(), dev.MouseY());
  // A click pressed and released between two updates counts as held for that
  // one update; otherwise a quick click on a busy machine is lost.
  int left = dev.KeyDown(keycode::kMouseLeft) || dev.KeyHit(keycode::kMouseLeft) ? 1 : 0;
  if (left && m_pointerWasDown == 0) {
    m_pointerOldX = m_pointerX;
    m_pointerOldY = m_pointerY;
  }
  m_pointerDown = left;

  for (int i = 0; i < 10; ++i) {
    m_touchDown[i] = 0;
    m_touchX[i] = m_touchY[i] = kUntouched;
    if (!dev.KeyDown(keycode::kTouchFirst + i) && !dev.KeyHit(keycode::kTouchFirst + i)) continue;
    m_touchDown[i] = 1;
    toVirtual(m_touchX[i], m_touchY[i], dev.TouchX(i), dev.TouchY(i));
    m_pointerDown = 1;
  }

  m_pointerWasDown = left;
  if (m_pointerDown == 0) m_touchLatch = 0;
}

void c_MyApp::UpdateKeyLatch() {
  bool held = false;
  for (int action : kLatchActions) {
    for (int player = 0; player < 4 && !held; ++player) held = p_PlayKey(action, 1, player) != 0;
    if (held) break;
  }
  if (!held) m_keyLatch = 0;
  if (m_optionsOpen == 1) m_keyLatch = m_touchLatch = 1;
}

void c_MyApp::RunScreen() {
  switch (m_state) {
  case kStateMap:
    p_Menu();
    break;
  case kStateBackToMap:
    p_LoadMenu();
    p_PlaySFX(kSoundChimes, 1);
    m_state = kStateMap;
    break;
  case kStatePuzzle:
    if (m_paused != 1) p_Game();
    p_InGame();
    break;
  case kStateStartPuzzle:
    p_LoadGame();
    break;
  default:
    break;
  }
  // The banner belongs to the state the handler left behind.
  if (m_state == kStateMap || m_state == kStateBackToMap || (m_state == kStatePuzzle && m_endState > 0)) p_GameOver();
}

void c_MyApp::DrawDebugOverlay() {
  p_ResetDraw();
  p_Text(16, vex_Tilemarch_jscrh - 16, String(m_view.scale) + "," + String(m_view.scale) + ":" + String(m_renderFpsAvg),
         0, 0, 0);
}

void c_MyApp::p_OnSuspend() {
  ReleaseControls();
  PauseIfPlaying();
  vex_app_SetUpdateRate(5);
  p_Save();
}

void c_MyApp::p_OnResume() {
  PauseIfPlaying();
  vex_app_SetUpdateRate(60);
  ReleaseControls();
}

// A player coming back to a puzzle finds it behind the pause menu, already
// open; elsewhere no pause menu is left showing.
void c_MyApp::PauseIfPlaying() {
  if (m_state >= kStatePuzzle) {
    m_paused = 1;
    m_pauseDir = 1;
    m_pauseSlide = static_cast<int>(vex_Tilemarch_jscrh * 0.5f);
  } else {
    m_paused = m_pauseDir = m_pauseSlide = 0;
  }
}

// Virtual buttons held when the window lost focus would otherwise stay down;
// the virtual keyboard and the iCade mapping start off again.
void c_MyApp::ReleaseControls() {
  m_devices->SetKeyboardEnabled(false);
  vex_Tilemarch_iCadeControls = 0;
  for (int i = 0; i <= 18; ++i) m_vButtons[i] = 0;
}

void c_MyApp::p_FullscreenFlip() {
  if (m_devices->SetFullScreen(m_fullscreen == 0)) m_fullscreen = 1 - m_fullscreen;
}
