// The tune: sixteen bars at 120 beats a minute (32 seconds) of pad, bass,
// marimba arpeggios, a bell melody and light drums. Every note is written
// modulo the loop length, so tails that run past the end sound at the start
// and the loop has no seam.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/datagen/shapes.h"
#include "tools/datagen/sound.h"

namespace datagen {

namespace {

constexpr float kBeat = 0.5f;
constexpr int kBars = 16;
constexpr size_t kLoopFrames = static_cast<size_t>(kBars * 4 * kBeat * kSampleRate);

float Midi(float note) { return 440.f * std::pow(2.f, (note - 69) / 12.f); }

class Mixer {
public:
  Mixer() : left_(kLoopFrames, 0.f), right_(kLoopFrames, 0.f) {}
  // Adds voice(t) from start for length seconds, panned -1..1, wrapping round.
  template <class Voice> void Add(float start, float length, float pan, Voice voice) {
    size_t first = static_cast<size_t>(std::lround(start * kSampleRate));
    size_t count = static_cast<size_t>(length * kSampleRate);
    float gl = std::sqrt(0.5f * (1 - pan)), gr = std::sqrt(0.5f * (1 + pan));
    for (size_t i = 0; i < count; ++i) {
      float v = voice(static_cast<float>(i) / kSampleRate);
      size_t at = (first + i) % kLoopFrames;
      left_[at] += v * gl;
      right_[at] += v * gr;
    }
  }
  Sound Take() {
    Sound s;
    s.channels = 2;
    s.samples.resize(kLoopFrames * 2);
    for (size_t i = 0; i < kLoopFrames; ++i) {
      s.samples[i * 2] = left_[i];
      s.samples[i * 2 + 1] = right_[i];
    }
    return s;
  }

private:
  std::vector<float> left_, right_;
};

// Noise from a fixed generator, so the drums are the same on every run.
class Noise {
public:
  float Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 8388608.f - 1.f;
  }

private:
  uint32_t state_ = 12345u;
};

// Chords by bar: root note and the two notes above it.
struct Chord {
  int root, third, fifth;
};
const Chord kChords[kBars] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}, {60, 64, 67}, {52, 55, 59},
                              {53, 57, 60}, {55, 59, 62}, {57, 60, 64}, {53, 57, 60}, {60, 64, 67}, {55, 59, 62},
                              {53, 57, 60}, {55, 59, 62}, {60, 64, 67}, {55, 59, 65}};

// The melody of the second half, in eighth notes (0 = rest).
const int kMelody[8][8] = {{76, 0, 79, 0, 81, 79, 76, 0}, {72, 0, 74, 76, 0, 0, 72, 0}, {79, 0, 76, 0, 72, 0, 74, 0},
                           {71, 0, 74, 0, 79, 0, 0, 0},   {77, 0, 76, 0, 74, 0, 72, 0}, {74, 0, 76, 77, 79, 0, 0, 0},
                           {76, 0, 74, 0, 72, 0, 71, 0},  {72, 0, 0, 0, 67, 0, 71, 0}};

void Pad(Mixer &mix, float start, const Chord &c) {
  for (int note : {c.root, c.third, c.fifth}) {
    float f = Midi(static_cast<float>(note));
    for (float detune : {-0.15f, 0.15f}) {
      float fd = f * std::pow(2.f, detune / 12.f);
      mix.Add(start, 2.6f, detune, [=](float t) {
        float env = std::fmin(1.f, t / 0.4f) * std::fmin(1.f, std::fmax(0.f, (2.6f - t) / 0.8f));
        float v = std::sin(2 * kPi * fd * t) + 0.3f * std::sin(4 * kPi * fd * t) + 0.1f * std::sin(6 * kPi * fd * t);
        return 0.035f * env * v;
      });
    }
  }
}

void Bass(Mixer &mix, float start, int note) {
  float f = Midi(static_cast<float>(note - 24));
  mix.Add(start, 0.9f, 0, [=](float t) {
    float env = std::fmin(1.f, t / 0.005f) * std::exp(-t / 0.35f) * std::fmin(1.f, (0.9f - t) / 0.05f);
    return 0.28f * env * (std::sin(2 * kPi * f * t) + 0.25f * std::sin(4 * kPi * f * t));
  });
}

