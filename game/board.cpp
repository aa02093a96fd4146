// Starting a puzzle (the resets and the loading of its picture) and the part of
// a running puzzle that works while paused too: the pause request by the back
// action or the pause icon.
#include <algorithm>

#include "game/board_rules.h"
#include "game/flow.h"
#include "game/names.h"

namespace {
constexpr int kPauseIconFrame = 0;
constexpr float kPauseIconX = 16, kPauseIconY = 16;
} // namespace

// Only the 32 x 32 cell records are ever written; clearing just them leaves
// the rest of the store untouched, so its pages never become resident.
void c_MyApp::p_ResetGrid() { std::fill(m_grid.begin(), m_grid.begin() + kGridSide * kGridSide * kGridRecord, 0.0f); }

void c_MyApp::p_ResetPlayers() { std::fill(m_tmpF.begin(), m_tmpF.begin() + kTmpPlayerEntries, 0.0f); }

void c_MyApp::p_FlushGame() {
  p_ResetGrid();
  p_ResetStars(100);
  p_ResetParticles(250);
  p_ResetPlayers();
  m_paused = 0;
  m_newScore = 0;
  m_endState = 0;
  m_endTimer = 0;
  m_endReason = kEndNone;
  m_camX = m_camY = 0;
  m_camTargetX = m_camTargetY = 0;
}

void c_MyApp::p_LoadGame() {
  m_state = kStatePuzzle;
  p_PlayTune("testmusic", 1);
  p_FlushGame();
  p_GetLev(0);
  if (m_level == 0) {
    p_GetLev(-1);
    m_tmpF[kTmpTutorialStep] = -1;
  }
}

namespace {
void Pause(c_MyApp &app) {
  app.m_paused = 1;
  app.m_pauseDir = 1;
  app.m_pauseSel = 0;
  app.p_PlaySFX(kSoundKnock, 0.5f);
}

bool PauseIconPressed(const c_MyApp &app) {
  return app.m_pointerDown > 0 && app.TouchInBox(kPauseIconX, kPauseIconY, app.FrameBox(kIconsSlot));
}
} // namespace

void c_MyApp::p_InGame() {
  p_ResetDraw();
  if (m_paused == 0 && m_keyLatch == 0 && p_PlayKeyAll(kActionBack, 1) > 0) {
    m_keyLatch = 1;
    Pause(*this);
  }
  if (m_cleanView == 0) {
    p_Alpha(m_controlMode == 2 ? 1.0f : 0.2f);
    p_DrawImg(kIconsSlot, kPauseIconX, kPauseIconY, kPauseIconFrame);
    // A touch still held from the tap that resumed must not pause again.
    if (m_paused == 0 && m_touchLatch == 0 && PauseIconPressed(*this)) {
      m_touchLatch = 1;
      Pause(*this);
    }
    p_Alpha(1);
  }
  if (m_paused == 1) p_PauseMenu();
}
