// The display list, the drawing vocabulary, the fit of the virtual screen and
// the replay.
#include "game/render.h"
#include "game_fixture.h"

namespace {

TEST(FitTest, TheLongerSideGovernsAndOverscanShrinksTheScale) {
  struct Case {
    int w, h, overscan, mode;
    float scale, virtualW, virtualH, offX, offY;
  };
  const Case cases[] = {
      {1920, 1080, 0, 1, 3, 640, 360, 0, 0},
      {600, 1000, 0, 2, 1000.0f / 720, 600.0f * 720 / 1000, 720, 0, 0},
      {1024, 1024, 0, 2, 1024.0f / 480, 480, 480, 0, 0},
      {1600, 900, 20, 1, (1600.0f - 40) / 640, 640, 360, 20, 20.0f * 900 / 1600},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.w);
    ViewFit fit = FitVirtualScreen(c.w, c.h, c.overscan, 640, 480);
    EXPECT_EQ(fit.mode, c.mode);
    EXPECT_FLOAT_EQ(fit.scale, c.scale);
    EXPECT_FLOAT_EQ(fit.virtualW, c.virtualW);
    EXPECT_FLOAT_EQ(fit.virtualH, c.virtualH);
    EXPECT_FLOAT_EQ(fit.offX, c.offX);
    EXPECT_FLOAT_EQ(fit.offY, c.offY);
  }
  // A zero-sized device keeps the design size.
  ViewFit fit = FitVirtualScreen(0, 0, 0, 640, 480);
  EXPECT_FLOAT_EQ(fit.virtualW, 640);
  EXPECT_FLOAT_EQ(fit.virtualH, 480);
}

using RenderTest = GameTest;

TEST_F(RenderTest, RenderFitsTheGlobalsAndFillsTheDeviceEvenWithAnEmptyList) {
  Create(1920, 1080);
  app->m_drawCount = 0;
  Render();
  EXPECT_FLOAT_EQ(vex_Tilemarch_jscrh, 360);
  EXPECT_FLOAT_EQ(app->m_viewScaleX, 3);
  EXPECT_EQ(dev->rects, 1);
  EXPECT_FLOAT_EQ(dev->lastRect[2], 1922);
  EXPECT_FLOAT_EQ(dev->lastRect[3], 1082);
}

TEST_F(RenderTest, FullListKeepsItsLastRecordUntilTheNextFrameStart) {
  Create();
  app->p_DoBG(0, 0, 0, 1);
  for (int i = 0; i < 2500; ++i) app->p_Rect(static_cast<float>(i), 0, 1, 1);
  app->p_Oval(1, 2, 3, 4);
  app->p_Text(0, 0, "more");
  EXPECT_EQ(Records(), 2500);
  EXPECT_EQ(Rec(2499, 0), -3717);
  EXPECT_EQ(Rec(2499, 1), 2499);
  app->p_DoBG(-123, -123, -123, -123);
  app->p_Oval(1, 2, 3, 4);
  EXPECT_EQ(Records(), 1);
}

TEST_F(RenderTest, RecordsCarryTheDrawStateAndReplayWithNormalBlending) {
  Create();
  app->p_DoBG(0, 0, 0, 1);
  app->p_SetCol(10, 20, 30, 0.5f);
  app->p_SetRot(90);
  app->p_SetSize(2, 3);
  app->p_DrawImg(7, 100, 50, 3);
  app->p_Line(1, 2, 3, 4);
  const float image[] = {7, 100, 50, -90, 2, 3, 3, 0.5f, 0, 0, 10, 20, 30, 1};
  for (int f = 0; f < 14; ++f) EXPECT_EQ(Rec(0, f), image[f]) << f;
  EXPECT_EQ(Rec(1, 0), -3715);
  EXPECT_EQ(Rec(1, 4), 3);
  app->p_DrawTile(17, 0, 0);
  EXPECT_EQ(Rec(2, 0), 12); // picture 17: the second sheet, frame 0
  EXPECT_EQ(Rec(2, 6), 0);
  Render();
  EXPECT_EQ(dev->blend, 0) << "records replay with normal alpha blending; the device's 1 would add colours";
}

TEST_F(RenderTest, SettersKeepStoredValuesAndInkIsGreyOutsideThePalette) {
  Create();
  app->p_SetSize(2.5f);
  EXPECT_EQ(app->m_scaleY, 2.5f);
  app->p_Alpha(0.3f);
  for (int n : {0, 10, -4}) {
    app->p_Ink(n, 1);
    EXPECT_FLOAT_EQ(app->m_red, 76.5f) << n;
    EXPECT_FLOAT_EQ(app->m_blue, 76.5f) << n;
  }
  app->p_Ink(2, 2); // orange at double brightness saturates
  EXPECT_FLOAT_EQ(app->m_red, 255);
  EXPECT_FLOAT_EQ(app->m_blue, 51);
  EXPECT_FLOAT_EQ(app->m_alpha, 0.3f);
  app->p_ResetDraw();
  EXPECT_EQ(app->m_scaleX, 1);
  EXPECT_EQ(app->m_alpha, 1);
}

TEST_F(RenderTest, ReplayScalesRecordsAndSkipsEmptySlots) {
  Create(1280, 960);
  FinishLoading();
  app->p_DoBG(0, 0, 0, 1);
  app->p_Rect(10, 20, 30, 40);
  app->m_images[5] = nullptr;
  app->p_DrawImg(5, 0, 0, 0);
  app->p_DrawImg(97, 0, 0, 0);
  app->p_DrawImg(2, 0, 0, 0); // never loaded
  dev->rects = dev->imageDraws = 0;
  Render();
  EXPECT_EQ(dev->rects, 2); // the fill and the record
  EXPECT_FLOAT_EQ(dev->lastRect[0], 20);
  EXPECT_FLOAT_EQ(dev->lastRect[3], 80);
  EXPECT_EQ(dev->imageDraws, 1);
}

} // namespace
