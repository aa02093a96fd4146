// PNG checks; see png_check.h.
#include "graphics/png_check.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length and type before a chunk's data, its check value after.
constexpr size_t kChunkHead = 8, kChunkTail = 4;

uint32_t BigEndian(const unsigned char *p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

} // namespace

bool PngFitsForDecoding(const unsigned char *bytes, size_t size) {
  if (size < sizeof kSignature + kChunkHead + 13 || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
    return false;
  const unsigned char *header = bytes + sizeof kSignature;
  if (BigEndian(header) != 13 || std::memcmp(header + 4, "IHDR", 4) != 0) return false;
  const uint32_t width = BigEndian(header + kChunkHead), height = BigEndian(header + kChunkHead + 4);
  if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
  for (size_t at = sizeof kSignature; size - at >= kChunkHead;) {
    const size_t length = BigEndian(bytes + at);
    if (length > size - at - kChunkHead || size - at - kChunkHead - length < kChunkTail) return false;
    if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return true;
    at += kChunkHead + length + kChunkTail;
  }
  return false;
}
