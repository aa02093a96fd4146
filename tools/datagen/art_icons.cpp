// The small icon sheet of the puzzle screen and the pause menu: pause, quit,
// resume, the selection ring, and companions in the same style.
#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

void PaintIcon(Frame &f, int index) {
  switch (index) {
  case 0:
    SymbolButton(f, 32, Symbol::Pause, kFaceBlue);
    return;
  case 1:
    SymbolButton(f, 32, Symbol::Cross, kFaceRed);
    return;
  case 2:
    SymbolButton(f, 32, Symbol::Gear, kFaceBlue);
    return;
  case 3:
    SymbolButton(f, 32, Symbol::Play, kFaceGreen);
    return;
  case 4:
    SymbolButton(f, 32, Symbol::SoundOn, kFaceBlue);
    return;
  case 5:
    SymbolButton(f, 32, Symbol::SoundOff, kFaceGrey);
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
    SymbolButton(f, 32, Symbol::Back, kFaceBlue);
    return;
  case 8:
    SymbolButton(f, 32, Symbol::Forward, kFaceBlue);
    return;
  case 9:
    SymbolButton(f, 32, Symbol::Up, kFaceBlue);
    return;
  case 10:
    SymbolButton(f, 32, Symbol::Down, kFaceBlue);
    return;
  case 11:
    SymbolButton(f, 32, Symbol::Star, kFaceGold);
    return;
  case 12:
    SymbolButton(f, 32, Symbol::Check, kFaceGreen);
    return;
  case 13:
    SymbolButton(f, 32, Symbol::Home, kFaceGold);
    return;
  case 14:
    SymbolButton(f, 32, Symbol::Note, kFacePurple);
    return;
  default:
    SymbolButton(f, 32, Symbol::Info, kFaceBlue);
    return;
  }
}

} // namespace datagen
