// Ogg Vorbis header checks; see ogg_headers.h.
#include "audio/ogg_headers.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kPageHead = 27;

// The second packet of the pages from the start of bytes, or nothing when the
// pages end before it does. Packets run over segments, a segment shorter than
// 255 bytes ending one, and over pages.
bool SecondPacket(const unsigned char *bytes, size_t size, std::vector<unsigned char> &packet) {
  int index = 0;
  size_t at = 0;
  while (size - at >= kPageHead && std::memcmp(bytes + at, "OggS", 4) == 0) {
    const size_t segments = bytes[at + kPageHead - 1];
    size_t body = at + kPageHead + segments;
    if (body > size) return false;
    for (size_t s = 0; s < segments; ++s) {
      const size_t lace = bytes[at + kPageHead + s];
      if (lace > size - body) return false;
      if (index == 1) packet.insert(packet.end(), bytes + body, bytes + body + lace);
      body += lace;
      if (lace < 255 && index++ == 1) return true;
    }
    at = body;
  }
  return false;
}

} // namespace

bool VorbisCommentsFit(const unsigned char *bytes, size_t size) {
  std::vector<unsigned char> p;
  if (!SecondPacket(bytes, size, p) || p.size() < 7 || p[0] != 3 || std::memcmp(&p[1], "vorbis", 6) != 0) return false;
  size_t at = 7;
  // The next 32-bit count, or -1 when the packet ends first.
  auto count = [&]() -> int64_t {
    if (p.size() - at < 4) return -1;
    at += 4;
    return p[at - 4] | p[at - 3] << 8 | p[at - 2] << 16 | static_cast<int64_t>(p[at - 1]) << 24;
  };
  // A text: its length, then that many bytes.
  auto text = [&] {
    const int64_t length = count();
    if (length < 0 || static_cast<uint64_t>(length) > p.size() - at) return false;
    at += static_cast<size_t>(length);
    return true;
  };
  if (!text()) return false; // the vendor
  const int64_t comments = count();
  if (comments < 0 || static_cast<uint64_t>(comments) > (p.size() - at) / 4) return false;
  for (int64_t i = 0; i < comments; ++i)
    if (!text()) return false;
  // The framing byte.
  return at < p.size();
}
