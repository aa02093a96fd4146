// nonogram_report: the analysis of every puzzle of the built-in catalogue
// (number, map distance, solutions, line-solvable, difficulty), then the mean
// difficulty of each ring of map cells around the How-To cell and which of the
// given (not designed) entries are ambiguous or not line-solvable.
#include <cstdio>

#include "tools/nonogram/catalogue_report.h"
#include "tools/nonogram/fixed_entries.h"

using namespace nonogram;

int main() {
  const std::vector<EntryReport> entries = ReportCatalogue();
  std::printf("number distance solutions line-solvable difficulty length note\n");
  for (const EntryReport &e : entries) {
    const char *note = e.number > 223 ? "fallback" : e.fixed ? "given" : e.number == kTwinNumber ? "same as 87" : "";
    std::printf("%6d %8d %9s %13s %10d %6zu %s\n", e.number, e.distance,
                !e.binary          ? "-"
                : e.solutions >= 2 ? "2+"
                : e.solutions == 1 ? "1"
                                   : "0",
                e.lineSolvable ? "yes" : "no", e.difficulty, e.text.size(), note);
  }

  std::printf("\nMean difficulty by distance from the How-To cell (designed puzzles):\n");
  const std::vector<RingMean> rings = RingMeans(entries);
  for (const RingMean &r : rings)
    std::printf("  distance %2d: %3d puzzles, mean %6.2f\n", r.distance, r.entries, r.meanDifficulty);
  const RingThirds thirds = ThirdsOf(rings);
  std::printf("Inner third of the rings %.2f, middle %.2f, outer %.2f\n", thirds.inner, thirds.middle, thirds.outer);

  int bad = 0;
  std::printf("\nGiven entries:");
  for (const EntryReport &e : entries) {
    if (!e.fixed) {
      if (e.solutions != 1 || !e.lineSolvable || e.decodedLength != 64) ++bad;
      continue;
    }
    std::printf(" %d %s;", e.number,
                e.solutions >= 2 ? "ambiguous"
                : e.lineSolvable ? "unique, line-solvable"
                                 : "unique, needs guessing");
  }
  std::printf("\nDesigned entries that are ambiguous, not line-solvable or not 64 tiles: %d\n", bad);
  return bad ? 1 : 0;
}
