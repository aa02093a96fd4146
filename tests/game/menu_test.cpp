// The puzzle map: which cells open, what its panel and cells show, the scores
// kept on the return from a puzzle, and its input: drag, keys, taps, starting
// a puzzle (leaving by Escape is walked in the windowed test).
#include "game_fixture.h"

namespace {

class Map : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
    Settle();
  }
  // A few updates with the camera brought to rest at its target.
  void Settle() {
    Updates(2);
    app->m_camX = app->m_camTargetX + static_cast<float>(app->m_panX);
    app->m_camY = app->m_camTargetY + static_cast<float>(app->m_panY);
    Update();
  }
  // Where a cell will be hit-tested in the next update, after its easing step.
  float NextX(int c) { return 116.0f * c - (app->m_camX + (app->m_panX + app->m_camTargetX - app->m_camX) * 0.125f); }
  float NextY(int r) { return 116.0f * r - (app->m_camY + (app->m_panY + app->m_camTargetY - app->m_camY) * 0.125f); }
  void TapCell(int c, int r) { Tap(NextX(c), NextY(r)); }
  void Drag(float x, float y) {
    dev->down = {kMouse, kTouch0};
    dev->mouseX = dev->touchX[0] = x;
    dev->mouseY = dev->touchY[0] = y;
    Update();
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
    for (int n = 0; n < 224; ++n) app->m_scores[2 * n] = 0;
    for (int n : c.solved) app->m_scores[2 * (n - 1)] = 8;
    Update(); // the map reads the scores, then starts locked
    app->p_LoadMenu();
    Updates(2);
    EXPECT_EQ(OpenCells(), c.open) << c.panel;
    for (auto [col, row] : c.opened) EXPECT_EQ(Locked(col, row), 0) << col << "," << row;
    for (auto [col, row] : c.locked) EXPECT_EQ(Locked(col, row), 1) << col << "," << row;
    EXPECT_NE(DrawnText().find(c.panel), std::string::npos) << DrawnText();
  }
  EXPECT_EQ(app->m_mapCells[16 * 14 + 15], 1); // beyond the map: untouched
  app->m_scores[2 * 96] = 0;                   // opened cells stay open when the score behind them goes
  Update();
  EXPECT_EQ(Locked(6, 5), 0);
}

TEST_F(Map, CellsShowTheirLocksAndTheCursorCellItsTags) {
  app->m_scores[2 * 110] = 40;
  app->m_menuX = 5; // puzzle 111, solved
  Settle();
  EXPECT_EQ(app->m_selLevel, 111);
  EXPECT_NE(DrawnText().find("Puzzle111Score40"), std::string::npos) << DrawnText();
  int locked = 0, open = 0; // frame 2 locked, frame 1 open and unsolved
  for (int r : RecordsOf(95)) locked += Rec(r, 6) == 2, open += Rec(r, 6) == 1;
  EXPECT_GT(locked, 20);
  EXPECT_EQ(open, 6); // (4, 7), (5, 6), (5, 8), (7, 7), (6, 6), (6, 8)
}

TEST_F(Map, ReturnKeepsTheBestTwoAndTheLatestTwoScoresAndSaves) {
  const size_t saves = host->saves.size();
  app->m_level = 12;
  for (auto [score, rank] : {std::pair{100, 0}, {50, 1}, {100, 1}, {100, -1}, {7, -1}, {150, 0}}) {
    app->m_newScore = score;
    app->p_LoadMenu();
    EXPECT_EQ(app->m_scoreRank, rank) << score;
  }
  EXPECT_EQ(std::vector<int>(&app->m_scores[21], &app->m_scores[25]), (std::vector<int>{0, 150, 100, 0}));
  EXPECT_EQ(std::vector<int>(&app->m_scores[470], &app->m_scores[473]), (std::vector<int>{150, 7, 0}));
  EXPECT_EQ(SavedPart(35 + 5 * 11), "150");
  // The tutorial and numbers outside the catalogue record nothing, but save
  // and lock the map until it is drawn again.
  for (int level : {0, 225}) {
    app->m_level = level;
    app->p_LoadMenu();
    EXPECT_EQ(OpenCells(), 0);
  }
  EXPECT_EQ(host->saves.size(), saves + 8);
  EXPECT_EQ(std::count_if(app->m_scores.begin(), app->m_scores.end(), [](int s) { return s != 0; }), 4);
}

TEST_F(Map, DragPansByOneAndAHalfTimesClampedAndSuppressesTapsUntilRelease) {
  for (auto [x, y, panX] : {std::tuple{262, 182, 0}, {252, 182, 15}, {232, 177, 45}, {230, 177, 48}}) {
    Drag(x, y);
    EXPECT_EQ(app->m_panX, panX);
  }
  EXPECT_EQ(app->m_panY, 7);
  dev->down.insert(kTouch0 + 1); // 32 units dragged: a second finger on an open cell does nothing
  dev->touchX[1] = NextX(5);
  dev->touchY[1] = NextY(7);
  Update();
  Release();
  Update();
  EXPECT_EQ(app->m_menuX * 1000 + app->m_panX, 6048); // the pan stays until the cursor moves
  TapCell(5, 7);
  EXPECT_EQ(app->m_menuX * 1000 + app->m_panX, 5000);
  Drag(600, 400);
  Drag(0, 0);
  EXPECT_EQ(app->m_panX * 1000 + app->m_panY, 320240);
}

TEST_F(Map, HeldKeyMovesOnceBothAxesTogetherAndNotPastTheEdge) {
  Hold({kKeyRight});
  Updates(5);
  EXPECT_EQ(app->m_menuX * 10 + dev->Plays(), 72); // the logo jingle and one move
  Release();
  Update();
  Press({kKeyRight, kKeyDown});
  EXPECT_EQ(app->m_menuX * 100 + app->m_menuY, 808);
  app->m_menuX = 0;
  app->m_menuY = 14;
  Press({kKeyLeft});
  Press({kKeyDown});
  EXPECT_EQ(app->m_menuX * 100 + app->m_menuY + dev->Plays() * 1000, 4014);
}

// Tapping open cells is walked in the windowed test.
TEST_F(Map, TapsAndAHeldTouchDoNotStartALockedCell) {
  TouchAt(320 - 116, 240);
  TouchAt(320 - 116, 240); // still held: does not start
  EXPECT_EQ(app->m_menuX * 100 + app->m_state, 501);
  Release();
  Update();
  TapCell(4, 7);
  TapCell(4, 7);
  Press({kKeyEnter});
  EXPECT_EQ(app->m_state * 1000 + app->m_selLevel, 1110);
}

} // namespace
