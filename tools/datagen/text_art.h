// Text drawn into pictures (titles, key caps, the fonts' glyphs): coverage
// masks of DejaVu glyphs at a frame's pixel size, with outline and shadow.
#pragma once

#include <string>
#include <vector>

#include "tools/datagen/canvas.h"
#include "tools/datagen/truetype.h"

namespace datagen {

// Debian's DejaVu Sans Bold and DejaVu Sans Mono, loaded once. A missing font
// file ends the generator with a message (see main).
const TrueTypeFont &BoldFont();
const TrueTypeFont &MonoFont();

struct TextMask {
  std::vector<float> cover;
  int width = 0, height = 0;
  int baseline = 0; // row of the baseline
};

// The text as one mask, em size in pixels, letters squeezed horizontally by
// squeeze (1 = the font's own width).
TextMask RenderText(const TrueTypeFont &font, const std::string &text, float emPixels, float squeeze = 1);
// The mask grown by radius pixels (for outlines), with a margin of radius.
TextMask Dilate(const TextMask &mask, float radius);

// Draws the text centred on (cx, cy) in design units; the vertical centre is
// half the capital height above the baseline, so capitals sit centred.
void DrawText(Frame &f, const TrueTypeFont &font, const std::string &text, float cx, float cy, float emUnits,
              const Rgba &colour, float squeeze = 1);
// The same with an outline of width outlineUnits and an optional shadow offset.
void DrawOutlinedText(Frame &f, const TrueTypeFont &font, const std::string &text, float cx, float cy, float emUnits,
                      const Rgba &colour, float outlineUnits, const Rgba &outline, float shadowUnits = 0,
                      float squeeze = 1);
// Outlined text whose fill runs from top to bottom colour.
void DrawGradientText(Frame &f, const TrueTypeFont &font, const std::string &text, float cx, float cy, float emUnits,
                      const Rgba &top, const Rgba &bottom, float outlineUnits, const Rgba &outline, float shadowUnits);

} // namespace datagen
