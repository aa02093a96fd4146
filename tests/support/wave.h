// WAV files for tests: built byte by byte to feed the decoder and the game,
// and read back as samples from what OpenAL Soft's wave backend captured.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavChunk {
  std::string tag, body;
};

struct WavSpec {
  int audioFormat = 1, channels = 1, hertz = 22050, bits = 16;
  int formatExtra = 0;          // bytes after the 16 of the format chunk
  std::vector<WavChunk> before; // chunks between the format and data chunks
  std::string data;
};

// A RIFF/WAVE file; odd-sized chunks get their pad byte.
std::string MakeWav(const WavSpec &spec);
// Signed 16-bit samples of a sine, interleaved over the channels.
std::string SineS16(int frames, int channels, double hertz, double rate, double amplitude);

// Interleaved samples in -1..1.
struct Wave {
  int channels = 0, rate = 0;
  std::vector<float> samples;
  int Frames() const { return channels ? static_cast<int>(samples.size()) / channels : 0; }
  // Root-mean-square of the frames [from, to) over one channel (-1: all).
  double Rms(int from, int to, int channel = -1) const;
  // The first frame from `from` on where a channel exceeds the threshold, or -1.
  int Onset(float threshold, int from = 0) const;
};

// Reads 16-bit or float PCM (plain or extensible); a data chunk whose
// size was never filled in runs to the end. Frames before byte `fromByte` are
// left out (a capture's size at some moment marks what came after it).
// Channels 0 when the bytes are no such file.
Wave ReadWave(const std::string &bytes, size_t fromByte = 0);

// An OpenAL Soft configuration writing the mix, stereo at 44100 Hz, to a WAV file.
std::string CaptureConf(const std::string &outFile);
