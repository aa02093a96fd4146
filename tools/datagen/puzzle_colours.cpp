// Puzzle colours: lively but always dark enough on the ink and light enough on
// the paper that the picture reads the same for every hue.
#include "tools/datagen/puzzle_colours.h"

#include <array>

#include "game/levels/levels.h"
#include "tools/datagen/shapes.h"

namespace datagen {

Rgba HueTint(float hueDegrees) {
  auto channel = [&](float offset) { return std::clamp(std::sin((hueDegrees + offset) * kPi / 180.f), 0.f, 1.f); };
  Rgba c{channel(0), channel(120), channel(240), 1};
  float peak = std::max({c.r, c.g, c.b});
  if (peak <= 0.0001f) return Gray(1);
  return {c.r / peak, c.g / peak, c.b / peak, 1};
}

PuzzleColours ColoursOfHue(float hueDegrees) {
  Rgba tint = HueTint(hueDegrees);
  // A neighbouring hue for the bottom of the picture gives it depth.
  Rgba deeper = HueTint(hueDegrees + 25);
  PuzzleColours c;
  c.inkTop = WithLuma(Mix(tint, Gray(1), 0.1f), 0.40f);
  c.inkBottom = WithLuma(deeper, 0.24f);
  c.paper = WithLuma(Mix(Gray(1), tint, 0.10f), 0.95f);
  c.paperAlt = WithLuma(Mix(Gray(1), tint, 0.16f), 0.89f);
  c.rim = WithLuma(tint, 0.30f);
  return c;
}

namespace {

constexpr int kPuzzles = 224;

struct Catalogue {
  std::array<int, kPuzzles + 1> hues{};
  std::array<std::string, kPuzzles + 1> cells;
};

// Read once, in whichever thread comes first: the game's random generator has
// one global seed, so hues must not be drawn by several painting threads at once.
const Catalogue &TheCatalogue() {
  static const Catalogue catalogue = [] {
    Catalogue c;
    for (int n = 1; n <= kPuzzles; ++n) {
      c.hues[n] = PuzzleHue(n);
      c.cells[n] = p_GetLevDat(n).ToNarrow();
    }
    return c;
  }();
  return catalogue;
}

int Clamped(int puzzle) { return std::clamp(puzzle, 1, kPuzzles); }

} // namespace

PuzzleColours ColoursOfPuzzle(int puzzle) {
  return ColoursOfHue(static_cast<float>(TheCatalogue().hues[Clamped(puzzle)]));
}

const std::string &PuzzleCells(int puzzle) { return TheCatalogue().cells[Clamped(puzzle)]; }

} // namespace datagen
