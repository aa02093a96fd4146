// The on-screen pad (direction cross, face buttons, stick) and the menu panels.
#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

namespace {
// The direction cross; lit is a bit set of up 1, down 2, left 4, right 8.
void Cross(Frame &f, float cx, float cy, float r, int lit) {
  auto arm = [&](float x, float y, int dir) {
    float dx = dir == 4 ? -1.f : dir == 8 ? 1.f : 0.f, dy = dir == 1 ? -1.f : dir == 2 ? 1.f : 0.f;
    float mx = cx + dx * r * 0.55f, my = cy + dy * r * 0.55f;
    return RoundBox(x, y, mx, my, dx != 0 ? r * 0.5f : r * 0.32f, dy != 0 ? r * 0.5f : r * 0.32f, r * 0.1f);
  };
  auto cross = [&](float x, float y) {
    return Union(Union(arm(x, y, 1), arm(x, y, 2)),
                 Union(Union(arm(x, y, 4), arm(x, y, 8)), RoundBox(x, y, cx, cy, r * 0.32f, r * 0.32f, 0)));
  };
  LitBody(f, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1, cross, Rgb255(70, 76, 96), std::max(0.7f, r * 0.07f));
  for (int dir = 1; dir <= 8; dir <<= 1) {
    if (!(lit & dir)) continue;
    f.Fill(
        cx - r, cy - r, cx + r, cy + r, [&](float x, float y) { return arm(x, y, dir) + r * 0.08f; },
        Rgb255(255, 210, 80));
  }
}
} // namespace

void PaintDpad(Frame &f, int index) {
  static const int kLit[9] = {0, 1, 2, 4, 8, 5, 9, 6, 10};
  static const Rgba kFace[4] = {kFaceGreen, kFaceRed, kFaceBlue, kFaceGold};
  if (index < 9) {
    Cross(f, 16, 16, 15, kLit[index]);
  } else if (index < 13) {
    RoundButton(f, 16, 16, 13, kFace[index - 9]);
  } else if (index == 13) {
    LitBody(
        f, 0, 0, 32, 32, [](float x, float y) { return Circle(x, y, 16, 16, 15); }, Rgb255(50, 54, 70), 1);
  } else if (index == 14) {
    RoundButton(f, 16, 16, 10, Rgb255(150, 156, 176));
  } else {
    f.FillAll([](float x, float y) { return Ring(x, y, 16, 16, 14, 1.2f); }, Gray(1, 0.8f));
  }
}

void PaintMenuPanel(Frame &f, int index) {
  switch (index) {
  case 0:
    LitBody(
        f, 0, 0, 256, 256, [](float x, float y) { return RoundBox(x, y, 128, 128, 124, 124, 16); },
        Rgb255(20, 40, 110, 0.9f), 3);
    return;
  case 1:
    LitBody(
        f, 0, 0, 256, 256, [](float x, float y) { return RoundBox(x, y, 128, 128, 124, 124, 16); },
        Rgb255(235, 240, 250), 3);
    return;
  case 2: {
    // A title ribbon with folded ends.
    std::vector<Point> left = {{4, 110}, {60, 110}, {60, 160}, {4, 160}, {22, 135}};
    std::vector<Point> right = {{252, 110}, {196, 110}, {196, 160}, {252, 160}, {234, 135}};
    f.Fill(
        0, 108, 256, 162, [&](float x, float y) { return Union(Polygon(x, y, left), Polygon(x, y, right)); },
        Rgb255(150, 40, 60));
    LitBody(
        f, 0, 0, 256, 256, [](float x, float y) { return RoundBox(x, y, 128, 128, 90, 28, 4); }, Rgb255(220, 60, 80),
        2);
    return;
  }
  default:
    f.FillAll([](float x, float y) { return std::fabs(RoundBox(x, y, 128, 128, 122, 122, 16)) - 2.5f; }, Gray(1));
    return;
  }
}

} // namespace datagen
