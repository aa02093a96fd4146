// Fuzz target: the WAV decoder on any bytes; a result's samples must lie
// inside the block it hands back.
#include <cstdlib>

#include "audio/wav_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  std::optional<AudioData> audio = DecodeWav(data, size);
  if (!audio) return 0;
  if (audio->Bytes() > size) std::abort();
  if (audio->Bytes() > 0) [[maybe_unused]]
    volatile unsigned char last = audio->data[audio->Bytes() - 1];
  return 0;
}
