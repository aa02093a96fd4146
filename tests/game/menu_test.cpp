// The puzzle map: which cells open and what its panel counts, and the scores
// kept on the return from a puzzle (its input is walked in the windowed test).
#include "game_fixture.h"

namespace {

class Map : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
    Updates(3);
  }
};

TEST_F(Map, SolvedCellsOpenTheirFourNeighboursAndThePanelCountsThem) {
  struct Case {
    std::vector<int> solved; // puzzle numbers, each scored 8
    int open;
    std::vector<std::pair<int, int>> opened, locked;
    const char *panel;
  } cases[] = {
      {{}, 5, {{6, 7}, {5, 7}, {7, 7}, {6, 6}, {6, 8}}, {{4, 7}}, "Complete:0/224Score:0"},
      {{224}, 7, {{13, 14}, {14, 13}}, {{14, 14}, {12, 14}}, "Complete:1/224Score:8"},
      {{111, 1}, 10, {{4, 7}, {5, 6}, {5, 8}, {1, 0}, {0, 1}}, {{0, 0}, {4, 6}}, "Complete:2/224Score:16"},
      {{97}, 8, {{5, 6}, {7, 6}, {6, 5}}, {{6, 4}}, "Complete:1/224Score:8"},
  };
  for (const Case &c : cases) {
    for (int n = 0; n < kPuzzles; ++n) app->m_scores[2 * n] = 0;
    for (int n : c.solved) app->m_scores[2 * (n - 1)] = 8;
    Update(); // the map reads the scores, then starts locked
    app->p_LoadMenu();
    Updates(2);
    EXPECT_EQ(OpenCells(), c.open) << c.panel;
    for (auto [col, row] : c.opened) EXPECT_EQ(Locked(col, row), 0) << col << "," << row;
    for (auto [col, row] : c.locked) EXPECT_EQ(Locked(col, row), 1) << col << "," << row;
    EXPECT_NE(DrawnText().find(c.panel), std::string::npos) << DrawnText();
  }
}

TEST_F(Map, ReturnKeepsTheBestTwoAndTheLatestTwoScoresAndSaves) {
  const size_t saves = host->saves.size();
  app->m_level = 12;
  for (auto [score, rank] : {std::pair{100, 0}, {50, 1}, {100, 1}, {100, -1}, {7, -1}, {150, 0}}) {
    app->m_newScore = score;
    app->p_LoadMenu();
    EXPECT_EQ(app->m_scoreRank, rank) << score;
  }
  // Puzzle 12's best and second best between untouched neighbours; its latest
  // and the one before, then the next puzzle's.
  const int best = 2 * 11, latest = kLatestScores + 2 * 11;
  EXPECT_EQ(std::vector<int>(&app->m_scores[best - 1], &app->m_scores[best + 3]), (std::vector<int>{0, 150, 100, 0}));
  EXPECT_EQ(std::vector<int>(&app->m_scores[latest], &app->m_scores[latest + 3]), (std::vector<int>{150, 7, 0}));
  EXPECT_EQ(Parts()[RecordPart(12)], "150");
  // The tutorial and numbers outside the catalogue record nothing, but save
  // and lock the map until it is drawn again.
  for (int level : {0, kPuzzles + 1}) {
    app->m_level = level;
    app->p_LoadMenu();
    EXPECT_EQ(OpenCells(), 0);
  }
  EXPECT_EQ(host->saves.size(), saves + 8);
  EXPECT_EQ(std::count_if(app->m_scores.begin(), app->m_scores.end(), [](int s) { return s != 0; }), 4);
}

} // namespace
