// LoadImageData: stb_image behind the host's file access.
#include "graphics/image_data.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdio>
#include <vector>

#include "graphics/png_check.h"
#include "runtime/file_bytes.h"

namespace {

FileSource *imageFiles = nullptr;

FILE *OpenForReading(const String &path) {
  if (imageFiles) return imageFiles->OpenFile(path, "rb");
  if (path.Empty()) return nullptr;
  return std::fopen(path.ToUtf8().c_str(), "rb");
}

} // namespace

void SetImageFileSource(FileSource *files) { imageFiles = files; }

bool ReadImageInfo(const String &path, int *width, int *height, int *depth) {
  FILE *file = OpenForReading(path);
  if (!file) return false;
  const std::vector<unsigned char> bytes = ReadRestOfFile(file);
  std::fclose(file);
  // The same door as for decoding: a file the decoder would refuse has no size.
  if (bytes.size() > INT_MAX || !PngFitsForDecoding(bytes.data(), bytes.size())) return false;
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels) || w <= 0 || h <= 0 ||
      channels < 1 || channels > 4)
    return false;
  *width = w;
  *height = h;
  *depth = channels;
  return true;
}

PixelData LoadImageData(const String &path, int *width, int *height, int *depth) {
  FILE *file = OpenForReading(path);
  if (!file) return nullptr;
  const std::vector<unsigned char> bytes = ReadRestOfFile(file);
  std::fclose(file);
  // Only PNG reaches the decoder: every picture of the game is one, and the
  // decoder's other formats (JPEG among them) misread hostile files.
  if (bytes.size() > INT_MAX || !PngFitsForDecoding(bytes.data(), bytes.size())) return nullptr;
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, 0);
  if (!pixels) return nullptr;
  if (w <= 0 || h <= 0 || channels < 1 || channels > 4) {
    stbi_image_free(pixels);
    return nullptr;
  }
  *width = w;
  *height = h;
  *depth = channels;
  return PixelData(pixels);
}
