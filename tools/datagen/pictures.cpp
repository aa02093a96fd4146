// The table of picture files and the frame layout on each surface.
#include "tools/datagen/pictures.h"

namespace datagen {

const char *SuffixFor(int multiplier) {
  if (multiplier == 4) return "-hd2";
  if (multiplier == 2) return "-hd";
  return "";
}

std::vector<Picture> GamePictures() {
  std::vector<Picture> list = {
      {"blocks", 12, 12, 25, 5, PaintBlock},
      {"BadgesA", 64, 64, 64, 8, PaintBadge},
      {"common/circle", 256, 256, 4, 2, PaintCircle},
      {"common/light", 32, 32, 4, 2, PaintLight},
      {"fonts/shadow_editundo", 16, 16, 128, 16, PaintGameGlyph},
      {"common/PlinthLogo", 256, 256, 1, 1, PaintPlinthLogo},
      {"common/dpad", 32, 32, 16, 4, PaintDpad},
      {"common/Buttons", 64, 64, 16, 4, PaintButton},
      {"parts", 8, 8, 256, 16, PaintParticle},
      {"common/icons", 32, 32, 16, 4, PaintIcon},
      {"logo", 256, 128, 1, 1, PaintLogo},
      {"menu", 256, 256, 4, 2, PaintMenuPanel},
  };
  for (int sheet = 1; sheet <= 14; ++sheet) {
    int first = (sheet - 1) * 16 + 1;
    list.push_back({"sheet" + std::to_string(sheet), 64, 64, 16, 4,
                    [first](Frame &f, int index) { PaintPuzzleTile(f, first + index); }});
  }
  return list;
}

Canvas RenderPicture(const Picture &picture, int multiplier) {
  int fw = picture.cellW * multiplier, fh = picture.cellH * multiplier;
  Canvas canvas(fw * picture.columns, fh * picture.Rows());
  for (int i = 0; i < picture.frames; ++i) {
    Frame frame(canvas, (i % picture.columns) * fw, (i / picture.columns) * fh, fw, fh, static_cast<float>(multiplier));
    picture.paint(frame, i);
  }
  return canvas;
}

} // namespace datagen
