// The WAV decoder: uncompressed PCM in a RIFF "WAVE" file.
//
// It works on the file's bytes in memory because its input is untrusted: every
// size it reads is checked against what is really there before it is used.
#pragma once

#include <cstddef>
#include <optional>

#include "audio/audio_data.h"

// The samples of a RIFF/WAVE file whose format chunk says PCM (format 1), or
// nothing. Chunks between the format and the data chunk are skipped, each with
// its pad byte when its size is odd. A data chunk that claims more bytes than
// the file holds yields the whole sample frames that are there: a recording cut
// short (or one whose writer never filled in the size) still plays what it has.
// A file without channels or with fewer than 8 bits per sample is not a sound.
std::optional<AudioData> DecodeWav(const unsigned char *bytes, size_t size);
