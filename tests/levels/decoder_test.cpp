// The run-length decoder, the catalogue lookup and the small text helper.
#include <gtest/gtest.h>

#include <set>

#include "game/catalogue.h"
#include "game/levels.h"

namespace {

std::string Decode(const char *text) { return p_Decrunch(String(text)).ToNarrow(); }

std::string Rows(int number) {
  const std::string bits = p_GetLevDat(number).ToNarrow();
  std::string rows;
  for (size_t i = 0; i < bits.size(); ++i) {
    rows += bits[i] == '1' ? '#' : '.';
    if (i % 8 == 7 && i + 1 < bits.size()) rows += '/';
  }
  return rows;
}

} // namespace

TEST(Decrunch, CountsRepeatTheValueAndOtherCharactersAreSkipped) {
  EXPECT_EQ(Decode("C0B1"), "00011");
  EXPECT_EQ(Decode("A0B1 C0"), "011000");
  EXPECT_EQ(Decode("  A1  "), "1");
  EXPECT_EQ(Decode("Z1"), std::string(26, '1'));
  EXPECT_EQ(Decode("a0"), std::string(27, '0'));
  EXPECT_EQ(Decode("z1"), std::string(52, '1'));
  // The six codes between the upper- and lower-case letters count 21..26.
  EXPECT_EQ(Decode("[x"), std::string(21, 'x'));
  EXPECT_EQ(Decode("`x"), std::string(26, 'x'));
  // The value is copied whatever it is, even a count letter.
  EXPECT_EQ(Decode("CAB#"), "AAA##");
}

TEST(Decrunch, TruncatedAndEmptyTextsGiveWhatTheyHold) {
  EXPECT_EQ(Decode(""), "");
  EXPECT_EQ(Decode("B1C"), "11");
  EXPECT_EQ(Decode("C"), "");
  EXPECT_EQ(Decode("12 @{"), "");
}

TEST(Catalogue, EveryEntryIsA64TilePictureInTheCatalogueForm) {
  for (int n = 1; n <= kCatalogueSize + 1; ++n) {
    const std::string text = CatalogueText(n);
    EXPECT_GE(text.size(), 14u) << n;
    EXPECT_LE(text.size(), 86u) << n;
    const std::string bits = p_GetLevDat(n).ToNarrow();
    ASSERT_EQ(bits.size(), 64u) << n;
    EXPECT_EQ(bits.find_first_not_of("01"), std::string::npos) << n;
    // A space after every tenth pair and nowhere else.
    int pairs = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == ' ') {
        EXPECT_TRUE(pairs > 0 && pairs % 10 == 0 && i + 1 < text.size()) << n << " at " << i;
        continue;
      }
      ++pairs;
      EXPECT_TRUE(text[i + 1] == '0' || text[i + 1] == '1') << n << " at " << i;
      ++i;
      if (pairs % 10 == 0 && i + 1 < text.size()) {
        EXPECT_EQ(text[i + 1], ' ') << n;
      }
    }
  }
}

TEST(Catalogue, GivenEntriesShowTheirPictures) {
  EXPECT_EQ(Rows(1), "......../......../.....#../....#.#./...#..#./..#....#/##.....#/........");
  EXPECT_EQ(Rows(2), "......../..#....#/..#....#/..######/#..#..#./########/......../........");
  EXPECT_EQ(p_GetLevDat(43).ToNarrow(), std::string(27, '0') + "111" + "0000" + "11111" + "0" + std::string(9, '1') +
                                            "0" + "111111" + std::string(8, '0'));
  EXPECT_EQ(Rows(100), "...#..../..###.../...#..../..#.#.../########/.#....#./.#....#./.#....#.");
  EXPECT_EQ(Rows(223), "..#####./..#.#.#./..#.#.#./..#.#.#./..#.#.#./...#.#../....#.../........");
}

TEST(Catalogue, PicturesAreDistinctExceptTheOneTwin) {
  EXPECT_EQ(p_GetLevDat(87), p_GetLevDat(101));
  std::set<std::string> seen;
  for (int n = 1; n <= kCatalogueSize + 1; ++n) {
    if (n == 101) continue;
    EXPECT_TRUE(seen.insert(p_GetLevDat(n).ToNarrow()).second) << "puzzle " << n << " repeats a picture";
  }
}

TEST(Catalogue, NumbersOutsideTheCatalogueGiveTheFallback) {
  const String fallback = p_Decrunch(String(kCatalogueFallback));
  ASSERT_EQ(fallback.Length(), 64);
  EXPECT_EQ(fallback.Slice(0, 16).ToNarrow(), std::string(16, '0'));
  for (int n : {0, -1, -6, -2147483647 - 1, 224, 225, 2147483647}) EXPECT_EQ(p_GetLevDat(n), fallback) << n;
  EXPECT_NE(p_GetLevDat(223), fallback);
  EXPECT_NE(p_GetLevDat(1), fallback);
}

TEST(Tutorial, SixPlainPicturesAndNothingElse) {
  for (int n = -1; n >= -6; --n) {
    const std::string bits = TutorialPicture(n).ToNarrow();
    ASSERT_EQ(bits.size(), 64u) << n;
    EXPECT_EQ(bits.find_first_not_of("01"), std::string::npos);
  }
  EXPECT_EQ(TutorialPicture(-1).ToNarrow().find('1'), 26u);
  EXPECT_EQ(TutorialPicture(-6).ToNarrow().substr(0, 8), "11111111");
  EXPECT_TRUE(TutorialPicture(0).Empty());
  EXPECT_TRUE(TutorialPicture(-7).Empty());
  EXPECT_TRUE(TutorialPicture(1).Empty());
}

TEST(Rstr, RightAlignsInTheField) {
  EXPECT_EQ(p_rstr(5, 2, "0"), String("05"));
  EXPECT_EQ(p_rstr(123, 2, "0"), String("23"));
  EXPECT_EQ(p_rstr(7, 4, " "), String("   7"));
  EXPECT_EQ(p_rstr(42, 0, "0"), String("42"));
  EXPECT_EQ(p_rstr(-3, 3, "0"), String("0-3"));
  EXPECT_EQ(p_rstr(9, 3, "ab"), String("ab9"));
  EXPECT_EQ(p_rstr(9, 3, ""), String("9"));
}
