// Puzzle loading: the run-length decoder, the catalogue and tutorial
// pictures, and the board a puzzle starts with and its colour.
#include <gtest/gtest.h>

#include "game/levels/catalogue.h"
#include "game/levels/levels.h"
#include "game/levels/random.h"

TEST(Decrunch, CountLettersRepeatTheNextCharacterAndOtherCharactersAreSkipped) {
  // The catalogue's own pictures take the other counts.
  const std::pair<const char *, std::string> cases[] = {{"A0B1 C0", "011000"},
                                                        {"z1", std::string(52, '1')},
                                                        {"`x", std::string(26, 'x')},
                                                        {"CAB#", "AAA##"},
                                                        {"B1C", "11"},
                                                        {"12 @{~", ""},
                                                        {"1A0", "0"}};
  for (auto &[text, bits] : cases) EXPECT_EQ(p_Decrunch(String(text)).ToNarrow(), bits) << text;
}

TEST(Catalogue, NumbersOutsideTheCatalogueGiveTheFallbackAndTheTutorialHasSix) {
  // Each puzzle's own picture, of 64 tiles and used once, is the design test's.
  const String fallback = p_Decrunch(String(kCatalogueFallback));
  for (int n : {0, -1, -6, -2147483647 - 1, 224, 225, 2147483647}) EXPECT_EQ(p_GetLevDat(n), fallback) << n;
  // Row by row from the top.
  EXPECT_EQ(p_GetLevDat(1), "0000000000000000000001000000101000010010001000011100000100000000");
  EXPECT_EQ(TutorialPicture(-1), "0000000000000000000000000010000000000000000000000000000000000000");
  EXPECT_EQ(TutorialPicture(-6).ToNarrow().substr(0, 16), "1111111110000001");
  for (int n : {0, -7, 1}) EXPECT_TRUE(TutorialPicture(n).Empty()) << n;
}

TEST(LoadLevelBoard, ClearsMarksAndSolutionLoadsThePictureAndStartsTheClock) {
  Array<float> tmpF(1000), grid(kGridSide * kGridSide * kGridRecord);
  for (float &f : tmpF) f = -9.0f;
  for (float &f : grid) f = 5.0f;
  int gridLast = 0;
  for (auto [level, tutorial, picture] : {std::tuple{100, 0, p_GetLevDat(100)},
                                          {224, 0, p_GetLevDat(0)},
                                          {5, -7, p_GetLevDat(5)},
                                          {0, -3, TutorialPicture(-3)}}) {
    LoadLevelBoard(level, tutorial, tmpF, grid, gridLast);
    String shown;
    for (int cell = 0; cell < kGridSide * kGridSide; ++cell) {
      ASSERT_EQ(grid[cell * kGridRecord], 0.0f) << cell; // no marks
      if (cell % kGridSide < 8 && cell < kGridSide * 8)
        shown = shown + (grid[cell * kGridRecord + 1] == 1 ? "1" : "0");
      else
        ASSERT_EQ(grid[cell * kGridRecord + 1], 0.0f) << cell; // no solution outside the board
    }
    EXPECT_EQ(shown, picture) << level;
  }
  EXPECT_EQ(gridLast, 7);
  EXPECT_EQ(std::vector<float>(tmpF.begin(), tmpF.begin() + 10),
            (std::vector<float>{-9, 4, 4, -9, -9, -9, 1, 1, 1, -9}));
  EXPECT_EQ(tmpF[kTmpTimeLeft], 7200.0f);
}

TEST(LoadLevelBoard, TheColourIsFixedByThePuzzleNumberWhateverWasDrawnBefore) {
  Array<float> tmpF(1000), grid(32 * 32 * 10);
  int gridLast = 0;
  for (int draws : {0, 37}) {
    for (int i = 0; i < draws; ++i) p_Rand(0, 1000);
    LoadLevelBoard(43, 0, tmpF, grid, gridLast); // hue 80: red sin(80) x 80, the others below 0
    EXPECT_NEAR(tmpF[kTmpBackRed], 78.785f, 0.01f);
    EXPECT_EQ(tmpF[kTmpBackGreen], 0.0f);
    EXPECT_EQ(tmpF[kTmpBackBlue], 0.0f);
  }
}
