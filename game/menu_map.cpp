// The puzzle map's model (see menu_map.h).
#include "game/menu_map.h"

#include <cstdint>

namespace {
// The How-To cell counts as solved, so that the map opens around it.
constexpr int kHowToBest = 500;
} // namespace

int PuzzleAt(int col, int row) {
  const int index = kMapSize * row + col, howTo = kMapSize * kHowToRow + kHowToCol;
  if (index < howTo) return index + 1;
  if (index > howTo) return index;
  return 0;
}

void LockMap(Array<int> &cells) {
  for (int i = 0; i < kMapCellEntries; ++i) cells[i] = 1;
}

void RefreshMap(Array<int> &cells, const Array<int> &scores) {
  cells[kMapScoreSum] = cells[kMapOpenCount] = cells[kMapSolvedCount] = 0;
  cells[kMapRowStride * kHowToRow + kHowToCol] = 0;
  // Scores come from the save file; a forged one must not overflow the sum.
  uint32_t scoreSum = 0;
  for (int r = 0; r < kMapSize; ++r) {
    for (int c = 0; c < kMapSize; ++c) {
      const int cell = kMapRowStride * r + c;
      const int n = PuzzleAt(c, r);
      int &best = cells[kMapBestBase + cell];
      if (n > 0) {
        best = scores[2 * (n - 1)];
        scoreSum += static_cast<uint32_t>(best);
      } else {
        best = kHowToBest;
      }
      const int at = kMapBestBase + cell;
      if ((c > 0 && cells[at - 1] > 0) || (r > 0 && cells[at - kMapRowStride] > 0) || cells[at + 1] > 0 ||
          cells[at + kMapRowStride] > 0)
        cells[cell] = 0;
      if (cells[cell] == 0) ++cells[kMapOpenCount];
      if (n > 0 && best > 0) ++cells[kMapSolvedCount];
    }
  }
  cells[kMapScoreSum] = static_cast<int32_t>(scoreSum);
}
