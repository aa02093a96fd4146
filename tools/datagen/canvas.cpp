// Compositing and colour helpers of the generator's canvas.
#include "tools/datagen/canvas.h"

namespace datagen {

Rgba Hsv(float hueDegrees, float s, float v, float a) {
  float h = std::fmod(hueDegrees, 360.f);
  if (h < 0) h += 360.f;
  h /= 60.f;
  int i = static_cast<int>(h) % 6;
  float f = h - std::floor(h);
  float p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  switch (i) {
  case 0:
    return {v, t, p, a};
  case 1:
    return {q, v, p, a};
  case 2:
    return {p, v, t, a};
  case 3:
    return {p, q, v, a};
  case 4:
    return {t, p, v, a};
  default:
    return {v, p, q, a};
  }
}

Rgba WithLuma(const Rgba &c, float target) {
  float l = Luma(c);
  if (l <= 0.0001f) return Gray(target, c.a);
  if (target <= l) {
    float k = target / l;
    return {c.r * k, c.g * k, c.b * k, c.a};
  }
  // Brighter than the colour can go by scaling: blend toward white.
  float t = (target - l) / (1 - l);
  return Mix(c, Gray(1, c.a), t);
}

void Canvas::Blend(int x, int y, const Rgba &c, float coverage) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  Rgba &d = px_[static_cast<size_t>(y) * w_ + x];
  float sa = std::clamp(c.a * coverage, 0.f, 1.f);
  if (sa <= 0) return;
  float oa = sa + d.a * (1 - sa);
  if (oa <= 0) return;
  d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
  d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
  d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
  d.a = oa;
}

std::vector<uint8_t> Canvas::ToRgba8() const {
  std::vector<uint8_t> out(px_.size() * 4);
  auto q = [](float v) { return static_cast<uint8_t>(std::clamp(v, 0.f, 1.f) * 255.f + 0.5f); };
  for (size_t i = 0; i < px_.size(); ++i) {
    uint8_t a = q(px_[i].a);
    if (a == 0) continue;
    out[i * 4] = q(px_[i].r);
    out[i * 4 + 1] = q(px_[i].g);
    out[i * 4 + 2] = q(px_[i].b);
    out[i * 4 + 3] = a;
  }
  return out;
}

void Canvas::Draw(const Canvas &src, int x, int y) {
  for (int sy = 0; sy < src.Height(); ++sy)
    for (int sx = 0; sx < src.Width(); ++sx) Blend(x + sx, y + sy, src.At(sx, sy), 1.f);
}

Frame Frame::Shrunk(float factor) const {
  Frame inner = *this;
  inner.s_ = s_ * factor;
  // Design width W maps to the same middle: (W / 2 + shift) * s * factor = w / 2.
  float design = Width();
  inner.shift_ = w_ * 0.5f / inner.s_ - design * 0.5f;
  return inner;
}

void Frame::Mask(const std::vector<float> &mask, int maskW, int mx, int my, const Rgba &colour) {
  Mask(mask, maskW, mx, my, [&](float, float) { return colour; });
}

void Frame::Mask(const std::vector<float> &mask, int maskW, int mx, int my,
                 const std::function<Rgba(float, float)> &paint) {
  if (maskW <= 0) return;
  int maskH = static_cast<int>(mask.size()) / maskW;
  for (int y = 0; y < maskH; ++y) {
    for (int x = 0; x < maskW; ++x) {
      int fx = mx + x, fy = my + y;
      if (fx < 0 || fy < 0 || fx >= w_ || fy >= h_) continue;
      float cover = mask[static_cast<size_t>(y) * maskW + x];
      if (cover > 0) c_.Blend(ox_ + fx, oy_ + fy, paint((fx + 0.5f) / s_ - shift_, (fy + 0.5f) / s_ - shift_), cover);
    }
  }
}

} // namespace datagen
