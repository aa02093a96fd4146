// Building blocks shared by the pictures: round buttons, arrows, padlocks,
// stars; all in one look (a light rim, a top-lit body, white symbols).
#pragma once

#include "tools/datagen/canvas.h"

namespace datagen {

// The faces of the buttons, one set of colours on every sheet.
inline const Rgba kFaceBlue = Rgb255(60, 130, 210);
inline const Rgba kFaceGreen = Rgb255(60, 170, 90);
inline const Rgba kFaceRed = Rgb255(210, 70, 70);
inline const Rgba kFaceGold = Rgb255(230, 170, 40);
inline const Rgba kFacePurple = Rgb255(150, 90, 200);
inline const Rgba kFaceGrey = Rgb255(120, 130, 150);

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
// A round button with a white symbol that fills a square cell of the given
// design size (the button sheet's 64, the icon sheet's 32).
void SymbolButton(Frame &f, float cell, Symbol s, const Rgba &colour);
// A padlock of half height r around (cx, cy).
void Padlock(Frame &f, float cx, float cy, float r, const Rgba &body, const Rgba &shackle);

} // namespace datagen
