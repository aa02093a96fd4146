// Hostile state files: whatever the state file holds, the game starts with a
// defined state: limits applied, map locked, scores either read with a valid
// checksum or left at zero. Run under the sanitizers to catch stray reads.
#include <random>

#include "game_fixture.h"
#include "support/files.h"

namespace {

class HostileSaveTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    host->useFile = true;
  }
  // What every load leaves, whatever it read.
  void ExpectDefinedState() {
    EXPECT_GE(app->m_settings[10], 64);
    EXPECT_GE(app->m_settings[11], 64);
    EXPECT_GE(app->m_settings[12], 8);
    EXPECT_EQ(app->m_settings[14], 1);
    EXPECT_EQ(app->m_menuX, 6);
    EXPECT_EQ(app->m_menuY, 7);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(app->m_mapCells[i], 1) << i;
  }

  TempDir dir_{true};
};

TEST_F(HostileSaveTest, MissingFileStartsWithTheDefaults) {
  testing::internal::CaptureStdout();
  Create();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Highscores Loaded"), std::string::npos);
  EXPECT_EQ(out.find("Settings Loaded"), std::string::npos);
  EXPECT_EQ(app->m_settings[5], 1);
  ExpectDefinedState();
  for (int i = 0; i < 896; ++i) ASSERT_EQ(app->m_scores[i], 0);
}

TEST_F(HostileSaveTest, SaveWritesTheStateFileThatTheNextRunReads) {
  Create();
  app->m_scores[2 * 110] = 77;
  app->m_badges[200] = true;
  app->m_settings[16] = 1;
  app->p_Save();
  std::string saved = ReadFile(".quillstate");
  EXPECT_EQ(saved.substr(0, 12), "0|0|0|0|0|1|");
  app.reset();
  Create();
  EXPECT_EQ(app->m_scores[2 * 110], 77);
  EXPECT_TRUE(app->m_badges[200]);
  EXPECT_EQ(app->m_settings[16], 1);
  app->p_Save();
  EXPECT_EQ(ReadFile(".quillstate"), saved);
}

TEST_F(HostileSaveTest, GarbageOfEveryKindLoadsToADefinedState) {
  std::mt19937 random(2024);
  std::string megabyte(1 << 20, '\0');
  for (char &c : megabyte) c = static_cast<char>(random());
  std::string digitsAndBars(1 << 20, '\0');
  const char alphabet[] = "0123456789|||--+ ";
  for (char &c : digitsAndBars) c = alphabet[random() % (sizeof alphabet - 1)];

  const std::vector<std::string> cases = {
      "",
      "|",
      std::string(1 << 20, '|'),
      "a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q|r|s|t|u|v|w|x|y|z|",
      "\xff\xfe\x00",
      "\xc3\x28|\xe2\x82|\xf0\x9f\x98\x80|\x80\x80|1|2|",
      std::string(5000, '9') + "|" + std::string(5000, '-'),
      "99999999999999999999|-99999999999999999999|18446744073709551616|",
      megabyte,
      digitsAndBars,
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    testing::internal::CaptureStdout();
    WriteFile(".quillstate", cases[i]);
    Create();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Highscores Loaded"), std::string::npos);
    ExpectDefinedState();
    FinishLoading();
    Updates(3);
    EXPECT_GE(app->m_mapCells[251], 5);
    app->p_Save();
    app.reset();
  }
}

TEST_F(HostileSaveTest, ValidStringWithForgedHugeScoresStillDrawsTheMap) {
  // Checksums that agree over extreme values: the menu's sums must wrap, not
  // overflow.
  Create();
  for (int n = 0; n < 224; ++n) app->m_scores[2 * n] = INT32_MAX;
  app->m_settings[5] = -7;
  app->p_Save();
  app.reset();
  Create();
  FinishLoading();
  Updates(2);
  EXPECT_EQ(app->m_mapCells[252], 224);
  EXPECT_EQ(app->m_mapCells[250], static_cast<int>(224u * static_cast<unsigned>(INT32_MAX)));
}

} // namespace
