// Glyph coverage from the DejaVu fonts that Debian installs (fonts-dejavu-core),
// rendered by stb_truetype at the pixel size of each resolution.
#pragma once

#include <string>
#include <vector>

struct stbtt_fontinfo;

namespace datagen {

// Where Debian's fonts-dejavu-core puts its files.
std::string DejaVuPath(const std::string &fileName);

struct GlyphBitmap {
  std::vector<float> cover; // 0..1, row-major
  int width = 0, height = 0;
  int left = 0, top = 0; // offset of the bitmap from the pen on the baseline
};

class TrueTypeFont {
public:
  TrueTypeFont();
  ~TrueTypeFont();
  TrueTypeFont(const TrueTypeFont &) = delete;
  TrueTypeFont &operator=(const TrueTypeFont &) = delete;

  // False when the file is missing or not a font.
  bool Load(const std::string &path);
  bool Loaded() const { return loaded_; }
  // The font's scale for an em of emPixels.
  float ScaleForEm(float emPixels) const;
  // Advance width of a character in font units; 0 when not in the font.
  int Advance(int codepoint) const;
  // Height of a capital letter in font units.
  int CapHeight() const;
  GlyphBitmap Render(int codepoint, float scaleX, float scaleY) const;

private:
  std::vector<unsigned char> data_;
  stbtt_fontinfo *info_;
  bool loaded_ = false;
};

} // namespace datagen
