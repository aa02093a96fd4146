// The puzzle map's model, apart from its drawing: which of the 15 x 15 cells
// are open and solved, and the sums the map's panel shows. It lives in
// m_mapCells, beside the score table it is computed from.
#pragma once

#include "runtime/array.h"

constexpr int kMapSize = 15;
constexpr int kPuzzles = 224;
// The How-To cell in the middle; the catalogue's puzzles fill the others in
// reading order.
constexpr int kHowToCol = 6, kHowToRow = 7;

// Entries of m_mapCells: a lock flag per cell (1 locked, 0 open) at
// kMapRowStride * row + col, the panel's sums, and each cell's best score
// from kMapBestBase on, in the same layout.
constexpr int kMapRowStride = 16;
constexpr int kMapScoreSum = 250, kMapOpenCount = 251, kMapSolvedCount = 252;
constexpr int kMapBestBase = 500;
constexpr int kMapCellEntries = kMapRowStride * kMapRowStride;

// The score table: puzzle n's best two at 2(n - 1) and 2(n - 1) + 1, its
// latest two at the same places from kLatestScores on.
constexpr int kLatestScores = 448;

// Puzzle number of a cell, 0 for the How-To cell.
int PuzzleAt(int col, int row);

// Locks every cell; the next refresh opens them again from the scores.
void LockMap(Array<int> &cells);

// Takes every cell's best score from the table, opens the cells beside a
// solved one (or beside the How-To cell) and counts the open and solved cells
// and the scores. Cells open in reading order: those right and below count
// with the scores of the refresh before.
void RefreshMap(Array<int> &cells, const Array<int> &scores);

inline bool CellOpen(const Array<int> &cells, int col, int row) { return cells[kMapRowStride * row + col] == 0; }
inline int CellBest(const Array<int> &cells, int col, int row) {
  return cells[kMapBestBase + kMapRowStride * row + col];
}
