// Building blocks shared by the pictures: round buttons, arrows, padlocks,
// stars; all in one look (a light rim, a top-lit body, white symbols).
#pragma once

#include "tools/datagen/canvas.h"

namespace datagen {

// A round, top-lit button of radius r around (cx, cy) in the given colour.
void RoundButton(Frame &f, float cx, float cy, float r, const Rgba &colour);
// Vertical gradient inside a shape given by sdf, with a one-unit rim.
void LitBody(Frame &f, float x0, float y0, float x1, float y1, const std::function<float(float, float)> &sdf,
             const Rgba &colour, float rim);

enum class Symbol {
  Pause,
  Cross,
  Play,
  Check,
  Star,
  Back,
  Forward,
  Up,
  Down,
  Gear,
  SoundOn,
  SoundOff,
  Home,
  Note,
  Info,
  Heart,
  Bolt,
  Crown,
  Drop,
  Diamond,
  Tile
};
// A symbol of size r (about its half width) around (cx, cy).
void DrawSymbol(Frame &f, Symbol s, float cx, float cy, float r, const Rgba &colour);
// A padlock of half height r around (cx, cy).
void Padlock(Frame &f, float cx, float cy, float r, const Rgba &body, const Rgba &shackle);

} // namespace datagen
