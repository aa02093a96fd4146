// The drawing of the puzzle map: each cell's thumbnail with its lock or open
// overlay, the How-To cell, the cursor cell's number and score, the panel of
// sums and the title; and the layering of the cells' records into few draws.
#include <algorithm>
#include <span>

#include "game/flow.h"
#include "game/menu_map.h"
#include "game/names.h"
#include "game/render.h"

namespace {
constexpr int kLockedFrame = 2, kOpenFrame = 1;
constexpr float kCursorScale = 1.5f, kOverlayScale = 1.1f;
} // namespace

void c_MyApp::DrawMapCells(int cursor) {
  const int cellsFrom = m_drawCount;
  for (int r = 0; r < kMapSize; ++r) {
    for (int c = 0; c < kMapSize; ++c) {
      float x, y;
      if (MapCellShown(c, r, x, y)) DrawMapCell(c, r, x, y, kMapSize * r + c == cursor);
    }
  }
  LayerMapCells(cellsFrom);
}

void c_MyApp::DrawMapCell(int col, int row, float x, float y, bool cursor) {
  const int n = PuzzleAt(col, row), best = CellBest(m_mapCells, col, row);
  const float base = cursor ? kCursorScale : 1.0f, enlarged = base * kOverlayScale;
  if (n == 0) {
    p_SetSize(enlarged);
    p_SetCol(0, 128, 255, 1);
    p_Oval(x, y, 48, 48);
    p_SetCol(255, 255, 255, 1);
    p_Text(x, y - 8, "How To");
    p_Text(x, y + 8, "Play");
    return;
  }
  p_SetCol(255, 255, 255, 1);
  p_SetSize(base);
  p_DrawTile(n, x, y);
  p_SetSize(enlarged);
  if (!CellOpen(m_mapCells, col, row))
    p_DrawImg(kButtonsSlot, x, y, kLockedFrame);
  else if (best <= 0)
    p_DrawImg(kButtonsSlot, x, y, kOpenFrame);
  if (!cursor) return;

  // The cursor cell's puzzle number on its left and, once solved, its best
  // score on its right, each in a bubble.
  auto bubble = [&](float dx, const char *label, int value) {
    p_SetCol(180, 220, 255, 0.85f);
    p_Oval(x + dx, y - 70, 32, 32);
    p_SetCol(255, 255, 255, 1);
    p_SetSize(enlarged / 2);
    p_Text(x + dx, y - 84, label);
    p_SetSize(enlarged);
    p_Text(x + dx, y - 70, String(value));
  };
  bubble(-70, "Puzzle", n);
  if (best > 0) bubble(70, "Score", best);
}

void c_MyApp::DrawMapPanel() {
  const float H = vex_Tilemarch_jscrh;
  p_SetSize(1);
  p_SetCol(0, 0, 80, 0.85f);
  p_Rect(0, H - 64, 320, 240);
  p_SetCol(255, 255, 255, 1);
  p_SetSize(2);
  p_Text(16, H - 32, "Complete", 0, 2, 0);
  p_Text(128, H - 32, ": " + String(m_mapCells[kMapSolvedCount]) + "/" + String(kPuzzles), 0, 2, 0);
  p_Text(16, H - 8, "Score", 0, 2, 0);
  p_Text(128, H - 8, ": " + String(m_mapCells[kMapScoreSum]), 0, 2, 0);

  p_SetSize(0.75f);
  p_DrawImg(kTitleLogoSlot, 100, 52, 0);
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
