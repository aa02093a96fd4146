// Decoding picture files into plain pixel rows for surfaces.
#pragma once

#include <cstdlib>
#include <memory>

#include "runtime/file_source.h"
#include "runtime/string.h"

// Pixel memory comes from the C allocator (the decoder allocates with malloc),
// so every owner releases it with free.
struct PixelFree {
  void operator()(unsigned char *pixels) const { std::free(pixels); }
};
using PixelData = std::unique_ptr<unsigned char, PixelFree>;

// The files pictures are read from; without any, paths are opened as they are.
void SetImageFileSource(FileSource *files);

// Opens the file through the file source (or directly when there is none) and, when it
// is a PNG file that passes PngFitsForDecoding, decodes it with the file's own
// channel count: 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA; rows top to bottom
// without padding. A missing, other or undecodable file gives null and leaves
// the outputs alone.
PixelData LoadImageData(const String &path, int *width, int *height, int *depth);
// The size and channel count of a picture file from its header alone; false,
// with the outputs left alone, when it is missing or not a picture.
bool ReadImageInfo(const String &path, int *width, int *height, int *depth);
