// String: the runtime's immutable text of 16-bit code units.
//
// A String shares its storage: copying one is a reference-count bump, and every
// operation that "changes" a string returns a new one. All empty strings share
// one representation, so a default-constructed String never allocates.
//
// Conversions at the platform edge:
//  - ToNarrow(): the low byte of each code unit (URLs, numbers for atoi).
//  - ToUtf8() / FromUtf8(): printing, file paths, the state file. FromUtf8 is
//    lenient: bytes that do not form valid UTF-8 are taken one per character.
//  - ToInt() reads like C's atoi (leading blanks, optional sign, digits; 0 when
//    nothing parses); ToFloat() like atof.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

template <class T> class Array;

class String {
public:
  String();
  String(const char *utf8);
  String(const char16_t *units, int length);
  explicit String(std::u16string units);
  explicit String(int value);
  explicit String(float value);

  static String FromUtf8(std::string_view bytes);
  static String FromLatin1(std::string_view bytes);
  static String FromChar(int code);
  static String FromChars(const Array<int> &codes);

  int Length() const { return static_cast<int>(rep_->size()); }
  int operator[](int index) const { return (*rep_)[static_cast<size_t>(index)]; }
  const char16_t *Data() const { return rep_->data(); }
  const std::u16string &Units() const { return *rep_; }
  bool Empty() const { return rep_->empty(); }

  // Slices clamp like the runtime's: negative indexes count from the end.
  String Slice(int from) const;
  String Slice(int from, int to) const;
  int Find(const String &what, int start = 0) const;
  int FindLast(const String &what) const;
  int FindLast(const String &what, int start) const;
  bool Contains(const String &what) const { return Find(what) != -1; }
  bool StartsWith(const String &prefix) const;
  bool EndsWith(const String &suffix) const;
  String Replace(const String &find, const String &with) const;
  Array<String> Split(const String &separator) const;
  String Join(const Array<String> &pieces) const;
  String Trim() const;
  String ToUpper() const;
  String ToLower() const;

  int ToInt() const;
  float ToFloat() const;
  std::string ToNarrow() const;
  std::string ToUtf8() const;

  String operator+(const String &other) const;
  String &operator+=(const String &other) { return *this = *this + other; }
  bool operator==(const String &other) const;
  bool operator!=(const String &other) const { return !(*this == other); }
  bool operator<(const String &other) const { return Compare(other) < 0; }
  int Compare(const String &other) const;

private:
  std::shared_ptr<const std::u16string> rep_;
};

String operator+(const char *utf8, const String &s);
String operator+(const String &s, int value);
