// The small icon sheet of the puzzle screen and the pause menu: pause, quit,
// resume, the selection ring, and companions in the same style.
#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

namespace {
void IconButton(Frame &f, Symbol s, const Rgba &colour) {
  RoundButton(f, 16, 16, 13, colour);
  DrawSymbol(f, s, 16, 16, 8, Gray(1));
}
} // namespace

void PaintIcon(Frame &f, int index) {
  const Rgba blue = Rgb255(60, 130, 210), green = Rgb255(60, 170, 90), red = Rgb255(210, 70, 70);
  switch (index) {
  case 0:
    IconButton(f, Symbol::Pause, blue);
    return;
  case 1:
    IconButton(f, Symbol::Cross, red);
    return;
  case 2:
    IconButton(f, Symbol::Gear, blue);
    return;
  case 3:
    IconButton(f, Symbol::Play, green);
    return;
  case 4:
    IconButton(f, Symbol::SoundOn, blue);
    return;
  case 5:
    IconButton(f, Symbol::SoundOff, Rgb255(120, 130, 150));
    return;
  case 6:
    // The selection marker: drawn tinted at 2.5 times over a button drawn at
    // 2 times, so a ring just outside the button with four ticks.
    f.FillAll(
        [](float x, float y) {
          float ring = Ring(x, y, 16, 16, 14, 0.9f);
          float ticks =
              Union(Union(Segment(x, y, 16, 0.6f, 16, 2.8f, 0.9f), Segment(x, y, 16, 29.2f, 16, 31.4f, 0.9f)),
                    Union(Segment(x, y, 0.6f, 16, 2.8f, 16, 0.9f), Segment(x, y, 29.2f, 16, 31.4f, 16, 0.9f)));
          return Union(ring, ticks);
        },
        Gray(1));
    return;
  case 7:
    IconButton(f, Symbol::Back, blue);
    return;
  case 8:
    IconButton(f, Symbol::Forward, blue);
    return;
  case 9:
    IconButton(f, Symbol::Up, blue);
    return;
  case 10:
    IconButton(f, Symbol::Down, blue);
    return;
  case 11:
    IconButton(f, Symbol::Star, Rgb255(230, 170, 40));
    return;
  case 12:
    IconButton(f, Symbol::Check, green);
    return;
  case 13:
    IconButton(f, Symbol::Home, Rgb255(230, 170, 40));
    return;
  case 14:
    IconButton(f, Symbol::Note, Rgb255(150, 90, 200));
    return;
  default:
    IconButton(f, Symbol::Info, blue);
    return;
  }
}

} // namespace datagen
