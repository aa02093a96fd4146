// The main menu: a 15 x 15 map of the puzzle catalogue with the How-To cell in
// the middle, conquered outward from solved cells; and the return from a
// finished puzzle, which records its score and saves.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/flow.h"
#include "game/render.h"
#include "runtime/error.h"

namespace {

constexpr int kMapSize = 15;
constexpr int kRowStride = 16;
constexpr float kPitch = 116;
constexpr int kHowToX = 6, kHowToY = 7;
constexpr int kHowToIndex = kMapSize * kHowToY + kHowToX;
constexpr int kPuzzles = 224;
constexpr int kLatestBase = 448;

// Entries of m_mapCells beside the lock flags.
constexpr int kScoreSum = 250;
constexpr int kOpenCount = 251;
constexpr int kSolvedCount = 252;
constexpr int kBestBase = 500;
constexpr int kHowToBest = 500;

constexpr int kTapReach = 32;
constexpr int kDragLimit = 32;
constexpr float kPanFactor = 1.5f;
constexpr float kCameraEase = 0.125f;
constexpr float kCullMargin = 128;

constexpr int kButtonsSlot = 95;
constexpr int kFirstSheetSlot = 11, kLastSheetSlot = 24;
constexpr int kLogoSlot = 98;
constexpr int kLockedFrame = 2, kOpenFrame = 1;

constexpr int kSoundMove = 99, kSoundStart = 98;

// Puzzle number of a map cell, 0 for the How-To cell.
int PuzzleAt(int index) {
  if (index < kHowToIndex) return index + 1;
  if (index > kHowToIndex) return index;
  return 0;
}

int Clamp(int value, int limit) { return value < -limit ? -limit : (value > limit ? limit : value); }

} // namespace

