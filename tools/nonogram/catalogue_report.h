// The analysis of every entry of the built-in catalogue, and the mean
// difficulty of each ring of map cells at the same distance from the How-To
// cell: what the report tool prints and what the tests hold the catalogue to.
#pragma once

#include <string>
#include <vector>

namespace nonogram {

struct EntryReport {
  int number = 0;
  std::string text;
  int decodedLength = 0;
  bool binary = false; // decodes to '0' and '1' only
  int solutions = 0;
  bool lineSolvable = false;
  int difficulty = -1;
  int distance = 0;
  bool fixed = false;
};

std::vector<EntryReport> ReportCatalogue();

struct RingMean {
  int distance = 0;
  int entries = 0;
  double meanDifficulty = 0;
};

// Over the designed entries (fixed ones and the twin left out), rings ordered
// by distance.
std::vector<RingMean> RingMeans(const std::vector<EntryReport> &entries);

// Mean difficulty of the inner, middle and outer third of the rings.
struct RingThirds {
  double inner = 0, middle = 0, outer = 0;
};
RingThirds ThirdsOf(const std::vector<RingMean> &rings);

} // namespace nonogram
