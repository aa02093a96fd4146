// LoadImageData: stb_image behind the host's file access.
#include "graphics/image_data.h"

#include <stb/stb_image.h>

#include <cstdio>
#include <cstring>

#include "host/game.h"

namespace {

FILE *OpenForReading(const String &path) {
  if (VexGame::_game) return VexGame::_game->OpenFile(path, "rb");
  if (path.Empty()) return nullptr;
  return std::fopen(path.ToUtf8().c_str(), "rb");
}

// Only PNG reaches the decoder: every picture of the game is one, and the
// decoder's other formats (JPEG among them) misread hostile files.
bool IsPng(FILE *file) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[sizeof kSignature];
  bool png = std::fread(head, 1, sizeof head, file) == sizeof head && std::memcmp(head, kSignature, sizeof head) == 0;
  return png && std::fseek(file, -static_cast<long>(sizeof head), SEEK_CUR) == 0;
}

} // namespace

PixelData LoadImageData(const String &path, int *width, int *height, int *depth) {
  FILE *file = OpenForReading(path);
  if (!file) return nullptr;
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels = IsPng(file) ? stbi_load_from_file(file, &w, &h, &channels, 0) : nullptr;
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
