// String operations and conversions; see string.h for the conventions.
#include "runtime/string.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/array.h"

namespace {

const std::shared_ptr<const std::u16string> &EmptyRep() {
  static const auto empty = std::make_shared<const std::u16string>();
  return empty;
}

std::shared_ptr<const std::u16string> MakeRep(std::u16string units) {
  if (units.empty()) return EmptyRep();
  return std::make_shared<const std::u16string>(std::move(units));
}

bool IsBlank(char16_t c) { return c <= ' '; }

// Decodes one-, two- and three-byte UTF-8 sequences; false on anything else
// (stray continuation bytes, truncated sequences, four-byte sequences).
bool DecodeUtf8(std::string_view bytes, std::u16string &out) {
  out.clear();
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  auto cont = [&](size_t k) { return k < n && (static_cast<unsigned char>(bytes[k]) & 0xC0) == 0x80; };
  while (i < n) {
    unsigned c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char16_t>(c));
      i += 1;
    } else if ((c & 0xE0) == 0xC0 && cont(i + 1)) {
      out.push_back(static_cast<char16_t>(((c & 0x1F) << 6) | (static_cast<unsigned char>(bytes[i + 1]) & 0x3F)));
      i += 2;
    } else if ((c & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
      out.push_back(static_cast<char16_t>(((c & 0x0F) << 12) |
                                          ((static_cast<unsigned char>(bytes[i + 1]) & 0x3F) << 6) |
                                          (static_cast<unsigned char>(bytes[i + 2]) & 0x3F)));
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}

} // namespace

String::String() : rep_(EmptyRep()) {}

String::String(const char *utf8) : String(FromUtf8(utf8 ? std::string_view(utf8) : std::string_view())) {}

String::String(const char16_t *units, int length)
    : rep_(length > 0 ? MakeRep(std::u16string(units, static_cast<size_t>(length))) : EmptyRep()) {}

String::String(std::u16string units) : rep_(MakeRep(std::move(units))) {}

String::String(int value) {
  char buf[16];
  int n = std::snprintf(buf, sizeof buf, "%d", value);
  rep_ = MakeRep(std::u16string(buf, buf + n));
}

String::String(float value) {
  char buf[48];
  int n = std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(value));
  std::u16string units(buf, buf + n);
  if (units.find_first_of(u".eni") == std::u16string::npos) units += u".0";
  rep_ = MakeRep(std::move(units));
}

String String::FromUtf8(std::string_view bytes) {
  std::u16string units;
  if (!DecodeUtf8(bytes, units)) return FromLatin1(bytes);
  return String(std::move(units));
}

String String::FromLatin1(std::string_view bytes) {
  std::u16string units(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) units[i] = static_cast<unsigned char>(bytes[i]);
  return String(std::move(units));
}

String String::FromChar(int code) { return String(std::u16string(1, static_cast<char16_t>(code))); }

String String::FromChars(const Array<int> &codes) {
  std::u16string units(static_cast<size_t>(codes.Length()), u'\0');
  for (int i = 0; i < codes.Length(); ++i) units[static_cast<size_t>(i)] = static_cast<char16_t>(codes[i]);
  return String(std::move(units));
}

String String::Slice(int from) const { return Slice(from, Length()); }

