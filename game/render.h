// The display list that screens build during an update: its record layout,
// the palette, the icon glyphs and the text routine's kerning, the parts of
// the drawing vocabulary that need no game object. What becomes of the list
// once per rendered frame is in frame_present.h.
#pragma once

#include <cstddef>
#include <type_traits>

#include "game/kerning.h"
#include "game/names.h"

// The list holds 2500 records.
constexpr int kDrawListRecords = 2500;

// One drawing step of the display list: 15 floats, the unused ones zero. The
// list's bytes are compared and hashed as they stand, so the layout is fixed.
struct DrawRecord {
  float kind;
  float x, y;
  float rot;
  // An image's scales, a rectangle's size, an oval's radii or a line's end.
  float w, h;
  float frame;
  float alpha;
  float unused1 = 0, unused2 = 0;
  float red, green, blue;
  float blend;
  float unused3 = 0;
};
static_assert(sizeof(DrawRecord) == 15 * sizeof(float) && std::is_standard_layout_v<DrawRecord>);
static_assert(offsetof(DrawRecord, alpha) == 7 * sizeof(float) && offsetof(DrawRecord, red) == 10 * sizeof(float) &&
              offsetof(DrawRecord, unused3) == 14 * sizeof(float));

// Fractions 0..1 of palette colour n (1..9; anything else is grey).
struct PaletteColour {
  float r, g, b;
};
PaletteColour PaletteEntry(int n);

// The icon escape character; the letter after it picks the icon.
constexpr int kIconEscape = 0xAC;

struct IconGlyph {
  int frame;
  int extra;
};
// The icon of an escape letter for a control mode at a clock time.
IconGlyph IconFor(int letter, int controlMode, int millis);
