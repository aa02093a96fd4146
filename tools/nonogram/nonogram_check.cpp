// nonogram_check: analyses 8 x 8 nonograms while designing them.
//
//   nonogram_check [FILE...]      pictures in the picture-file form (stdin if none)
//   nonogram_check -s TEXT...     catalogue strings
//   nonogram_check --fix FILE     the pictures again, each failing one with the
//                                 one or two tile flips that blend in best and
//                                 make it unique and line-solvable
//
// For each puzzle prints its solution count (up to 2), whether line logic alone
// solves it, and its difficulty; where line logic stops, the tiles it found.
// Exits 1 when any puzzle is ambiguous or not line-solvable, 2 on bad input.
#include <cstring>
#include <iostream>

#include "game/levels/levels.h"
#include "tools/nonogram/pictures.h"

using namespace nonogram;

namespace {

// A puzzle fit for the catalogue: one solution, found by line logic alone.
bool Good(const Analysis &a) { return a.lineSolvable && a.solutions == 1; }

bool Good(const Picture &p) { return Good(Analyze(p)); }

bool Report(const std::string &name, const Picture &picture) {
  const Analysis a = Analyze(picture);
  std::cout << name << ": solutions " << (a.solutions >= 2 ? "2+" : std::to_string(a.solutions)) << ", "
            << (a.lineSolvable ? "line-solvable" : "NOT line-solvable") << ", difficulty " << a.difficulty
            << " (rounds " << a.lines.rounds << ", completions " << a.lines.completionSteps << ", reasoned "
            << a.lines.reasonedSteps << ")\n";
  if (!a.lineSolvable) std::cout << GridText(a.lines.grid);
  return Good(a);
}

// How well a tile of the given colour sits among its four neighbours.
int Blend(const Picture &p, int cell, bool colour) {
  const int x = cell % kSide, y = cell / kSide;
  int score = 0;
  const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
  for (int k = 0; k < 4; ++k) {
    const int nx = x + dx[k], ny = y + dy[k];
    const bool n = nx >= 0 && nx < kSide && ny >= 0 && ny < kSide && p[ny * kSide + nx];
    score += n == colour;
  }
  return score;
}

// The best repair of one or two flips, or nothing.
std::optional<Picture> Repair(const Picture &p) {
  std::optional<Picture> best;
  int bestScore = -1;
  for (int a = 0; a < kCells; ++a) {
    Picture q = p;
    q[a] = !q[a];
    const int score = Blend(p, a, q[a]) * 10;
    if (score > bestScore && Good(q)) {
      best = q;
      bestScore = score;
    }
  }
  if (best) return best;
  for (int a = 0; a < kCells; ++a) {
    for (int b = a + 1; b < kCells; ++b) {
      Picture q = p;
      q[a] = !q[a];
      q[b] = !q[b];
      const int score = Blend(p, a, q[a]) + Blend(p, b, q[b]);
      if (score > bestScore && Good(q)) {
        best = q;
        bestScore = score;
      }
    }
  }
  return best;
}

int Fix(const std::string &file) {
  std::vector<NamedPicture> pictures;
  std::string error;
  if (!ReadPictureFiles({file}, pictures, error)) {
    std::cerr << error << "\n";
    return 2;
  }
  bool allGood = true;
  for (const NamedPicture &p : pictures) {
    Picture out = p.picture;
    if (!Good(p.picture)) {
      if (std::optional<Picture> fixed = Repair(p.picture)) {
        out = *fixed;
        std::cout << "; repaired\n";
      } else {
        std::cout << "; NOT repairable\n";
        allGood = false;
      }
    }
    std::cout << "= " << p.name << "\n" << PictureRows(out) << "\n";
  }
  return allGood ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
  bool allGood = true;
  if (argc == 3 && std::strcmp(argv[1], "--fix") == 0) return Fix(argv[2]);
  if (argc > 1 && std::strcmp(argv[1], "-s") == 0) {
    for (int i = 2; i < argc; ++i) {
      const std::string bits = p_Decrunch(String(argv[i])).ToNarrow();
      std::optional<Picture> picture = PictureFromBits(bits);
      if (!picture) {
        std::cerr << argv[i] << ": decodes to " << bits.size() << " characters, not a picture\n";
        return 2;
      }
      std::cout << PictureRows(*picture);
      allGood = Report(argv[i], *picture) && allGood;
    }
    return allGood ? 0 : 1;
  }
  std::vector<NamedPicture> pictures;
  std::string error;
  if (!ReadPictureFiles({argv + 1, argv + argc}, pictures, error)) {
    std::cerr << error << "\n";
    return 2;
  }
  for (const NamedPicture &p : pictures) allGood = Report(p.name, p.picture) && allGood;
  return allGood ? 0 : 1;
}
