// The game's sounds, synthesized: the effects as 16-bit mono WAV files and the
// one tune as a seamless Ogg Vorbis loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

constexpr int kSampleRate = 44100;

// Interleaved samples in -1..1.
struct Sound {
  int channels = 1;
  std::vector<float> samples;
  size_t Frames() const { return samples.size() / channels; }
};

// The effect of a sound slot (1, 95, 96, 98, 99); an empty sound for others.
Sound MakeEffect(int slot);
// The tune: a whole number of bars, every note's tail wrapped round to the
// start, so it loops without a seam.
Sound MakeTune();

// Fades in over fadeIn and out over fadeOut seconds so that the sound starts
// and ends at silence, and scales its loudest sample to peak.
void Finish(Sound &sound, float fadeIn, float fadeOut, float peak);

// 16-bit PCM WAV file bytes.
std::vector<uint8_t> EncodeWav(const Sound &sound, int rate);
// Ogg Vorbis file bytes at a quality of -0.1..1; the stream serial number is
// fixed so that the same sound gives the same bytes. Empty on failure.
std::vector<uint8_t> EncodeOgg(const Sound &sound, int rate, float quality);

} // namespace datagen
