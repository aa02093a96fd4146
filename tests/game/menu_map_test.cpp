// The puzzle map: which cells open, the counts of the bottom panel, and the
// score table kept on the return from a puzzle.
#include "game_fixture.h"

namespace {

class MenuMapTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
  }
  // The map after its first updates, the camera at rest.
  void Settled() {
    Updates(2);
    SettleCamera();
    Update();
  }
};

TEST_F(MenuMapTest, NothingSolvedOpensHowToAndItsFourNeighbours) {
  Settled();
  EXPECT_EQ(OpenCells(), 5);
  for (auto [c, r] : {std::pair{6, 7}, {5, 7}, {7, 7}, {6, 6}, {6, 8}}) EXPECT_EQ(Locked(c, r), 0) << c << r;
  std::string text = DrawnText();
  EXPECT_NE(text.find("Complete:0/224"), std::string::npos) << text;
  EXPECT_NE(text.find("Score:0"), std::string::npos) << text;
  EXPECT_NE(text.find("HowTo"), std::string::npos);
}

TEST_F(MenuMapTest, CornerPuzzleOpensOnlyItsTwoNeighbours) {
  app->m_scores[2 * 223] = 50; // puzzle 224, the bottom right corner
  Updates(2);
  EXPECT_EQ(OpenCells(), 7);
  EXPECT_EQ(Locked(13, 14), 0);
  EXPECT_EQ(Locked(14, 13), 0);
  EXPECT_EQ(Locked(14, 14), 1);
  EXPECT_EQ(app->m_mapCells[16 * 14 + 15], 1); // beyond the map: untouched
}

TEST_F(MenuMapTest, CellsOpenOutwardAndCountTheSolvedOnes) {
  app->m_scores[2 * 110] = 40; // puzzle 111 at (5, 7)
  app->m_scores[2 * 0] = 8;    // puzzle 1 at (0, 0)
  Updates(2);
  // (5, 7) adds (4, 7), (5, 6), (5, 8); (0, 0) adds (1, 0), (0, 1).
  EXPECT_EQ(OpenCells(), 10);
  EXPECT_EQ(Locked(4, 7), 0);
  EXPECT_EQ(Locked(0, 0), 1);
  EXPECT_NE(DrawnText().find("Complete:2/224"), std::string::npos);
  EXPECT_NE(DrawnText().find("Score:48"), std::string::npos);
  // Opened cells stay open even if the score behind them goes.
  app->m_scores[2 * 110] = 0;
  Update();
  EXPECT_EQ(Locked(4, 7), 0);
}

TEST_F(MenuMapTest, CursorCellShowsItsTagsAndLockFrames) {
  app->m_scores[2 * 110] = 40;
  app->m_menuX = 5; // puzzle 111, solved
  Updates(2);
  SettleCamera();
  Update();
  EXPECT_EQ(app->m_selLevel, 111);
  std::string text = DrawnText();
  EXPECT_NE(text.find("Puzzle111"), std::string::npos) << text;
  EXPECT_NE(text.find("Score40"), std::string::npos) << text;
  // Locked cells carry frame 2 of the buttons, open unsolved ones frame 1,
  // the solved cursor cell none.
  int locked = 0, open = 0;
  for (int r : RecordsOf(95)) {
    locked += Rec(r, 6) == 2;
    open += Rec(r, 6) == 1;
  }
  EXPECT_GT(locked, 0);
  EXPECT_EQ(open, 6); // (4, 7), (5, 6), (5, 8), (7, 7), (6, 6), (6, 8)
}

TEST_F(MenuMapTest, CellsOffTheScreenAreNotDrawn) {
  Settled();
  // The thumbnail sheets are slots 11..24: count thumbnails drawn.
  int thumbnails = 0;
  for (int r = 0; r < Records(); ++r) thumbnails += Rec(r, 0) >= 11 && Rec(r, 0) <= 24;
  // Around the How-To cell a 640 x 480 view with its 128 margin takes
  // columns 3..9 and rows 4..10, the How-To cell having no thumbnail.
  EXPECT_EQ(thumbnails, 7 * 7 - 1);
}

TEST_F(MenuMapTest, ReturnRecordsScoresInTheBestAndLatestPairs) {
  app->m_level = 12;
  const int b = 22;
  auto finish = [&](int score) {
    app->m_newScore = score;
    app->p_LoadMenu();
  };
  finish(100);
  EXPECT_EQ(app->m_scoreRank, 0);
  finish(50);
  EXPECT_EQ(app->m_scoreRank, 1);
  EXPECT_EQ(app->m_scores[b], 100);
  EXPECT_EQ(app->m_scores[b + 1], 50);
  finish(100); // equal to the best, above the second: the new second
  EXPECT_EQ(app->m_scoreRank, 1);
  EXPECT_EQ(app->m_scores[b + 1], 100);
  finish(100); // equal to the second: only the latest pair
  EXPECT_EQ(app->m_scoreRank, -1);
  finish(7);
  finish(150);
  EXPECT_EQ(app->m_scoreRank, 0);
  EXPECT_EQ(std::vector<int>(app->m_scores.Data() + b - 1, app->m_scores.Data() + b + 3),
            (std::vector<int>{0, 150, 100, 0}));
  EXPECT_EQ(std::vector<int>(app->m_scores.Data() + 448 + b, app->m_scores.Data() + 448 + b + 3),
            (std::vector<int>{150, 7, 0}));
}

TEST_F(MenuMapTest, ReturnLocksTheMapAndSavesEvenAfterTheTutorial) {
  Updates(2);
  size_t saves = host->saves.size();
  app->m_level = 0;
  app->m_newScore = 99;
  app->p_LoadMenu();
  EXPECT_EQ(host->saves.size(), saves + 1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(app->m_mapCells[i], 1);
  // A level outside the catalogue records nothing either.
  app->m_level = 225;
  app->p_LoadMenu();
  for (int i = 0; i < 2240; ++i) ASSERT_EQ(app->m_scores[i], 0);
}

TEST_F(MenuMapTest, StateTwoRecordsSavesAndReturnsToTheMap) {
  app->m_level = 111;
  app->m_newScore = 321;
  app->m_state = 2;
  int sounds = dev->Plays();
  Update();
  EXPECT_EQ(app->m_state, 1);
  EXPECT_EQ(app->m_scores[220], 321);
  EXPECT_GT(dev->Plays(), sounds);
  EXPECT_NE(Saved().find("|321|"), std::string::npos);
  Updates(2);
  EXPECT_EQ(Locked(4, 7), 0);
}

} // namespace
