// The desktop icon: a solved 8 x 8 heart on the board's white and dark tiles,
// with the runs of every line as bars where the game writes its clue numbers,
// on the map's blue. Drawn on a 64-unit design square at any pixel size.
#include <cmath>
#include <vector>

#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

namespace {

constexpr const char *kHeart[8] = {
    ".##..##.", "########", "########", "########", ".######.", "..####..", "...##...", "........",
};

bool Black(int col, int row) { return kHeart[row][col] == '#'; }

// Lengths of the black runs of a line, nearest the board first, as the game
// lists them; cell(i) walks the line from the clue side toward the board.
template <class Cell> std::vector<int> Runs(Cell cell) {
  std::vector<int> runs;
  int count = 0;
  for (int i = 7; i >= -1; --i) {
    if (i >= 0 && cell(i)) {
      ++count;
    } else if (count > 0) {
      runs.push_back(count);
      count = 0;
    }
  }
  return runs;
}

constexpr float kBoard = 17, kPitch = 5; // board's top left corner and tile pitch
constexpr float kBarThick = 1.1f, kBarUnit = 1.1f, kBarGap = 1.4f;

float BarLength(int run) { return kBarUnit * run + 0.3f; }

} // namespace

Canvas RenderAppIcon(int pixels) {
  Canvas canvas(pixels, pixels);
  Frame f(canvas, 0, 0, pixels, pixels, pixels / 64.f);
  const Rgba top = Rgb255(40, 110, 200), bottom = Rgb255(20, 80, 160), rim = Rgb255(10, 45, 100);
  f.FillAll([](float x, float y) { return RoundBox(x, y, 32, 32, 31, 31, 11); },
            [&](float, float y) { return Mix(top, bottom, y / 64); });
  f.FillAll([](float x, float y) { return std::fabs(RoundBox(x, y, 32, 32, 30.5f, 30.5f, 10.5f)) - 0.6f; }, rim);

  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 8; ++col) {
      float cx = kBoard + kPitch * (col + 0.5f), cy = kBoard + kPitch * (row + 0.5f);
      bool black = Black(col, row);
      Rgba light = black ? Rgb255(52, 56, 70) : Gray(0.97f), dark = black ? Rgb255(24, 26, 34) : Gray(0.8f);
      f.Fill(
          cx - 3, cy - 3, cx + 3, cy + 3, [&](float x, float y) { return RoundBox(x, y, cx, cy, 2.2f, 2.2f, 0.7f); },
          [&](float, float y) { return Mix(light, dark, (y - cy + 2.2f) / 4.4f); });
    }
  }

  // Clue bars: one per run, the run nearest the board drawn nearest it, each
  // as long as its run is wide, in the white of the clue numbers.
  const Rgba clue = Gray(1, 0.95f);
  // Bars of one line, left of a row (across) or above a column.
  auto bars = [&](float mid, bool across, auto black) {
    float end = kBoard - 1.6f;
    for (int run : Runs(black)) {
      float start = end - BarLength(run);
      float x0 = across ? start : mid, y0 = across ? mid : start, x1 = across ? end : mid, y1 = across ? mid : end;
      f.Fill(
          x0 - 1, y0 - 1, x1 + 1, y1 + 1,
          [&](float x, float y) { return Segment(x, y, x0, y0, x1, y1, kBarThick / 2); }, clue);
      end = start - kBarGap;
    }
  };
  for (int line = 0; line < 8; ++line) {
    float mid = kBoard + kPitch * (line + 0.5f);
    bars(mid, true, [&](int i) { return Black(i, line); });
    bars(mid, false, [&](int i) { return Black(line, i); });
  }
  return canvas;
}

} // namespace datagen
