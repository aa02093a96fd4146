// LoadImageData: stb_image behind the host's file access.
#include "graphics/image_data.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdio>
#include <optional>
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

// The file's bytes when it is a PNG the decoder can take. Only PNG reaches the
// decoder, for the size as for the pixels: every picture of the game is one,
// and the decoder's other formats (JPEG among them) misread hostile files.
std::optional<std::vector<unsigned char>> ReadPng(const String &path) {
  FILE *file = OpenForReading(path);
  if (!file) return std::nullopt;
  std::vector<unsigned char> bytes = ReadRestOfFile(file);
  std::fclose(file);
  if (bytes.size() > INT_MAX || !PngFitsForDecoding(bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

} // namespace

void SetImageFileSource(FileSource *files) { imageFiles = files; }

bool ReadImageInfo(const String &path, int *width, int *height, int *depth) {
  const std::optional<std::vector<unsigned char>> bytes = ReadPng(path);
  if (!bytes) return false;
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(bytes->data(), static_cast<int>(bytes->size()), &w, &h, &channels) || w <= 0 || h <= 0 ||
      channels < 1 || channels > 4)
    return false;
  *width = w;
  *height = h;
  *depth = channels;
  return true;
}

PixelData LoadImageData(const String &path, int *width, int *height, int *depth) {
  const std::optional<std::vector<unsigned char>> bytes = ReadPng(path);
  if (!bytes) return nullptr;
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels = stbi_load_from_memory(bytes->data(), static_cast<int>(bytes->size()), &w, &h, &channels, 0);
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