void c_MyApp::p_Menu() {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  p_DoBG(20, 80, 160, kKeepBG);

  auto anyPlayer = [this](int action) { return p_PlayKeyAll(action, 1) > 0; };

  if (m_keyLatch == 0 && m_touchLatch == 0 && anyPlayer(99)) vexError(String());

  if (m_pointerDown == 0) {
    m_dragX = m_dragY = 0;
  } else if (m_pointerOldX >= 0) {
    int dx = m_pointerOldX - m_pointerX, dy = m_pointerOldY - m_pointerY;
    m_panX = static_cast<int>(static_cast<float>(m_panX) + static_cast<float>(dx) * kPanFactor);
    m_panY = static_cast<int>(static_cast<float>(m_panY) + static_cast<float>(dy) * kPanFactor);
    m_dragX += std::abs(dx);
    m_dragY += std::abs(dy);
  }
  m_panX = Clamp(m_panX, static_cast<int>(W / 2));
  m_panY = Clamp(m_panY, static_cast<int>(H / 2));

  m_camX += (static_cast<float>(m_panX) + m_camTargetX - m_camX) * kCameraEase;
  m_camY += (static_cast<float>(m_panY) + m_camTargetY - m_camY) * kCameraEase;
  m_selLevel = 0;
  bool selectable = false;

  p_SetCol(255, 255, 0, 1);
  p_Oval(kPitch * static_cast<float>(m_menuX) - m_camX, kPitch * static_cast<float>(m_menuY) - m_camY, 116, 116);

  m_mapCells[kScoreSum] = m_mapCells[kOpenCount] = m_mapCells[kSolvedCount] = 0;
  m_mapCells[kRowStride * kHowToY + kHowToX] = 0;
  // Scores come from the save file; a forged one must not overflow the sum.
  uint32_t scoreSum = 0;
  bool tapStart = false;
  const int cellsFrom = m_drawCount;

  for (int r = 0; r < kMapSize; ++r) {
    for (int c = 0; c < kMapSize; ++c) {
      const float x = kPitch * static_cast<float>(c) - m_camX, y = kPitch * static_cast<float>(r) - m_camY;
      const int cell = kRowStride * r + c;
      const int n = PuzzleAt(kMapSize * r + c);
      int &best = m_mapCells[kBestBase + cell];
      if (n > 0) {
        best = m_scores[2 * (n - 1)];
        scoreSum += static_cast<uint32_t>(best);
      } else {
        best = kHowToBest;
      }

      if ((c > 0 && m_mapCells[kBestBase + cell - 1] > 0) || (r > 0 && m_mapCells[kBestBase + cell - kRowStride] > 0) ||
          m_mapCells[kBestBase + cell + 1] > 0 || m_mapCells[kBestBase + cell + kRowStride] > 0)
        m_mapCells[cell] = 0;
      const bool open = m_mapCells[cell] == 0;
      if (open) ++m_mapCells[kOpenCount];
      if (n > 0 && best > 0) ++m_mapCells[kSolvedCount];

      const bool cursor = c == m_menuX && r == m_menuY;
      if (cursor) {
        selectable = open;
        m_camTargetX = kPitch * static_cast<float>(c) - W / 2;
        m_camTargetY = kPitch * static_cast<float>(r) - H / 2;
        m_selLevel = n;
      }

      if (x <= -kCullMargin || x >= W + kCullMargin || y <= -kCullMargin || y >= H + kCullMargin) continue;

      bool hit = false;
      for (int i = 0; i < 10 && !hit; ++i)
        hit = m_touchDown[i] == 1 && std::abs(static_cast<float>(m_touchX[i]) - x) < kTapReach &&
              std::abs(static_cast<float>(m_touchY[i]) - y) < kTapReach;
      if (hit && m_touchLatch == 0 && m_dragX < kDragLimit && m_dragY < kDragLimit) {
        m_touchLatch = 1;
        if (cursor) {
          tapStart = true;
        } else {
          m_menuX = c;
          m_menuY = r;
          p_PlaySFX(kSoundMove, 1, 1, 0);
          m_panX = m_panY = 0;
        }
      }

      const float base = cursor ? 1.5f : 1.0f, enlarged = base * 1.1f;
      if (n == 0) {
        p_SetSize(enlarged);
        p_SetCol(0, 128, 255, 1);
        p_Oval(x, y, 48, 48);
        p_SetCol(255, 255, 255, 1);
        p_Text(x, y - 8, "How To");
        p_Text(x, y + 8, "Play");
        continue;
      }
      p_SetCol(255, 255, 255, 1);
      p_SetSize(base);
      p_DrawTile(n, x, y);
      p_SetSize(enlarged);
      if (!open)
        p_DrawImg(kButtonsSlot, x, y, kLockedFrame);
      else if (best <= 0)
        p_DrawImg(kButtonsSlot, x, y, kOpenFrame);
      if (!cursor) continue;

      p_SetCol(180, 220, 255, 0.85f);
      p_Oval(x - 70, y - 70, 32, 32);
      p_SetCol(255, 255, 255, 1);
      p_SetSize(enlarged / 2);
      p_Text(x - 70, y - 84, "Puzzle");
      p_SetSize(enlarged);
      p_Text(x - 70, y - 70, String(n));
      if (best > 0) {
        p_SetCol(180, 220, 255, 0.85f);
        p_Oval(x + 70, y - 70, 32, 32);
        p_SetCol(255, 255, 255, 1);
        p_SetSize(enlarged / 2);
        p_Text(x + 70, y - 84, "Score");
        p_SetSize(enlarged);
        p_Text(x + 70, y - 70, String(best));
      }
    }
  }
  m_mapCells[kScoreSum] = static_cast<int32_t>(scoreSum);
  LayerMapCells(cellsFrom);

  bool keyStart = false;
  if (m_keyLatch == 0) {
    auto move = [this](int &coordinate, int step) {
      coordinate += step;
      p_PlaySFX(kSoundMove, 1, 1, 0);
      m_keyLatch = 1;
      m_panX = m_panY = 0;
    };
    if (anyPlayer(3) && m_menuX > 0) move(m_menuX, -1);
    if (anyPlayer(5) && m_menuX < kMapSize - 1) move(m_menuX, 1);
    if (anyPlayer(0) && m_menuY > 0) move(m_menuY, -1);
    if (anyPlayer(8) && m_menuY < kMapSize - 1) move(m_menuY, 1);
    if (anyPlayer(10) || anyPlayer(11)) {
      m_keyLatch = 1;
      keyStart = true;
    }
  }

  if ((tapStart || keyStart) && selectable) {
    p_PlaySFX(kSoundStart, 1);
    m_level = m_selLevel;
    m_state = 11;
    m_panX = m_panY = 0;
    if (m_touchLatch != 0) m_controlMode = 2;
    if (m_pointerDown == 0) m_controlMode = 1;
    for (int action = 10; action <= 15; ++action)
      if (anyPlayer(action)) m_controlMode = 0;
    m_keyLatch = m_touchLatch = 1;
  }

  p_SetSize(1);
  p_SetCol(0, 0, 80, 0.85f);
  p_Rect(0, H - 64, 320, 240);
  p_SetCol(255, 255, 255, 1);
  p_SetSize(2);
  p_Text(16, H - 32, "Complete", 0, 2, 0);
  p_Text(128, H - 32, ": " + String(m_mapCells[kSolvedCount]) + "/" + String(kPuzzles), 0, 2, 0);
  p_Text(16, H - 8, "Score", 0, 2, 0);
  p_Text(128, H - 8, ": " + String(m_mapCells[kScoreSum]), 0, 2, 0);

  p_SetSize(0.75f);
  p_DrawImg(kLogoSlot, 100, 52, 0);
  p_ResetDraw();
}

// No two cells' pictures overlap, even the enlarged cursor's; what the how-to
// and cursor cells draw besides overlaps only cells of the row above, and
// their texts keep clear of each other's ovals. So the cells' records can be
// drawn in layers without changing a pixel: the thumbnails sheet by sheet,
// the lock and open overlays, the ovals, then the texts, each in its own
// order. Each layer batches into few draw calls, where cell by cell every
// thumbnail, overlay and text took one of its own.
void c_MyApp::LayerMapCells(int from) {
  std::span cells(m_drawList.Data() + from, m_drawList.Data() + m_drawCount);
  auto layerOf = [&](const DrawRecord &r) {
    float kind = r.kind;
    if (kind >= kFirstSheetSlot && kind <= kLastSheetSlot) return static_cast<int>(kind) - kFirstSheetSlot;
    constexpr int kSheets = kLastSheetSlot - kFirstSheetSlot + 1;
    return kind == kButtonsSlot ? kSheets : kind == kKindOval ? kSheets + 1 : kSheets + 2;
  };
  m_layered.clear();
  for (int layer = 0; layer <= kLastSheetSlot - kFirstSheetSlot + 3; ++layer)
    for (const DrawRecord &r : cells)
      if (layerOf(r) == layer) m_layered.push_back(r);
  std::copy(m_layered.begin(), m_layered.end(), cells.begin());
}

void c_MyApp::p_LoadMenu() {
  m_scoreRank = -1;
  for (int i = 0; i < kRowStride * kRowStride; ++i) m_mapCells[i] = 1;

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
    m_scores[kLatestBase + b + 1] = m_scores[kLatestBase + b];
    m_scores[kLatestBase + b] = s;
  }
  p_Save();
}
