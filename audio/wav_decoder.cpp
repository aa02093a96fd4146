// The WAV decoder; see wav_decoder.h.
#include "audio/wav_decoder.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

// A read position over the file's bytes that never moves past the end.
class ByteReader {
public:
  ByteReader(const unsigned char *bytes, size_t size) : bytes_(bytes), size_(size) {}

  size_t Remaining() const { return size_ - pos_; }
  const unsigned char *Here() const { return bytes_ + pos_; }

  bool Tag(const char *tag) {
    if (Remaining() < 4 || std::memcmp(Here(), tag, 4) != 0) return false;
    pos_ += 4;
    return true;
  }
  bool ReadTag(char tag[4]) {
    if (Remaining() < 4) return false;
    std::memcpy(tag, Here(), 4);
    pos_ += 4;
    return true;
  }
  bool U16(uint32_t &value) {
    if (Remaining() < 2) return false;
    value = static_cast<uint32_t>(bytes_[pos_]) | static_cast<uint32_t>(bytes_[pos_ + 1]) << 8;
    pos_ += 2;
    return true;
  }
  bool U32(uint32_t &value) {
    if (Remaining() < 4) return false;
    value = static_cast<uint32_t>(bytes_[pos_]) | static_cast<uint32_t>(bytes_[pos_ + 1]) << 8 |
            static_cast<uint32_t>(bytes_[pos_ + 2]) << 16 | static_cast<uint32_t>(bytes_[pos_ + 3]) << 24;
    pos_ += 4;
    return true;
  }
  // Skipping past the end is a malformed file, not a short skip.
  bool Skip(uint64_t count) {
    if (count > Remaining()) return false;
    pos_ += static_cast<size_t>(count);
    return true;
  }

private:
  const unsigned char *bytes_;
  size_t size_;
  size_t pos_ = 0;
};

struct WavFormat {
  uint32_t channels = 0, hertz = 0, bytesPerSample = 0;
};

std::optional<WavFormat> ReadFormatChunk(ByteReader &in) {
  uint32_t chunkSize, audioFormat, channels, hertz, byteRate, blockAlign, bits;
  if (!in.U32(chunkSize) || chunkSize < 16) return std::nullopt;
  if (!in.U16(audioFormat) || !in.U16(channels) || !in.U32(hertz) || !in.U32(byteRate) || !in.U16(blockAlign) ||
      !in.U16(bits))
    return std::nullopt;
  if (!in.Skip(uint64_t{chunkSize} - 16 + (chunkSize & 1))) return std::nullopt;
  if (audioFormat != 1) return std::nullopt;
  WavFormat format{channels, hertz, bits / 8};
  if (format.channels == 0 || format.bytesPerSample == 0 || format.hertz == 0 || format.hertz > INT_MAX)
    return std::nullopt;
  return format;
}

} // namespace

std::optional<AudioData> DecodeWav(const unsigned char *bytes, size_t size) {
  ByteReader in(bytes, size);
  uint32_t riffSize;
  if (!in.Tag("RIFF") || !in.U32(riffSize) || !in.Tag("WAVE") || !in.Tag("fmt ")) return std::nullopt;
  std::optional<WavFormat> format = ReadFormatChunk(in);
  if (!format) return std::nullopt;

  char tag[4];
  uint32_t chunkSize;
  for (;;) {
    if (!in.ReadTag(tag) || !in.U32(chunkSize)) return std::nullopt;
    if (std::memcmp(tag, "data", 4) == 0) break;
    if (!in.Skip(uint64_t{chunkSize} + (chunkSize & 1))) return std::nullopt;
  }

  uint64_t frameBytes = uint64_t{format->channels} * format->bytesPerSample;
  uint64_t available = chunkSize < in.Remaining() ? chunkSize : in.Remaining();
  uint64_t frames = available / frameBytes;
  if (frames * frameBytes > INT_MAX) return std::nullopt;

  AudioData out;
  out.length = static_cast<int>(frames);
  out.channels = static_cast<int>(format->channels);
  out.format = static_cast<int>(format->bytesPerSample);
  out.hertz = static_cast<int>(format->hertz);
  size_t byteCount = static_cast<size_t>(frames * frameBytes);
  out.data = std::make_unique<unsigned char[]>(byteCount ? byteCount : 1);
  std::memcpy(out.data.get(), in.Here(), byteCount);
  return out;
}
