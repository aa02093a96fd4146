// Marking tiles through the running puzzle with input as the host feeds it:
// pointer strokes, touches, the cursor under sticks and keys, and key strokes.
#include "game_fixture.h"

namespace {

class BoardMarking : public BoardTest {
protected:
  // A mouse stroke along row y from column x0 to x1.
  void Stroke(int y, int x0, int x1) {
    MouseDown(TileX(x0), TileY(y));
    Update();
    for (int x = x0 + 1; x <= x1; ++x) {
      MouseMove(TileX(x), TileY(y));
      Update();
    }
    MouseUp();
    Update();
  }
  // Holds a key for some updates, then lets it go for some more.
  void Hold(int key, int held, int after) {
    KeyDown(key);
    Updates(held);
    KeyUp(key);
    Updates(after);
  }
};

TEST_F(BoardMarking, StrokeTakesTheValueOfItsFirstTileAndSoundsOnlyChanges) {
  StartPuzzle(5);
  Stroke(2, 1, 5);
  EXPECT_EQ(Marks()[2], ".#####..");
  EXPECT_EQ(dev->Played(98), 5);
  // The cursor follows the pointer.
  EXPECT_EQ(app->m_tmpF[1], 5);
  EXPECT_EQ(app->m_tmpF[2], 2);
  Paint({"........", "........", "##.##...", "........", "........", "........", "........", "........"});
  Stroke(2, 0, 4);
  EXPECT_EQ(Marks()[2], "........");
  EXPECT_EQ(dev->Played(99), 4);
  EXPECT_EQ(dev->Played(98), 5);
}

TEST_F(BoardMarking, PointerReachIsStrictlyWithin14Units) {
  StartPuzzle(5);
  for (auto [dx, dy] : {std::pair{14, 0}, {0, -14}}) {
    MouseDown(TileX(3) + static_cast<float>(dx), TileY(3) + static_cast<float>(dy));
    Update();
    MouseUp();
    Update();
  }
  EXPECT_EQ(Mark(3, 3), 0);
  MouseDown(TileX(3) + 13, TileY(3) - 13);
  Update();
  EXPECT_EQ(Mark(3, 3), 1);
}

TEST_F(BoardMarking, TouchesMarkTooAndAPressThatStartedThePuzzleDoesNot) {
  Create();
  FinishLoading();
  app->m_level = 5;
  app->m_state = 11;
  // The tap that started the puzzle is still down over a tile.
  TouchDown(1, TileX(0), TileY(0));
  Updates(2);
  EXPECT_EQ(Mark(0, 0), 0);
  TouchUp(1);
  Update();
  TouchDown(1, TileX(0), TileY(0));
  TouchDown(2, TileX(7), TileY(7));
  Update();
  EXPECT_EQ(Mark(0, 0), 1);
  EXPECT_EQ(Mark(7, 7), 1);
}

TEST_F(BoardMarking, HeldButtonPaintsTilesTheCursorReachesWithTheFirstValue) {
  StartPuzzle(5);
  SetMark(5, 4, 1);
  KeyDown(kKeyEnter);
  Update();
  EXPECT_EQ(Mark(4, 4), 1); // white: the stroke fills
  Hold(kKeyRight, 3, 3);
  Hold(kKeyRight, 3, 0);
  KeyUp(kKeyEnter);
  Update();
  EXPECT_EQ(app->m_tmpF[1], 6);
  EXPECT_EQ(Marks()[4], "....###."); // the black tile stayed black

  // A new press on a black tile clears along the way.
  Updates(3);
  KeyDown(kKeyEnter);
  Update();
  EXPECT_EQ(Mark(6, 4), 0);
  Hold(kKeyDown, 3, 0);
  KeyUp(kKeyEnter);
  Update();
  EXPECT_EQ(app->m_tmpF[2], 5);
  EXPECT_EQ(Mark(6, 5), 0);
}

TEST_F(BoardMarking, HeldStickMovesOneTileUntilItFallsBackWithinThreeTenths) {
  StartPuzzle(5);
  for (auto [push, updates, column] : {std::tuple{0.9f, 10, 5}, {0.31f, 5, 5}, {0.3f, 1, 5}, {0.9f, 1, 6}}) {
    host->stickX[0] = push;
    Updates(updates);
    EXPECT_EQ(app->m_tmpF[1], column) << push;
  }
  host->stickX[0] = 0;
  Update();
  // Pushing the raw axis up moves up.
  host->stickY[0] = 0.9f;
  Updates(4);
  EXPECT_EQ(app->m_tmpF[2], 3);
  host->stickY[0] = 0;
  for (float push : {0.9f, 0.0f, 0.9f}) {
    host->stickX[0] = push;
    Update();
  }
  EXPECT_EQ(app->m_tmpF[1], 7); // the edge holds it
  EXPECT_EQ(Marks(), std::vector<std::string>(8, "........"));
}

TEST_F(BoardMarking, HeldKeyMovesOneTileAndReleaseMustDecayFirst) {
  StartPuzzle(5);
  Hold(kKeyRight, 20, 1);
  EXPECT_EQ(app->m_tmpF[1], 5);
  // The push never fell within 0.3 in one update of release.
  Hold(kKeyRight, 20, 6);
  EXPECT_EQ(app->m_tmpF[1], 5);
  Hold(kKeyRight, 4, 0);
  EXPECT_EQ(app->m_tmpF[1], 6);
}

TEST_F(BoardMarking, NothingMarksOnceThePuzzleHasEnded) {
  StartPuzzle(5);
  app->m_endState = 2;
  MouseDown(TileX(2), TileY(2));
  KeyDown(kKeyEnter);
  Update();
  EXPECT_EQ(Mark(2, 2), 0);
  EXPECT_EQ(Mark(4, 4), 0);
}

} // namespace
