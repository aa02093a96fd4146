// The puzzle board's rules that need no game object: the clue runs of a line,
// the solved test by clues, and where the board sits on the virtual screen.
#pragma once

#include "game/levels/levels.h"
#include "runtime/array.h"

// Per-puzzle entries of the scratch floats that the running puzzle adds to
// those of the catalogue (levels.h).
constexpr int kTmpStickLatchY = 9;
constexpr int kTmpTutorialStep = 55;
constexpr int kTmpTutorialSolved = 56;
constexpr int kTmpReveal = 89;
// Scratch floats a new puzzle clears.
constexpr int kTmpPlayerEntries = 500;

// Entries of a cell record.
constexpr int kCellMark = 0;
constexpr int kCellSolution = 1;

// Tiles per side, and the pitches of tiles and clue numbers in virtual units.
constexpr int kBoardSide = 8;
constexpr float kTilePitch = 32.0f;
constexpr float kCluePitch = 20.0f;

// Index of entry `entry` of cell (x, y) in the cell store.
inline int CellIndex(int x, int y, int entry) { return (kGridSide * y + x) * kGridRecord + entry; }

// The runs of black tiles (value 1) of one line of the board, in the order
// they are met walking from the far end (index 7) toward index 0: for a row,
// from the right; for a column, from the bottom. entry picks the marks or the
// solution. Returns how many runs were written to runs (at most 4 on 8 tiles).
int LineRuns(const Array<float> &grid, int line, bool column, int entry, int runs[kBoardSide]);

// The board is solved when every row and every column has the same runs of
// black marks as the solution has: a player who finds another picture that
// fits every clue has solved the nonogram.
bool MarksMatchClues(const Array<float> &grid);

// Top-left tile centre of the board. reveal moves it aside for the picture.
struct BoardOrigin {
  float x0, y0;
};
BoardOrigin BoardPlace(float screenW, float screenH, bool cleanView, float reveal);
