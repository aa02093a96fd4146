// Loading a puzzle into the board's cell store and per-puzzle values.
#include <gtest/gtest.h>

#include "game/levels.h"
#include "game/random.h"

namespace {

struct Board {
  Array<float> tmpF = Array<float>(1000);
  Array<float> grid = Array<float>(kGridSide * kGridSide * kGridRecord);
  int gridLast = 0;

  Board() {
    // Leftovers of an earlier puzzle everywhere.
    for (float &f : tmpF) f = -9.0f;
    for (float &f : grid) f = 5.0f;
  }
  float Mark(int x, int y) const { return grid[(kGridSide * y + x) * kGridRecord]; }
  float Solution(int x, int y) const { return grid[(kGridSide * y + x) * kGridRecord + 1]; }
  void Load(int level, int tutorial = 0) { LoadLevelBoard(level, tutorial, tmpF, grid, gridLast); }
};

void ExpectSolution(const Board &b, const String &picture) {
  ASSERT_EQ(picture.Length(), 64);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(b.Solution(x, y), picture[8 * y + x] == '1' ? 1.0f : 0.0f) << x << "," << y;
    }
  }
}

} // namespace

TEST(LoadLevelBoard, ClearsTheBoardAndSetsTheStartingValues) {
  Board b;
  b.Load(100);
  EXPECT_EQ(b.gridLast, 7);
  for (int y = 0; y < kGridSide; ++y) {
    for (int x = 0; x < kGridSide; ++x) {
      EXPECT_EQ(b.Mark(x, y), 0.0f);
      if (x > 7 || y > 7) {
        EXPECT_EQ(b.Solution(x, y), 0.0f);
      }
      // The rest of each record belongs to the board's rules.
      EXPECT_EQ(b.grid[(kGridSide * y + x) * kGridRecord + 2], 5.0f);
    }
  }
  ExpectSolution(b, p_GetLevDat(100));
  EXPECT_EQ(b.tmpF[kTmpCursorX], 4.0f);
  EXPECT_EQ(b.tmpF[kTmpCursorY], 4.0f);
  EXPECT_EQ(b.tmpF[kTmpTimeLeft], 7200.0f);
  EXPECT_EQ(b.tmpF[kTmpKeyStroke], 1.0f);
  EXPECT_EQ(b.tmpF[kTmpPointerStroke], 1.0f);
  EXPECT_EQ(b.tmpF[kTmpStickLatch], 1.0f);
  EXPECT_EQ(b.tmpF[0], -9.0f);
  EXPECT_EQ(b.tmpF[363], -9.0f);
}

TEST(LoadLevelBoard, TutorialPicturesReplaceThePuzzle) {
  Board b;
  for (int t = -1; t >= -6; --t) {
    b.Load(0, t);
    ExpectSolution(b, TutorialPicture(t));
  }
  // Any other value of the tutorial argument keeps the puzzle.
  b.Load(5, -7);
  ExpectSolution(b, p_GetLevDat(5));
  b.Load(224, 0);
  ExpectSolution(b, p_GetLevDat(0));
}

TEST(LoadLevelBoard, TheHueIsFixedByThePuzzleNumber) {
  EXPECT_EQ(PuzzleHue(1), 42);
  EXPECT_EQ(PuzzleHue(224), 142);
  Board b;
  b.Load(43);
  // Hue 80: red sin(80) x 80, green and blue negative and so limited to 0.
  EXPECT_NEAR(b.tmpF[kTmpBackRed], 78.785f, 0.01f);
  EXPECT_EQ(b.tmpF[kTmpBackGreen], 0.0f);
  EXPECT_EQ(b.tmpF[kTmpBackBlue], 0.0f);
  const float red = b.tmpF[kTmpBackRed];

  // Whatever was drawn before, the same puzzle gets the same colour.
  for (int i = 0; i < 37; ++i) p_Rand(0, 1000);
  b.Load(43);
  EXPECT_EQ(b.tmpF[kTmpBackRed], red);

  for (int level = -3; level <= 230; ++level) {
    b.Load(level);
    for (int c = kTmpBackRed; c <= kTmpBackBlue; ++c) {
      EXPECT_GE(b.tmpF[c], 0.0f) << level;
      EXPECT_LE(b.tmpF[c], 80.0f) << level;
    }
  }
}
