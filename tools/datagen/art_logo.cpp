// The game's title art for the map and the emblem of the loading screen.
#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"
#include "tools/datagen/text_art.h"

namespace datagen {

namespace {
// A small mosaic tile in one of the title's colours.
void MosaicTile(Frame &f, float cx, float cy, float half, const Rgba &colour) {
  LitBody(
      f, cx - half - 1, cy - half - 1, cx + half + 1, cy + half + 1,
      [&](float x, float y) { return RoundBox(x, y, cx, cy, half, half, half * 0.25f); }, colour,
      std::max(0.6f, half * 0.12f));
}
} // namespace

void PaintLogo(Frame &f, int) {
  // A strip of solved and open tiles above the title, a nonogram in the making.
  static const char kStrip[] = "1101011011010110";
  for (int i = 0; i < 16; ++i) {
    float cx = 20 + i * 14.5f;
    Rgba c = kStrip[i] == '1' ? Hsv(200 + i * 9.f, 0.7f, 0.95f) : Gray(0.95f);
    MosaicTile(f, cx, 22, 5.5f, c);
  }
  DrawGradientText(f, BoldFont(), "TILEMARCH", 128, 66, 38, Rgb255(255, 236, 120), Rgb255(255, 150, 40), 2.6f,
                   Rgb255(30, 30, 70), 3);
  DrawOutlinedText(f, BoldFont(), "8 x 8 picture puzzles", 128, 104, 13, Gray(1), 1.4f, Rgb255(30, 30, 70));
}

void PaintPlinthLogo(Frame &f, int) {
  // Drawn at twice its size between the loading screen's rings, whose inner
  // dots come within 80 units (in this frame) of the point 5 units below the
  // middle, so the emblem keeps inside 72 units of it.
  static const char kPicture[5][6] = {"11111", "11111", "01110", "01110", "01110"};
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      float cx = 128 + (c - 2) * 14.f, cy = 108 + (r - 2) * 14.f;
      bool on = kPicture[r][c] == '1';
      MosaicTile(f, cx, cy, 6, on ? Hsv(190 + r * 12.f + c * 6.f, 0.75f, 0.95f) : WithAlpha(Gray(0.85f), 0.35f));
    }
  }
  // The plinth the picture stands on.
  std::vector<Point> slab = {{82, 146}, {174, 146}, {182, 162}, {74, 162}};
  LitBody(
      f, 70, 142, 186, 166, [&](float x, float y) { return Polygon(x, y, slab) - 1; }, Rgb255(120, 128, 150), 1);
  DrawOutlinedText(f, BoldFont(), "TILEMARCH", 128, 154, 11, Rgb255(255, 230, 120), 1, Rgb255(30, 30, 60), 0, 0.85f);
}

} // namespace datagen
