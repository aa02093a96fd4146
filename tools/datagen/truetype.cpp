// stb_truetype behind the generator's glyph interface; libstb carries the
// implementation, so only the declarations are included here.
#include "tools/datagen/truetype.h"

#include <stb/stb_truetype.h>

#include <fstream>
#include <iterator>

namespace datagen {

std::string DejaVuPath(const std::string &fileName) { return "/usr/share/fonts/truetype/dejavu/" + fileName; }

TrueTypeFont::TrueTypeFont() : info_(new stbtt_fontinfo()) {}
TrueTypeFont::~TrueTypeFont() { delete info_; }

bool TrueTypeFont::Load(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (data_.size() < 12) return false;
  int offset = stbtt_GetFontOffsetForIndex(data_.data(), 0);
  loaded_ = offset >= 0 && stbtt_InitFont(info_, data_.data(), offset) != 0;
  return loaded_;
}

float TrueTypeFont::ScaleForEm(float emPixels) const { return stbtt_ScaleForMappingEmToPixels(info_, emPixels); }

int TrueTypeFont::Advance(int codepoint) const {
  if (!stbtt_FindGlyphIndex(info_, codepoint)) return 0;
  int advance = 0, lsb = 0;
  stbtt_GetCodepointHMetrics(info_, codepoint, &advance, &lsb);
  return advance;
}

int TrueTypeFont::CapHeight() const {
  int x0, y0, x1, y1;
  if (!stbtt_GetCodepointBox(info_, 'H', &x0, &y0, &x1, &y1)) return 0;
  return y1;
}

GlyphBitmap TrueTypeFont::Render(int codepoint, float scaleX, float scaleY) const {
  GlyphBitmap g;
  if (!stbtt_FindGlyphIndex(info_, codepoint)) return g;
  int w = 0, h = 0, xoff = 0, yoff = 0;
  unsigned char *bits = stbtt_GetCodepointBitmap(info_, scaleX, scaleY, codepoint, &w, &h, &xoff, &yoff);
  if (!bits) return g;
  g.width = w;
  g.height = h;
  g.left = xoff;
  g.top = yoff;
  g.cover.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < g.cover.size(); ++i) g.cover[i] = bits[i] / 255.f;
  stbtt_FreeBitmap(bits, nullptr);
  return g;
}

} // namespace datagen
