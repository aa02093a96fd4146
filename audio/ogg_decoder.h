// The Ogg Vorbis decoder (stb_vorbis): a whole stream into 16-bit samples.
#pragma once

#include <cstdio>
#include <optional>

#include "audio/audio_data.h"

// Decodes the Ogg Vorbis stream that starts at the file's current position; the
// file stays open. Streams of more than two channels are mixed down to stereo,
// which is the most an OpenAL buffer takes.
std::optional<AudioData> DecodeOgg(FILE *file);
