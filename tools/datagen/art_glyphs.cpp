// The game's font (printable ASCII with a drop shadow, then the controller
// icons of the text escapes) and the framework's default font.
#include <algorithm>
#include <cmath>

#include "game/kerning.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"
#include "tools/datagen/text_art.h"

namespace datagen {

namespace {

// The text routine centres each glyph on its pen and steps 7 units plus the
// kerning of the character (KerningOf), so
// the ink of every glyph, shadow included, starts kBoxLeft units from the
// cell's centre and is 7 + kerning - kGap units wide: then every two
// neighbouring letters are kGap units apart. Wider glyphs are narrowed to
// fit; narrower ones, punctuation too, sit in the middle of their space, so
// a mark has as much room before it as after it.
constexpr float kEm = 10.5f;
constexpr int kCell = 16, kAdvance = 7, kGap = 1;
constexpr int kBoxLeft = -(kAdvance - kGap) / 2;
// What the test and the eye count as ink: a quarter opaque.
constexpr float kInkAlpha = 0.25f;

// The columns (from the bitmap's left, end exclusive) where a glyph drawn
// with its shadow `shadow` pixels down and right is ink.
struct Span {
  int begin = 0, end = 0;
};
Span InkColumns(const GlyphBitmap &g, int shadow) {
  auto cover = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < g.width && y < g.height ? g.cover[static_cast<size_t>(y) * g.width + x] : 0.f;
  };
  Span span{g.width + shadow, 0};
  for (int x = 0; x < g.width + shadow; ++x) {
    for (int y = 0; y < g.height + shadow; ++y) {
      float body = cover(x, y), under = 0.75f * cover(x - shadow, y - shadow);
      if (body + under * (1 - body) < kInkAlpha) continue;
      span.begin = std::min(span.begin, x);
      span.end = x + 1;
      break;
    }
  }
  return span;
}

void Glyph(Frame &f, int code) {
  const TrueTypeFont &font = BoldFont();
  if (font.Advance(code) == 0) return;
  float m = f.Scale();
  int shadow = std::max(1, static_cast<int>(std::lround(m)));
  int room = static_cast<int>(std::lround((kAdvance + KerningOf(code) - kGap) * m));
  float sy = font.ScaleForEm(kEm * m), sx = sy * 0.9f;
  GlyphBitmap g = font.Render(code, sx, sy);
  Span ink = InkColumns(g, shadow);
  if (ink.end - ink.begin > room) {
    // The widest squeeze that fits, found by halving.
    float lo = 0.f, hi = sx;
    for (int i = 0; i < 14; ++i) {
      float mid = (lo + hi) * 0.5f;
      GlyphBitmap trial = font.Render(code, mid, sy);
      Span s = InkColumns(trial, shadow);
      (s.end - s.begin > room ? hi : lo) = mid;
    }
    g = font.Render(code, lo, sy);
    ink = InkColumns(g, shadow);
  }
  if (g.width == 0 || ink.end <= ink.begin) return;
  int spare = room - (ink.end - ink.begin);
  int offset = static_cast<int>(std::lround(spare * 0.5f));
  // A stop is also the dot of an ellipsis, and stops in a row stand kGap plus
  // the whole spare apart: centred, the first would sit much nearer its word
  // than the next dot. It moves right only as far as brings the two gaps
  // within a unit of each other, so a stop after a word stays close to it.
  if (code == '.') offset = std::max(offset, spare - static_cast<int>(std::lround(m)));
  int x = static_cast<int>(std::lround((kCell / 2 + kBoxLeft) * m)) + offset - ink.begin;
  // Half a unit above centring the capitals, so descenders and the shadow
  // stay off the cell's edge.
  float cap = font.CapHeight() * sy;
  int baseline = static_cast<int>(std::lround(kCell * 0.5f * m + cap * 0.5f - 0.5f * m));
  f.Mask(g.cover, g.width, x + shadow, baseline + g.top + shadow, WithAlpha(Gray(0), 0.75f));
  f.Mask(g.cover, g.width, x, baseline + g.top, Gray(1));
}

// First icon set: keyboard key caps with the key's letter; a pressed cap
// (blank, sunk) for the blinking frames.
void KeyCap(Frame &f, const char *letter, bool wide, bool pressed) {
  float hw = wide ? 7.5f : 6.2f, drop = pressed ? 1.f : 0.f;
  f.FillAll([&](float x, float y) { return RoundBox(x, y, 8, 9, hw, 6, 1.6f); }, Rgb255(90, 96, 110));
  f.FillAll(
      [&](float x, float y) { return RoundBox(x, y, 8, 7.6f + drop, hw - 0.6f, 5.2f, 1.3f); },
      [&](float, float y) { return Mix(Gray(pressed ? 0.75f : 0.98f), Gray(pressed ? 0.62f : 0.82f), (y - 2) / 11); });
  if (letter) DrawText(f, BoldFont(), letter, 8, 7.8f + drop, 8.5f, Rgb255(30, 34, 48));
}

// Second icon set: a game pad's parts.
void FaceButtons(Frame &f, int lit) {
  static const Point kAt[4] = {{8, 12.6f}, {12.6f, 8}, {3.4f, 8}, {8, 3.4f}};
  static const Rgba kColour[4] = {Rgb255(80, 200, 110), Rgb255(230, 80, 80), Rgb255(80, 150, 240),
                                  Rgb255(250, 200, 60)};
  for (int i = 0; i < 4; ++i) {
    Point p = kAt[i];
    f.FillAll([&](float x, float y) { return Circle(x, y, p.x, p.y, 2.9f); }, WithAlpha(Gray(0), 0.6f));
    f.FillAll([&](float x, float y) { return Circle(x, y, p.x, p.y, 2.3f); }, i == lit ? kColour[i] : Gray(0.55f));
  }
}

void Shoulder(Frame &f, const char *letter, bool pressed) {
  f.FillAll([](float x, float y) { return RoundBox(x, y, 8, 8, 7.6f, 4.6f, 4); }, WithAlpha(Gray(0), 0.7f));
  f.FillAll([](float x, float y) { return RoundBox(x, y, 8, 8, 6.8f, 3.8f, 3.5f); },
            pressed ? Gray(0.55f) : Gray(0.92f));
  if (letter) DrawText(f, BoldFont(), letter, 8, 8, 7, Rgb255(30, 34, 48));
}

void PadCross(Frame &f, int lit) {
  auto arm = [](float x, float y, int dir) {
    float dx = dir == 2 ? -1.f : dir == 3 ? 1.f : 0.f, dy = dir == 0 ? -1.f : dir == 1 ? 1.f : 0.f;
    return RoundBox(x, y, 8 + dx * 4, 8 + dy * 4, dx != 0 ? 3.2f : 2.4f, dy != 0 ? 3.2f : 2.4f, 0.6f);
  };
  f.FillAll([&](float x,
                float y) { return Union(Union(arm(x, y, 0), arm(x, y, 1)), Union(arm(x, y, 2), arm(x, y, 3))) - 0.7f; },
            WithAlpha(Gray(0), 0.7f));
  f.FillAll(
      [&](float x, float y) { return Union(Union(arm(x, y, 0), arm(x, y, 1)), Union(arm(x, y, 2), arm(x, y, 3))); },
      Gray(0.88f));
  if (lit >= 0) f.FillAll([&](float x, float y) { return arm(x, y, lit) + 0.5f; }, Rgb255(255, 200, 60));
}

void Pill(Frame &f, bool start) {
  f.FillAll([](float x, float y) { return RoundBox(x, y, 8, 8, 6.5f, 3.2f, 3.2f); }, WithAlpha(Gray(0), 0.7f));
  f.FillAll([](float x, float y) { return RoundBox(x, y, 8, 8, 5.8f, 2.5f, 2.5f); }, Gray(0.85f));
  if (start) {
    f.FillAll(
        [](float x, float y) {
          return Polygon(x, y, {{6.5f, 6.3f}, {10, 8}, {6.5f, 9.7f}});
        },
        Rgb255(30, 34, 48));
  } else {
    f.FillAll(
        [](float x, float y) { return Union(RoundBox(x, y, 6, 8, 1, 1, 0.2f), RoundBox(x, y, 10, 8, 1, 1, 0.2f)); },
        Rgb255(30, 34, 48));
  }
}

void Icon(Frame &cell, int icon) {
  // A margin all round keeps turned and scaled icons clear of their neighbours.
  Frame f = cell.Shrunk(0.85f);
  // Escape letters in frame order: J K L I U O Q E F W S A D.
  static const char *kKeys[13] = {"J", "K", "L", "I", "U", "O", "Q", "E", "F", "W", "S", "A", "D"};
  if (icon < 13) {
    KeyCap(f, kKeys[icon], icon == 4 || icon == 5, false);
  } else if (icon == 13) {
    KeyCap(f, nullptr, false, true);
  } else if (icon == 14) {
    KeyCap(f, nullptr, true, true);
  } else if (icon >= 16 && icon < 20) {
    FaceButtons(f, icon - 16);
  } else if (icon == 20 || icon == 21) {
    Shoulder(f, icon == 20 ? "L" : "R", false);
  } else if (icon == 22 || icon == 23) {
    Pill(f, icon == 22);
  } else if (icon == 24) {
    PadCross(f, -1);
  } else if (icon >= 25 && icon < 29) {
    PadCross(f, icon - 25);
  } else if (icon == 29) {
    FaceButtons(f, -1);
  } else if (icon == 30) {
    Shoulder(f, nullptr, true);
  }
}

} // namespace

void PaintGameGlyph(Frame &f, int index) {
  if (index >= 96) {
    Icon(f, index - 96);
  } else if (index >= 1 && index <= 94) {
    Glyph(f, index + 32);
  }
}

Canvas RenderLumenFont() {
  // 96 cells of 7 x 13 pixels, each between two transparent padding columns.
  constexpr int kW = 7, kH = 13, kStride = kW + 2;
  Canvas canvas(96 * kStride, kH);
  const TrueTypeFont &font = MonoFont();
  float scale = font.ScaleForEm(11);
  int baseline = 10;
  for (int i = 1; i < 95; ++i) {
    int code = 32 + i;
    GlyphBitmap g = font.Render(code, scale, scale);
    if (g.width == 0) continue;
    Frame cell(canvas, i * kStride + 1, 0, kW, kH, 1);
    int penX = static_cast<int>(std::lround((kW - font.Advance(code) * scale) * 0.5f));
    cell.Mask(g.cover, g.width, penX + g.left, baseline + g.top, Gray(1));
  }
  return canvas;
}

} // namespace datagen
