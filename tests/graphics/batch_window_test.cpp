// How draws are grouped into OpenGL draw calls, read from the device's
// per-frame record.
#include "window_support.h"

namespace {

using Batching = WindowTest;

std::shared_ptr<c_Image> WhiteImage(int width, int height, int frames = 1) {
  auto image = vex_graphics_CreateImage(width, height, frames);
  Array<int> white(width * height * frames);
  for (int &p : white) p = -1;
  vex_graphics_device->WritePixels2(image->m_surface, white, 0, 0, width * frames, height, 0, width * frames);
  return image;
}

TEST_F(Batching, ManyRectanglesFillWholeBatches) {
  Frame([] {
    for (int i = 0; i < 300; ++i) vex_graphics_DrawRect(static_cast<float>(i), 0, 1, 1);
  });
  EXPECT_EQ(device->Stats().drawCalls, 2);
  EXPECT_EQ(device->Stats().vertices, 1200);
  EXPECT_EQ(device->Stats().textureBinds, 0);

  Frame([] {
    for (int i = 0; i < 256; ++i) vex_graphics_DrawRect(0, 0, 1, 1);
  });
  EXPECT_EQ(device->Stats().drawCalls, 1);
}

TEST_F(Batching, SwitchingBetweenImageAndShapesSplitsTheBatch) {
  auto image = WhiteImage(8, 8);
  Frame([&] {
    vex_graphics_DrawImage(image, 0, 0);
    vex_graphics_DrawRect(0, 0, 4, 4);
    vex_graphics_DrawImage(image, 10, 0);
  });
  EXPECT_EQ(device->Stats().drawCalls, 3);
  EXPECT_EQ(device->Stats().textureBinds, 2);

  // Lines and rectangles are different primitives; blend and scissor flush too.
  Frame([] {
    vex_graphics_DrawRect(0, 0, 4, 4);
    vex_graphics_DrawLine(0, 0, 4, 4);
    vex_graphics_DrawRect(0, 0, 4, 4);
    vex_graphics_SetBlend(1);
    vex_graphics_DrawRect(0, 0, 4, 4);
    vex_graphics_SetScissor(0, 0, 10, 10);
    vex_graphics_DrawRect(0, 0, 4, 4);
  });
  EXPECT_EQ(device->Stats().drawCalls, 5);
}

TEST_F(Batching, TenThousandQuadsOfOneImage) {
  auto image = WhiteImage(16, 16, 2);
  image->p_SetHandle(8, 8);
  Frame([&] {
    for (int i = 0; i < 10000; ++i) vex_graphics_DrawImage2(image, 320, 240, static_cast<float>(i), 1.5f, 0.5f, i & 1);
  });
  EXPECT_EQ(device->Stats().drawCalls, 40);
  EXPECT_EQ(device->Stats().vertices, 40000);
}

TEST_F(Batching, OvalSegmentCounts) {
  const float sizes[][2] = {{6, 6}, {100, 60}, {5000, 5000}};
  const int expected[] = {12, 80, 1024};
  for (int i = 0; i < 3; ++i) {
    Frame([&] { vex_graphics_DrawOval(0, 0, sizes[i][0], sizes[i][1]); });
    EXPECT_EQ(device->Stats().vertices, expected[i]) << sizes[i][0];
    EXPECT_EQ(device->Stats().drawCalls, 1);
  }
  // Under a scale the segments follow the size on the screen.
  Frame([] {
    vex_graphics_Scale(4, 4);
    vex_graphics_DrawOval(0, 0, 25, 15);
  });
  EXPECT_EQ(device->Stats().vertices, 80);

  // Ovals of one segment count share a batch, one fan each.
  Frame([] {
    for (int i = 0; i < 5; ++i) vex_graphics_DrawOval(0, 0, 100, 60);
  });
  EXPECT_EQ(device->Stats().vertices, 400);
  EXPECT_EQ(device->Stats().drawCalls, 5);
}

TEST_F(Batching, PolygonsOutsideTheLimitsDrawNothing) {
  Frame([] {
    vex_graphics_DrawPoly(Array<float>(1));
    vex_graphics_DrawPoly(Array<float>(2050));
    vex_graphics_DrawPoly(Array<float>());
  });
  EXPECT_EQ(device->Stats().vertices, 0);
  EXPECT_EQ(device->Stats().drawCalls, 0);

  // 2048 floats is the largest polygon; four points join the rectangles' batch.
  Frame([] {
    vex_graphics_DrawPoly(Array<float>(2048));
    vex_graphics_DrawRect(0, 0, 1, 1);
    vex_graphics_DrawPoly(Array<float>{0, 0, 1, 0, 1, 1, 0, 1});
    vex_graphics_DrawPoly(Array<float>{0, 0, 1, 0, 1, 1});
  });
  EXPECT_EQ(device->Stats().vertices, 1024 + 8 + 3);
  EXPECT_EQ(device->Stats().drawCalls, 3);
}

} // namespace
