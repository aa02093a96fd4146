// Effect pictures in white (the game tints them): particle fragments,
// large circles and small lights.
#include <iterator>

#include "tools/datagen/art_common.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/shapes.h"

namespace datagen {

namespace {

// The particle colours: twelve hues, white, grey, gold and a dark slate.
Rgba ParticleTone(int tone) {
  return tone < 12    ? Hsv(tone * 30.f, 0.65f, 1.f)
         : tone == 12 ? Gray(1)
         : tone == 13 ? Gray(0.7f)
         : tone == 14 ? Rgb255(255, 210, 80)
                      : Rgb255(60, 60, 80);
}

using ParticlePainter = std::function<void(Frame &, const Rgba &)>;

ParticlePainter Filled(float (*outline)(float, float)) {
  return [outline](Frame &f, const Rgba &c) { f.FillAll(outline, c); };
}

void Heart(Frame &f, const Rgba &c) { DrawSymbol(f, Symbol::Heart, 4, 4, 4, c); }

// A dot that fades from its middle out.
void SoftDot(Frame &f, const Rgba &c) {
  f.FillAll([](float x, float y) { return Circle(x, y, 4, 4, 4); },
            [&](float x, float y) {
              float t = std::clamp(Length(x - 4, y - 4) / 4, 0.f, 1.f);
              return WithAlpha(c, (1 - t) * (1 - t));
            });
}

// The shapes, one a row of the sheet.
const ParticlePainter kParticles[] = {
    Filled([](float x, float y) { return RoundBox(x, y, 4, 4, 3.5f, 3.5f, 0.5f); }),
    Filled([](float x, float y) { return RoundBox(x, y, 4, 4, 2, 2, 0.3f); }),
    Filled([](float x, float y) { return Circle(x, y, 4, 4, 3.5f); }),
    Filled([](float x, float y) { return Circle(x, y, 4, 4, 1.8f); }),
    Filled([](float x, float y) { return Ring(x, y, 4, 4, 2.8f, 0.6f); }),
    Filled([](float x, float y) { return Polygon(x, y, RegularPoints(4, 4, 3.6f, 4)); }),
    Filled([](float x, float y) { return Polygon(x, y, StarPoints(4, 4, 3.8f, 1.1f, 4)); }),
    Filled([](float x, float y) { return Polygon(x, y, StarPoints(4, 4.2f, 3.8f, 1.7f, 5)); }),
    Filled([](float x, float y) { return Polygon(x, y, RegularPoints(4, 4.5f, 3.5f, 3)); }),
    Filled([](float x, float y) { return Union(Segment(x, y, 4, 1, 4, 7, 0.8f), Segment(x, y, 1, 4, 7, 4, 0.8f)); }),
    Filled([](float x, float y) {
      return Union(Segment(x, y, 1.5f, 1.5f, 6.5f, 6.5f, 0.7f), Segment(x, y, 6.5f, 1.5f, 1.5f, 6.5f, 0.7f));
    }),
    Heart,
    Filled([](float x, float y) {
      return Polygon(x, y, {{1, 1.5f}, {7, 3}, {2.5f, 7}});
    }),
    Filled([](float x, float y) {
      return Polygon(x, y, {{1, 1}, {7, 1}, {1, 7}});
    }),
    Filled([](float x, float y) { return Segment(x, y, 1.5f, 4, 6.5f, 4, 0.9f); }),
    SoftDot,
};

} // namespace

void PaintParticle(Frame &f, int index) {
  // Sixteen shapes down the sheet, sixteen colours across.
  const int last = static_cast<int>(std::size(kParticles)) - 1;
  kParticles[std::clamp(index / 16, 0, last)](f, ParticleTone(index % 16));
}

namespace {
void Glow(Frame &f, float c, float r, float power) {
  f.FillAll([&](float x, float y) { return Circle(x, y, c, c, r); },
            [&](float x, float y) {
              float t = std::clamp(Length(x - c, y - c) / r, 0.f, 1.f);
              return Gray(1, std::pow(1 - t, power));
            });
}
} // namespace

void PaintCircle(Frame &f, int index) {
  switch (index) {
  case 0:
    f.FillAll([](float x, float y) { return Circle(x, y, 128, 128, 124); }, Gray(1));
    return;
  case 1:
    f.FillAll([](float x, float y) { return Ring(x, y, 128, 128, 118, 6); }, Gray(1));
    return;
  case 2:
    Glow(f, 128, 126, 2);
    return;
  default:
    // A burst of twelve soft rays.
    f.FillAll([](float x, float y) { return Circle(x, y, 128, 128, 126); },
              [](float x, float y) {
                float dx = x - 128, dy = y - 128;
                float t = std::clamp(Length(dx, dy) / 126, 0.f, 1.f);
                float ray = std::pow(std::fabs(std::cos(std::atan2(dy, dx) * 6)), 6.f);
                return Gray(1, std::clamp((ray * 0.8f + 0.2f) * (1 - t) * (1 - t) * 1.2f, 0.f, 1.f));
              });
    return;
  }
}

void PaintLight(Frame &f, int index) {
  switch (index) {
  case 0:
    Glow(f, 16, 15.5f, 2);
    return;
  case 1:
    Glow(f, 16, 10, 2.5f);
    f.FillAll([](float x, float y) { return Polygon(x, y, StarPoints(16, 16, 15, 2.2f, 4)); }, Gray(1, 0.9f));
    return;
  case 2:
    f.FillAll([](float x, float y) { return Circle(x, y, 16, 16, 6); }, Gray(1));
    return;
  default:
    f.FillAll([](float x, float y) { return Ring(x, y, 16, 16, 12, 1.5f); }, Gray(1));
    return;
  }
}

} // namespace datagen
