// String and Array: slicing, searching, conversions at the platform edge.
#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/string.h"

TEST(String, SlicesClampAndCountFromTheEnd) {
  String s("abcdef");
  EXPECT_EQ(s.Slice(2), String("cdef"));
  EXPECT_EQ(s.Slice(-2), String("ef"));
  EXPECT_EQ(s.Slice(1, -1), String("bcde"));
  EXPECT_EQ(s.Slice(4, 2), String());
  EXPECT_EQ(s.Slice(-10, 100), s);
}

TEST(String, SearchReplaceSplitJoin) {
  String s("a,bb,,c");
  EXPECT_EQ(s.Find(","), 1);
  EXPECT_EQ(s.Find(",", 2), 4);
  EXPECT_EQ(s.FindLast(","), 5);
  EXPECT_EQ(s.Find("x"), -1);
  Array<String> parts = s.Split(",");
  ASSERT_EQ(parts.Length(), 4);
  EXPECT_EQ(parts[2], String());
  EXPECT_EQ(String("|").Join(parts), String("a|bb||c"));
  EXPECT_EQ(s.Replace(",", "--"), String("a--bb----c"));
  EXPECT_TRUE(s.StartsWith("a,") && s.EndsWith(",c"));
}

TEST(String, NumbersReadLikeAtoi) {
  EXPECT_EQ(String("  42xyz").ToInt(), 42);
  EXPECT_EQ(String("-17").ToInt(), -17);
  EXPECT_EQ(String("abc").ToInt(), 0);
  EXPECT_EQ(String("").ToInt(), 0);
  EXPECT_EQ(String("4294967296").ToInt(), 0); // low 32 bits, as glibc's atoi
  EXPECT_EQ(String(-2147483647 - 1), String("-2147483648"));
  EXPECT_FLOAT_EQ(String("2.5").ToFloat(), 2.5f);
  EXPECT_EQ(String(1.5f), String("1.5"));
  EXPECT_EQ(String(3.0f), String("3.0"));
}

TEST(String, Utf8RoundTripAndLatin1Fallback) {
  String e = String::FromChar(0xE9);
  EXPECT_EQ(e.ToUtf8(), "\xC3\xA9");
  EXPECT_EQ(String::FromUtf8("\xE2\x82\xAC")[0], 0x20AC);
  String bad = String::FromUtf8("a\x80z");
  ASSERT_EQ(bad.Length(), 3);
  EXPECT_EQ(bad[1], 0x80);
  String four = String::FromUtf8("\xF0\x9F\x98\x80");
  EXPECT_EQ(four.Length(), 4);
  EXPECT_EQ(String::FromChar(0x1FF).ToNarrow(), std::string(1, '\xFF'));
}

TEST(String, EmptyStringsShareOneRepresentation) {
  String a, b(""), c = String("x").Slice(1);
  EXPECT_EQ(a.Data(), b.Data());
  EXPECT_EQ(a.Data(), c.Data());
}

TEST(Array, FixedLengthSharedAndEmptyPerType) {
  Array<int> a(3);
  Array<int> b = a;
  b[1] = 7;
  EXPECT_EQ(a[1], 7);
  EXPECT_TRUE(Array<int>().SameAs(Array<int>(0)));
  Array<int> r = a.Resize(5);
  EXPECT_EQ(r.Length(), 5);
  EXPECT_EQ(r[1], 7);
  EXPECT_EQ(a.Slice(1).Length(), 2);
}
