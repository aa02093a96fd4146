// Badge pop-ups: the slide in and out, the freed slot, the icon limit, the
// slots that are never drawn, and the badge texts.
#include "game_fixture.h"

namespace {

class BadgesTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartWith();
  }
  // Banner rectangles drawn this update, as (x, y) pairs.
  std::vector<std::pair<float, float>> Banners() const {
    std::vector<std::pair<float, float>> found;
    for (int r : RecordsOf(-3717))
      if (Rec(r, 4) == 160 && Rec(r, 5) == 32) found.emplace_back(Rec(r, 1), Rec(r, 2));
    return found;
  }
};

TEST_F(BadgesTest, BannerSlidesInStandsAndLeaves) {
  app->m_badgeShow[0] = 3;
  app->m_badgeTimer[0] = 1;
  Update();
  EXPECT_EQ(app->m_badgeTimer[0], 2);
  ASSERT_EQ(Banners().size(), 1u);
  EXPECT_EQ(Banners()[0], std::make_pair(-128.0f, 480.0f - 34));
  Updates(8);
  EXPECT_EQ(app->m_badgeTimer[0], 10);
  EXPECT_EQ(Banners()[0].first, 0);
  Updates(230);
  EXPECT_EQ(app->m_badgeTimer[0], 240);
  EXPECT_EQ(Banners()[0].first, -160);
  Update(); // timer 241: drawn once more, then the slot is free
  EXPECT_EQ(app->m_badgeTimer[0], 0);
  ASSERT_EQ(Banners().size(), 1u);
  EXPECT_EQ(Banners()[0].first, -176);
  Update();
  EXPECT_TRUE(Banners().empty());
}

TEST_F(BadgesTest, IconsOnlyForTheFirstSixtyFourBadges) {
  app->m_badgeShow[2] = 63;
  app->m_badgeTimer[2] = 20;
  app->m_badgeShow[5] = 64;
  app->m_badgeTimer[5] = 20;
  Update();
  std::vector<int> icons = RecordsOf(80);
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(Rec(icons[0], 6), 63);
  EXPECT_EQ(Banners().size(), 2u);
  EXPECT_NE(DrawnText().find("OddBadge"), std::string::npos);
}

TEST_F(BadgesTest, SlotsThirteenAndFourteenAreNeverDrawn) {
  for (int i : {12, 13, 14}) {
    app->m_badgeShow[i] = 0;
    app->m_badgeTimer[i] = 5;
  }
  Update();
  ASSERT_EQ(Banners().size(), 1u);
  EXPECT_EQ(Banners()[0].second, 480 - 34 * 13);
  EXPECT_EQ(app->m_badgeTimer[13], 5);
  EXPECT_EQ(app->m_badgeTimer[14], 5);
  EXPECT_NE(DrawnText().find("TestBadge"), std::string::npos);
}

} // namespace
