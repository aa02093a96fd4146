// What reaches the window: blending in premultiplied alpha, scissor, ovals and
// turned, scaled image frames, read back pixel by pixel.
#include <cmath>

#include "graphics_test_support.h"
#include "window_support.h"

namespace {

using DrawPixels = WindowTest;

TEST_F(DrawPixels, NormalBlendMixesPremultipliedColour) {
  Frame([] {
    vex_graphics_Cls(0, 0, 255);
    vex_graphics_SetColor(255, 0, 0);
    vex_graphics_SetAlpha(0.5f);
    vex_graphics_DrawRect(10, 10, 20, 20);
    vex_graphics_SetColor(0, 255, 0);
    vex_graphics_SetAlpha(1);
    vex_graphics_DrawRect(40, 10, 20, 20);
    vex_graphics_SetAlpha(0);
    vex_graphics_DrawRect(70, 10, 20, 20);
  });
  // Half-transparent red over blue: 127 red, blue kept at 255 x (1 - 127/255).
  EXPECT_TRUE(RgbNear(Rgb(15, 15), 0x7f0080));
  EXPECT_TRUE(RgbNear(Rgb(10, 10), 0x7f0080));
  EXPECT_TRUE(RgbNear(Rgb(29, 29), 0x7f0080));
  EXPECT_TRUE(RgbNear(Rgb(30, 30), 0x0000ff, 0));
  EXPECT_TRUE(RgbNear(Rgb(9, 15), 0x0000ff, 0));
  EXPECT_TRUE(RgbNear(Rgb(45, 15), 0x00ff00, 0));
  EXPECT_TRUE(RgbNear(Rgb(75, 15), 0x0000ff, 0));
}

TEST_F(DrawPixels, AdditiveBlendAddsPremultipliedColour) {
  Frame([] {
    vex_graphics_Cls(0, 0, 100);
    vex_graphics_SetBlend(1);
    vex_graphics_SetColor(100, 50, 0);
    vex_graphics_SetAlpha(0.5f);
    vex_graphics_DrawRect(0, 0, 10, 10);
    vex_graphics_SetAlpha(1);
    vex_graphics_SetColor(200, 250, 200);
    vex_graphics_DrawRect(20, 0, 10, 10);
    vex_graphics_DrawRect(20, 0, 10, 10);
  });
  EXPECT_TRUE(RgbNear(Rgb(5, 5), 0x321964));
  // Saturates instead of wrapping.
  EXPECT_TRUE(RgbNear(Rgb(25, 5), 0xffffff, 0));
  EXPECT_TRUE(RgbNear(Rgb(15, 5), 0x000064, 0));
}

TEST_F(DrawPixels, ScissorLimitsDrawingAndClearing) {
  Frame([] {
    vex_graphics_Cls(255, 0, 0);
    vex_graphics_SetScissor(100, 50, 40, 30);
    vex_graphics_Cls(0, 255, 0);
    vex_graphics_SetScissor(200, 50, 40, 30);
    vex_graphics_SetColor(0, 0, 255);
    vex_graphics_DrawRect(0, 0, 640, 480);
  });
  const int points[][3] = {{100, 50, 0x00ff00}, {139, 79, 0x00ff00}, {140, 79, 0xff0000}, {100, 80, 0xff0000},
                           {99, 50, 0xff0000},  {100, 49, 0xff0000}, {200, 50, 0x0000ff}, {239, 79, 0x0000ff},
                           {240, 50, 0xff0000}, {200, 80, 0xff0000}};
  for (auto [x, y, rgb] : points) EXPECT_EQ(Rgb(x, y), rgb) << x << "," << y;

  // The next frame starts without a scissor; the whole window clears, and
  // what was drawn before a clear is dropped.
  Frame([] {
    vex_graphics_DrawRect(0, 0, 50, 50);
    vex_graphics_Cls(10, 20, 30);
  });
  EXPECT_EQ(Rgb(0, 0), 0x0a141e);
  EXPECT_EQ(Rgb(639, 479), 0x0a141e);
  EXPECT_EQ(device->Stats().drawCalls, 0);
}

TEST_F(DrawPixels, OvalFillsItsEllipse) {
  Frame([] {
    vex_graphics_Cls(0, 0, 0);
    vex_graphics_DrawOval(100, 100, 100, 60);
  });
  std::vector<int> box = Block(100, 100, 100, 60);
  int covered = 0;
  for (int p : box) covered += p == 0xffffff;
  // The ellipse covers pi x 50 x 30 pixels; the 80-sided polygon a little less.
  EXPECT_NEAR(covered, 3.14159 * 50 * 30, 60);
  const int points[][3] = {{150, 130, 0xffffff}, {101, 130, 0xffffff}, {198, 130, 0xffffff}, {150, 101, 0xffffff},
                           {150, 158, 0xffffff}, {103, 103, 0},        {196, 157, 0},        {99, 130, 0},
                           {200, 130, 0},        {150, 160, 0}};
  for (auto [x, y, rgb] : points) EXPECT_EQ(Rgb(x, y), rgb) << x << "," << y;
}

// Two frames of 8 x 4: frame 0 blue; frame 1 red on its left half, green on its right.
std::string WriteTwoFrames(const TempDir &dir) {
  std::vector<unsigned char> px;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (x < 8)
        px.insert(px.end(), {0, 0, 255, 255});
      else if (x < 12)
        px.insert(px.end(), {255, 0, 0, 255});
      else
        px.insert(px.end(), {0, 255, 0, 255});
    }
  }
  WritePng(dir / "frames.png", 16, 4, 4, px);
  return dir / "frames.png";
}

TEST_F(DrawPixels, FrameTurnsAQuarterCounterClockwiseAboutItsHandle) {
  TempDir dir;
  auto image = vex_graphics_LoadImage(String::FromUtf8(WriteTwoFrames(dir)), 2, c_Image::MidHandle);
  ASSERT_NE(image, nullptr);
  Frame([&] {
    vex_graphics_Cls(0, 0, 0);
    vex_graphics_DrawImage2(image, 200, 100, 90, 2, 2, 1);
  });
  // Scaled to 16 x 8 about the handle (200, 100), then turned: the right
  // (green) half points up, the left (red) half down, 8 pixels wide.
  std::vector<int> area = Block(190, 85, 20, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 20; ++x) {
      int sx = 190 + x, sy = 85 + y;
      int expected = 0;
      if (sx >= 196 && sx < 204 && sy >= 92 && sy < 100) expected = 0x00ff00;
      if (sx >= 196 && sx < 204 && sy >= 100 && sy < 108) expected = 0xff0000;
      EXPECT_EQ(area[static_cast<size_t>(y * 20 + x)], expected) << sx << "," << sy;
    }
  }
}

} // namespace
