// The game's pictures: each file's cell size, frame count and layout, and the
// painter of its frames. Frames walk left to right, then down, `columns` to a
// row, the way the game's image loader cuts them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/datagen/canvas.h"

namespace datagen {

using FramePainter = std::function<void(Frame &frame, int index)>;

struct Picture {
  std::string name; // without resolution suffix and ".png"
  int cellW, cellH, frames, columns;
  FramePainter paint;
  int Rows() const { return (frames + columns - 1) / columns; }
};

// The three resolution multipliers and their file-name suffixes.
constexpr int kMultipliers[3] = {1, 2, 4};
const char *SuffixFor(int multiplier);

// Every picture file of the game except the default font.
std::vector<Picture> GamePictures();

// All frames of a picture at a multiplier, on one transparent surface.
Canvas RenderPicture(const Picture &picture, int multiplier);

// The painters, one per file (frame designs in the art_*.cpp files).
void PaintBlock(Frame &f, int index);
void PaintPuzzleTile(Frame &f, int puzzle);
void PaintButton(Frame &f, int index);
void PaintIcon(Frame &f, int index);
void PaintBadge(Frame &f, int index);
void PaintLogo(Frame &f, int index);
void PaintPlinthLogo(Frame &f, int index);
void PaintParticle(Frame &f, int index);
void PaintCircle(Frame &f, int index);
void PaintLight(Frame &f, int index);
void PaintDpad(Frame &f, int index);
void PaintMenuPanel(Frame &f, int index);
void PaintGameGlyph(Frame &f, int index);

// The default font: 96 glyphs side by side, one pixel of padding each side.
Canvas RenderLumenFont();

// The desktop icon, pixels wide and high.
Canvas RenderAppIcon(int pixels);

} // namespace datagen
