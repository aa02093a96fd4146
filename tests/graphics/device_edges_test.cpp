// The device's colour packing and its window-to-framebuffer rectangles, as
// plain functions: no value spills into a neighbouring byte, and a dense
// screen's scissor and read-back cover the same part of the window.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/graphics_device.h"

TEST(PackColor, ClampsEveryValueToItsOwnByte) {
  struct Case {
    float r, g, b, alpha;
    uint32_t packed;
  } cases[] = {
      {255, 128, 0, 1, 0xFF0080FFu}, {255, 255, 255, -0.01f, 0},  {255, 255, 255, 1.5f, 0xFFFFFFFFu},
      {300, 0, 0, 1, 0xFF0000FFu},   {0, 0, -20, 1, 0xFF000000u}, {200, 100, 50, 0.5f, 0x7F193264u},
      {NAN, 10, 10, 1, 0xFF0A0A00u}, {10, 10, 10, NAN, 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(PackColor(c.r, c.g, c.b, c.alpha), c.packed) << c.r << " " << c.g << " " << c.b << " " << c.alpha;
}

TEST(FramebufferRect, APresentedAreaIsCutToTheFramebuffer) {
  // An area bounded at 1240 x 700, presented after the window shrank to 660 x 500.
  const gxtkPixelRect r = InsideFramebuffer(FramebufferRect(600, 10, 300, 600, 660, 500, 660, 500), 660, 500);
  EXPECT_EQ(r.x, 600);
  EXPECT_EQ(r.y, 0);
  EXPECT_EQ(r.width, 60);
  EXPECT_EQ(r.height, 490);
  EXPECT_EQ(InsideFramebuffer({700, 10, 20, 20}, 660, 500).width, 0) << "wholly outside";
}

TEST(FramebufferRect, CoversTheSameWindowPartOnADenseScreen) {
  struct Case {
    int x, y, w, h, windowW, windowH, fbW, fbH;
    gxtkPixelRect pixels;
  } cases[] = {
      {10, 20, 30, 40, 640, 480, 640, 480, {10, 420, 30, 40}},
      {10, 20, 30, 40, 640, 480, 1280, 960, {20, 840, 60, 80}},
      {0, 0, 640, 480, 640, 480, 960, 720, {0, 0, 960, 720}},
      {5, 5, -3, -4, 100, 100, 200, 200, {10, 190, 0, 0}},
      {1, 1, 2, 2, 0, 0, 0, 0, {1, -3, 2, 2}},
  };
  for (const Case &c : cases) {
    gxtkPixelRect r = FramebufferRect(c.x, c.y, c.w, c.h, c.windowW, c.windowH, c.fbW, c.fbH);
    EXPECT_EQ(r.x, c.pixels.x) << c.fbW;
    EXPECT_EQ(r.y, c.pixels.y) << c.fbW;
    EXPECT_EQ(r.width, c.pixels.width) << c.fbW;
    EXPECT_EQ(r.height, c.pixels.height) << c.fbW;
  }
  // Areas side by side, as a frame drawn in parts lays them, at a scale of 1.3.
  for (int x = 0; x < 40; ++x) {
    const gxtkPixelRect a = FramebufferRect(x, x, 1, 1, 640, 480, 832, 624);
    const gxtkPixelRect b = FramebufferRect(x + 1, x + 1, 1, 1, 640, 480, 832, 624);
    EXPECT_EQ(a.x + a.width, b.x) << "a pixel column between areas at " << x;
    EXPECT_EQ(b.y + b.height, a.y) << "a pixel row between areas at " << x;
  }
}
