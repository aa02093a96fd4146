// Marking tiles through the running puzzle with input as the host feeds it:
// pointer strokes, touches, the cursor under sticks and keys, and key strokes.
#include "board_fixture.h"

namespace {

using BoardMarking = BoardTest;

constexpr int kEnter = 13, kRight = 39, kDown = 40;

TEST_F(BoardMarking, StrokeFromWhiteFillsEveryTilePassed) {
  StartPuzzle(5);
  MouseDown(TileX(1), TileY(2));
  Step();
  EXPECT_EQ(Mark(1, 2), 1);
  EXPECT_EQ(fed->Played(98), 1);
  for (int x = 2; x <= 5; ++x) {
    MouseMove(TileX(x), TileY(2));
    Step();
  }
  MouseUp();
  Step();
  EXPECT_EQ(Marks()[2], ".#####..");
  EXPECT_EQ(fed->Played(98), 5);
  EXPECT_EQ(fed->Played(99), 0);
  // The cursor follows the pointer.
  EXPECT_EQ(app->m_tmpF[1], 5);
  EXPECT_EQ(app->m_tmpF[2], 2);
}

TEST_F(BoardMarking, StrokeFromBlackClearsAndWhiteStaysWhite) {
  StartPuzzle(5);
  Paint({"........", "........", "##.##...", "........", "........", "........", "........", "........"});
  MouseDown(TileX(0), TileY(2));
  Step();
  for (int x = 1; x <= 4; ++x) {
    MouseMove(TileX(x), TileY(2));
    Step();
  }
  MouseUp();
  Step();
  EXPECT_EQ(Marks()[2], "........");
  // Only tiles that changed make the clear sound.
  EXPECT_EQ(fed->Played(99), 4);
  EXPECT_EQ(fed->Played(98), 0);
}

TEST_F(BoardMarking, PointerReachIsStrictlyWithin14Units) {
  StartPuzzle(5);
  MouseDown(TileX(3) + 14, TileY(3));
  Step();
  MouseUp();
  Step();
  MouseDown(TileX(3), TileY(3) - 14);
  Step();
  MouseUp();
  Step();
  EXPECT_EQ(Mark(3, 3), 0);
  MouseDown(TileX(3) + 13, TileY(3) - 13);
  Step();
  EXPECT_EQ(Mark(3, 3), 1);
}

TEST_F(BoardMarking, TouchesMarkTooAndAPressThatStartedThePuzzleDoesNot) {
  Create();
  FinishLoading();
  app->m_level = 5;
  app->m_state = 11;
  // The tap that started the puzzle is still down over a tile.
  TouchDown(1, TileX(0), TileY(0));
  Step();
  Step();
  EXPECT_EQ(Mark(0, 0), 0);
  TouchUp(1);
  Step();
  TouchDown(1, TileX(0), TileY(0));
  TouchDown(2, TileX(7), TileY(7));
  Step();
  EXPECT_EQ(Mark(0, 0), 1);
  EXPECT_EQ(Mark(7, 7), 1);
}

TEST_F(BoardMarking, HeldButtonPaintsTilesTheCursorReachesWithTheFirstValue) {
  StartPuzzle(5);
  SetMark(5, 4, 1);
  Press(kEnter);
  Step();
  EXPECT_EQ(Mark(4, 4), 1); // white: the stroke fills
  Press(kRight);
  Steps(3);
  EXPECT_EQ(app->m_tmpF[1], 5);
  EXPECT_EQ(Mark(5, 4), 1); // already black, stays black
  Release(kRight);
  Steps(3);
  Press(kRight);
  Steps(3);
  Release(kRight);
  Release(kEnter);
  Step();
  EXPECT_EQ(app->m_tmpF[1], 6);
  EXPECT_EQ(Marks()[4], "....###.");

  // A new press on a black tile clears along the way.
  Steps(3);
  Press(kEnter);
  Step();
  EXPECT_EQ(Mark(6, 4), 0);
  Press(kDown);
  Steps(3);
  Release(kDown);
  Release(kEnter);
  Step();
  EXPECT_EQ(app->m_tmpF[2], 5);
  EXPECT_EQ(Mark(6, 5), 0);
}

TEST_F(BoardMarking, HeldStickMovesOneTileUntilItFallsBackWithinThreeTenths) {
  StartPuzzle(5);
  pads->stickX[0] = 0.9f;
  Steps(10);
  EXPECT_EQ(app->m_tmpF[1], 5);
  pads->stickX[0] = 0.31f;
  Steps(5);
  EXPECT_EQ(app->m_tmpF[1], 5);
  pads->stickX[0] = 0.3f;
  Step();
  pads->stickX[0] = 0.9f;
  Step();
  EXPECT_EQ(app->m_tmpF[1], 6);
  pads->stickX[0] = 0;
  Step();
  // Stick y up is negative raw y flipped: pushing the raw axis up moves up.
  pads->stickY[0] = 0.9f;
  Steps(4);
  EXPECT_EQ(app->m_tmpF[2], 3);
  pads->stickY[0] = 0;
  pads->stickX[0] = 0.9f;
  Step();
  pads->stickX[0] = 0;
  Step();
  pads->stickX[0] = 0.9f;
  Step();
  EXPECT_EQ(app->m_tmpF[1], 7); // the edge holds it
  pads->stickX[0] = 0;
  EXPECT_EQ(Marks(), std::vector<std::string>(8, "........"));
}

TEST_F(BoardMarking, HeldKeyMovesOneTileAndReleaseMustDecayFirst) {
  StartPuzzle(5);
  Press(kRight);
  Steps(20);
  EXPECT_EQ(app->m_tmpF[1], 5);
  Release(kRight);
  Step();
  Press(kRight);
  Steps(20);
  // The push never fell within 0.3 in one update of release.
  EXPECT_EQ(app->m_tmpF[1], 5);
  Release(kRight);
  Steps(6);
  Press(kRight);
  Steps(4);
  Release(kRight);
  EXPECT_EQ(app->m_tmpF[1], 6);
}

TEST_F(BoardMarking, NothingMarksOnceThePuzzleHasEnded) {
  StartPuzzle(5);
  app->m_endState = 2;
  MouseDown(TileX(2), TileY(2));
  Press(kEnter);
  Step();
  EXPECT_EQ(Mark(2, 2), 0);
  EXPECT_EQ(Mark(4, 4), 0);
}

} // namespace
