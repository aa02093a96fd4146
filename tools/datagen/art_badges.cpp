// The 64 badge icons: eight medal metals by eight symbols.
#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

void PaintBadge(Frame &f, int index) {
  static const Rgba kMetals[8] = {Rgb255(205, 127, 50), Rgb255(192, 198, 210), Rgb255(240, 190, 40),
                                  Rgb255(210, 50, 80),  Rgb255(40, 170, 100),  Rgb255(50, 110, 220),
                                  Rgb255(150, 80, 200), Rgb255(70, 76, 90)};
  static const Symbol kSymbols[8] = {Symbol::Star,  Symbol::Heart, Symbol::Check,   Symbol::Bolt,
                                     Symbol::Crown, Symbol::Drop,  Symbol::Diamond, Symbol::Tile};
  Rgba metal = kMetals[index / 8];
  // Ribbon tails behind the medal.
  const Rgba ribbon = Mix(metal, Rgb255(200, 40, 60), 0.7f);
  std::vector<Point> left = {{22, 34}, {30, 38}, {24, 62}, {20, 56}, {14, 60}};
  std::vector<Point> right = {{42, 34}, {50, 60}, {44, 56}, {40, 62}, {34, 38}};
  f.Fill(
      12, 32, 52, 64, [&](float x, float y) { return Union(Polygon(x, y, left), Polygon(x, y, right)); }, ribbon);
  // The medal: a scalloped rim around a top-lit disc.
  auto rim = StarPoints(32, 28, 25, 22.5f, 16);
  LitBody(
      f, 4, 0, 60, 56, [&](float x, float y) { return Polygon(x, y, rim) - 0.8f; }, Mix(metal, Gray(1), 0.15f), 1);
  LitBody(
      f, 8, 6, 56, 50, [](float x, float y) { return Circle(x, y, 32, 28, 18); }, metal, 1.2f);
  DrawSymbol(f, kSymbols[index % 8], 32, 28.8f, 11, Mix(metal, Gray(0), 0.55f));
  DrawSymbol(f, kSymbols[index % 8], 32, 28, 11, Mix(metal, Gray(1), 0.75f));
}

} // namespace datagen
