// The Ogg Vorbis decoder; see ogg_decoder.h.
#include "audio/ogg_decoder.h"

#include <climits>
#include <cstring>
#include <vector>

// The decoder's codebook setup takes powers that overflow a float for a
// hostile stream's huge dimensions and converts them to int. That gives
// INT_MIN on this processor, and the setup that follows stays inside its
// memory (the fuzz target checks that under AddressSanitizer), so that one
// check of the undefined-behaviour sanitizer is off for the decoder alone.
// Samples are converted by a plain cast (cut off like the decoder's own clamp)
// rather than a bit trick whose integer arithmetic overflows on a hostile
// stream's huge values.
#define STB_VORBIS_NO_FAST_SCALED_FLOAT
#ifdef __clang__
#pragma clang attribute push(__attribute__((no_sanitize("float-cast-overflow"))), apply_to = function)
#endif
#include <stb/stb_vorbis.h>
#ifdef __clang__
#pragma clang attribute pop
#endif

#include "audio/ogg_headers.h"
#include "runtime/file_bytes.h"

namespace {

// The most samples a single Vorbis frame can give per channel.
constexpr size_t kFrameSamples = 4096;
// The decoder works in memory of ours: on a damaged stream it would lose
// blocks of its own allocating, and its setup could ask for any size. A stream
// that needs more than the largest arena is not a sound the game plays.
constexpr int kFirstArena = 256 * 1024;
constexpr int kLargestArena = 32 * 1024 * 1024;

// Opens the stream in an arena that is doubled until the decoder's setup
// fits; null when the stream does not open.
stb_vorbis *OpenInArena(const std::vector<unsigned char> &stream, std::vector<char> &arena) {
  if (stream.size() > INT_MAX || !VorbisCommentsFit(stream.data(), stream.size())) return nullptr;
  for (int size = kFirstArena; size <= kLargestArena; size *= 2) {
    arena.assign(static_cast<size_t>(size), 0);
    stb_vorbis_alloc alloc{arena.data(), size};
    int error = 0;
    stb_vorbis *vorbis = stb_vorbis_open_memory(stream.data(), static_cast<int>(stream.size()), &error, &alloc);
    if (vorbis || error != VORBIS_outofmem) return vorbis;
  }
  return nullptr;
}

} // namespace

std::optional<AudioData> DecodeOgg(FILE *file) {
  // Read whole, so its headers can be checked before the decoder sees them.
  const std::vector<unsigned char> stream = ReadRestOfFile(file);
  std::vector<char> arena;
  stb_vorbis *vorbis = OpenInArena(stream, arena);
  if (!vorbis) return std::nullopt;
  stb_vorbis_info info = stb_vorbis_get_info(vorbis);
  int channels = info.channels > 2 ? 2 : info.channels;
  if (channels < 1 || info.sample_rate == 0 || info.sample_rate > INT_MAX) {
    stb_vorbis_close(vorbis);
    return std::nullopt;
  }

  size_t reserve = kFrameSamples * static_cast<size_t>(channels);
  std::vector<short> samples(reserve);
  size_t used = 0;
  for (;;) {
    if (samples.size() - used < reserve) samples.resize(samples.size() * 2);
    int frames = stb_vorbis_get_frame_short_interleaved(vorbis, channels, samples.data() + used,
                                                        static_cast<int>(samples.size() - used));
    if (frames <= 0) break;
    used += static_cast<size_t>(frames) * static_cast<size_t>(channels);
    // An OpenAL buffer's size is an int: a longer stream is not one sample.
    if (used * sizeof(short) > INT_MAX) {
      stb_vorbis_close(vorbis);
      return std::nullopt;
    }
  }
  stb_vorbis_close(vorbis);

  AudioData out;
  out.length = static_cast<int>(used / static_cast<size_t>(channels));
  out.channels = channels;
  out.format = 2;
  out.hertz = static_cast<int>(info.sample_rate);
  size_t byteCount = used * sizeof(short);
  out.data = std::make_unique<unsigned char[]>(byteCount ? byteCount : 1);
  std::memcpy(out.data.get(), samples.data(), byteCount);
  return out;
}
