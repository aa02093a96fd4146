// Shared picture parts: buttons, symbols, padlock.
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

void DrawSymbol(Frame &f, Symbol s, float cx, float cy, float r, const Rgba &colour) {
  float w = std::max(0.6f, r * 0.2f);
  float x0 = cx - r * 1.6f, y0 = cy - r * 1.6f, x1 = cx + r * 1.6f, y1 = cy + r * 1.6f;
  auto fill = [&](const std::function<float(float, float)> &sdf) { f.Fill(x0, y0, x1, y1, sdf, colour); };
  switch (s) {
  case Symbol::Pause:
    fill([&](float x, float y) {
      return Union(RoundBox(x, y, cx - r * 0.4f, cy, r * 0.22f, r * 0.75f, w * 0.5f),
                   RoundBox(x, y, cx + r * 0.4f, cy, r * 0.22f, r * 0.75f, w * 0.5f));
    });
    break;
  case Symbol::Cross:
    fill([&](float x, float y) {
      return Union(Segment(x, y, cx - r * 0.6f, cy - r * 0.6f, cx + r * 0.6f, cy + r * 0.6f, w),
                   Segment(x, y, cx + r * 0.6f, cy - r * 0.6f, cx - r * 0.6f, cy + r * 0.6f, w));
    });
    break;
  case Symbol::Play: {
    std::vector<Point> tri = {{cx - r * 0.45f, cy - r * 0.75f}, {cx + r * 0.8f, cy}, {cx - r * 0.45f, cy + r * 0.75f}};
    fill([&](float x, float y) { return Polygon(x, y, tri) - w * 0.3f; });
    break;
  }
  case Symbol::Check:
    fill([&](float x, float y) {
      return Union(Segment(x, y, cx - r * 0.65f, cy, cx - r * 0.15f, cy + r * 0.5f, w),
                   Segment(x, y, cx - r * 0.15f, cy + r * 0.5f, cx + r * 0.7f, cy - r * 0.55f, w));
    });
    break;
  case Symbol::Star: {
    auto pts = StarPoints(cx, cy + r * 0.08f, r * 0.95f, r * 0.42f, 5);
    fill([&](float x, float y) { return Polygon(x, y, pts); });
    break;
  }
  case Symbol::Back:
  case Symbol::Forward:
  case Symbol::Up:
  case Symbol::Down: {
    // An arrow pointing right, turned to its direction.
    float ang = s == Symbol::Forward ? 0 : s == Symbol::Back ? kPi : s == Symbol::Up ? -kPi / 2 : kPi / 2;
    float ca = std::cos(ang), sa = std::sin(ang);
    fill([&](float x, float y) {
      float lx = (x - cx) * ca + (y - cy) * sa, ly = -(x - cx) * sa + (y - cy) * ca;
      float shaft = Segment(lx, ly, -r * 0.65f, 0, r * 0.5f, 0, w);
      float head = Union(Segment(lx, ly, r * 0.65f, 0, r * 0.1f, -r * 0.55f, w),
                         Segment(lx, ly, r * 0.65f, 0, r * 0.1f, r * 0.55f, w));
      return Union(shaft, head);
    });
    break;
  }
  case Symbol::Gear:
    fill([&](float x, float y) {
      return Cut(Gear(x, y, cx, cy, r * 0.62f, r * 0.3f, 8), Circle(x, y, cx, cy, r * 0.28f));
    });
    break;
  case Symbol::SoundOn:
  case Symbol::SoundOff: {
    std::vector<Point> horn = {{cx - r * 0.8f, cy - r * 0.25f},  {cx - r * 0.45f, cy - r * 0.25f},
                               {cx - r * 0.05f, cy - r * 0.65f}, {cx - r * 0.05f, cy + r * 0.65f},
                               {cx - r * 0.45f, cy + r * 0.25f}, {cx - r * 0.8f, cy + r * 0.25f}};
    fill([&](float x, float y) {
      float d = Polygon(x, y, horn);
      if (s == Symbol::SoundOn) {
        float wave = Intersect(Ring(x, y, cx - r * 0.05f, cy, r * 0.45f, w * 0.6f), r * 0.1f + cx - x);
        float wave2 = Intersect(Ring(x, y, cx - r * 0.05f, cy, r * 0.8f, w * 0.6f), r * 0.1f + cx - x);
        d = Union(d, Intersect(Union(wave, wave2), std::fabs(y - cy) - r * 0.6f));
      } else {
        d = Union(d, Union(Segment(x, y, cx + r * 0.25f, cy - r * 0.3f, cx + r * 0.85f, cy + r * 0.3f, w * 0.7f),
                           Segment(x, y, cx + r * 0.85f, cy - r * 0.3f, cx + r * 0.25f, cy + r * 0.3f, w * 0.7f)));
      }
      return d;
    });
    break;
  }
  case Symbol::Home: {
    std::vector<Point> house = {{cx, cy - r * 0.8f},
                                {cx + r * 0.8f, cy - r * 0.05f},
                                {cx + r * 0.55f, cy - r * 0.05f},
                                {cx + r * 0.55f, cy + r * 0.7f},
                                {cx - r * 0.55f, cy + r * 0.7f},
                                {cx - r * 0.55f, cy - r * 0.05f},
                                {cx - r * 0.8f, cy - r * 0.05f}};
    fill([&](float x, float y) {
      return Cut(Polygon(x, y, house), RoundBox(x, y, cx, cy + r * 0.4f, r * 0.18f, r * 0.3f, 0));
    });
    break;
  }
  case Symbol::Note:
    fill([&](float x, float y) {
      float heads = Union(Circle(x, y, cx - r * 0.45f, cy + r * 0.5f, r * 0.25f),
                          Circle(x, y, cx + r * 0.45f, cy + r * 0.35f, r * 0.25f));
      float stems = Union(Segment(x, y, cx - r * 0.25f, cy + r * 0.5f, cx - r * 0.25f, cy - r * 0.6f, w * 0.6f),
                          Segment(x, y, cx + r * 0.65f, cy + r * 0.35f, cx + r * 0.65f, cy - r * 0.75f, w * 0.6f));
      float beam = Segment(x, y, cx - r * 0.25f, cy - r * 0.6f, cx + r * 0.65f, cy - r * 0.75f, w);
      return Union(heads, Union(stems, beam));
    });
    break;
  case Symbol::Info:
    fill([&](float x, float y) {
      return Union(Circle(x, y, cx, cy - r * 0.55f, r * 0.17f),
                   RoundBox(x, y, cx, cy + r * 0.2f, r * 0.13f, r * 0.48f, r * 0.05f));
    });
    break;
  case Symbol::Heart:
    fill([&](float x, float y) {
      std::vector<Point> v = {{cx - r * 0.78f, cy - r * 0.12f}, {cx + r * 0.78f, cy - r * 0.12f}, {cx, cy + r * 0.8f}};
      return Union(Union(Circle(x, y, cx - r * 0.4f, cy - r * 0.3f, r * 0.42f),
                         Circle(x, y, cx + r * 0.4f, cy - r * 0.3f, r * 0.42f)),
                   Polygon(x, y, v));
    });
    break;
  case Symbol::Bolt: {
    std::vector<Point> bolt = {{cx + r * 0.2f, cy - r * 0.9f},  {cx - r * 0.5f, cy + r * 0.1f},
                               {cx - r * 0.02f, cy + r * 0.1f}, {cx - r * 0.2f, cy + r * 0.9f},
                               {cx + r * 0.5f, cy - r * 0.15f}, {cx + r * 0.02f, cy - r * 0.15f}};
    fill([&](float x, float y) { return Polygon(x, y, bolt); });
    break;
  }
  case Symbol::Crown: {
    std::vector<Point> crown = {{cx - r * 0.8f, cy + r * 0.55f}, {cx - r * 0.8f, cy - r * 0.55f},
                                {cx - r * 0.4f, cy - r * 0.05f}, {cx, cy - r * 0.7f},
                                {cx + r * 0.4f, cy - r * 0.05f}, {cx + r * 0.8f, cy - r * 0.55f},
                                {cx + r * 0.8f, cy + r * 0.55f}};
    fill([&](float x, float y) { return Polygon(x, y, crown); });
    break;
  }
  case Symbol::Drop:
    fill([&](float x, float y) {
      std::vector<Point> tip = {{cx, cy - r * 0.9f}, {cx + r * 0.5f, cy + r * 0.1f}, {cx - r * 0.5f, cy + r * 0.1f}};
      return Union(Circle(x, y, cx, cy + r * 0.3f, r * 0.55f), Polygon(x, y, tip));
    });
    break;
  case Symbol::Diamond: {
    auto pts = RegularPoints(cx, cy, r * 0.85f, 4);
    fill([&](float x, float y) { return Polygon(x, y, pts); });
    break;
  }
  case Symbol::Tile:
    fill([&](float x, float y) {
      float d = 1e9f;
      for (int i = 0; i < 4; ++i) {
        float bx = cx + ((i % 2) ? 0.38f : -0.38f) * r, by = cy + ((i / 2) ? 0.38f : -0.38f) * r;
        if (i != 1) d = Union(d, RoundBox(x, y, bx, by, r * 0.32f, r * 0.32f, r * 0.08f));
      }
      return d;
    });
    break;
  }
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
