// An RGBA picture in floating point that the generator paints with
// anti-aliased signed-distance shapes, in design units scaled to a resolution.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace datagen {

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

inline Rgba Mix(const Rgba &x, const Rgba &y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}
inline Rgba WithAlpha(Rgba c, float a) {
  c.a = a;
  return c;
}
inline Rgba Gray(float v, float a = 1) { return {v, v, v, a}; }
// Colour from 0..255 channels, the way the game writes colours.
inline Rgba Rgb255(int r, int g, int b, float a = 1) { return {r / 255.f, g / 255.f, b / 255.f, a}; }
// Hue in degrees, saturation and value 0..1.
Rgba Hsv(float hueDegrees, float s, float v, float a = 1);
// Perceived brightness 0..1 (Rec. 709 weights on the stored channels).
inline float Luma(const Rgba &c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }
// The colour scaled toward black or white so that its brightness is about target.
Rgba WithLuma(const Rgba &c, float target);

class Canvas {
public:
  Canvas(int width, int height) : w_(width), h_(height), px_(static_cast<size_t>(width) * height) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  const Rgba &At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  // Source-over compositing of c, weighted by coverage 0..1.
  void Blend(int x, int y, const Rgba &c, float coverage);
  // 8-bit RGBA, rounded; fully transparent pixels become 0,0,0,0 so that
  // invisible colour never varies between runs or costs file size.
  std::vector<uint8_t> ToRgba8() const;
  // Copies another canvas onto this one at (x, y) with source-over blending.
  void Draw(const Canvas &src, int x, int y);

private:
  int w_, h_;
  std::vector<Rgba> px_;
};

// A rectangle of a canvas that is painted in design units: one design unit is
// `scale` pixels, so the same drawing code makes every resolution.
class Frame {
public:
  Frame(Canvas &canvas, int originX, int originY, int width, int height, float scale)
      : c_(canvas), ox_(originX), oy_(originY), w_(width), h_(height), s_(scale) {}
  // The same pixels with the design shrunk by factor about the frame's middle,
  // which keeps a margin free around the whole design.
  Frame Shrunk(float factor) const;
  float Scale() const { return s_; }
  // Design size of the frame.
  float Width() const { return w_ / s_ - 2 * shift_; }
  float Height() const { return h_ / s_ - 2 * shift_; }
  // Frame pixel of a design coordinate.
  float ToPixel(float design) const { return (design + shift_) * s_; }

  // Paints where sdf(x, y) < 0 (design units), anti-aliased over one pixel,
  // with paint(x, y) giving the colour; only inside the box x0..x1, y0..y1.
  template <class Sdf, class Paint> void Fill(float x0, float y0, float x1, float y1, Sdf sdf, Paint paint) {
    int px0 = std::max(0, static_cast<int>(std::floor(ToPixel(x0))) - 1);
    int py0 = std::max(0, static_cast<int>(std::floor(ToPixel(y0))) - 1);
    int px1 = std::min(w_, static_cast<int>(std::ceil(ToPixel(x1))) + 1);
    int py1 = std::min(h_, static_cast<int>(std::ceil(ToPixel(y1))) + 1);
    for (int py = py0; py < py1; ++py) {
      for (int px = px0; px < px1; ++px) {
        float x = (px + 0.5f) / s_ - shift_, y = (py + 0.5f) / s_ - shift_;
        float cover = std::clamp(0.5f - sdf(x, y) * s_, 0.f, 1.f);
        if (cover > 0) c_.Blend(ox_ + px, oy_ + py, paint(x, y), cover);
      }
    }
  }
  template <class Sdf> void Fill(float x0, float y0, float x1, float y1, Sdf sdf, const Rgba &colour) {
    Fill(x0, y0, x1, y1, sdf, [&](float, float) { return colour; });
  }
  // Whole-frame versions.
  template <class Sdf, class Paint> void FillAll(Sdf sdf, Paint paint) {
    Fill(0.f, 0.f, Width(), Height(), sdf, paint);
  }
  // A coverage mask in frame pixels (0..1 per pixel, row-major, maskW wide)
  // placed at pixel offset (mx, my) of the frame, painted in one colour.
  void Mask(const std::vector<float> &mask, int maskW, int mx, int my, const Rgba &colour);
  // The same with the colour given per design-unit position.
  void Mask(const std::vector<float> &mask, int maskW, int mx, int my, const std::function<Rgba(float, float)> &paint);

private:
  Canvas &c_;
  int ox_, oy_, w_, h_;
  float s_;
  float shift_ = 0; // design units between the frame's edge and the design's
};

} // namespace datagen
