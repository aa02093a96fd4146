// The game's text routine: measurement with kerning, alignment, line breaks,
// icon escapes and rotation.
#include <cmath>

#include "game/render.h"
#include "game_fixture.h"

namespace {

class TextTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Create();
    app->p_DoBG(0, 0, 0, 1);
  }
  String Icon(char letter) { return String::FromChar(0xAC) + String::FromChar(letter); }
};

TEST_F(TextTest, WidthAddsKernedAdvancesTruncatingAfterEveryCharacter) {
  EXPECT_EQ(app->p_TextWidth("wil"), 9 + 4 + 4);
  EXPECT_EQ(app->p_TextWidth(""), 0);
  EXPECT_EQ(app->p_TextWidth("a\\nb"), 7 + 7 + 6 + 7);
  EXPECT_EQ(app->p_TextWidth(Icon('J')), 9);
  app->p_SetSize(1.5f);
  // 4 x 1.5 = 6, 9 x 1.5 = 13.5 -> 19, 7 x 1.5 = 10.5 -> 29
  EXPECT_EQ(app->p_TextWidth("iwa"), 29);
}

TEST_F(TextTest, AlignmentPutsThePointAtTheMiddleOrTheEndsOfTheLine) {
  struct Case {
    int alignX, alignY;
    float x, y;
  };
  for (Case c : {Case{1, 1, 93, 50}, Case{0, 0, 100, 55}, Case{2, 2, 86, 45}}) {
    app->p_DoBG(0, 0, 0, 1);
    app->p_Text(100, 50, "ab", c.alignX, c.alignY, 0);
    ASSERT_EQ(Records(), 2);
    EXPECT_EQ(Rec(0, 6), 'a' - 32);
    EXPECT_NEAR(Rec(0, 1), c.x, 1e-4) << c.alignX;
    EXPECT_NEAR(Rec(0, 2), c.y, 1e-4) << c.alignY;
  }
  app->p_DoBG(0, 0, 0, 1);
  app->p_Text(10, 10, "");
  EXPECT_EQ(Records(), 0);
}

TEST_F(TextTest, SpacesAndUnprintablesAdvanceWithoutDrawing) {
  app->p_Text(0, 0, String("a b") + String::FromChar(0) + String::FromChar(200) + "c", 0, 1, 0);
  ASSERT_EQ(Records(), 3);
  EXPECT_NEAR(Rec(1, 1), 14, 1e-4);
  EXPECT_NEAR(Rec(2, 1), 28, 1e-4); // code unit 0 does not advance, 200 does
}

TEST_F(TextTest, LineBreakStartsTheNextLineOneCellAlongAndOneLineDown) {
  app->p_Text(0, 0, "ab\\ncd\\ne", 0, 1, 0);
  ASSERT_EQ(Records(), 5);
  EXPECT_NEAR(Rec(2, 1), 7, 1e-4);
  EXPECT_NEAR(Rec(2, 2), 10, 1e-4);
  EXPECT_EQ(Rec(2, 6), 'c' - 32);
  EXPECT_NEAR(Rec(4, 1), 7, 1e-4);
  EXPECT_NEAR(Rec(4, 2), 20, 1e-4);
}

TEST_F(TextTest, IconsAdvanceMoreThanAGlyphAndPastTheSheetAreNotDrawn) {
  app->m_controlMode = 2;
  app->p_Text(0, 0, Icon('J') + "a" + Icon('U') + "a", 0, 1, 0);
  ASSERT_EQ(Records(), 4);
  EXPECT_EQ(Rec(0, 6), 96);
  EXPECT_NEAR(Rec(1, 1), 11, 1e-4);
  EXPECT_EQ(Rec(2, 6), 100);
  EXPECT_NEAR(Rec(3, 1), 11 + 7 + 13, 1e-4);
  // An unlisted letter is its own frame; 'M' lands on the kerned 'm'.
  EXPECT_EQ(IconFor('M', 2, 0).frame, 'M');
  EXPECT_EQ(IconFor('M', 2, 0).extra, 6);
  app->m_controlMode = 0;
  app->p_DoBG(0, 0, 0, 1);
  app->p_Text(0, 0, Icon('z'), 0, 1, 0); // 'z' + 16 is beyond frame 127
  EXPECT_EQ(Records(), 0);
}

TEST_F(TextTest, RotationTurnsTheWritingDirectionAndAFontOffsetTheSlot) {
  app->p_SetRot(90);
  app->p_Text(0, 0, "ab", 0, 1, 0);
  ASSERT_EQ(Records(), 2);
  // Turned a quarter: the pen walks along y.
  EXPECT_NEAR(Rec(1, 1) - Rec(0, 1), 0, 1e-3);
  EXPECT_NEAR(std::fabs(Rec(1, 2) - Rec(0, 2)), 7, 1e-3);
  app->p_Text(0, 0, "a", 0, 0, 1);
  EXPECT_EQ(Rec(2, 0), 91);
}

} // namespace
