// Fuzz target: a sound file named .ogg, through the host's file access and
// the Ogg Vorbis decoder.
#include <cstdlib>

#include "audio/audio_data.h"
#include "fuzz_host.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  static FuzzHost host;
  host.Hold(data, size);
  std::optional<AudioData> audio = LoadAudioFile("sfx/fuzz.ogg");
  if (!audio) return 0;
  if (audio->channels < 1 || audio->channels > 2 || audio->hertz <= 0) std::abort();
  if (audio->Bytes() > 0) [[maybe_unused]]
    volatile unsigned char last = audio->data[audio->Bytes() - 1];
  return 0;
}
