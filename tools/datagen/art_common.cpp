// Shared picture parts: buttons and the padlock.
#include "tools/datagen/art_common.h"

#include "tools/datagen/shapes.h"

namespace datagen {

void LitBody(Frame &f, float x0, float y0, float x1, float y1, const std::function<float(float, float)> &sdf,
             const Rgba &colour, float rim) {
  Rgba dark = Mix(colour, Gray(0), 0.45f);
  f.Fill(x0, y0, x1, y1, sdf, WithAlpha(dark, colour.a));
  f.Fill(
      x0, y0, x1, y1, [&](float x, float y) { return sdf(x, y) + rim; },
      [&](float, float y) {
        float t = std::clamp((y - y0) / std::max(1.f, y1 - y0), 0.f, 1.f);
        return Mix(Mix(colour, Gray(1, colour.a), 0.3f), Mix(colour, Gray(0, colour.a), 0.15f), t);
      });
}

void RoundButton(Frame &f, float cx, float cy, float r, const Rgba &colour) {
  // A soft shadow, the body, then a gloss on the upper half.
  f.Fill(
      cx - r - 2, cy - r, cx + r + 2, cy + r + 3, [&](float x, float y) { return Circle(x, y, cx, cy + 1.2f, r); },
      WithAlpha(Gray(0), 0.35f));
  LitBody(
      f, cx - r, cy - r, cx + r, cy + r, [&](float x, float y) { return Circle(x, y, cx, cy, r); }, colour,
      std::max(1.f, r * 0.1f));
  f.Fill(
      cx - r, cy - r, cx + r, cy,
      [&](float x, float y) { return Intersect(Circle(x, y, cx, cy - r * 0.35f, r * 0.62f), y - cy); },
      WithAlpha(Gray(1), 0.18f));
}

void SymbolButton(Frame &f, float cell, Symbol s, const Rgba &colour) {
  RoundButton(f, cell / 2, cell / 2, cell * 13 / 32, colour);
  DrawSymbol(f, s, cell / 2, cell / 2, cell / 4, Gray(1));
}

void Padlock(Frame &f, float cx, float cy, float r, const Rgba &body, const Rgba &shackle) {
  f.Fill(
      cx - r, cy - r * 1.1f, cx + r, cy,
      [&](float x, float y) {
        return Intersect(Ring(x, y, cx, cy - r * 0.25f, r * 0.45f, r * 0.12f), y - (cy - r * 0.1f));
      },
      shackle);
  LitBody(
      f, cx - r, cy - r * 0.2f, cx + r, cy + r,
      [&](float x, float y) { return RoundBox(x, y, cx, cy + r * 0.35f, r * 0.72f, r * 0.6f, r * 0.15f); }, body,
      std::max(0.8f, r * 0.08f));
  f.Fill(
      cx - r, cy, cx + r, cy + r,
      [&](float x, float y) {
        return Union(Circle(x, y, cx, cy + r * 0.22f, r * 0.14f),
                     Segment(x, y, cx, cy + r * 0.22f, cx, cy + r * 0.6f, r * 0.06f));
      },
      Mix(body, Gray(0), 0.6f));
}

} // namespace datagen
