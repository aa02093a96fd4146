// The display list, the drawing vocabulary, the fit of the virtual screen and
// the replay.
#include "game/render.h"
#include "game_fixture.h"

namespace {

TEST(FitTest, WideDeviceLetsTheWidthGovern) {
  ViewFit fit = FitVirtualScreen(1920, 1080, 0, 640, 480);
  EXPECT_EQ(fit.mode, 1);
  EXPECT_FLOAT_EQ(fit.scale, 3);
  EXPECT_FLOAT_EQ(fit.virtualW, 640);
  EXPECT_FLOAT_EQ(fit.virtualH, 360);
  EXPECT_FLOAT_EQ(fit.offX, 0);
  EXPECT_FLOAT_EQ(fit.offY, 0);
}

TEST(FitTest, PortraitDeviceLetsTheHeightGovernAtOneAndAHalf) {
  ViewFit fit = FitVirtualScreen(600, 1000, 0, 640, 480);
  EXPECT_EQ(fit.mode, 2);
  EXPECT_FLOAT_EQ(fit.virtualH, 720);
  EXPECT_FLOAT_EQ(fit.virtualW, 600.0f * 720 / 1000);
  EXPECT_FLOAT_EQ(fit.scale, 1000.0f / 720);
}

TEST(FitTest, SquareDeviceGivesModeTwoAndA480Square) {
  ViewFit fit = FitVirtualScreen(1024, 1024, 0, 640, 480);
  EXPECT_EQ(fit.mode, 2);
  EXPECT_FLOAT_EQ(fit.virtualW, 480);
  EXPECT_FLOAT_EQ(fit.virtualH, 480);
}

TEST(FitTest, OverscanShrinksTheScaleAndOffsetsBothAxes) {
  ViewFit fit = FitVirtualScreen(1600, 900, 20, 640, 480);
  EXPECT_EQ(fit.mode, 1);
  EXPECT_FLOAT_EQ(fit.scale, (1600.0f - 40) / 640);
  EXPECT_FLOAT_EQ(fit.virtualW, 640);
  EXPECT_FLOAT_EQ(fit.offX, 20);
  EXPECT_FLOAT_EQ(fit.offY, 20.0f * 900 / 1600);
}

TEST(FitTest, ZeroSizedDeviceKeepsTheDesignSize) {
  ViewFit fit = FitVirtualScreen(0, 0, 0, 640, 480);
  EXPECT_FLOAT_EQ(fit.virtualW, 640);
  EXPECT_FLOAT_EQ(fit.virtualH, 480);
}

using RenderTest = GameTest;

TEST_F(RenderTest, RenderFitsTheGlobalsAndFillsTheDeviceEvenWithAnEmptyList) {
  Create(1920, 1080);
  app->m_drawCount = 0;
  Render();
  EXPECT_FLOAT_EQ(vex_Tilemarch_jscrw, 640);
  EXPECT_FLOAT_EQ(vex_Tilemarch_jscrh, 360);
  EXPECT_EQ(app->m_landscape, 1);
  EXPECT_FLOAT_EQ(app->m_viewScaleX, 3);
  EXPECT_EQ(dev->rects, 1);
  EXPECT_FLOAT_EQ(dev->lastRect[2], 1922);
  EXPECT_FLOAT_EQ(dev->lastRect[3], 1082);
}

TEST_F(RenderTest, FullListDropsRecordsUntilTheNextFrameStart) {
  Create();
  app->p_DoBG(0, 0, 0, 1);
  for (int i = 0; i < 2500; ++i) app->p_Rect(static_cast<float>(i), 0, 1, 1);
  EXPECT_EQ(Records(), 2500);
  EXPECT_EQ(Rec(2499, 1), 2499);
  app->p_Oval(1, 2, 3, 4);
  app->p_Text(0, 0, "more");
  EXPECT_EQ(Records(), 2500);
  EXPECT_EQ(Rec(2499, 0), -3717);
  app->p_DoBG(-123, -123, -123, -123);
  EXPECT_EQ(Records(), 0);
  app->p_Oval(1, 2, 3, 4);
  EXPECT_EQ(Records(), 1);
  EXPECT_EQ(Rec(0, 0), -3716);
}

TEST_F(RenderTest, RecordsCarryTheDrawState) {
  Create();
  app->p_DoBG(0, 0, 0, 1);
  app->p_SetCol(10, 20, 30, 0.5f);
  app->p_SetRot(90);
  app->p_SetSize(2, 3);
  app->p_DrawImg(7, 100, 50, 3);
  app->p_Line(1, 2, 3, 4);
  EXPECT_EQ(Rec(0, 0), 7);
  EXPECT_EQ(Rec(0, 3), -90);
  EXPECT_EQ(Rec(0, 4), 2);
  EXPECT_EQ(Rec(0, 5), 3);
  EXPECT_EQ(Rec(0, 6), 3);
  EXPECT_EQ(Rec(0, 7), 0.5f);
  EXPECT_EQ(Rec(0, 12), 30);
  EXPECT_EQ(Rec(0, 13), 1);
  EXPECT_EQ(Rec(1, 0), -3715);
  EXPECT_EQ(Rec(1, 4), 3);
  EXPECT_EQ(Rec(1, 6), 0);
  app->p_DrawImg(10, 20, 4);
  EXPECT_EQ(Rec(2, 0), 95);
  Render();
  EXPECT_EQ(dev->blend, 0) << "records replay with normal alpha blending; the device's 1 would add colours";
}

TEST_F(RenderTest, PictureTilesMapToTheirSheetAndFrame) {
  Create();
  app->p_DoBG(0, 0, 0, 1);
  app->p_DrawTile(1, 0, 0);
  app->p_DrawTile(17, 0, 0);
  app->p_DrawTile(224, 0, 0);
  EXPECT_EQ(Rec(0, 0), 11);
  EXPECT_EQ(Rec(0, 6), 0);
  EXPECT_EQ(Rec(1, 0), 12);
  EXPECT_EQ(Rec(1, 6), 0);
  EXPECT_EQ(Rec(2, 0), 24);
  EXPECT_EQ(Rec(2, 6), 15);
}

TEST_F(RenderTest, SettersKeepStoredValuesForOmittedArguments) {
  Create();
  app->p_SetSize(2.5f);
  EXPECT_EQ(app->m_scaleX, 2.5f);
  EXPECT_EQ(app->m_scaleY, 2.5f);
  app->p_Alpha(0.25f);
  app->p_SetCol(1, 2, 3);
  EXPECT_EQ(app->m_alpha, 0.25f);
  EXPECT_EQ(app->m_green, 2);
  app->p_ResetDraw();
  EXPECT_EQ(app->m_scaleX, 1);
  EXPECT_EQ(app->m_red, 255);
  EXPECT_EQ(app->m_alpha, 1);
}

TEST_F(RenderTest, InkUsesThePaletteAndGreyOutsideIt) {
  Create();
  app->p_Alpha(0.3f);
  for (int n : {0, 10, -4}) {
    app->p_Ink(n, 1);
    EXPECT_FLOAT_EQ(app->m_red, 76.5f);
    EXPECT_FLOAT_EQ(app->m_green, 76.5f);
    EXPECT_FLOAT_EQ(app->m_blue, 76.5f);
  }
  app->p_Ink(2, 2); // orange at double brightness saturates red
  EXPECT_FLOAT_EQ(app->m_red, 255);
  EXPECT_FLOAT_EQ(app->m_green, 255);
  EXPECT_FLOAT_EQ(app->m_blue, 51);
  EXPECT_FLOAT_EQ(app->m_alpha, 0.3f);
}

TEST_F(RenderTest, BackgroundEasesAnEighthTowardsItsTarget) {
  Create();
  app->p_DoBG(80, 160, 240, 2);
  EXPECT_FLOAT_EQ(app->m_bgRed, 10);
  EXPECT_FLOAT_EQ(app->m_clsBlue, 30);
  EXPECT_FLOAT_EQ(app->m_clsAlpha, 1);
  app->p_DoBG(-123, -123, -123, -123);
  EXPECT_FLOAT_EQ(app->m_bgRed, 10 + 70 * 0.125f);
  EXPECT_FLOAT_EQ(app->m_clsAlpha, 1);
  app->p_DoBG(-123, -123, -123, -0.5f);
  EXPECT_FLOAT_EQ(app->m_clsAlpha, 0);
  EXPECT_FLOAT_EQ(app->m_viewW, vex_Tilemarch_jscrw);
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

TEST_F(RenderTest, ResizeStartsTheLoaderOncePerChange) {
  Create();
  FinishLoading();
  EXPECT_EQ(app->m_loadStep, 0);
  Resize(800, 600);
  Render();
  EXPECT_EQ(app->m_loadStep, 1);
  Update();
  Render();
  EXPECT_EQ(app->m_loadStep, 2);
}

TEST_F(RenderTest, FrameRateIsSmoothed) {
  Create();
  host->millis = 1000;
  Render();
  host->millis = 1020;
  Render();
  EXPECT_EQ(app->m_renderFps, 50);
  EXPECT_EQ(app->m_renderFpsAvg, 5);
  Render(); // no time passed: the last rate stands
  EXPECT_EQ(app->m_renderFps, 50);
  EXPECT_EQ(app->m_renderFpsAvg, 9);
}

} // namespace
