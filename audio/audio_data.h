// Decoded sound files: the samples of a WAV or Ogg Vorbis file, whole, in memory.
//
// LoadAudioData is the loader that samples are made from. It opens the file
// through the file source it is handed (so "quill://" paths work), picks the
// decoder by the file's ending and hands back interleaved samples ready for an
// OpenAL buffer.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "runtime/file_source.h"
#include "runtime/string.h"

struct AudioData {
  std::unique_ptr<unsigned char[]> data;
  int length = 0;   // sample frames
  int channels = 0; // 1 or 2
  int format = 0;   // bytes per sample: 1 (unsigned 8-bit) or 2 (signed 16-bit)
  int hertz = 0;    // sample frames per second

  size_t Bytes() const {
    return static_cast<size_t>(length) * static_cast<size_t>(channels) * static_cast<size_t>(format);
  }
};

// The files sounds are read from; without any, no sound loads.
void SetAudioFileSource(FileSource *files);

// Null when the file cannot be opened, its name ends in neither ".wav" nor
// ".ogg" (in any case), or its content does not decode.
std::unique_ptr<unsigned char[]> LoadAudioData(const String &path, int *length, int *channels, int *format, int *hertz);

// The same, keeping the results together.
std::optional<AudioData> LoadAudioFile(const String &path);
