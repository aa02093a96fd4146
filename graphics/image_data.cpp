// LoadImageData: stb_image behind the host's file access.
#include "graphics/image_data.h"

#include <stb/stb_image.h>

#include <cstdio>

#include "host/game.h"

namespace {

FILE *OpenForReading(const String &path) {
  if (VexGame::_game) return VexGame::_game->OpenFile(path, "rb");
  if (path.Empty()) return nullptr;
  return std::fopen(path.ToUtf8().c_str(), "rb");
}

} // namespace

bool ReadImageInfo(const String &path, int *width, int *height, int *depth) {
  FILE *file = OpenForReading(path);
  if (!file) return false;
  int w = 0, h = 0, channels = 0;
  bool ok = stbi_info_from_file(file, &w, &h, &channels) && w > 0 && h > 0 && channels >= 1 && channels <= 4;
  std::fclose(file);
  if (!ok) return false;
  *width = w;
  *height = h;
  *depth = channels;
  return true;
}

PixelData LoadImageData(const String &path, int *width, int *height, int *depth) {
  FILE *file = OpenForReading(path);
  if (!file) return nullptr;
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels = stbi_load_from_file(file, &w, &h, &channels, 0);
  std::fclose(file);
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
