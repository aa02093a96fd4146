// Checks on a PNG file that its decoder leaves out, made before it sees one.
#pragma once

#include <cstddef>

// The widest and tallest picture decoded: larger than any texture most
// drivers take, and a few bytes of a hostile file could ask for gigabytes.
constexpr int kMaxPictureSide = 8192;

// Whether bytes are a PNG file whose first chunk is a header of at most
// kMaxPictureSide a side and whose every chunk up to the end marker lies
// inside the file. The decoder sizes its buffers from the declared lengths
// before it has read them.
bool PngFitsForDecoding(const unsigned char *bytes, size_t size);
