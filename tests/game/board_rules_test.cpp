// The solved test by clues, the clue numbers beside the board, and the rules'
// plain helpers.
#include <algorithm>
#include <cmath>
#include <map>

#include "game/board_rules.h"
#include "game_fixture.h"

namespace {

using BoardRules = BoardTest;

const std::vector<std::string> kPuzzle1 = {"........", "........", ".....#..", "....#.#.",
                                           "...#..#.", "..#....#", "##.....#", "........"};
// Another picture with every row and column clue of puzzle 1.
const std::vector<std::string> kPuzzle1Other = {"........", "........", ".....#..", "....#.#.",
                                                "...#..#.", "#......#", ".##....#", "........"};

TEST_F(BoardRules, Puzzle1IsSolvedByAnotherBoardThatFitsEveryClue) {
  StartPuzzle(1);
  Paint(kPuzzle1Other);
  Update();
  EXPECT_EQ(app->m_solved, 1);
  Update();
  // The reveal shows the stored picture: puzzle 1's tile, sheet 11 frame 0.
  std::vector<int> tiles = RecordsOf(11, 4);
  ASSERT_EQ(tiles.size(), 1u);
  EXPECT_EQ(Rec(tiles[0], 6), 0);
  // The board keeps the player's own marks.
  EXPECT_EQ(Marks(), kPuzzle1Other);
}

TEST_F(BoardRules, AnExtraBlackTileIsNotSolvedAndTheLastClickCountsInTheNextUpdate) {
  StartPuzzle(1);
  Paint(kPuzzle1);
  SetMark(0, 0, 1);
  Updates(3);
  EXPECT_EQ(app->m_solved, 0);
  MouseDown(TileX(0), TileY(0));
  Update();
  EXPECT_EQ(Mark(0, 0), 0);
  EXPECT_EQ(app->m_solved, 0);
  MouseUp();
  Update();
  EXPECT_EQ(app->m_solved, 1);
  EXPECT_EQ(app->m_tmpF[89], 1);
}

TEST_F(BoardRules, TutorialSecondPictureIsSolvedByEitherPlacement) {
  for (bool stored : {true, false}) {
    SCOPED_TRACE(stored ? "stored placement" : "swapped placement");
    StartPuzzle(0);
    app->m_tmpF[55] = -2;
    app->p_GetLev(-2);
    Update();
    if (stored) {
      ClickTile(5, 1);
      ClickTile(3, 6);
    } else {
      ClickTile(3, 1);
      ClickTile(5, 6);
    }
    EXPECT_EQ(app->m_solved, 1);
    EXPECT_GE(app->m_tmpF[56], 1);
    app.reset();
  }
}

TEST_F(BoardRules, RowCluesReadOutwardWithTheLastRunNearestTheBoard) {
  StartPuzzle(5);
  Paint({"#.##...#", "##.#....", "........", "########", "........", "........", "........", "........"}, true);
  Update();
  float w = static_cast<float>(app->m_imageInfo[app->m_font * 3]) * 1.5f;
  EXPECT_EQ(TextAt(TileY(0), 1.5f), "121");
  EXPECT_EQ(TextAt(TileY(1), 1.5f), "21");
  EXPECT_EQ(TextAt(TileY(2), 1.5f), "");
  EXPECT_EQ(TextAt(TileY(3), 1.5f), "8");
  // Row 1: the 1 (columns 3) is nearest, 24 units left of the board, the 2
  // one clue pitch further out; each glyph centred on its point.
  float nearest = -1e9f, farthest = 1e9f;
  for (int r : RecordsOf(app->m_font, 1.5f)) {
    if (Rec(r, 2) != TileY(1)) continue;
    nearest = std::max(nearest, Rec(r, 1));
    farthest = std::min(farthest, Rec(r, 1));
  }
  EXPECT_NEAR(nearest, TileX(0) - 24 - w / 2, 0.5f);
  EXPECT_FLOAT_EQ(nearest - farthest, 20);
}

TEST_F(BoardRules, ColumnCluesStackUpwardFromTheBoard) {
  StartPuzzle(5);
  Paint({"#.......", "#.......", "........", "#.......", "........", "#.......", "#.......", "#......."}, true);
  Update();
  float w = static_cast<float>(app->m_imageInfo[app->m_font * 3]) * 1.5f;
  std::map<float, char> column; // y -> glyph
  for (int r : RecordsOf(app->m_font, 1.5f))
    if (std::fabs(Rec(r, 1) - (TileX(0) - w / 2)) < 0.5f) column[Rec(r, 2)] = static_cast<char>(Rec(r, 6) + 32);
  ASSERT_EQ(column.size(), 3u);
  auto it = column.begin();
  EXPECT_EQ(it->first, TileY(0) - 64);
  EXPECT_EQ((it++)->second, '2');
  EXPECT_EQ((it++)->second, '1');
  EXPECT_EQ(it->first, TileY(0) - 24);
  EXPECT_EQ(it->second, '3');
  // Empty columns show nothing.
  for (int r : RecordsOf(app->m_font, 1.5f)) EXPECT_LT(Rec(r, 1), TileX(1) - w);
}

TEST(BoardRuleHelpers, LineRunsWalkFromTheFarEndAndCountOnlyOnes) {
  Array<float> grid(32 * 32 * 10);
  const char *row = "10110001";
  for (int x = 0; x < 8; ++x) grid[(32 * 2 + x) * 10 + 1] = row[x] == '1' ? 1.0f : 0.0f;
  int runs[8];
  ASSERT_EQ(LineRuns(grid, 2, false, 1, runs), 3);
  EXPECT_EQ(std::vector<int>(runs, runs + 3), (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(LineRuns(grid, 0, true, 1, runs), 1);
  // Marks of 0.5 or any other value are not black.
  grid[(32 * 2) * 10] = 0.5f;
  EXPECT_EQ(LineRuns(grid, 2, false, 0, runs), 0);
}

} // namespace
