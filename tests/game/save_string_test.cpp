// The save string: its exact numbers and checksums, the round trip, and what
// survives a damaged, edited or truncated string.
#include <random>
#include <sstream>

#include "game_fixture.h"

namespace {

using SaveTest = GameTest;

std::vector<std::string> Parts(const std::string &text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
  return parts;
}

std::string Joined(const std::vector<std::string> &parts) {
  std::string text;
  for (const std::string &part : parts) text += part + "|";
  return text;
}

// The first n values of an array (all of them with n < 0).
template <class T> std::vector<T> Values(const Array<T> &array, int n = -1) {
  return std::vector<T>(array.begin(), n < 0 ? array.end() : array.begin() + n);
}

// Fills settings, badges and every score with values a round trip must keep.
void Scramble(c_MyApp &app, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> any(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 25; ++i) app.m_settings[i] = any(random);
  app.m_settings[10] = 64 + (any(random) & 0xFFFF);
  app.m_settings[11] = 64;
  app.m_settings[12] = 8;
  app.m_settings[14] = 1;
  for (int i = 0; i < 256; ++i) app.m_badges[i] = (random() & 1) != 0;
  for (int i = 0; i < 2240; ++i) app.m_scores[i] = any(random);
}

TEST_F(SaveTest, DefaultSettingsAndOneBadgeGiveTheExactNumbers) {
  StartWith();
  for (int i = 0; i < 25; ++i) app->m_settings[i] = 0;
  app->m_settings[5] = 1;
  app->m_badges[31] = true;
  app->p_Save();
  EXPECT_EQ(Parts(Saved()).size(), 1180u);
  EXPECT_EQ(Saved().back(), '|');
  // 25 settings and their checksum 5 x 1; 8 badge words, bit 31 set in the
  // first, and their checksum.
  std::string zeros;
  for (int i = 0; i < 19; ++i) zeros += "0|";
  std::string head = "0|0|0|0|0|1|" + zeros + "5|-2147483648|" + zeros.substr(0, 14) + "-2147483648|";
  EXPECT_EQ(Saved().substr(0, head.size()), head);
}

TEST_F(SaveTest, RecordChecksumsWeighTheLatestScoresByRecordAndWrap) {
  StartWith();
  app->m_scores[2 * 3] = 10;    // best of puzzle 4
  app->m_scores[2 * 3 + 1] = 7; // second
  app->m_scores[448 + 6] = 9;   // latest
  app->m_scores[448 + 7] = 2;   // previous
  app->m_scores[2 * 200] = INT32_MAX;
  app->p_Save();
  std::vector<std::string> parts = Parts(Saved());
  int p = 35 + 5 * 3;
  EXPECT_EQ(std::vector<std::string>(parts.begin() + p, parts.begin() + p + 5),
            (std::vector<std::string>{"10", "9", "7", "2", std::to_string(4 * 10 + 5 * 7 + 6 * 9 + 7 * 2)}));
  // 4 x INT32_MAX wraps to -4.
  EXPECT_EQ(parts[35 + 5 * 200 + 4], "-4");
  // The five extra records carry the first latest scores as their bests.
  EXPECT_EQ(parts[35 + 5 * 227], "9");
}

TEST_F(SaveTest, SaveAndLoadRestoreEverythingAndAnEditedScoreZeroesOnlyItsPuzzle) {
  StartWith();
  Scramble(*app, 7);
  app->p_Save();
  std::string saved = Saved();
  std::vector<int> settings = Values(app->m_settings), scores = Values(app->m_scores, 896);
  std::vector<bool> badges = Values(app->m_badges);
  app.reset();
  StartWith(saved);
  EXPECT_EQ(Values(app->m_settings), settings);
  EXPECT_EQ(Values(app->m_scores, 896), scores);
  EXPECT_EQ(Values(app->m_badges), badges);
  EXPECT_EQ(app->m_menuX, 6);

  std::vector<std::string> parts = Parts(saved);
  parts[35 + 5 * 50 + 2] = "12345"; // puzzle 51's second-best score
  app.reset();
  StartWith(Joined(parts));
  for (int i : {100, 101, 448 + 100, 448 + 101}) scores[i] = 0;
  EXPECT_EQ(Values(app->m_scores, 896), scores);
  EXPECT_EQ(Values(app->m_settings), settings);
  EXPECT_EQ(Values(app->m_badges), badges);
}

TEST_F(SaveTest, DamagedBlocksAreDroppedOneByOne) {
  StartWith();
  Scramble(*app, 3);
  app->p_Save();
  std::vector<int> scores = Values(app->m_scores, 896);
  std::vector<std::string> parts = Parts(Saved());
  parts[3] = "999";                    // a setting
  parts[28] = std::to_string(1 << 20); // a badge word

  app.reset();
  testing::internal::CaptureStdout();
  StartWith(Joined(parts));
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Settings Checksum Invalid"), std::string::npos);
  EXPECT_NE(out.find("Badge Checksum Invalid"), std::string::npos);
  EXPECT_NE(out.find("Highscores Loaded"), std::string::npos);
  EXPECT_EQ(app->m_settings[3], 0);
  EXPECT_EQ(app->m_settings[12], 10);
  EXPECT_EQ(Values(app->m_badges), std::vector<bool>(256, false));
  EXPECT_EQ(Values(app->m_scores, 896), scores);
}

TEST_F(SaveTest, TruncatedStringLoadsItsCompleteLeadingBlocks) {
  StartWith();
  Scramble(*app, 5);
  app->p_Save();
  std::vector<int> scores = Values(app->m_scores, 896), settings = Values(app->m_settings);
  std::vector<std::string> parts = Parts(Saved());
  // Cut in the middle of record 120: 35 + 600 + 3 parts stay.
  parts.resize(35 + 5 * 120 + 3);
  const int count = static_cast<int>(parts.size()) + 1; // the text after the last "|"

  app.reset();
  StartWith(Joined(parts));
  EXPECT_EQ(Values(app->m_settings), settings);
  for (int L = 0; L < 224; ++L) {
    bool read = 35 + 5 * L + 20 < count;
    EXPECT_EQ(app->m_scores[2 * L], read ? scores[2 * L] : 0) << L;
    EXPECT_EQ(app->m_scores[449 + 2 * L], read ? scores[449 + 2 * L] : 0) << L;
  }
  // 639 parts: record 116 is the last with 21 parts from its first.
  EXPECT_NE(app->m_scores[2 * 116], 0);
  EXPECT_EQ(app->m_scores[2 * 117], 0);
}

TEST_F(SaveTest, ShortStringIsReadAsBadgesOnly) {
  // Fewer than 26 parts: no settings block, the badges start at part 0, and
  // no record can have the 21 parts it needs.
  std::string text = "5|0|0|0|0|0|0|0|5|30|20|10|5|320|";
  testing::internal::CaptureStdout();
  StartWith(text);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.find("Settings"), std::string::npos);
  EXPECT_NE(out.find("Badges Loaded"), std::string::npos);
  EXPECT_TRUE(app->m_badges[0]);
  EXPECT_TRUE(app->m_badges[2]);
  EXPECT_FALSE(app->m_badges[1]);
  EXPECT_EQ(app->m_scores[0], 0);
  EXPECT_EQ(app->m_settings[5], 1);
  EXPECT_EQ(app->m_settings[10], 64);
}

