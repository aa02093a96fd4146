// Analysis of 8 x 8 nonograms for designing the puzzle catalogue: the clues of
// a picture, a complete line solver, counting solutions, and a difficulty
// score. Plain code, shared by the tools and the tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nonogram {

constexpr int kSide = 8;
constexpr int kCells = kSide * kSide;

// A picture row-major, top row first: true is a black tile.
using Picture = std::array<bool, kCells>;

// Lengths of the black runs of each line; an empty line has no runs.
struct Clues {
  std::array<std::vector<int>, kSide> rows, cols;
};

Clues CluesOf(const Picture &picture);

// Cell knowledge while solving: -1 unknown, 0 white, 1 black.
using Grid = std::array<int8_t, kCells>;

// Deductions from the clues alone, one line at a time, until nothing more
// follows. Each round looks at all sixteen lines against the grid as it was at
// the start of the round, so the number of rounds does not depend on the order
// in which lines are visited.
struct LineSolve {
  Grid grid{};
  bool contradiction = false;
  bool solved = false;
  int rounds = 0;
  // Line steps that produced new tiles, by how much thinking they took:
  // obvious ones follow from the clue on an empty line (overlap of runs, full
  // and empty lines); completions only fill the rest of a line whose black
  // tiles (or white tiles) are all known; reasoned ones need the tiles already
  // known on the line.
  int obviousSteps = 0;
  int completionSteps = 0;
  int reasonedSteps = 0;
};

LineSolve SolveByLines(const Clues &clues);

// Number of pictures that fit the clues, counted up to limit (backtracking
// over the line solver's propagation).
int CountSolutions(const Clues &clues, int limit = 2);

// The difficulty score of a line-solvable puzzle: two points per round, one
// per completion step and three per reasoned step; obvious steps are free.
// A player works much like the rounds: a long chain of rounds, and lines that
// can only be read together with tiles found before, are what make a puzzle
// hard. -1 for a puzzle that line logic cannot finish.
int Difficulty(const LineSolve &solve);

struct Analysis {
  int solutions = 0; // 0, 1, or 2 meaning "two or more"
  bool lineSolvable = false;
  int difficulty = -1;
  LineSolve lines;
};

Analysis Analyze(const Picture &picture);

// A grid as 8 text lines of '#', '.' and '?' (unknown).
std::string GridText(const Grid &grid);

} // namespace nonogram
