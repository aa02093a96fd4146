// LoadAudioData: the host's sound-file loader; see audio_data.h.
#include "audio/audio_data.h"

#include <cstdio>
#include <vector>

#include "audio/ogg_decoder.h"
#include "audio/wav_decoder.h"
#include "runtime/file_bytes.h"

namespace {
FileSource *audioFiles = nullptr;
} // namespace

void SetAudioFileSource(FileSource *files) { audioFiles = files; }

std::optional<AudioData> LoadAudioFile(const String &path) {
  if (!audioFiles) return std::nullopt;
  String lower = path.ToLower();
  bool wav = lower.EndsWith(".wav");
  if (!wav && !lower.EndsWith(".ogg")) return std::nullopt;
  FILE *file = audioFiles->OpenFile(path, "rb");
  if (!file) return std::nullopt;
  std::optional<AudioData> audio;
  if (wav) {
    std::vector<unsigned char> bytes = ReadRestOfFile(file);
    audio = DecodeWav(bytes.data(), bytes.size());
  } else {
    audio = DecodeOgg(file);
  }
  std::fclose(file);
  return audio;
}

std::unique_ptr<unsigned char[]> LoadAudioData(const String &path, int *length, int *channels, int *format,
                                               int *hertz) {
  std::optional<AudioData> audio = LoadAudioFile(path);
  if (!audio) return nullptr;
  *length = audio->length;
  *channels = audio->channels;
  *format = audio->format;
  *hertz = audio->hertz;
  return std::move(audio->data);
}
