// The colours of a puzzle's picture tile, derived from the hue that the game
// gives the puzzle (the same hue tints the board's background while it is played).
#pragma once

#include <string>

#include "tools/datagen/canvas.h"

namespace datagen {

struct PuzzleColours {
  Rgba inkTop, inkBottom; // the picture's filled cells, top and bottom of the tile
  Rgba paper, paperAlt, rim;
};

// The game's background tint direction for a hue: (sin h, sin(h+120), sin(h+240))
// limited to 0..1, brought to full strength.
Rgba HueTint(float hueDegrees);
PuzzleColours ColoursOfHue(float hueDegrees);
PuzzleColours ColoursOfPuzzle(int puzzle);
// The 64 cells ('1' black, '0' white, rows from the top) of puzzle 1..224.
const std::string &PuzzleCells(int puzzle);

} // namespace datagen
