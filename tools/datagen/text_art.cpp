// Text masks for the generator's pictures.
#include "tools/datagen/text_art.h"

#include <cmath>

namespace datagen {

// Loaded once, on first use, safely from any of the generator's threads.
const TrueTypeFont &BoldFont() {
  static TrueTypeFont font;
  static const bool loaded = font.Load(DejaVuPath("DejaVuSans-Bold.ttf"));
  (void)loaded;
  return font;
}

const TrueTypeFont &MonoFont() {
  static TrueTypeFont font;
  static const bool loaded = font.Load(DejaVuPath("DejaVuSansMono.ttf"));
  (void)loaded;
  return font;
}

TextMask RenderText(const TrueTypeFont &font, const std::string &text, float emPixels, float squeeze) {
  TextMask mask;
  if (!font.Loaded() || text.empty()) return mask;
  float sy = font.ScaleForEm(emPixels), sx = sy * squeeze;
  // Pen positions are rounded to whole pixels so the result never depends on
  // sub-pixel accumulation order.
  struct Placed {
    GlyphBitmap glyph;
    int x;
  };
  std::vector<Placed> placed;
  float pen = 0;
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (char ch : text) {
    GlyphBitmap g = font.Render(static_cast<unsigned char>(ch), sx, sy);
    int x = static_cast<int>(std::lround(pen));
    pen += font.Advance(static_cast<unsigned char>(ch)) * sx;
    if (g.width == 0) continue;
    int gx0 = x + g.left, gy0 = g.top;
    if (first || gx0 < minX) minX = gx0;
    if (first || gx0 + g.width > maxX) maxX = gx0 + g.width;
    if (first || gy0 < minY) minY = gy0;
    if (first || gy0 + g.height > maxY) maxY = gy0 + g.height;
    first = false;
    placed.push_back({std::move(g), x});
  }
  if (first) return mask;
  mask.width = maxX - minX;
  mask.height = maxY - minY;
  mask.baseline = -minY;
  mask.cover.assign(static_cast<size_t>(mask.width) * mask.height, 0.f);
  for (const Placed &p : placed) {
    for (int y = 0; y < p.glyph.height; ++y) {
      for (int x = 0; x < p.glyph.width; ++x) {
        int mx = p.x + p.glyph.left + x - minX, my = p.glyph.top + y - minY;
        float &dst = mask.cover[static_cast<size_t>(my) * mask.width + mx];
        dst = std::fmin(1.f, dst + p.glyph.cover[static_cast<size_t>(y) * p.glyph.width + x]);
      }
    }
  }
  return mask;
}

TextMask Dilate(const TextMask &mask, float radius) {
  int r = static_cast<int>(std::ceil(radius));
  TextMask out;
  out.width = mask.width + 2 * r;
  out.height = mask.height + 2 * r;
  out.baseline = mask.baseline + r;
  out.cover.assign(static_cast<size_t>(out.width) * out.height, 0.f);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      float best = 0;
      for (int dy = -r; dy <= r; ++dy) {
        int sy = y - r + dy;
        if (sy < 0 || sy >= mask.height) continue;
        for (int dx = -r; dx <= r; ++dx) {
          int sx = x - r + dx;
          if (sx < 0 || sx >= mask.width) continue;
          // Soft edge of the disc keeps the outline anti-aliased.
          float edge = std::clamp(radius + 0.5f - std::sqrt(static_cast<float>(dx * dx + dy * dy)), 0.f, 1.f);
          best = std::fmax(best, mask.cover[static_cast<size_t>(sy) * mask.width + sx] * edge);
        }
      }
      out.cover[static_cast<size_t>(y) * out.width + x] = best;
    }
  }
  return out;
}

namespace {
// Pixel offset of a mask so that its middle lands on (cx, cy), capitals centred.
void PlaceMask(const Frame &f, const TrueTypeFont &font, const TextMask &m, float cx, float cy, float emUnits, int &mx,
               int &my) {
  float s = f.Scale();
  float capPx = font.CapHeight() * font.ScaleForEm(emUnits * s);
  mx = static_cast<int>(std::lround(f.ToPixel(cx) - m.width * 0.5f));
  my = static_cast<int>(std::lround(f.ToPixel(cy) + capPx * 0.5f)) - m.baseline;
}
} // namespace

void DrawText(Frame &f, const TrueTypeFont &font, const std::string &text, float cx, float cy, float emUnits,
              const Rgba &colour, float squeeze) {
  TextMask m = RenderText(font, text, emUnits * f.Scale(), squeeze);
  int mx, my;
  PlaceMask(f, font, m, cx, cy, emUnits, mx, my);
  f.Mask(m.cover, m.width, mx, my, colour);
}

void DrawOutlinedText(Frame &f, const TrueTypeFont &font, const std::string &text, float cx, float cy, float emUnits,
                      const Rgba &colour, float outlineUnits, const Rgba &outline, float shadowUnits, float squeeze) {
  float s = f.Scale();
  TextMask m = RenderText(font, text, emUnits * s, squeeze);
  TextMask grown = Dilate(m, outlineUnits * s);
  int grow = (grown.width - m.width) / 2;
  int mx, my;
  PlaceMask(f, font, m, cx, cy, emUnits, mx, my);
  if (shadowUnits > 0) {
    int sh = static_cast<int>(std::lround(shadowUnits * s));
    f.Mask(grown.cover, grown.width, mx - grow + sh, my - grow + sh, WithAlpha(Gray(0), 0.45f * outline.a));
  }
  f.Mask(grown.cover, grown.width, mx - grow, my - grow, outline);
  f.Mask(m.cover, m.width, mx, my, colour);
}

void DrawGradientText(Frame &f, const TrueTypeFont &font, const std::string &text, float cx, float cy, float emUnits,
                      const Rgba &top, const Rgba &bottom, float outlineUnits, const Rgba &outline, float shadowUnits) {
  float s = f.Scale();
  TextMask m = RenderText(font, text, emUnits * s);
  TextMask grown = Dilate(m, outlineUnits * s);
  int grow = (grown.width - m.width) / 2;
  int mx, my;
  PlaceMask(f, font, m, cx, cy, emUnits, mx, my);
  int sh = static_cast<int>(std::lround(shadowUnits * s));
  if (sh > 0) f.Mask(grown.cover, grown.width, mx - grow + sh, my - grow + sh, WithAlpha(Gray(0), 0.45f));
  f.Mask(grown.cover, grown.width, mx - grow, my - grow, outline);
  float y0 = my / s - (f.ToPixel(0) / s), y1 = y0 + m.height / s;
  f.Mask(m.cover, m.width, mx, my,
         [&](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.f, 1.f)); });
}

} // namespace datagen
