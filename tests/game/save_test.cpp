// The save string: its exact numbers, the round trip, and what survives
// damaged, truncated or hostile contents.
#include <random>

#include "game_fixture.h"

namespace {

class SaveTest : public GameTest {
protected:
  // Settings, badges and scores a round trip must keep, saved; the limited
  // settings within their limits.
  void ScrambleAndSave(unsigned seed) {
    std::mt19937 random(seed);
    for (int i = 0; i < kSettingCount; ++i) app->m_settings[i] = static_cast<int>(random());
    app->m_settings[kSettingFloor64A] = app->m_settings[kSettingFloor64B] = 64 + (random() & 0xFFFF);
    app->m_settings[kSettingFloor8] = 8;
    app->m_settings[kSettingAlwaysOne] = 1;
    for (int i = 0; i < 256; ++i) app->m_badges[i] = (random() & 1) != 0;
    for (int i = 0; i < 2240; ++i) app->m_scores[i] = static_cast<int>(random());
    app->p_Save();
    settings = std::vector<int>(app->m_settings.begin(), app->m_settings.begin() + kSettingCount);
    badges = std::vector<bool>(app->m_badges.begin(), app->m_badges.end());
    scores = std::vector<int>(app->m_scores.begin(), app->m_scores.begin() + 896);
  }
  // Starts again on a text and says what differs from the scrambled values.
  std::string Restart(const std::string &text) {
    app.reset();
    testing::internal::CaptureStdout();
    StartWith(text);
    std::string out = testing::internal::GetCapturedStdout();
    if (settings != std::vector<int>(app->m_settings.begin(), app->m_settings.begin() + kSettingCount))
      out += "|settings";
    if (badges != std::vector<bool>(app->m_badges.begin(), app->m_badges.end())) out += "|badges";
    for (int i = 0; i < 896; ++i)
      if (scores[i] != app->m_scores[i]) out += "|score " + std::to_string(i) + (app->m_scores[i] ? "" : "=0");
    return out;
  }
  std::vector<int> settings, scores;
  std::vector<bool> badges;
};

std::string Joined(const std::vector<std::string> &parts, size_t from = 0, size_t to = 1u << 30) {
  std::string text;
  for (size_t i = from; i < std::min(to, parts.size()); ++i) text += parts[i] + "|";
  return text;
}

TEST_F(SaveTest, StringHoldsTheNumbersAndChecksumsInTheirPlaces) {
  StartWith();
  app->m_badges[31] = app->m_badges[32] = true;
  app->m_scores[2 * 3] = 10;            // best of puzzle 4
  app->m_scores[2 * 3 + 1] = 7;         // second best
  app->m_scores[kLatestScores + 6] = 9; // latest
  app->m_scores[kLatestScores + 7] = 2; // the one before
  app->m_scores[2 * 200] = INT32_MAX;
  app->p_Save();
  std::vector<std::string> p = Parts();
  ASSERT_EQ(p.size(), static_cast<size_t>(RecordPart(230))); // 229 records, five more than puzzles
  EXPECT_EQ(Saved().back(), '|');
  // The settings with i x value as their sum; eight badge words and theirs.
  EXPECT_EQ(Joined(p, 0, kSettingsParts),
            "0|0|0|0|0|1|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|0|" + std::to_string(5 + 640 + 704 + 120 + 14) + "|");
  EXPECT_EQ(Joined(p, kSettingsParts, kFirstRecordPart), "-2147483648|1|0|0|0|0|0|0|-2147483647|");
  // Best, latest, second, previous, and 4 best + 5 second + (L + 3) latest +
  // (L + 4) previous for record L, wrapping at 32 bits.
  EXPECT_EQ(Joined(p, RecordPart(4), RecordPart(5)), "10|9|7|2|" + std::to_string(40 + 35 + 6 * 9 + 7 * 2) + "|");
  EXPECT_EQ(p[RecordPart(201, 4)], "-4");
  EXPECT_EQ(p[RecordPart(228)], "9"); // the five extra records carry the first latest scores
}

TEST_F(SaveTest, EachBlockLoadsOrIsDroppedOnItsOwn) {
  StartWith();
  ScrambleAndSave(7);
  const std::vector<std::string> saved = Parts();
  EXPECT_EQ(Restart(Saved()), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n");
  EXPECT_EQ(app->m_menuX, kHowToCol);
  EXPECT_EQ(app->m_menuY, kHowToRow);
  std::vector<std::string> edited = saved;
  edited[RecordPart(51, 2)] = "12345"; // puzzle 51's second best
  EXPECT_EQ(Restart(Joined(edited)),
            "Settings Loaded\nBadges Loaded\nHighscores Loaded\n|score 100=0|score 101=0|score "
            "548=0|score 549=0");
  edited = saved;
  edited[3] = "999";                                    // a setting
  edited[kSettingsParts + 2] = std::to_string(1 << 20); // a badge word
  EXPECT_EQ(Restart(Joined(edited)),
            "Settings Checksum Invalid\nBadge Checksum Invalid\nHighscores Loaded\n|settings|badges");
  EXPECT_EQ(app->m_settings[3], 0) << "the defaults";
  EXPECT_EQ(app->m_settings[kSettingSoundMode], kSoundEffectsAndMusic);
  EXPECT_EQ(std::count(app->m_badges.begin(), app->m_badges.end(), true), 0);
}

TEST_F(SaveTest, TruncatedStringLoadsTheRecordsWithTwentyPartsAfterTheirFirst) {
  StartWith();
  ScrambleAndSave(5);
  // 634 parts and the empty one after the last bar: record 115 is the last
  // with twenty parts after its first.
  std::string out = Restart(Joined(Parts(), 0, RecordPart(117) + 19));
  EXPECT_EQ(out.substr(0, out.find("|score")), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n");
  for (int L = 0; L < 224; ++L) {
    EXPECT_EQ(app->m_scores[2 * L], L <= 115 ? scores[2 * L] : 0) << L;
    const int before = kLatestScores + 2 * L + 1; // the score before the latest
    EXPECT_EQ(app->m_scores[before], L <= 115 ? scores[before] : 0) << L;
  }
  // Fewer than 26 parts: no settings; badges from part 0 and no record.
  EXPECT_EQ(Restart("5|0|0|0|0|0|0|0|5|30|20|10|5|320|").substr(0, 14), "Badges Loaded\n");
  EXPECT_EQ(std::vector<bool>(app->m_badges.begin(), app->m_badges.begin() + 4),
            (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(app->m_scores[0], 0);
}

TEST_F(SaveTest, NumbersAreReadTheWayAtoiReadsThemAndTheSettingLimitsApply) {
  std::vector<std::string> parts = {"0", "  \t7", "+3xyz", "-0012", "abc", "4294967301", "99999999999999999999999",
                                    "9", "9",     "0",     "63",    "200", "7"};
  parts[7].insert(0, 62, ' '), parts[8].insert(0, 63, ' ');         // a number is read from its first 63 characters
  const int read[] = {0, 7, 3, -12, 0, 5, -1, 9, 0, 0, 63, 200, 7}; // settings 10..12 below their limits
  long sum = 0;
  for (int i = 0; i < 13; ++i) sum += i * read[i];
  parts.resize(25, "0");
  for (int twelve : {7, 8}) {
    parts[12] = std::to_string(twelve);
    vex_Tilemarch_overscan = 12;
    app.reset();
    StartWith(Joined(parts) + std::to_string(sum + 12 * (twelve - 7)) + "|");
    EXPECT_EQ(std::vector<int>(app->m_settings.begin(), app->m_settings.begin() + 15),
              (std::vector<int>{0, 7, 3, -12, 0, 5, -1, 9, 0, 0, 64, 200, twelve == 7 ? 10 : 8, 0, 1}));
    EXPECT_EQ(vex_Tilemarch_overscan, 0);
  }
}

} // namespace
