// WAV files for tests; see wave.h.
#include "support/wave.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

uint32_t Le(const std::string &b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}

// Little-endian, as every number in a WAV file.
void Put(std::string &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> 8 * i));
}

void PutChunk(std::string &out, const std::string &tag, const std::string &body) {
  out += tag, Put(out, static_cast<uint32_t>(body.size()), 4), out += body;
  if (body.size() & 1) out.push_back(0);
}

float Sample(const std::string &bytes, size_t at, int format, int bits) {
  if (format == 3 && bits == 32) return std::bit_cast<float>(Le(bytes, at, 4));
  if (bits == 16) return static_cast<float>(static_cast<int16_t>(Le(bytes, at, 2))) / 32768.0f;
  return 0;
}

} // namespace

std::string MakeWav(const WavSpec &spec) {
  std::string format;
  const int block = spec.channels * (spec.bits / 8);
  for (int value : {spec.audioFormat, spec.channels}) Put(format, static_cast<uint32_t>(value), 2);
  for (int value : {spec.hertz, spec.hertz * block}) Put(format, static_cast<uint32_t>(value), 4);
  for (int value : {block, spec.bits}) Put(format, static_cast<uint32_t>(value), 2);
  format.append(static_cast<size_t>(spec.formatExtra), '\0');

  std::string body = "WAVE";
  PutChunk(body, "fmt ", format);
  for (const WavChunk &chunk : spec.before) PutChunk(body, chunk.tag, chunk.body);
  PutChunk(body, "data", spec.data);
  std::string file = "RIFF";
  Put(file, static_cast<uint32_t>(body.size()), 4);
  return file + body;
}

std::string SineS16(int frames, int channels, double hertz, double rate, double amplitude) {
  std::string out;
  for (int i = 0; i < frames; ++i) {
    auto s = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hertz * i / rate) * 32767));
    for (int c = 0; c < channels; ++c) Put(out, static_cast<uint16_t>(s), 2);
  }
  return out;
}

double Wave::Rms(int from, int to, int channel) const {
  from = std::max(from, 0);
  to = std::min(to, Frames());
  if (from >= to) return 0;
  double sum = 0;
  for (int f = from; f < to; ++f)
    for (int c = 0; c < channels; ++c)
      if (channel < 0 || c == channel) sum += std::pow(samples[static_cast<size_t>(f * channels + c)], 2);
  return std::sqrt(sum / ((to - from) * (channel >= 0 ? 1 : channels)));
}

int Wave::Onset(float threshold, int from) const {
  for (int f = std::max(from, 0); f < Frames(); ++f)
    for (int c = 0; c < channels; ++c)
      if (std::fabs(samples[static_cast<size_t>(f * channels + c)]) > threshold) return f;
  return -1;
}

Wave ReadWave(const std::string &bytes, size_t fromByte) {
  Wave wave;
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return wave;
  int format = 0, channels = 0, bits = 0, rate = 0;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string tag = bytes.substr(at, 4);
    size_t size = Le(bytes, at + 4, 4), body = at + 8;
    if (tag == "fmt " && body + 16 <= bytes.size()) {
      format = static_cast<int>(Le(bytes, body, 2));
      // Extensible: the sub-format holds the format code.
      if (format == 0xFFFE && body + 26 <= bytes.size()) format = static_cast<int>(Le(bytes, body + 24, 2));
      channels = static_cast<int>(Le(bytes, body + 2, 2));
      rate = static_cast<int>(Le(bytes, body + 4, 4));
      bits = static_cast<int>(Le(bytes, body + 14, 2));
    } else if (tag == "data" && channels > 0 && (bits == 16 || bits == 32)) {
      size_t end = size == 0 || size == 0xFFFFFFFFu || size > bytes.size() - body ? bytes.size() : body + size;
      size_t frame = static_cast<size_t>(channels * bits / 8);
      size_t first = fromByte > body ? body + (fromByte - body + frame - 1) / frame * frame : body;
      wave.channels = channels, wave.rate = rate;
      for (size_t f = first; f + frame <= end; f += frame)
        for (int c = 0; c < channels; ++c)
          wave.samples.push_back(Sample(bytes, f + static_cast<size_t>(c * bits / 8), format, bits));
      return wave;
    }
    at = body + size + (size & 1);
  }
  return wave;
}

std::string CaptureConf(const std::string &outFile) {
  return "[general]\ndrivers = wave\nchannels = stereo\nfrequency = 44100\nhrtf = false\n[wave]\nfile = " + outFile +
         "\n";
}
