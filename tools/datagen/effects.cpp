// The sound effects: short, soft, tuned to one another (C major), with no
// click at either end.
#include <algorithm>
#include <cmath>

#include "tools/datagen/shapes.h"
#include "tools/datagen/sound.h"

namespace datagen {

namespace {

float Midi(float note) { return 440.f * std::pow(2.f, (note - 69) / 12.f); }

// A struck bell-like tone: a few inharmonic partials, each with its own decay.
void AddBell(Sound &s, float start, float freq, float gain, float decay) {
  static const float kPartials[4][3] = {{1, 1, 1}, {2.01f, 0.35f, 1.8f}, {3.02f, 0.12f, 2.6f}, {4.2f, 0.06f, 3.5f}};
  size_t first = static_cast<size_t>(start * kSampleRate);
  for (size_t i = first; i < s.samples.size(); ++i) {
    float t = static_cast<float>(i - first) / kSampleRate;
    float attack = std::fmin(1.f, t / 0.004f);
    float v = 0;
    for (const auto &p : kPartials) v += p[1] * std::sin(2 * kPi * freq * p[0] * t) * std::exp(-t * p[2] / decay);
    s.samples[i] += gain * attack * v;
  }
}

// A short knock whose pitch falls from f0 to f1.
void AddKnock(Sound &s, float f0, float f1, float decay, float gain, float brightness) {
  float phase = 0;
  for (size_t i = 0; i < s.samples.size(); ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    float f = f1 + (f0 - f1) * std::exp(-t / 0.02f);
    phase += 2 * kPi * f / kSampleRate;
    float v = std::sin(phase) + brightness * std::sin(2 * phase) * std::exp(-t / 0.01f);
    s.samples[i] += gain * v * std::exp(-t / decay);
  }
}

Sound Silence(float seconds) {
  Sound s;
  s.samples.assign(static_cast<size_t>(seconds * kSampleRate), 0.f);
  return s;
}

} // namespace

Sound MakeEffect(int slot) {
  Sound s;
  switch (slot) {
  case 1: { // a soft bubble pop
    s = Silence(0.14f);
    float phase = 0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
      float t = static_cast<float>(i) / kSampleRate;
      phase += 2 * kPi * (350 + 900 * std::fmin(t / 0.06f, 1.f)) / kSampleRate;
      s.samples[i] = std::sin(phase) * std::exp(-t / 0.035f);
    }
    Finish(s, 0.002f, 0.03f, 0.6f);
    break;
  }
  case 95: { // solved: a rising arpeggio that rings out
    s = Silence(1.5f);
    const float notes[5] = {72, 76, 79, 84, 88};
    for (int i = 0; i < 5; ++i) AddBell(s, i * 0.085f, Midi(notes[i]), i == 4 ? 0.9f : 0.6f, i == 4 ? 0.45f : 0.25f);
    AddBell(s, 0.34f, Midi(79), 0.35f, 0.45f);
    Finish(s, 0.002f, 0.25f, 0.7f);
    break;
  }
  case 96: { // the logo jingle and the return to the map: two warm chimes
    s = Silence(0.9f);
    AddBell(s, 0, Midi(67), 0.7f, 0.3f);
    AddBell(s, 0.12f, Midi(72), 0.8f, 0.4f);
    AddBell(s, 0.12f, Midi(76), 0.35f, 0.4f);
    Finish(s, 0.002f, 0.2f, 0.65f);
    break;
  }
  case 98: // fill, pause, start: a rounded wooden knock
    s = Silence(0.12f);
    AddKnock(s, 900, 520, 0.03f, 1, 0.35f);
    Finish(s, 0.0015f, 0.04f, 0.7f);
    break;
  case 99: // clear, cursor, options: a lighter tick
    s = Silence(0.08f);
    AddKnock(s, 1800, 1250, 0.014f, 1, 0.2f);
    Finish(s, 0.001f, 0.03f, 0.55f);
    break;
  default:
    break;
  }
  return s;
}

void Finish(Sound &sound, float fadeIn, float fadeOut, float peak) {
  size_t frames = sound.Frames();
  if (frames == 0) return;
  size_t in = std::min(frames, static_cast<size_t>(fadeIn * kSampleRate));
  size_t out = std::min(frames, static_cast<size_t>(fadeOut * kSampleRate));
  float loudest = 0;
  for (float v : sound.samples) loudest = std::fmax(loudest, std::fabs(v));
  float k = loudest > 0 ? peak / loudest : 0;
  for (size_t f = 0; f < frames; ++f) {
    float g = k;
    // Raised-cosine ends; the last frame is exactly zero.
    if (f < in) g *= 0.5f - 0.5f * std::cos(kPi * f / in);
    size_t left = frames - 1 - f;
    if (left < out) g *= 0.5f - 0.5f * std::cos(kPi * left / out);
    for (int c = 0; c < sound.channels; ++c) sound.samples[f * sound.channels + c] *= g;
  }
}

} // namespace datagen