String String::Slice(int from, int to) const {
  const int n = Length();
  if (from < 0) {
    from += n;
    if (from < 0) from = 0;
  } else if (from > n) {
    from = n;
  }
  if (to < 0) {
    to += n;
    if (to < from) to = from;
  } else if (to > n) {
    to = n;
  } else if (to < from) {
    to = from;
  }
  if (from == 0 && to == n) return *this;
  return String(rep_->substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
}

int String::Find(const String &what, int start) const {
  if (start < 0) start = 0;
  if (start > Length()) return -1;
  size_t at = rep_->find(*what.rep_, static_cast<size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int String::FindLast(const String &what) const { return FindLast(what, Length()); }

int String::FindLast(const String &what, int start) const {
  if (start < 0) return -1;
  size_t at = rep_->rfind(*what.rep_, static_cast<size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

bool String::StartsWith(const String &prefix) const {
  return prefix.Length() <= Length() && rep_->compare(0, prefix.rep_->size(), *prefix.rep_) == 0;
}

bool String::EndsWith(const String &suffix) const {
  return suffix.Length() <= Length() &&
         rep_->compare(rep_->size() - suffix.rep_->size(), suffix.rep_->size(), *suffix.rep_) == 0;
}

String String::Replace(const String &find, const String &with) const {
  if (find.Empty()) return *this;
  std::u16string out;
  size_t pos = 0;
  for (;;) {
    size_t at = rep_->find(*find.rep_, pos);
    if (at == std::u16string::npos) break;
    out.append(*rep_, pos, at - pos);
    out += *with.rep_;
    pos = at + find.rep_->size();
  }
  if (pos == 0) return *this;
  out.append(*rep_, pos, std::u16string::npos);
  return String(std::move(out));
}

Array<String> String::Split(const String &separator) const {
  std::vector<String> pieces;
  if (separator.Empty()) {
    for (int i = 0; i < Length(); ++i) pieces.push_back(FromChar((*this)[i]));
    return Array<String>(pieces);
  }
  size_t pos = 0;
  for (;;) {
    size_t at = rep_->find(*separator.rep_, pos);
    if (at == std::u16string::npos) break;
    pieces.push_back(String(rep_->substr(pos, at - pos)));
    pos = at + separator.rep_->size();
  }
  pieces.push_back(String(rep_->substr(pos)));
  return Array<String>(pieces);
}

String String::Join(const Array<String> &pieces) const {
  std::u16string out;
  for (int i = 0; i < pieces.Length(); ++i) {
    if (i) out += *rep_;
    out += pieces[i].Units();
  }
  return String(std::move(out));
}

String String::Trim() const {
  int from = 0, to = Length();
  while (from < to && IsBlank((*rep_)[static_cast<size_t>(from)])) ++from;
  while (to > from && IsBlank((*rep_)[static_cast<size_t>(to - 1)])) --to;
  return Slice(from, to);
}

String String::ToUpper() const {
  std::u16string out(*rep_);
  for (auto &c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 32);
  return String(std::move(out));
}

String String::ToLower() const {
  std::u16string out(*rep_);
  for (auto &c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char16_t>(c + 32);
  return String(std::move(out));
}

// atoi is strtol narrowed to int (glibc's definition), which also fixes what
// numbers beyond 32 bits read as: the low 32 bits of the clamped long.
int String::ToInt() const {
  std::string narrow = ToNarrow();
  return static_cast<int>(std::strtol(narrow.c_str(), nullptr, 10));
}

float String::ToFloat() const {
  std::string narrow = ToNarrow();
  return static_cast<float>(std::strtod(narrow.c_str(), nullptr));
}

std::string String::ToNarrow() const {
  std::string out(rep_->size(), '\0');
  for (size_t i = 0; i < rep_->size(); ++i) out[i] = static_cast<char>((*rep_)[i] & 0xFF);
  return out;
}

std::string String::ToUtf8() const {
  std::string out;
  out.reserve(rep_->size());
  for (char16_t c : *rep_) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

String String::operator+(const String &other) const {
  if (other.Empty()) return *this;
  if (Empty()) return other;
  std::u16string out;
  out.reserve(rep_->size() + other.rep_->size());
  out += *rep_;
  out += *other.rep_;
  return String(std::move(out));
}

bool String::operator==(const String &other) const { return rep_ == other.rep_ || *rep_ == *other.rep_; }

int String::Compare(const String &other) const { return rep_->compare(*other.rep_); }

String operator+(const char *utf8, const String &s) { return String(utf8) + s; }

String operator+(const String &s, int value) { return s + String(value); }
