// The pause menu over a running puzzle: the darkening fade, and the sliding
// resume, quit and options buttons with their key selection. The pendulum toy
// behind it is in pendulum.cpp.
#include <cstdlib>

#include "game/flow.h"
#include "game/names.h"

namespace {

constexpr int kSlideStep = 24;
constexpr int kResumeFrame = 3, kQuitFrame = 1, kMarkerFrame = 6;
constexpr int kSelQuit = -1, kSelResume = 0, kSelOptions = 1;

} // namespace

void c_MyApp::p_PauseMenu() {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  p_DoBG(kKeepBG, kKeepBG, kKeepBG, kKeepBG);
  p_SetCol(0, 0, 0, static_cast<float>(std::abs(m_pauseSlide)) / (0.8f * H));
  p_Rect(0, 0, W, H);
  SlidePauseMenu();

  const ScreenPoint pivot = SwingPendulum();
  p_SetCol(255, 255, 255, 1);
  p_SetSize(4);
  p_Text(pivot.x, pivot.y, "PAUSED");

  PauseMenuButtons();
  MovePauseSelection();
  if (m_keyLatch == 0 && AnyPlayerHolds(kActionBack)) {
    m_keyLatch = 1;
    ResumeFromPause();
  }
}

// In while the menu opens; out while it closes, ending the pause once out.
void c_MyApp::SlidePauseMenu() {
  if (m_pauseDir == 1 && static_cast<float>(m_pauseSlide) < vex_Tilemarch_jscrh / 2) m_pauseSlide += kSlideStep;
  if (m_pauseDir != -1) return;
  if (m_pauseSlide < -63) {
    m_paused = 0;
  } else {
    m_pauseSlide -= kSlideStep;
    if (m_pauseSlide < -32) m_paused = 0;
  }
}

void c_MyApp::ResumeFromPause() {
  m_pauseDir = -1;
  p_PlaySFX(kSoundKnock, 1, 0.5f, 0);
}

void c_MyApp::QuitFromPause() {
  m_paused = 0;
  m_pauseDir = -1;
  m_pauseSlide = -64;
  m_endState = 1;
  m_endReason = kEndQuit;
  p_PlaySFX(kSoundKnock, 0.5f, 0.5f, 0);
}

// Each button answers a tap, or the confirm action while it is selected; the
// marker rings the selected one. In portrait quit and options sit in a row
// that slides down from the top.
void c_MyApp::PauseMenuButtons() {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  const float x0 = static_cast<float>(static_cast<int>(64 - (H / 2 - static_cast<float>(m_pauseSlide))));
  float quitX = x0, quitY = 96, optionsX = x0, optionsY = 296;
  const float resumeX = x0, resumeY = 196;
  if (m_landscape != 1) {
    quitX = static_cast<float>(static_cast<int>(W / 2 - 96));
    optionsX = static_cast<float>(static_cast<int>(W / 2 + 96));
    quitY = optionsY = static_cast<float>(m_pauseSlide - 96);
  }
  const bool confirm = AnyPlayerHolds(kActionButton1);

  p_SetSize(2);
  if (p_Button(kIconsSlot, resumeX, resumeY, kResumeFrame) != 0 && m_touchLatch == 0) {
    ResumeFromPause();
    m_touchLatch = 1;
  } else if (m_pauseSel == kSelResume && confirm && m_keyLatch == 0) {
    ResumeFromPause();
    m_keyLatch = 1;
  }

  p_SetSize(2);
  if (p_Button(kIconsSlot, quitX, quitY, kQuitFrame) != 0 && m_touchLatch == 0) {
    QuitFromPause();
    m_touchLatch = 1;
  } else if (m_pauseSel == kSelQuit && confirm && m_keyLatch == 0) {
    QuitFromPause();
    m_keyLatch = m_touchLatch = 1;
  }

  if (m_optionsOpen == 0) m_gearAngle += 0.2f;
  if (p_Gear(optionsX, optionsY, 1) != 0 && m_touchLatch == 0) {
    m_optionsOpen = 1;
    m_touchLatch = 1;
    p_PlaySFX(kSoundTick, 1, 1, 0);
  } else if (m_pauseSel == kSelOptions && confirm && m_keyLatch == 0) {
    m_optionsOpen = 1;
    m_keyLatch = 1;
    p_PlaySFX(kSoundKnock, 1, 0.5f, 0);
  }

  float markX = resumeX, markY = resumeY;
  if (m_pauseSel == kSelQuit) markX = quitX, markY = quitY;
  if (m_pauseSel == kSelOptions) markX = optionsX, markY = optionsY;
  p_SetCol(255, 255, 100, 1);
  p_SetSize(2.5f);
  p_DrawImg(kIconsSlot, markX, markY, kMarkerFrame);
  p_ResetDraw();
}

// Up and down move between the buttons without wrapping.
void c_MyApp::MovePauseSelection() {
  if (m_keyLatch != 0) return;
  auto select = [this](int button, float rate) {
    m_pauseSel = button;
    m_keyLatch = 1;
    p_PlaySFX(kSoundTick, rate, 0.5f, 0);
  };
  if (m_pauseSel == kSelResume && AnyPlayerHolds(kActionUp))
    select(kSelQuit, 0.8f);
  else if (m_pauseSel == kSelResume && AnyPlayerHolds(kActionDown))
    select(kSelOptions, 1.2f);
  else if (m_pauseSel == kSelQuit && AnyPlayerHolds(kActionDown))
    select(kSelResume, 0.8f);
  else if (m_pauseSel == kSelOptions && AnyPlayerHolds(kActionUp))
    select(kSelResume, 0.8f);
}
