// Nonogram analysis (see nonogram.h). Lines are bytes: bit i is tile i along
// the line (the column for a row, the row for a column).
#include "tools/nonogram/nonogram.h"

#include <bit>
#include <map>
#include <numeric>

namespace nonogram {
namespace {

constexpr int kFull = 0xFF;

std::vector<int> RunsOf(int bits) {
  std::vector<int> runs;
  int run = 0;
  for (int i = 0; i < kSide; ++i) {
    if (bits >> i & 1) {
      ++run;
    } else if (run) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run) runs.push_back(run);
  return runs;
}

// Every line pattern, by its runs.
const std::vector<uint8_t> &PatternsOf(const std::vector<int> &runs) {
  static const std::map<std::vector<int>, std::vector<uint8_t>> table = [] {
    std::map<std::vector<int>, std::vector<uint8_t>> t;
    for (int bits = 0; bits <= kFull; ++bits) t[RunsOf(bits)].push_back(static_cast<uint8_t>(bits));
    return t;
  }();
  static const std::vector<uint8_t> none;
  auto it = table.find(runs);
  return it == table.end() ? none : it->second;
}

int CellIndex(int line, int pos) { return line < kSide ? line * kSide + pos : pos * kSide + (line - kSide); }

struct LineState {
  int known = 0, value = 0;
};

LineState ReadLine(const Grid &grid, int line) {
  LineState s;
  for (int pos = 0; pos < kSide; ++pos) {
    int8_t cell = grid[CellIndex(line, pos)];
    if (cell >= 0) s.known |= 1 << pos;
    if (cell == 1) s.value |= 1 << pos;
  }
  return s;
}

struct Deduction {
  bool contradiction = false;
  int fresh = 0; // tiles newly known
  int value = 0; // their colours (bits within fresh)
};

Deduction Deduce(const std::vector<uint8_t> &patterns, LineState s) {
  int all = kFull, any = 0;
  bool fits = false;
  for (uint8_t p : patterns) {
    if (((p ^ s.value) & s.known) != 0) continue;
    all &= p;
    any |= p;
    fits = true;
  }
  Deduction d;
  if (!fits) {
    d.contradiction = true;
    return d;
  }
  const int determined = ~(all ^ any) & kFull;
  d.fresh = determined & ~s.known;
  d.value = all & d.fresh;
  return d;
}

struct Lines {
  std::array<const std::vector<uint8_t> *, 2 * kSide> patterns;
  std::array<int, 2 * kSide> blacks;
};

Lines LinesOf(const Clues &clues) {
  Lines lines;
  for (int i = 0; i < kSide; ++i) {
    lines.patterns[i] = &PatternsOf(clues.rows[i]);
    lines.patterns[kSide + i] = &PatternsOf(clues.cols[i]);
    lines.blacks[i] = std::accumulate(clues.rows[i].begin(), clues.rows[i].end(), 0);
    lines.blacks[kSide + i] = std::accumulate(clues.cols[i].begin(), clues.cols[i].end(), 0);
  }
  return lines;
}

bool Full(const Grid &grid) {
  for (int8_t c : grid)
    if (c < 0) return false;
  return true;
}

// Line deductions in place until nothing changes; false on a contradiction.
bool Propagate(const Lines &lines, Grid &grid) {
  for (bool changed = true; changed;) {
    changed = false;
    for (int line = 0; line < 2 * kSide; ++line) {
      Deduction d = Deduce(*lines.patterns[line], ReadLine(grid, line));
      if (d.contradiction) return false;
      if (!d.fresh) continue;
      changed = true;
      for (int pos = 0; pos < kSide; ++pos)
        if (d.fresh >> pos & 1) grid[CellIndex(line, pos)] = static_cast<int8_t>(d.value >> pos & 1);
    }
  }
  return true;
}

int Count(const Lines &lines, Grid grid, int limit) {
  if (!Propagate(lines, grid)) return 0;
  int unknown = 0;
  while (unknown < kCells && grid[unknown] >= 0) ++unknown;
  if (unknown == kCells) return 1;
  int found = 0;
  for (int8_t colour : {int8_t{1}, int8_t{0}}) {
    Grid guess = grid;
    guess[unknown] = colour;
    found += Count(lines, guess, limit - found);
    if (found >= limit) break;
  }
  return found;
}

} // namespace

Clues CluesOf(const Picture &picture) {
  Clues clues;
  for (int i = 0; i < kSide; ++i) {
    int row = 0, col = 0;
    for (int j = 0; j < kSide; ++j) {
      if (picture[i * kSide + j]) row |= 1 << j;
      if (picture[j * kSide + i]) col |= 1 << j;
    }
    clues.rows[i] = RunsOf(row);
    clues.cols[i] = RunsOf(col);
  }
  return clues;
}

LineSolve SolveByLines(const Clues &clues) {
  const Lines lines = LinesOf(clues);
  LineSolve s;
  s.grid.fill(-1);
  for (;;) {
    const Grid before = s.grid;
    bool progress = false;
    for (int line = 0; line < 2 * kSide; ++line) {
      const LineState state = ReadLine(before, line);
      const Deduction d = Deduce(*lines.patterns[line], state);
      if (d.contradiction) {
        s.contradiction = true;
        return s;
      }
      if (!d.fresh) continue;
      progress = true;
      const Deduction blank = Deduce(*lines.patterns[line], LineState{});
      const int blacksKnown = std::popcount(static_cast<unsigned>(state.value));
      const int whitesKnown = std::popcount(static_cast<unsigned>(state.known & ~state.value));
      if ((d.fresh & ~blank.fresh) == 0) {
        ++s.obviousSteps;
      } else if ((d.value == 0 && blacksKnown == lines.blacks[line]) ||
                 (d.value == d.fresh && whitesKnown == kSide - lines.blacks[line])) {
        ++s.completionSteps;
      } else {
        ++s.reasonedSteps;
      }
      for (int pos = 0; pos < kSide; ++pos) {
        if (!(d.fresh >> pos & 1)) continue;
        int8_t &cell = s.grid[CellIndex(line, pos)];
        const int8_t colour = static_cast<int8_t>(d.value >> pos & 1);
        // A row and a column that disagree on a tile within one round.
        if (cell >= 0 && cell != colour) {
          s.contradiction = true;
          return s;
        }
        cell = colour;
      }
    }
    if (!progress) break;
    ++s.rounds;
  }
  s.solved = Full(s.grid);
  return s;
}

int CountSolutions(const Clues &clues, int limit) {
  Grid grid;
  grid.fill(-1);
  return Count(LinesOf(clues), grid, limit);
}

int Difficulty(const LineSolve &solve) {
  if (!solve.solved || solve.contradiction) return -1;
  return 2 * solve.rounds + solve.completionSteps + 3 * solve.reasonedSteps;
}

Analysis Analyze(const Picture &picture) {
  const Clues clues = CluesOf(picture);
  Analysis a;
  a.lines = SolveByLines(clues);
  a.lineSolvable = a.lines.solved && !a.lines.contradiction;
  a.solutions = CountSolutions(clues, 2);
  a.difficulty = Difficulty(a.lines);
  return a;
}

std::string GridText(const Grid &grid) {
  std::string text;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      int8_t c = grid[y * kSide + x];
      text += c < 0 ? '?' : c ? '#' : '.';
    }
    text += '\n';
  }
  return text;
}

} // namespace nonogram
