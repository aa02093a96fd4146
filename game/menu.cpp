// The main menu's map of the puzzle catalogue: its camera, the pointer's drag
// and taps, the cursor keys and the start of a puzzle; and the return from a
// finished puzzle, which records its score and saves. The map's model is in
// menu_map.cpp, its drawing in menu_draw.cpp.
#include <cstdlib>

#include "game/flow.h"
#include "game/menu_map.h"
#include "game/names.h"
#include "runtime/error.h"

namespace {

constexpr float kPitch = 116;
constexpr int kTapReach = 32;
constexpr int kDragLimit = 32;
constexpr float kPanFactor = 1.5f;
constexpr float kCameraEase = 0.125f;
constexpr float kCullMargin = 128;

int Clamp(int value, int limit) { return value < -limit ? -limit : (value > limit ? limit : value); }

} // namespace

void c_MyApp::p_Menu() {
  p_DoBG(20, 80, 160, kKeepBG);
  if (m_keyLatch == 0 && m_touchLatch == 0 && AnyPlayerHolds(kActionBack)) vexError(String());
  MoveMapCamera();

  p_SetCol(255, 255, 0, 1);
  p_Oval(kPitch * static_cast<float>(m_menuX) - m_camX, kPitch * static_cast<float>(m_menuY) - m_camY, 116, 116);
  RefreshMap(m_mapCells, m_scores);

  // The cells are walked in reading order, and a tap that moves the cursor
  // moves it during the walk: when the walk meets the tapped cell first, it
  // finds no cursor cell in this update.
  const bool onMap = m_menuX >= 0 && m_menuX < kMapSize && m_menuY >= 0 && m_menuY < kMapSize;
  int cursor = onMap ? kMapSize * m_menuY + m_menuX : -1;
  const int tapped = TappedMapCell();
  bool tapStart = false;
  if (tapped >= 0) {
    m_touchLatch = 1;
    if (tapped == cursor) {
      tapStart = true;
    } else {
      if (cursor > tapped) cursor = -1;
      m_menuX = tapped % kMapSize;
      m_menuY = tapped / kMapSize;
      p_PlaySFX(kSoundTick, 1, 1, 0);
      m_panX = m_panY = 0;
    }
  }
  const bool selectable = FocusMapCursor(cursor);
  DrawMapCells(cursor);

  const bool keyStart = MoveMapCursorByKeys();
  if ((tapStart || keyStart) && selectable) StartMapPuzzle();
  DrawMapPanel();
}

void c_MyApp::MoveMapCamera() {
  if (m_pointerDown == 0) {
    m_dragX = m_dragY = 0;
  } else if (m_pointerOldX >= 0) {
    int dx = m_pointerOldX - m_pointerX, dy = m_pointerOldY - m_pointerY;
    m_panX = static_cast<int>(static_cast<float>(m_panX) + static_cast<float>(dx) * kPanFactor);
    m_panY = static_cast<int>(static_cast<float>(m_panY) + static_cast<float>(dy) * kPanFactor);
    m_dragX += std::abs(dx);
    m_dragY += std::abs(dy);
  }
  m_panX = Clamp(m_panX, static_cast<int>(vex_Tilemarch_jscrw / 2));
  m_panY = Clamp(m_panY, static_cast<int>(vex_Tilemarch_jscrh / 2));
  m_camX += (static_cast<float>(m_panX) + m_camTargetX - m_camX) * kCameraEase;
  m_camY += (static_cast<float>(m_panY) + m_camTargetY - m_camY) * kCameraEase;
}

bool c_MyApp::MapCellShown(int col, int row, float &x, float &y) const {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  x = kPitch * static_cast<float>(col) - m_camX;
  y = kPitch * static_cast<float>(row) - m_camY;
  return !(x <= -kCullMargin || x >= W + kCullMargin || y <= -kCullMargin || y >= H + kCullMargin);
}

// A tap counts once, and not at the end of a drag.
int c_MyApp::TappedMapCell() const {
  if (m_touchLatch != 0 || m_dragX >= kDragLimit || m_dragY >= kDragLimit) return -1;
  for (int r = 0; r < kMapSize; ++r) {
    for (int c = 0; c < kMapSize; ++c) {
      float x, y;
      if (MapCellShown(c, r, x, y) && TouchInBox(x, y, {-kTapReach, -kTapReach, kTapReach, kTapReach}))
        return kMapSize * r + c;
    }
  }
  return -1;
}

// Points the camera at the cursor cell and tells whether it can start.
bool c_MyApp::FocusMapCursor(int cursor) {
  m_selLevel = 0;
  if (cursor < 0) return false;
  const int c = cursor % kMapSize, r = cursor / kMapSize;
  m_camTargetX = kPitch * static_cast<float>(c) - vex_Tilemarch_jscrw / 2;
  m_camTargetY = kPitch * static_cast<float>(r) - vex_Tilemarch_jscrh / 2;
  m_selLevel = PuzzleAt(c, r);
  return CellOpen(m_mapCells, c, r);
}

// Each direction is asked in turn, so one update can move on both axes.
bool c_MyApp::MoveMapCursorByKeys() {
  if (m_keyLatch != 0) return false;
  auto move = [this](int &coordinate, int step) {
    coordinate += step;
    p_PlaySFX(kSoundTick, 1, 1, 0);
    m_keyLatch = 1;
    m_panX = m_panY = 0;
  };
  if (AnyPlayerHolds(kActionLeft) && m_menuX > 0) move(m_menuX, -1);
  if (AnyPlayerHolds(kActionRight) && m_menuX < kMapSize - 1) move(m_menuX, 1);
  if (AnyPlayerHolds(kActionUp) && m_menuY > 0) move(m_menuY, -1);
  if (AnyPlayerHolds(kActionDown) && m_menuY < kMapSize - 1) move(m_menuY, 1);
  if (!AnyPlayerHolds(kActionButton1) && !AnyPlayerHolds(kActionButton2)) return false;
  m_keyLatch = 1;
  return true;
}

// The way the puzzle was started picks how its controls are shown.
void c_MyApp::StartMapPuzzle() {
  p_PlaySFX(kSoundKnock, 1);
  m_level = m_selLevel;
  m_state = kStateStartPuzzle;
  m_panX = m_panY = 0;
  if (m_touchLatch != 0) m_controlMode = 2;
  if (m_pointerDown == 0) m_controlMode = 1;
  if (AnyPlayerHoldsButton()) m_controlMode = 0;
  m_keyLatch = m_touchLatch = 1;
}

void c_MyApp::p_LoadMenu() {
  m_scoreRank = -1;
  LockMap(m_mapCells);

  // Only the menu starts puzzles, so m_level is 0..224; anything else would
  // write outside the puzzle's own entries.
  if (m_level > 0 && m_level <= kPuzzles) {
    const int b = 2 * (m_level - 1), s = m_newScore;
    if (s > m_scores[b]) {
      m_scores[b + 1] = m_scores[b];
      m_scores[b] = s;
      m_scoreRank = 0;
    } else if (s > m_scores[b + 1]) {
      m_scores[b + 1] = s;
      m_scoreRank = 1;
    }
    m_scores[kLatestScores + b + 1] = m_scores[kLatestScores + b];
    m_scores[kLatestScores + b] = s;
  }
  p_Save();
}
