// The picture tiles of the map (one solved puzzle each, in its own hue) and the
// board's block sheet (white and black tiles, the cursor, tinted tiles).
#include <cmath>

#include "tools/datagen/pictures.h"
#include "tools/datagen/puzzle_colours.h"
#include "tools/datagen/shapes.h"

namespace datagen {

void PaintPuzzleTile(Frame &f, int puzzle) {
  const std::string &cells = PuzzleCells(puzzle);
  PuzzleColours colours = ColoursOfPuzzle(puzzle);
  // The card: a light tint of the hue, the picture's cells in a soft checker
  // so rows and columns can be counted, a rim that keeps it apart from the map.
  f.FillAll([](float x, float y) { return RoundBox(x, y, 32, 32, 32, 32, 4); },
            [&](float x, float y) {
              int cx = static_cast<int>(x / 8), cy = static_cast<int>(y / 8);
              Rgba paper = (cx + cy) % 2 ? colours.paper : colours.paperAlt;
              return Mix(paper, colours.paperAlt, y / 256);
            });
  f.FillAll([](float x, float y) { return std::fabs(RoundBox(x, y, 32, 32, 31.5f, 31.5f, 3.5f)) - 0.5f; }, colours.rim);
  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 8; ++col) {
      size_t at = static_cast<size_t>(row * 8 + col);
      if (at >= cells.size() || cells[at] != '1') continue;
      float cx = col * 8 + 4.f, cy = row * 8 + 4.f;
      // Lit from the top left: a light upper edge, a deeper lower edge, and
      // the hue shifting from top to bottom of the picture.
      f.Fill(
          cx - 4, cy - 4, cx + 4, cy + 4, [&](float x, float y) { return RoundBox(x, y, cx, cy, 3.5f, 3.5f, 1.5f); },
          [&](float x, float y) {
            Rgba base = Mix(colours.inkTop, colours.inkBottom, y / 64);
            float ly = y - (cy - 3.5f), lx = x - (cx - 3.5f);
            if (ly < 1.2f || lx < 1.0f) return Mix(base, Gray(1), 0.35f);
            if (ly > 5.8f || lx > 6.0f) return Mix(base, Gray(0), 0.25f);
            return base;
          });
    }
  }
}

namespace {

void Tile(Frame &f, const Rgba &top, const Rgba &bottom) {
  auto body = [](float x, float y) { return RoundBox(x, y, 6, 6, 4, 4, 1.2f); };
  f.FillAll(body, [&](float x, float y) {
    Rgba base = Mix(top, bottom, (y - 2) / 8);
    if (y < 3.1f || x < 3.0f) return Mix(base, Gray(1), 0.4f);
    if (y > 8.9f || x > 9.0f) return Mix(base, Gray(0), 0.3f);
    return base;
  });
}

// Four corner brackets around the tile, a little further out on each frame
// and back, so that the cursor breathes.
void Cursor(Frame &f, int phase) {
  static const float kReach[4] = {4.5f, 4.75f, 5.0f, 4.75f};
  float d = kReach[phase], arm = 2.0f;
  auto brackets = [&](float x, float y, float w) {
    float best = 1e9f;
    for (int sx = -1; sx <= 1; sx += 2) {
      for (int sy = -1; sy <= 1; sy += 2) {
        float cx = 6 + sx * d, cy = 6 + sy * d;
        best = Union(best, Segment(x, y, cx, cy, cx - sx * arm, cy, w));
        best = Union(best, Segment(x, y, cx, cy, cx, cy - sy * arm, w));
      }
    }
    return best;
  };
  f.FillAll([&](float x, float y) { return brackets(x, y, 0.75f); }, WithAlpha(Gray(0.05f), 0.8f));
  f.FillAll([&](float x, float y) { return brackets(x, y, 0.4f); }, Rgb255(255, 214, 64));
}

} // namespace

void PaintBlock(Frame &f, int index) {
  switch (index) {
  case 0:
    Tile(f, Gray(0.97f), Gray(0.83f));
    return;
  case 1:
    Tile(f, Rgb255(52, 56, 70), Rgb255(24, 26, 34));
    return;
  case 2: // a tile marked as surely empty
    Tile(f, Gray(0.97f), Gray(0.83f));
    f.FillAll(
        [](float x, float y) {
          return Union(Segment(x, y, 4.2f, 4.2f, 7.8f, 7.8f, 0.45f), Segment(x, y, 7.8f, 4.2f, 4.2f, 7.8f, 0.45f));
        },
        Rgb255(200, 70, 70));
    return;
  case 3:
    Tile(f, Gray(0.6f), Gray(0.45f));
    return;
  case 4:
    Tile(f, Rgb255(255, 250, 200), Rgb255(235, 215, 130));
    return;
  case 5:
  case 6:
  case 7:
  case 8:
    Cursor(f, index - 5);
    return;
  default: {
    // Tinted tiles around the colour wheel, for effects that colour the board.
    Rgba c = Hsv((index - 9) * 22.5f, 0.7f, 0.95f);
    Tile(f, c, Mix(c, Gray(0), 0.3f));
    return;
  }
  }
}

} // namespace datagen
