// The small icon sheet of the puzzle screen and the pause menu: pause, quit,
// resume, the selection ring, and companions in the same style.
#include <iterator>

#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

namespace {

struct IconButton {
  Symbol symbol;
  const Rgba *face;
};

// The buttons in the order of the sheet; the selection marker takes the
// frame kMarkerFrame between them.
constexpr int kMarkerFrame = 6;
constexpr IconButton kButtons[] = {
    {Symbol::Pause, &kFaceBlue}, {Symbol::Cross, &kFaceRed},    {Symbol::Gear, &kFaceBlue},
    {Symbol::Play, &kFaceGreen}, {Symbol::SoundOn, &kFaceBlue}, {Symbol::SoundOff, &kFaceGrey},
    {Symbol::Back, &kFaceBlue},  {Symbol::Forward, &kFaceBlue}, {Symbol::Up, &kFaceBlue},
    {Symbol::Down, &kFaceBlue},  {Symbol::Star, &kFaceGold},    {Symbol::Check, &kFaceGreen},
    {Symbol::Home, &kFaceGold},  {Symbol::Note, &kFacePurple},  {Symbol::Info, &kFaceBlue},
};

// Drawn tinted at 2.5 times over a button drawn at 2 times, so a ring just
// outside the button with four ticks.
void PaintSelectionMarker(Frame &f) {
  f.FillAll(
      [](float x, float y) {
        float ring = Ring(x, y, 16, 16, 14, 0.9f);
        float ticks = Union(Union(Segment(x, y, 16, 0.6f, 16, 2.8f, 0.9f), Segment(x, y, 16, 29.2f, 16, 31.4f, 0.9f)),
                            Union(Segment(x, y, 0.6f, 16, 2.8f, 16, 0.9f), Segment(x, y, 29.2f, 16, 31.4f, 16, 0.9f)));
        return Union(ring, ticks);
      },
      Gray(1));
}

} // namespace

void PaintIcon(Frame &f, int index) {
  if (index == kMarkerFrame) {
    PaintSelectionMarker(f);
    return;
  }
  const int last = static_cast<int>(std::size(kButtons)) - 1;
  const IconButton &button = kButtons[std::clamp(index < kMarkerFrame ? index : index - 1, 0, last)];
  SymbolButton(f, 32, button.symbol, *button.face);
}

} // namespace datagen