void Marimba(Mixer &mix, float start, int note, float pan, float gain) {
  float f = Midi(static_cast<float>(note));
  mix.Add(start, 0.6f, pan, [=](float t) {
    float env = std::fmin(1.f, t / 0.003f) * std::fmin(1.f, (0.6f - t) / 0.05f);
    return gain * env *
           (std::sin(2 * kPi * f * t) * std::exp(-t / 0.18f) +
            0.3f * std::sin(2 * kPi * 4 * f * t) * std::exp(-t / 0.03f));
  });
}

void Bell(Mixer &mix, float start, int note) {
  float f = Midi(static_cast<float>(note));
  mix.Add(start, 1.2f, 0.1f, [=](float t) {
    float env = std::fmin(1.f, t / 0.004f) * std::fmin(1.f, (1.2f - t) / 0.1f);
    return 0.12f * env *
           (std::sin(2 * kPi * f * t) * std::exp(-t / 0.4f) +
            0.25f * std::sin(2 * kPi * 2.76f * f * t) * std::exp(-t / 0.12f));
  });
}

void Kick(Mixer &mix, float start) {
  mix.Add(start, 0.25f, 0, [](float t) {
    float phase = 2 * kPi * (50 * t + 70 * 0.03f * (1 - std::exp(-t / 0.03f)));
    return 0.35f * std::sin(phase) * std::exp(-t / 0.08f) * std::fmin(1.f, t / 0.002f) *
           std::fmin(1.f, (0.25f - t) / 0.03f);
  });
}

void Hat(Mixer &mix, float start, Noise &noise, float gain) {
  std::vector<float> burst(static_cast<size_t>(0.05f * kSampleRate));
  float previous = 0;
  for (float &v : burst) {
    float n = noise.Next();
    v = n - previous; // a first difference keeps only the hiss
    previous = n;
  }
  mix.Add(start, 0.05f, 0.35f, [&](float t) {
    size_t i = std::min(burst.size() - 1, static_cast<size_t>(t * kSampleRate));
    return gain * burst[i] * std::exp(-t / 0.012f) * std::fmin(1.f, (0.05f - t) / 0.01f);
  });
}

void Snare(Mixer &mix, float start, Noise &noise) {
  std::vector<float> burst(static_cast<size_t>(0.18f * kSampleRate));
  for (float &v : burst) v = noise.Next();
  mix.Add(start, 0.18f, -0.1f, [&](float t) {
    size_t i = std::min(burst.size() - 1, static_cast<size_t>(t * kSampleRate));
    float tone = std::sin(2 * kPi * 190 * t) * std::exp(-t / 0.04f);
    return (0.05f * burst[i] * std::exp(-t / 0.05f) + 0.08f * tone) * std::fmin(1.f, t / 0.001f) *
           std::fmin(1.f, (0.18f - t) / 0.03f);
  });
}

} // namespace

Sound MakeTune() {
  Mixer mix;
  Noise noise;
  const int kArp[8] = {0, 1, 2, 1, 3, 2, 1, 2};
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord &c = kChords[bar];
    float t0 = bar * 4 * kBeat;
    Pad(mix, t0, c);
    Bass(mix, t0, c.root);
    Bass(mix, t0 + 2 * kBeat, bar % 2 ? c.fifth - 12 : c.root);
    int tones[4] = {c.root + 12, c.third + 12, c.fifth + 12, c.root + 24};
    for (int e = 0; e < 8; ++e)
      Marimba(mix, t0 + e * kBeat * 0.5f, tones[kArp[e]], e % 2 ? 0.4f : -0.4f, bar < 2 ? 0.05f : 0.08f);
    if (bar >= 8) {
      for (int e = 0; e < 8; ++e)
        if (kMelody[bar - 8][e]) Bell(mix, t0 + e * kBeat * 0.5f, kMelody[bar - 8][e]);
    }
    if (bar >= 2) {
      Kick(mix, t0);
      Kick(mix, t0 + 2 * kBeat);
      Snare(mix, t0 + kBeat, noise);
      Snare(mix, t0 + 3 * kBeat, noise);
    }
    for (int e = 0; e < 8; ++e) Hat(mix, t0 + e * kBeat * 0.5f, noise, e % 2 ? 0.05f : 0.025f);
  }
  Sound tune = mix.Take();
  Finish(tune, 0, 0, 0.8f);
  return tune;
}

} // namespace datagen
