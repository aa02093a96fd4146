// The white symbols of the buttons, icons and badges, each an outline of a
// symbol of size r around (cx, cy) drawn with strokes of width w.
#include <iterator>

#include "tools/datagen/art_common.h"
#include "tools/datagen/shapes.h"

namespace datagen {
namespace {

using Outline = std::function<float(float, float)>;
using OutlineMaker = Outline (*)(float cx, float cy, float r, float w);

Outline PauseOutline(float cx, float cy, float r, float w) {
  return [=](float x, float y) {
    return Union(RoundBox(x, y, cx - r * 0.4f, cy, r * 0.22f, r * 0.75f, w * 0.5f),
                 RoundBox(x, y, cx + r * 0.4f, cy, r * 0.22f, r * 0.75f, w * 0.5f));
  };
}

Outline CrossOutline(float cx, float cy, float r, float w) {
  return [=](float x, float y) {
    return Union(Segment(x, y, cx - r * 0.6f, cy - r * 0.6f, cx + r * 0.6f, cy + r * 0.6f, w),
                 Segment(x, y, cx + r * 0.6f, cy - r * 0.6f, cx - r * 0.6f, cy + r * 0.6f, w));
  };
}

Outline PlayOutline(float cx, float cy, float r, float w) {
  std::vector<Point> tri = {{cx - r * 0.45f, cy - r * 0.75f}, {cx + r * 0.8f, cy}, {cx - r * 0.45f, cy + r * 0.75f}};
  return [=](float x, float y) { return Polygon(x, y, tri) - w * 0.3f; };
}

Outline CheckOutline(float cx, float cy, float r, float w) {
  return [=](float x, float y) {
    return Union(Segment(x, y, cx - r * 0.65f, cy, cx - r * 0.15f, cy + r * 0.5f, w),
                 Segment(x, y, cx - r * 0.15f, cy + r * 0.5f, cx + r * 0.7f, cy - r * 0.55f, w));
  };
}

Outline StarOutline(float cx, float cy, float r, float) {
  auto pts = StarPoints(cx, cy + r * 0.08f, r * 0.95f, r * 0.42f, 5);
  return [=](float x, float y) { return Polygon(x, y, pts); };
}

// An arrow pointing right, turned by angle.
Outline ArrowOutline(float cx, float cy, float r, float w, float angle) {
  float ca = std::cos(angle), sa = std::sin(angle);
  return [=](float x, float y) {
    float lx = (x - cx) * ca + (y - cy) * sa, ly = -(x - cx) * sa + (y - cy) * ca;
    float shaft = Segment(lx, ly, -r * 0.65f, 0, r * 0.5f, 0, w);
    float head = Union(Segment(lx, ly, r * 0.65f, 0, r * 0.1f, -r * 0.55f, w),
                       Segment(lx, ly, r * 0.65f, 0, r * 0.1f, r * 0.55f, w));
    return Union(shaft, head);
  };
}

Outline GearOutline(float cx, float cy, float r, float) {
  return [=](float x, float y) {
    return Cut(Gear(x, y, cx, cy, r * 0.62f, r * 0.3f, 8), Circle(x, y, cx, cy, r * 0.28f));
  };
}

// A loudspeaker with sound waves when on, crossed out when off.
Outline SpeakerOutline(float cx, float cy, float r, float w, bool on) {
  std::vector<Point> horn = {{cx - r * 0.8f, cy - r * 0.25f},  {cx - r * 0.45f, cy - r * 0.25f},
                             {cx - r * 0.05f, cy - r * 0.65f}, {cx - r * 0.05f, cy + r * 0.65f},
                             {cx - r * 0.45f, cy + r * 0.25f}, {cx - r * 0.8f, cy + r * 0.25f}};
  return [=](float x, float y) {
    float d = Polygon(x, y, horn);
    if (on) {
      float wave = Intersect(Ring(x, y, cx - r * 0.05f, cy, r * 0.45f, w * 0.6f), r * 0.1f + cx - x);
      float wave2 = Intersect(Ring(x, y, cx - r * 0.05f, cy, r * 0.8f, w * 0.6f), r * 0.1f + cx - x);
      d = Union(d, Intersect(Union(wave, wave2), std::fabs(y - cy) - r * 0.6f));
    } else {
      d = Union(d, Union(Segment(x, y, cx + r * 0.25f, cy - r * 0.3f, cx + r * 0.85f, cy + r * 0.3f, w * 0.7f),
                         Segment(x, y, cx + r * 0.85f, cy - r * 0.3f, cx + r * 0.25f, cy + r * 0.3f, w * 0.7f)));
    }
    return d;
  };
}

Outline HomeOutline(float cx, float cy, float r, float) {
  std::vector<Point> house = {{cx, cy - r * 0.8f},
                              {cx + r * 0.8f, cy - r * 0.05f},
                              {cx + r * 0.55f, cy - r * 0.05f},
                              {cx + r * 0.55f, cy + r * 0.7f},
                              {cx - r * 0.55f, cy + r * 0.7f},
                              {cx - r * 0.55f, cy - r * 0.05f},
                              {cx - r * 0.8f, cy - r * 0.05f}};
  return [=](float x, float y) {
    return Cut(Polygon(x, y, house), RoundBox(x, y, cx, cy + r * 0.4f, r * 0.18f, r * 0.3f, 0));
  };
}

Outline NoteOutline(float cx, float cy, float r, float w) {
  return [=](float x, float y) {
    float heads = Union(Circle(x, y, cx - r * 0.45f, cy + r * 0.5f, r * 0.25f),
                        Circle(x, y, cx + r * 0.45f, cy + r * 0.35f, r * 0.25f));
    float stems = Union(Segment(x, y, cx - r * 0.25f, cy + r * 0.5f, cx - r * 0.25f, cy - r * 0.6f, w * 0.6f),
                        Segment(x, y, cx + r * 0.65f, cy + r * 0.35f, cx + r * 0.65f, cy - r * 0.75f, w * 0.6f));
    float beam = Segment(x, y, cx - r * 0.25f, cy - r * 0.6f, cx + r * 0.65f, cy - r * 0.75f, w);
    return Union(heads, Union(stems, beam));
  };
}

Outline InfoOutline(float cx, float cy, float r, float) {
  return [=](float x, float y) {
    return Union(Circle(x, y, cx, cy - r * 0.55f, r * 0.17f),
                 RoundBox(x, y, cx, cy + r * 0.2f, r * 0.13f, r * 0.48f, r * 0.05f));
  };
}

Outline HeartOutline(float cx, float cy, float r, float) {
  return [=](float x, float y) {
    std::vector<Point> v = {{cx - r * 0.78f, cy - r * 0.12f}, {cx + r * 0.78f, cy - r * 0.12f}, {cx, cy + r * 0.8f}};
    return Union(Union(Circle(x, y, cx - r * 0.4f, cy - r * 0.3f, r * 0.42f),
                       Circle(x, y, cx + r * 0.4f, cy - r * 0.3f, r * 0.42f)),
                 Polygon(x, y, v));
  };
}

Outline BoltOutline(float cx, float cy, float r, float) {
  std::vector<Point> bolt = {{cx + r * 0.2f, cy - r * 0.9f},  {cx - r * 0.5f, cy + r * 0.1f},
                             {cx - r * 0.02f, cy + r * 0.1f}, {cx - r * 0.2f, cy + r * 0.9f},
                             {cx + r * 0.5f, cy - r * 0.15f}, {cx + r * 0.02f, cy - r * 0.15f}};
  return [=](float x, float y) { return Polygon(x, y, bolt); };
}

Outline CrownOutline(float cx, float cy, float r, float) {
  std::vector<Point> crown = {{cx - r * 0.8f, cy + r * 0.55f}, {cx - r * 0.8f, cy - r * 0.55f},
                              {cx - r * 0.4f, cy - r * 0.05f}, {cx, cy - r * 0.7f},
                              {cx + r * 0.4f, cy - r * 0.05f}, {cx + r * 0.8f, cy - r * 0.55f},
                              {cx + r * 0.8f, cy + r * 0.55f}};
  return [=](float x, float y) { return Polygon(x, y, crown); };
}

Outline DropOutline(float cx, float cy, float r, float) {
  return [=](float x, float y) {
    std::vector<Point> tip = {{cx, cy - r * 0.9f}, {cx + r * 0.5f, cy + r * 0.1f}, {cx - r * 0.5f, cy + r * 0.1f}};
    return Union(Circle(x, y, cx, cy + r * 0.3f, r * 0.55f), Polygon(x, y, tip));
  };
}

Outline DiamondOutline(float cx, float cy, float r, float) {
  auto pts = RegularPoints(cx, cy, r * 0.85f, 4);
  return [=](float x, float y) { return Polygon(x, y, pts); };
}

// Three tiles of a square of four, the top right one missing.
Outline TileOutline(float cx, float cy, float r, float) {
  return [=](float x, float y) {
    float d = 1e9f;
    for (int i = 0; i < 4; ++i) {
      float bx = cx + ((i % 2) ? 0.38f : -0.38f) * r, by = cy + ((i / 2) ? 0.38f : -0.38f) * r;
      if (i != 1) d = Union(d, RoundBox(x, y, bx, by, r * 0.32f, r * 0.32f, r * 0.08f));
    }
    return d;
  };
}

// In the order of Symbol.
constexpr OutlineMaker kOutlines[] = {
    PauseOutline,
    CrossOutline,
    PlayOutline,
    CheckOutline,
    StarOutline,
    [](float cx, float cy, float r, float w) { return ArrowOutline(cx, cy, r, w, kPi); },
    [](float cx, float cy, float r, float w) { return ArrowOutline(cx, cy, r, w, 0); },
    [](float cx, float cy, float r, float w) { return ArrowOutline(cx, cy, r, w, -kPi / 2); },
    [](float cx, float cy, float r, float w) { return ArrowOutline(cx, cy, r, w, kPi / 2); },
    GearOutline,
    [](float cx, float cy, float r, float w) { return SpeakerOutline(cx, cy, r, w, true); },
    [](float cx, float cy, float r, float w) { return SpeakerOutline(cx, cy, r, w, false); },
    HomeOutline,
    NoteOutline,
    InfoOutline,
    HeartOutline,
    BoltOutline,
    CrownOutline,
    DropOutline,
    DiamondOutline,
    TileOutline,
};
static_assert(std::size(kOutlines) == static_cast<size_t>(Symbol::Tile) + 1);

} // namespace

void DrawSymbol(Frame &f, Symbol s, float cx, float cy, float r, const Rgba &colour) {
  const float w = std::max(0.6f, r * 0.2f);
  f.Fill(cx - r * 1.6f, cy - r * 1.6f, cx + r * 1.6f, cy + r * 1.6f, kOutlines[static_cast<size_t>(s)](cx, cy, r, w),
         colour);
}

} // namespace datagen
