// The button sheet: the covers of the map's cells (open and locked), round
// buttons, and the three layers of the turning options gear.
#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"
#include "tools/datagen/text_art.h"

namespace datagen {

namespace {

// The map draws a cover at 1.1 times the picture tile's size, so the cover's
// body must be opaque from 2.9 to 61.1 units, corners included; it fills
// 1..63 with corners round enough to stay clear of that square.
float CoverShape(float x, float y) { return RoundBox(x, y, 32, 32, 31, 31, 2); }

void Cover(Frame &f, const Rgba &top, const Rgba &bottom, const Rgba &rim) {
  f.FillAll(CoverShape, rim);
  f.FillAll([](float x, float y) { return CoverShape(x, y) + 2.5f; },
            [&](float, float y) { return Mix(top, bottom, (y - 4) / 56); });
}

void OpenCover(Frame &f) {
  Cover(f, Rgb255(250, 246, 228), Rgb255(222, 214, 190), Rgb255(60, 110, 170));
  // The empty grid the player will fill, and a mark that invites a try.
  f.FillAll(
      [](float x, float y) {
        float gx = std::fabs(std::fmod(x - 4, 7.f) - 3.5f), gy = std::fabs(std::fmod(y - 4, 7.f) - 3.5f);
        float grid = std::fmin(3.5f - gx, 3.5f - gy) - 0.3f;
        return Intersect(grid, RoundBox(x, y, 32, 32, 28, 28, 1));
      },
      WithAlpha(Rgb255(120, 150, 190), 0.35f));
  f.FillAll([](float x, float y) { return Circle(x, y, 32, 32, 15); }, WithAlpha(Rgb255(60, 110, 170), 0.9f));
  DrawOutlinedText(f, BoldFont(), "?", 32, 32, 24, Gray(1), 0, Gray(1, 0));
}

void LockedCover(Frame &f) {
  Cover(f, Rgb255(58, 70, 96), Rgb255(34, 40, 58), Rgb255(18, 22, 32));
  f.FillAll(
      [](float x, float y) {
        float stripe = std::fabs(std::fmod(x + y + 640, 12.f) - 6) - 2.2f;
        return Intersect(stripe, RoundBox(x, y, 32, 32, 27, 27, 1));
      },
      WithAlpha(Gray(1), 0.05f));
  Padlock(f, 32, 33, 15, Rgb255(214, 176, 80), Rgb255(170, 176, 190));
}

// The gear is three frames drawn on one spot with different turns: an outer
// ring gear, an inner gear and a hub, each showing its turn.
void GearLayer(Frame &f, int layer) {
  if (layer == 0) {
    auto shape = [](float x, float y) { return Cut(Gear(x, y, 32, 32, 22, 6, 12), Circle(x, y, 32, 32, 14.5f)); };
    LitBody(f, 0, 0, 64, 64, shape, Rgb255(110, 150, 200), 1.2f);
  } else if (layer == 1) {
    auto shape = [](float x, float y) {
      float spokes = Union(Segment(x, y, 32, 20, 32, 44, 1.4f), Segment(x, y, 20, 32, 44, 32, 1.4f));
      return Union(Cut(Ring(x, y, 32, 32, 11.5f, 1.7f), Circle(x, y, 32, 32, 8.5f)),
                   Intersect(spokes, Circle(x, y, 32, 32, 12)));
    };
    LitBody(f, 0, 0, 64, 64, shape, Rgb255(250, 170, 60), 0.9f);
  } else {
    auto shape = [](float x, float y) {
      return Cut(Circle(x, y, 32, 32, 6),
                 Union(RoundBox(x, y, 32, 32, 3.6f, 0.9f, 0.3f), RoundBox(x, y, 32, 32, 0.9f, 3.6f, 0.3f)));
    };
    LitBody(f, 24, 24, 40, 40, shape, Rgb255(240, 240, 245), 0.8f);
  }
}

} // namespace

void PaintButton(Frame &f, int index) {
  switch (index) {
  case 0:
    SymbolButton(f, 64, Symbol::Star, kFaceGreen);
    return;
  case 1:
    OpenCover(f);
    return;
  case 2:
    LockedCover(f);
    return;
  case 3:
    SymbolButton(f, 64, Symbol::Check, kFaceGreen);
    return;
  case 4:
    SymbolButton(f, 64, Symbol::Cross, kFaceRed);
    return;
  case 5:
    SymbolButton(f, 64, Symbol::Play, kFaceBlue);
    return;
  case 6:
    SymbolButton(f, 64, Symbol::Back, kFaceBlue);
    return;
  case 7:
    SymbolButton(f, 64, Symbol::Home, kFaceGold);
    return;
  case 8:
  case 9:
  case 10:
    GearLayer(f, index - 8);
    return;
  case 11:
    SymbolButton(f, 64, Symbol::SoundOn, kFaceBlue);
    return;
  case 12:
    SymbolButton(f, 64, Symbol::SoundOff, kFaceGrey);
    return;
  case 13:
    SymbolButton(f, 64, Symbol::Note, kFacePurple);
    return;
  case 14:
    SymbolButton(f, 64, Symbol::Up, kFaceBlue);
    return;
  default:
    SymbolButton(f, 64, Symbol::Down, kFaceBlue);
    return;
  }
}

} // namespace datagen