TEST_F(SaveTest, NumbersAreReadTheWayAtoiReadsThem) {
  // Settings 1..4 carry the oddities; each checksum term is i x value.
  std::vector<std::string> parts(25, "0");
  parts[1] = "  \t7";
  parts[2] = "+3xyz";
  parts[3] = "-0012";
  parts[4] = "abc";
  parts[6] = "4294967301";              // 2^32 + 5 wraps to 5
  parts[7] = "99999999999999999999999"; // beyond 64 bits: all ones, -1
  parts[8] = std::string(62, ' ') + "9";
  parts[9] = std::string(63, ' ') + "9"; // the 9 is past the 63 characters read
  long sum = 1 * 7 + 2 * 3 + 3 * -12 + 6 * 5 + 7 * -1 + 8 * 9;
  parts.push_back(std::to_string(sum));
  StartWith(Joined(parts));
  EXPECT_EQ(app->m_settings[1], 7);
  EXPECT_EQ(app->m_settings[2], 3);
  EXPECT_EQ(app->m_settings[3], -12);
  EXPECT_EQ(app->m_settings[4], 0);
  EXPECT_EQ(app->m_settings[5], 0); // read as 0, the checksum agreed
  EXPECT_EQ(app->m_settings[6], 5);
  EXPECT_EQ(app->m_settings[7], -1);
  EXPECT_EQ(app->m_settings[8], 9);
  EXPECT_EQ(app->m_settings[9], 0);
}

TEST_F(SaveTest, LoadAppliesTheSettingLimitsAndResetsOverscan) {
  std::vector<std::string> parts(25, "0");
  parts[10] = "63";
  parts[11] = "200";
  parts[12] = "7";
  parts[14] = "0";
  parts.push_back(std::to_string(10 * 63 + 11 * 200 + 12 * 7));
  vex_Tilemarch_overscan = 12;
  StartWith(Joined(parts));
  EXPECT_EQ(app->m_settings[10], 64);
  EXPECT_EQ(app->m_settings[11], 200);
  EXPECT_EQ(app->m_settings[12], 10);
  EXPECT_EQ(app->m_settings[14], 1);
  EXPECT_EQ(vex_Tilemarch_overscan, 0);
  app->p_Save();
  EXPECT_EQ(Parts(Saved())[14], "1");

  app.reset();
  parts[12] = "8";
  parts[25] = std::to_string(10 * 63 + 11 * 200 + 12 * 8);
  StartWith(Joined(parts));
  EXPECT_EQ(app->m_settings[12], 8);
}

} // namespace
