// String: UTF-8 at the platform edge and the text operations the game and its
// files rely on.
#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/string.h"

TEST(String, Utf8UpToThreeBytesAndEightBitTextForAnythingElse) {
  struct Case {
    std::string bytes;
    std::u16string text;
    bool roundTrips;
  };
  const Case cases[] = {
      {"Tile 8x8", u"Tile 8x8", true},
      {"\xC3\xA9", u"\u00E9", true},
      {"\xD0\x96", u"\u0416", true},
      {"\xDF\xBF", u"\u07FF", true},
      {"\xE0\xA0\x80", u"\u0800", true},
      {"\xE2\x82\xAC", u"\u20AC", true},
      // Stray continuation bytes, cut sequences and four-byte sequences make the
      // whole text one character per byte.
      {"a\x80z", u"a\u0080z", false},
      {"\xC3(", u"\u00C3(", false},
      {"x\xE2\x82", u"x\u00E2\u0082", false},
      {"\xF0\x9F\x98\x80", u"\u00F0\u009F\u0098\u0080", false},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(String::FromUtf8(c.bytes).Units(), c.text) << c.bytes;
    if (c.roundTrips) {
      EXPECT_EQ(String(c.text).ToUtf8(), c.bytes) << c.bytes;
    }
  }
  EXPECT_EQ(String::FromChar(0x1FF).ToNarrow(), "\xFF");
}

TEST(String, SliceSearchSplitAndNumbers) {
  String s("a,bb,,c");
  EXPECT_EQ(s.Slice(2), String("bb,,c"));
  EXPECT_EQ(s.Slice(-1), String("c"));
  EXPECT_EQ(s.Slice(1, -1), String(",bb,,"));
  EXPECT_EQ(s.Slice(4, 2), String());
  EXPECT_EQ(s.Slice(-10, 100), s);
  EXPECT_EQ(s.Find(",", 2), 4);
  EXPECT_EQ(s.FindLast(","), 5);
  EXPECT_EQ(s.Find("x"), -1);
  Array<String> parts = s.Split(",");
  ASSERT_EQ(parts.Length(), 4);
  EXPECT_EQ(String("|").Join(parts), String("a|bb||c"));
  EXPECT_EQ(s.Replace(",", "--"), String("a--bb----c"));
  for (auto [text, value] : {std::pair{"  42xyz", 42}, {"-17", -17}, {"abc", 0}, {"", 0}, {"4294967296", 0}})
    EXPECT_EQ(String(text).ToInt(), value) << text;
  EXPECT_EQ(String(-2147483647 - 1), String("-2147483648"));
  EXPECT_EQ(String(1.5f), String("1.5"));
  EXPECT_EQ(String(3.0f), String("3.0"));
  EXPECT_FLOAT_EQ(String("2.5").ToFloat(), 2.5f);
}
