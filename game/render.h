// The display list's record layout, the fit of the virtual screen to the
// device, the palette and the text routine's kerning: the parts of the game's
// rendering that need no game object.
#pragma once

#include "game/kerning.h"
#include "game/names.h"

// A record is 15 floats; the list holds 2500 of them.
constexpr int kRecordSize = 15;
constexpr int kDrawListFloats = 37500;

// Offsets inside a record.
enum DrawRecordField {
  kRecKind = 0,
  kRecX = 1,
  kRecY = 2,
  kRecRot = 3,
  kRecW = 4,
  kRecH = 5,
  kRecFrame = 6,
  kRecAlpha = 7,
  kRecRed = 10,
  kRecGreen = 11,
  kRecBlue = 12,
  kRecBlend = 13,
};

constexpr float kDegToRad = 0.017453292f;

// How the design size fits a device: mode 1 when the width governs, 2 when the
// height does; the virtual screen keeps the device's aspect ratio.
struct ViewFit {
  int mode = 1;
  float scale = 1;
  float virtualW = 640, virtualH = 480;
  float offX = 0, offY = 0;
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
