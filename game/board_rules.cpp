// The board's rules without a game object (see board_rules.h).
#include "game/board_rules.h"

#include <algorithm>

int LineRuns(const Array<float> &grid, int line, bool column, int entry, int runs[kBoardSide]) {
  int count = 0, run = 0;
  for (int i = kBoardSide - 1; i >= 0; --i) {
    int at = column ? CellIndex(line, i, entry) : CellIndex(i, line, entry);
    if (grid[at] == 1.0f) {
      ++run;
      continue;
    }
    if (run > 0) runs[count++] = run;
    run = 0;
  }
  if (run > 0) runs[count++] = run;
  return count;
}

namespace {
bool LineMatches(const Array<float> &grid, int line, bool column) {
  int want[kBoardSide], have[kBoardSide];
  int n = LineRuns(grid, line, column, kCellSolution, want);
  if (LineRuns(grid, line, column, kCellMark, have) != n) return false;
  return std::equal(want, want + n, have);
}
} // namespace

bool MarksMatchClues(const Array<float> &grid) {
  for (int line = 0; line < kBoardSide; ++line)
    if (!LineMatches(grid, line, false) || !LineMatches(grid, line, true)) return false;
  return true;
}

BoardOrigin BoardPlace(float screenW, float screenH, bool cleanView, float reveal) {
  float y0 = cleanView ? screenH / 2 - 96 : screenH - 244;
  float x0 = screenW / 2 - 112;
  if (reveal > 0) {
    x0 += 8 * reveal;
    y0 = std::max(screenH / 2 - 112, y0 - 4 * reveal);
  }
  return {std::min(x0, screenW - 256), y0};
}
