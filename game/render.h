// The display list's record layout, the fit of the virtual screen to the
// device and its mapping both ways, the palette and the text routine's
// kerning: the parts of the game's rendering that need no game object.
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

// Where the virtual screen lies on the device: its units times the scale,
// moved in by the overscan border.
struct ViewMapping {
  float scale = 1;
  float offX = 0, offY = 0;

  struct Point {
    float x, y;
  };
  Point ToDevice(float x, float y) const { return {x * scale + offX, y * scale + offY}; }
  Point SizeOnDevice(float w, float h) const { return {w * scale, h * scale}; }
  Point ToVirtual(float x, float y) const {
    // A zero-sized window fits at scale 0; positions then stay in device
    // units rather than becoming infinite.
    float s = scale > 0 ? scale : 1;
    return {(x - offX) / s, (y - offY) / s};
  }
};

// How the design size fits a device: mode 1 when the width governs, 2 when the
// height does; the virtual screen keeps the device's aspect ratio.
struct ViewFit {
  int mode = 1;
  float virtualW = 640, virtualH = 480;
  ViewMapping view;
};

ViewFit FitVirtualScreen(float deviceW, float deviceH, float overscan, float designW, float designH);

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
