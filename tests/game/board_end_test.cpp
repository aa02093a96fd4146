// How a puzzle ends: the solved catalogue puzzle's score and reveal, the end
// banners and the hand-over to the menu, the time-out, the tutorial's six
// pictures, the pause request, and the clean view.
#include <algorithm>

#include "game/levels.h"
#include "game_fixture.h"

namespace {

using BoardEnd = BoardTest;

TEST_F(BoardEnd, SolvedWithOneMinuteLeftScores360ThenBannerAndMenu) {
  StartPuzzle(7);
  MarkSolution();
  app->m_tmpF[98] = 3601; // one minute once this update's tick is taken
  Update();
  EXPECT_EQ(app->m_newScore, 360);
  EXPECT_EQ(app->m_tmpF[98], 0);
  Update();
  EXPECT_EQ(dev->Played(95), 1);
  int revealUpdates = 2;
  for (; app->m_endState == 0 && revealUpdates < 500; ++revealUpdates) Update();
  EXPECT_EQ(revealUpdates, 121);
  EXPECT_EQ(app->m_endReason, 1);
  // The shown score has eased all the way to the new one.
  EXPECT_EQ(app->m_shownScore, 360);

  // Counting the ending update as the banner's first, it is drawn from the
  // second, in full length by the 18th, and hands over in the 90th.
  Update();
  EXPECT_EQ(TextAt(12, 4), "Level");
  EXPECT_EQ(TextAt(468, 4), "Complete");
  Updates(17);
  EXPECT_EQ(TextAt(216, 4), "Level");
  EXPECT_EQ(TextAt(264, 4), "Complete");
  Updates(71);
  EXPECT_EQ(app->m_state, 2);
  EXPECT_EQ(dev->musicPlayed.back(), "stop");
  Update();
  EXPECT_EQ(app->m_state, 1);
  EXPECT_EQ(dev->Played(96), 1);

  // Over the menu the banner fades by 2 per update, holding both latches.
  EXPECT_EQ(app->m_endTimer, 71);
  for (int timer = 69; timer >= -1; timer -= 2) {
    Update();
    EXPECT_EQ(app->m_endTimer, std::max(0, timer));
    if (timer > 0) {
      EXPECT_EQ(app->m_keyLatch + app->m_touchLatch, 2) << timer;
    }
  }
  Update();
  EXPECT_EQ(app->m_keyLatch + app->m_touchLatch, 0);
}

TEST_F(BoardEnd, TimerRunningOutInTheUpdateAfterTheLastTileEndsOutOfTime) {
  StartPuzzle(7);
  MarkSolution();
  int x = 0, y = 0;
  while (app->m_grid[(32 * y + x) * 10 + 1] != 1)
    if (++x == 8) x = 0, ++y;
  SetMark(x, y, 0);
  app->m_tmpF[98] = 2;
  MouseDown(TileX(x), TileY(y));
  Update();
  EXPECT_EQ(app->m_endState, 0);
  MouseUp();
  Update();
  EXPECT_EQ(app->m_solved, 1);
  EXPECT_EQ(app->m_endState, 2);
  EXPECT_EQ(app->m_endReason, 2);
  EXPECT_EQ(app->m_newScore, 0);
  Update();
  EXPECT_EQ(TextAt(12, 4), "Outof");
  // The banner dims the board up to 0.7 over 40 updates.
  Updates(40);
  EXPECT_EQ(TextAt(264, 4), "Time");
  std::vector<int> dims;
  for (int r : RecordsOf(-3717))
    if (Rec(r, 1) == -1 && Rec(r, 2) == -1) dims.push_back(r);
  ASSERT_EQ(dims.size(), 1u);
  EXPECT_FLOAT_EQ(Rec(dims[0], 7), 0.7f);
  Updates(48);
  EXPECT_EQ(app->m_state, 2);
  EXPECT_EQ(app->m_newScore, 0);
}

TEST_F(BoardEnd, TimerShowsMinutesAndSecondsAndStopsWhenTheEndIsSet) {
  StartPuzzle(7);
  app->m_tmpF[98] = 60 * 65 + 1;
  Update();
  EXPECT_EQ(TextAt(32, 2), "1:05");
  app->m_tmpF[98] = 1;
  Update();
  EXPECT_EQ(TextAt(32, 2), "0:00");
  EXPECT_EQ(app->m_endState, 2);
  float left = app->m_tmpF[98];
  Updates(5);
  EXPECT_EQ(app->m_tmpF[98], left);
}

TEST_F(BoardEnd, TutorialWalksSixPicturesWithHintsThenGoodLuck) {
  const char *firstLines[6] = {"Usetheleftandtop",      "Sometimes", "Alargernumber",
                               "Whenmorethanonenumber", "",          "Don'tbescaredoff"};
  StartPuzzle(0);
  float lineY = 32 + static_cast<float>(app->m_imageInfo[app->m_font * 3 + 1]) / 2;
  for (int step = -1; step >= -6; --step) {
    SCOPED_TRACE(step);
    String picture = TutorialPicture(step);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(app->m_grid[(32 * (i / 8) + i % 8) * 10 + 1], picture[i] == '1' ? 1 : 0);
    Update();
    EXPECT_EQ(TextAt(lineY, 1), firstLines[-step - 1]);
    // The timer runs but is not shown.
    EXPECT_LT(app->m_tmpF[98], 7200);
    EXPECT_TRUE(RecordsOf(app->m_font, 2).empty());
    MarkSolution();
    Updates(91);
    EXPECT_EQ(dev->Played(95), -step);
    if (step > -6) {
      EXPECT_EQ(Marks(), std::vector<std::string>(8, "........"));
    }
  }
  EXPECT_EQ(app->m_endReason, 6);
  EXPECT_EQ(app->m_newScore, 0);
  Update();
  EXPECT_EQ(TextAt(12, 4), "Good");
  EXPECT_EQ(TextAt(468, 4), "Luck");
}

TEST_F(BoardEnd, TutorialTimeOutIsTheEndEvenDuringItsSolvedPause) {
  StartPuzzle(0);
  MarkSolution();
  app->m_tmpF[98] = 10;
  Updates(20);
  EXPECT_EQ(app->m_endReason, 2);
  // The pause after a solved picture does not load the next one or change
  // the banner.
  Updates(100);
  EXPECT_EQ(app->m_endReason, 2);
  EXPECT_EQ(app->m_tmpF[55], -1);
}

TEST_F(BoardEnd, BackPausesOnceAndAResumingHoldDoesNotPauseAgain) {
  StartPuzzle(7);
  KeyDown(kKeyEscape);
  Update();
  EXPECT_EQ(app->m_paused, 1);
  EXPECT_EQ(app->m_keyLatch, 1);
  EXPECT_EQ(dev->Played(98), 1);
  // The timer stands while paused.
  float left = app->m_tmpF[98];
  Updates(3);
  EXPECT_EQ(app->m_tmpF[98], left);

  // Resumed by a back press that is still held.
  app->m_paused = 0;
  app->m_keyLatch = 1;
  Updates(5);
  EXPECT_EQ(app->m_paused, 0);
  KeyUp(kKeyEscape);
  Update();
  KeyDown(192);
  Update();
  EXPECT_EQ(app->m_paused, 1);
}

TEST_F(BoardEnd, TapOnThePauseIconPausesWithinItsBox) {
  StartPuzzle(7);
  float half = static_cast<float>(app->m_imageInfo[97 * 3]) * app->m_imageScale / 2;
  ASSERT_GT(half, 1);
  MouseDown(16 + half, 16);
  Update();
  EXPECT_EQ(app->m_paused, 0);
  MouseUp();
  Update();
  MouseDown(16 + half - 1, 16);
  Update();
  EXPECT_EQ(app->m_paused, 1);
  // While the tap that paused is held, a resumed game does not pause again.
  app->m_paused = 0;
  Update();
  EXPECT_EQ(app->m_paused, 0);
}

TEST_F(BoardEnd, CleanViewHidesTimerScoreAndIconAndCentresTheBoard) {
  StartPuzzle(7);
  EXPECT_EQ(RecordsOf(97, 1).size(), 1u);
  EXPECT_FALSE(RecordsOf(app->m_font, 2).empty());
  KeyDown(kKeyF2);
  Update();
  EXPECT_TRUE(RecordsOf(97, 1).empty());
  EXPECT_TRUE(RecordsOf(app->m_font, 2).empty());
  std::vector<int> tiles = RecordsOf(1, 4);
  ASSERT_EQ(tiles.size(), 64u);
  EXPECT_EQ(Rec(tiles[0], 2), 144);
  EXPECT_EQ(Rec(tiles[63], 1), 432);
  // The score of a reveal is not shown either.
  MarkSolution();
  Updates(3);
  EXPECT_TRUE(RecordsOf(app->m_font, 2).empty());
}

} // namespace
