// UTF-8 and 8-bit conversions of the data buffer; see text_codec.h.
#include "net/text_codec.h"

std::string EncodeUtf8Units(const String &text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.Length()) * 3);
  for (char16_t unit : text.Units()) {
    unsigned c = unit;
    if (c < 128) {
      out.push_back(static_cast<char>(c));
    } else if (c < 2048) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 63)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 63)));
      out.push_back(static_cast<char>(0x80 | (c & 63)));
    }
  }
  return out;
}

String DecodeLatin1Units(const unsigned char *bytes, int count) {
  if (count <= 0) return String();
  return String(std::u16string(bytes, bytes + count));
}

String DecodeUtf8Units(const unsigned char *bytes, int count) {
  if (count <= 0) return String();
  std::u16string units;
  units.reserve(static_cast<size_t>(count));
  auto follows = [&](int k) { return k < count && (bytes[k] & 0xC0) == 0x80; };
  int i = 0;
  while (i < count) {
    unsigned c = bytes[i];
    if (c < 0x80) {
      units.push_back(static_cast<char16_t>(c));
      i += 1;
    } else if ((c & 0xE0) == 0xC0 && follows(i + 1)) {
      units.push_back(static_cast<char16_t>(((c & 0x1F) << 6) + (bytes[i + 1] & 0x3F)));
      i += 2;
    } else if ((c & 0xF0) == 0xE0 && follows(i + 1) && follows(i + 2)) {
      units.push_back(
          static_cast<char16_t>((((c & 0x0F) << 12) & 0xFFFF) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F)));
      i += 3;
    } else {
      return DecodeLatin1Units(bytes, count);
    }
  }
  return String(std::move(units));
}
