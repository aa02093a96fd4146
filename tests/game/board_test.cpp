// A running puzzle fed as the host does: solving by clues, the clue numbers,
// marking by strokes, touches, keys and sticks, the score, timer and banners.
#include "game_fixture.h"

namespace {

using Board = BoardTest;

const std::vector<std::string> kPuzzle1 = {"........", "........", ".....#..", "....#.#.",
                                           "...#..#.", "..#....#", "##.....#", "........"};

TEST_F(Board, AnyPictureThatFitsEveryClueSolvesJudgedBeforeTheUpdatePaints) {
  StartPuzzle(1);
  std::vector<std::string> marks = kPuzzle1;
  marks[0] = "#.......";
  Paint(marks);
  MouseDown(TileX(0), TileY(0));
  Update();
  EXPECT_EQ(Mark(0, 0), 0);
  EXPECT_EQ(app->m_solved, 0);
  MouseUp();
  Update();
  EXPECT_EQ(app->m_solved, 1);
  marks[0] = "........"; // rows alike but columns not; then the other picture that fits every clue
  for (auto [row, line, solved] : {std::tuple{6, ".##....#", 0}, {5, "#......#", 1}}) {
    marks[row] = line;
    Paint(marks);
    Update();
    EXPECT_EQ(app->m_solved, solved) << line;
  }
}

TEST_F(Board, CluesStandOutwardFromTheBoardNearestRunFirst) {
  StartPuzzle(5);
  Paint({"#.##...#", "##.#....", "........", "########", "........", "#.......", "#.......", "#......."}, 1);
  Update();
  const float half = static_cast<float>(app->m_imageInfo[app->m_font * 3]) * 1.5f / 2;
  std::string rows, column; // row 0 to 3 left to right; column 0 upward from the board
  for (int y = 0; y < 4; ++y) rows += TextAt(TileY(y), 1.5f) + "/";
  for (float dy : {24, 44, 64, 84}) column += TextAt(TileY(0) - dy, 1.5f, TileX(0) - half);
  EXPECT_EQ(rows, "121/21//8/");
  EXPECT_EQ(column, "312");
  EXPECT_EQ(TextAt(TileY(1), 1.5f, TileX(0) - 24 - half), "1");
  EXPECT_EQ(TextAt(TileY(1), 1.5f, TileX(0) - 44 - half), "2");
}

TEST_F(Board, StrokeTakesTheValueOpposedToItsFirstTileAndSoundsOnlyChanges) {
  StartPuzzle(5);
  Paint({"........", "........", "...##...", "........", "........", "........", "........", "........"});
  for (auto [x0, x1, marks] : {std::tuple{1, 5, ".#####.."}, {4, 6, ".###...."}}) {
    MouseDown(TileX(x0), TileY(2));
    for (int x = x0; x <= x1; ++x) MouseMove(TileX(x), TileY(2)), Update();
    MouseUp();
    Update();
    EXPECT_EQ(Marks()[2], marks);
  }
  EXPECT_EQ(dev->Played(kSoundKnock), 3) << "fills";
  EXPECT_EQ(dev->Played(kSoundTick), 2) << "clears";
  EXPECT_EQ(Cursor(), std::pair(6, 2)) << "the cursor follows";
}

TEST_F(Board, PointerReachesStrictlyWithin14UnitsEveryTouchMarksButNotOneFromBeforeOrAfter) {
  Create();
  FinishLoading();
  app->m_level = 5;
  app->m_state = kStateStartPuzzle;
  TouchDown(1, TileX(0), TileY(0)); // the tap that started the puzzle
  Updates(2);
  TouchUp(1);
  for (auto [dx, dy] : {std::pair{14, 0}, {0, -14}, {-14, 5}, {13, -13}}) Click(TileX(3) + dx, TileY(3) + dy);
  TouchDown(1, TileX(0), TileY(0));
  TouchDown(2, TileX(7), TileY(7));
  Update();
  EXPECT_EQ(Marks(), std::vector<std::string>({"#.......", "........", "........", "...#....", "........", "........",
                                               "........", ".......#"}));
  app->m_endState = 2; // ended
  Click(TileX(5), TileY(5));
  EXPECT_EQ(Mark(5, 5), 0);
}

TEST_F(Board, KeysAndSticksMoveTheCursorOneTileUntilThePushFallsBackAndAButtonPaints) {
  StartPuzzle(5);
  HoldKey(kKeyRight, 20, 30); // from (4, 4)
  for (auto [x, y, updates, at] : {std::tuple{-0.9f, 0.f, 10, std::pair(4, 4)},
                                   {0.f, 0.f, 1, std::pair(4, 4)},
                                   {-0.31f, 0.f, 5, std::pair(3, 4)},
                                   {-0.3f, 0.f, 1, std::pair(3, 4)},
                                   {0.f, 0.9f, 4, std::pair(3, 3)},
                                   {0.f, 0.f, 1, std::pair(3, 3)}}) {
    host->stickX[0] = x, host->stickY[0] = y; // y: the raw axis up
    Updates(updates);
    EXPECT_EQ(Cursor(), at) << x << "," << y;
  }
  Mark(4, 3) = 1;
  KeyDown(kKeyEnter); // a held button paints the first tile's opposite along the way
  Update();
  HoldKey(kKeyRight, 3, 3);
  HoldKey(kKeyRight, 3, 0);
  KeyUp(kKeyEnter);
  Update();
  EXPECT_EQ(Marks()[3], "...###..");
  HoldKey(kKeyEnter, 1, 1); // on a black tile a press clears
  EXPECT_EQ(Marks()[3], "...##...");
}

TEST_F(Board, SolvedWithOneMinuteLeftScores360ThenTheBannerAndTheMapKeepsIt) {
  StartPuzzle(7);
  TimeLeft() = 60 * 65 + 1; // in updates
  Update();
  EXPECT_EQ(TextAt(32, 2), "1:05");
  MarkSolution();
  TimeLeft() = 3601; // one minute once this update's tick is taken
  Update();
  EXPECT_EQ(app->m_newScore, 360);
  int updates = 1;
  for (; app->m_endState == 0 && updates < 500; ++updates) Update();
  EXPECT_EQ(updates, 121);
  EXPECT_EQ(dev->Played(kSoundSolved), 1);
  EXPECT_EQ(app->m_shownScore, 360);
  ASSERT_EQ(RecordsOf(kFirstSheetSlot, 4).size(),
            1u); // the reveal shows puzzle 7's picture, frame 6 of the first sheet
  EXPECT_EQ(Rec(RecordsOf(kFirstSheetSlot, 4)[0]).frame, 6);
  Update();
  EXPECT_EQ(TextAt(12, 4), "Level") << "sliding in from the top";
  EXPECT_EQ(TextAt(468, 4), "Complete") << "and from the bottom";
  Updates(17);
  EXPECT_EQ(TextAt(216, 4), "Level");
  EXPECT_EQ(TextAt(264, 4), "Complete");
  Updates(71);
  EXPECT_EQ(app->m_state, kStateBackToMap);
  Update();
  EXPECT_EQ(app->m_state, kStateMap);
  EXPECT_EQ(app->m_scores[2 * 6], 360); // puzzle 7's best
  EXPECT_EQ(Parts()[RecordPart(7)], "360");
}

TEST_F(Board, TimeRunningOutEndsThePuzzleWithoutAScore) {
  StartPuzzle(7);
  TimeLeft() = 2;
  Update();
  EXPECT_EQ(app->m_endState, 0);
  MarkSolution();
  Update();
  EXPECT_EQ(TextAt(32, 2), "0:00");
  EXPECT_EQ(app->m_endReason, kEndOutOfTime);
  Update();
  EXPECT_EQ(TextAt(12, 4), "Outof");
  Updates(88);
  EXPECT_EQ(app->m_state, kStateBackToMap);
  EXPECT_EQ(app->m_newScore, 0);
}

} // namespace
