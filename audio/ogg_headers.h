// Checks on an Ogg Vorbis stream's headers that the decoder leaves out.
#pragma once

#include <cstddef>

// Whether the comment header (the stream's second packet) holds every length
// it declares. The decoder trusts those lengths and writes outside its memory
// when they run past the packet; the comments themselves are never used.
bool VorbisCommentsFit(const unsigned char *bytes, size_t size);
