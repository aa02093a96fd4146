// How a puzzle ends: the solved catalogue puzzle's score and reveal, the end
// banners and the hand-over to the menu, the time-out, the tutorial's six
// pictures, the pause request, and the clean view.
#include <algorithm>

#include "board_fixture.h"
#include "game/levels.h"

namespace {

using BoardEnd = BoardTest;

constexpr int kEscape = 27, kF2 = 113;

TEST_F(BoardEnd, SolvedWithOneMinuteLeftScores360ThenBannerAndMenu) {
  StartPuzzle(7);
  MarkSolution();
  app->m_tmpF[98] = 3601; // one minute once this update's tick is taken
  Step();
  EXPECT_EQ(app->m_newScore, 360);
  EXPECT_EQ(app->m_tmpF[98], 0);
  EXPECT_EQ(app->m_tmpF[89], 1);
  Step();
  EXPECT_EQ(fed->Played(95), 1);

  int revealUpdates = 2;
  while (app->m_endState == 0 && revealUpdates < 500) {
    Step();
    ++revealUpdates;
  }
  EXPECT_EQ(revealUpdates, 121);
  EXPECT_EQ(app->m_endReason, 1);
  EXPECT_EQ(app->m_endState, 1);
  EXPECT_EQ(app->m_tmpF[89], 121);
  // The shown score has eased to the new one.
  EXPECT_EQ(app->m_shownScore, 360);

  // Counting the ending update as the banner's first, it is drawn from the
  // second, in full length by the 18th, and hands over in the 90th.
  Step();
  EXPECT_EQ(TextAt(12, 4), "Level");
  EXPECT_EQ(TextAt(468, 4), "Complete");
  Steps(17);
  EXPECT_EQ(TextAt(216, 4), "Level");
  EXPECT_EQ(TextAt(264, 4), "Complete");
  Steps(70);
  EXPECT_EQ(app->m_state, 10);
  EXPECT_EQ(app->m_musicOn, 1);
  Step();
  EXPECT_EQ(app->m_state, 2);
  EXPECT_EQ(app->m_musicOn, 0);
  EXPECT_EQ(fed->musicPlayed.back(), "stop");
  EXPECT_EQ(app->m_endTimer, 73);
  Step();
  EXPECT_EQ(app->m_state, 1);
  EXPECT_EQ(fed->Played(96), 1);

  // Over the menu the banner fades by 2 per update, holding both latches.
  int timer = app->m_endTimer;
  EXPECT_EQ(timer, 71);
  while (app->m_endTimer > 0) {
    Step();
    EXPECT_EQ(app->m_endTimer, std::max(0, timer - 2));
    timer = app->m_endTimer;
    if (timer > 0) {
      EXPECT_EQ(app->m_keyLatch, 1);
      EXPECT_EQ(app->m_touchLatch, 1);
    }
  }
  Step();
  EXPECT_EQ(app->m_keyLatch, 0);
  EXPECT_EQ(app->m_touchLatch, 0);
}

TEST_F(BoardEnd, BannerDimsAndGrowsItsBars) {
  StartPuzzle(7);
  app->m_endState = 2;
  app->m_endReason = 2;
  Steps(11); // counter 10 when drawn
  int first = -1;
  for (int r = 0; r < Records(); ++r)
    if (Rec(r, 0) == -3717.0f && Rec(r, 1) == -1 && Rec(r, 2) == -1) first = r;
  ASSERT_GE(first, 0);
  EXPECT_FLOAT_EQ(Rec(first, 7), 0.25f); // 10 / 40
  EXPECT_FLOAT_EQ(Rec(first, 4), 642);
  // Yellow from the left, orange from the right, each 2 x 120 long.
  EXPECT_FLOAT_EQ(Rec(first + 1, 4), 240);
  EXPECT_FLOAT_EQ(Rec(first + 1, 12), 0);
  EXPECT_FLOAT_EQ(Rec(first + 2, 1), 400);
  EXPECT_FLOAT_EQ(Rec(first + 2, 4), 241);
  EXPECT_FLOAT_EQ(Rec(first + 2, 11), 128);
  EXPECT_EQ(TextAt(120, 4), "Outof");
  EXPECT_EQ(TextAt(360, 4), "Time");
  Steps(40);
  int dims = 0;
  for (int r = 0; r < Records(); ++r) {
    if (Rec(r, 0) != -3717.0f || Rec(r, 1) != -1 || Rec(r, 2) != -1) continue;
    EXPECT_FLOAT_EQ(Rec(r, 7), 0.7f);
    ++dims;
  }
  EXPECT_EQ(dims, 1);
}

TEST_F(BoardEnd, TimerRunningOutInTheUpdateAfterTheLastTileEndsOutOfTime) {
  StartPuzzle(7);
  MarkSolution();
  int x = 0, y = 0;
  while (app->m_grid[(32 * y + x) * 10 + 1] != 1) {
    if (++x == 8) x = 0, ++y;
  }
  SetMark(x, y, 0);
  app->m_tmpF[98] = 2;
  MouseDown(TileX(x), TileY(y));
  Step();
  EXPECT_EQ(app->m_endState, 0);
  MouseUp();
  Step();
  EXPECT_EQ(app->m_solved, 1);
  EXPECT_EQ(app->m_endState, 2);
  EXPECT_EQ(app->m_endReason, 2);
  EXPECT_EQ(app->m_newScore, 0);
  EXPECT_EQ(app->m_tmpF[89], 0);
  Step();
  EXPECT_EQ(TextAt(12, 4), "Outof");
  Steps(88);
  EXPECT_EQ(app->m_state, 2);
  EXPECT_EQ(app->m_newScore, 0);
}

TEST_F(BoardEnd, TimerShowsMinutesAndSecondsAndStopsWhenTheEndIsSet) {
  StartPuzzle(7);
  app->m_tmpF[98] = 60 * 65 + 1;
  Step();
  EXPECT_EQ(TextAt(32, 2), "1:05");
  app->m_tmpF[98] = 1;
  Step();
  EXPECT_EQ(TextAt(32, 2), "0:00");
  EXPECT_EQ(app->m_endState, 2);
  float left = app->m_tmpF[98];
  Steps(5);
  EXPECT_EQ(app->m_tmpF[98], left);
}

TEST_F(BoardEnd, TutorialWalksSixPicturesWithHintsThenGoodLuck) {
  const char *firstLines[6] = {"Usetheleftandtop",      "Sometimes", "Alargernumber",
                               "Whenmorethanonenumber", "",          "Don'tbescaredoff"};
  StartPuzzle(0);
  float lineY = 32 + static_cast<float>(app->m_imageInfo[app->m_font * 3 + 1]) / 2;
  for (int step = -1; step >= -6; --step) {
    SCOPED_TRACE(step);
    EXPECT_EQ(app->m_tmpF[55], step);
    String picture = TutorialPicture(step);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(app->m_grid[(32 * (i / 8) + i % 8) * 10 + 1], picture[i] == '1' ? 1 : 0);
    Step();
    EXPECT_EQ(TextAt(lineY, 1), firstLines[-step - 1]);
    // The timer runs but is not shown.
    EXPECT_LT(app->m_tmpF[98], 7200);
    EXPECT_TRUE(RecordsOf(app->m_font, 2).empty());
    int sounds = fed->Played(95);
    MarkSolution();
    Steps(91);
    EXPECT_EQ(fed->Played(95), sounds + 1);
    if (step > -6) {
      EXPECT_EQ(app->m_tmpF[56], 0);
      EXPECT_EQ(Marks(), std::vector<std::string>(8, "........"));
    }
  }
  EXPECT_EQ(app->m_endState, 1);
  EXPECT_EQ(app->m_endReason, 6);
  EXPECT_EQ(app->m_newScore, 0);
  Step();
  EXPECT_EQ(TextAt(12, 4), "Good");
  EXPECT_EQ(TextAt(468, 4), "Luck");
}

TEST_F(BoardEnd, TutorialTimeOutIsTheEndEvenDuringItsSolvedPause) {
  StartPuzzle(0);
  MarkSolution();
  app->m_tmpF[98] = 10;
  Steps(20);
  EXPECT_EQ(app->m_endReason, 2);
  Steps(100);
  // The pause after a solved picture does not load the next one or change
  // the banner.
  EXPECT_EQ(app->m_endReason, 2);
  EXPECT_EQ(app->m_tmpF[55], -1);
}

TEST_F(BoardEnd, BackPausesOnceAndAResumingHoldDoesNotPauseAgain) {
  StartPuzzle(7);
  Press(kEscape);
  Step();
  EXPECT_EQ(app->m_paused, 1);
  EXPECT_EQ(app->m_pauseDir, 1);
  EXPECT_EQ(app->m_pauseSel, 0);
  EXPECT_EQ(app->m_keyLatch, 1);
  EXPECT_EQ(fed->Played(98), 1);
  EXPECT_EQ(fed->audio.back().value, 0); // pan after the volume
  EXPECT_FLOAT_EQ(fed->audio[fed->audio.size() - 2].value, 0.5f);
  // The timer stands while paused.
  float left = app->m_tmpF[98];
  Steps(3);
  EXPECT_EQ(app->m_tmpF[98], left);

  // Resumed by a back press that is still held.
  app->m_paused = 0;
  app->m_keyLatch = 1;
  Steps(5);
  EXPECT_EQ(app->m_paused, 0);
  Release(kEscape);
  Step();
  Press(192);
  Step();
  EXPECT_EQ(app->m_paused, 1);
}

TEST_F(BoardEnd, TapOnThePauseIconPausesWithinItsBox) {
  StartPuzzle(7);
  float half = static_cast<float>(app->m_imageInfo[97 * 3]) * app->m_imageScale / 2;
  ASSERT_GT(half, 1);
  MouseDown(16 + half, 16);
  Step();
  EXPECT_EQ(app->m_paused, 0);
  MouseUp();
  Step();
  MouseDown(16 + half - 1, 16);
  Step();
  EXPECT_EQ(app->m_paused, 1);
  EXPECT_EQ(app->m_touchLatch, 1);
  // While the tap that paused is held, a resumed game does not pause again.
  app->m_paused = 0;
  Step();
  EXPECT_EQ(app->m_paused, 0);
}

TEST_F(BoardEnd, CleanViewHidesTimerScoreAndIconAndCentresTheBoard) {
  StartPuzzle(7);
  std::vector<int> icon = RecordsOf(97, 1);
  ASSERT_EQ(icon.size(), 1u);
  EXPECT_FLOAT_EQ(Rec(icon[0], 7), 0.2f);
  EXPECT_EQ(Rec(icon[0], 1), 16);
  EXPECT_FALSE(RecordsOf(app->m_font, 2).empty());
  Press(kF2);
  Step();
  EXPECT_EQ(app->m_cleanView, 1);
  EXPECT_TRUE(RecordsOf(97, 1).empty());
  EXPECT_TRUE(RecordsOf(app->m_font, 2).empty());
  std::vector<int> tiles = RecordsOf(1, 4);
  ASSERT_EQ(tiles.size(), 64u);
  EXPECT_EQ(Rec(tiles[0], 1), 208);
  EXPECT_EQ(Rec(tiles[0], 2), 144);
  EXPECT_EQ(Rec(tiles[63], 1), 432);
  EXPECT_EQ(Rec(tiles[63], 2), 368);
  // The score of a reveal is not shown either.
  MarkSolution();
  Steps(3);
  EXPECT_TRUE(RecordsOf(app->m_font, 2).empty());
}

} // namespace
