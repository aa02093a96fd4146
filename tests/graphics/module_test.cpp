// The drawing interface over a recording device: frame reset, the lazy
// matrix, the matrix stack, and which device operation draws an image where.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graphics/graphics.h"
#include "graphics_test_support.h"

namespace {

// Records what reaches the device instead of drawing; no OpenGL.
class RecordingDevice : public gxtkGraphics {
public:
  RecordingDevice() {
    width = 640;
    height = 480;
  }
  int BeginRender() override { return 1; }
  void EndRender() override {}
  void Cls(float, float, float) override { log.push_back("Cls"); }
  void SetBlend(int blend) override { log.push_back("SetBlend " + std::to_string(blend)); }
  void SetScissor(int x, int y, int w, int h) override {
    log.push_back("SetScissor " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
                  std::to_string(h));
  }
  void SetMatrix(float a, float b, float c, float d, float e, float f) override {
    gxtkGraphics::SetMatrix(a, b, c, d, e, f);
    ++matrixCalls;
  }
  void DrawRect(float x, float y, float w, float h) override { shapes.push_back({x, y, w, h}); }
  void DrawOval(float x, float y, float w, float h) override { shapes.push_back({x, y, w, h}); }
  void DrawSurface(const std::shared_ptr<gxtkSurface> &, float x, float y) override {
    log.push_back("DrawSurface");
    // Where the frame's top-left corner lands on the screen.
    corner = {x * ix + y * jx + tx, x * iy + y * jy + ty};
  }
  void DrawSurface2(const std::shared_ptr<gxtkSurface> &, float x, float y, int srcx, int srcy, int srcw,
                    int srch) override {
    log.push_back("DrawSurface2 " + std::to_string(srcx) + " " + std::to_string(srcy) + " " + std::to_string(srcw) +
                  " " + std::to_string(srch));
    corner = {x * ix + y * jx + tx, x * iy + y * jy + ty};
  }

  std::vector<std::string> log;
  std::vector<std::vector<float>> shapes;
  std::vector<float> corner;
  int matrixCalls = 0;
};

class Module : public testing::Test {
protected:
  void SetUp() override {
    vex_graphics_SetGraphicsDevice(&device);
    vex_graphics_BeginRender();
    device.log.clear();
    device.matrixCalls = 0;
  }
  void TearDown() override {
    vex_graphics_EndRender();
    vex_graphics_SetGraphicsDevice(nullptr);
  }

  static std::shared_ptr<c_Image> Image(int width, int height, int frames, int flags) {
    auto s = std::make_shared<gxtkSurface>();
    s->width = width;
    s->height = height;
    auto image = std::make_shared<c_Image>();
    image->p_Init(s, frames, flags);
    return image;
  }

  RecordingDevice device;
};

TEST_F(Module, BeginRenderResetsContextAndDevice) {
  vex_graphics_SetColor(10, 20, 30);
  vex_graphics_SetAlpha(0.25f);
  vex_graphics_Translate(5, 5);
  vex_graphics_PushMatrix();
  vex_graphics_SetScissor(1.9f, 2.5f, 30.99f, -4.5f);
  EXPECT_EQ(device.log.back(), "SetScissor 1 2 30 -4");
  EXPECT_FLOAT_EQ(vex_graphics_context->m_scissor_x, 1.9f);

  vex_graphics_EndRender();
  device.log.clear();
  vex_graphics_BeginRender();
  const c_GraphicsContext &c = *vex_graphics_context;
  EXPECT_EQ(c.m_matrixSp, 0);
  EXPECT_FALSE(c.m_tformed);
  EXPECT_FLOAT_EQ(c.m_tx, 0);
  EXPECT_FLOAT_EQ(c.m_alpha, 1);
  EXPECT_FLOAT_EQ(c.m_color_g, 255);
  EXPECT_EQ(device.PackedColor(), 0xffffffffu);
  EXPECT_EQ(device.log, (std::vector<std::string>{"SetBlend 0", "SetScissor 0 0 640 480"}));
}

TEST_F(Module, MatrixReachesTheDeviceOncePerDraw) {
  vex_graphics_Translate(100, 50);
  vex_graphics_Scale(2, 3);
  vex_graphics_Rotate(30);
  vex_graphics_Rotate(-30);
  EXPECT_EQ(device.matrixCalls, 0);
  vex_graphics_DrawRect(1, 2, 3, 4);
  vex_graphics_DrawRect(1, 2, 3, 4);
  EXPECT_EQ(device.matrixCalls, 1);
  EXPECT_NEAR(device.ix, 2, 1e-5);
  EXPECT_NEAR(device.jy, 3, 1e-5);
  EXPECT_NEAR(device.tx, 100, 1e-5);
  EXPECT_NEAR(device.ty, 50, 1e-5);
  EXPECT_NEAR(device.iy, 0, 1e-5);
}

TEST_F(Module, TransformAppliesTheGivenMatrixFirst) {
  vex_graphics_Translate(10, 0);
  vex_graphics_Scale(2, 2);
  // A point at (1, 1) is scaled first, then moved: (12, 2).
  const c_GraphicsContext &c = *vex_graphics_context;
  EXPECT_FLOAT_EQ(1 * c.m_ix + 1 * c.m_jx + c.m_tx, 12);
  EXPECT_FLOAT_EQ(1 * c.m_iy + 1 * c.m_jy + c.m_ty, 2);

  vex_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  vex_graphics_Rotate(90);
  // The x axis turns to point up the screen.
  EXPECT_NEAR(c.m_ix, 0, 1e-6);
  EXPECT_NEAR(c.m_iy, -1, 1e-6);
  EXPECT_TRUE(c.m_tformed);
  vex_graphics_SetMatrix(Array<float>{1, 0, 0, 1, 0, 0});
  EXPECT_FALSE(c.m_tformed);
}

TEST_F(Module, MatrixStackGrowsAndUnwinds) {
  for (int i = 0; i < 33; ++i) {
    vex_graphics_Translate(1, 0);
    vex_graphics_PushMatrix();
  }
  EXPECT_EQ(vex_graphics_context->m_matrixStack.Length(), 384);
  for (int i = 33; i > 0; --i) {
    vex_graphics_PopMatrix();
    EXPECT_FLOAT_EQ(vex_graphics_context->m_tx, static_cast<float>(i));
  }
  // One pop too many keeps the matrix rather than reading before the stack.
  vex_graphics_PopMatrix();
  EXPECT_FLOAT_EQ(vex_graphics_context->m_tx, 1);
  EXPECT_EQ(vex_graphics_context->m_matrixSp, 0);
}

TEST_F(Module, ImagesChooseWholeSurfaceOrSourceRectangle) {
  auto whole = Image(32, 16, 1, 0);
  vex_graphics_DrawImage(whole, 10, 20);
  EXPECT_EQ(device.log.back(), "DrawSurface");
  EXPECT_EQ(device.corner, (std::vector<float>{10, 20}));

  auto padded = Image(32, 16, 1, c_Image::XPadding | c_Image::MidHandle);
  vex_graphics_DrawImage(padded, 10, 20);
  EXPECT_EQ(device.log.back(), "DrawSurface2 1 0 30 16");
  EXPECT_EQ(device.corner, (std::vector<float>{-5, 12}));

  auto strip = Image(96, 16, 4, c_Image::XPadding);
  vex_graphics_DrawImage(strip, 0, 0, 2);
  EXPECT_EQ(device.log.back(), "DrawSurface2 49 0 22 16");
}

TEST_F(Module, DrawImage2TurnsAndScalesAboutTheHandle) {
  auto image = Image(40, 20, 2, c_Image::MidHandle);
  vex_graphics_Translate(3, 4);
  vex_graphics_DrawImage2(image, 100, 50, 90, 2, 3, 1);
  EXPECT_EQ(device.log.back(), "DrawSurface2 20 0 20 20");
  // Handle (10, 10) at (103, 54); the frame's top-left corner is 10 x 2 to the
  // left and 10 x 3 above it before the quarter turn, so below and to the left after.
  ASSERT_EQ(device.corner.size(), 2u);
  EXPECT_NEAR(device.corner[0], 103 - 30, 1e-3);
  EXPECT_NEAR(device.corner[1], 54 + 20, 1e-3);
  // The caller's matrix is back.
  EXPECT_FLOAT_EQ(vex_graphics_context->m_tx, 3);
  EXPECT_FLOAT_EQ(vex_graphics_context->m_ix, 1);
  EXPECT_EQ(vex_graphics_context->m_matrixSp, 0);
}

TEST_F(Module, NothingDrawnForMissingImagesFramesOrFrame) {
  auto image = Image(40, 20, 2, 0);
  vex_graphics_DrawImage(image, 0, 0, 2);
  vex_graphics_DrawImage(image, 0, 0, -1);
  vex_graphics_DrawImage2(image, 0, 0, 0, 1, 1, 7);
  vex_graphics_DrawImage(static_cast<c_Image *>(nullptr), 0, 0);
  EXPECT_TRUE(device.log.empty());

  vex_graphics_EndRender();
  vex_graphics_DrawImage(image, 0, 0);
  vex_graphics_DrawRect(0, 0, 1, 1);
  vex_graphics_SetColor(1, 2, 3);
  EXPECT_TRUE(device.log.empty());
  EXPECT_TRUE(device.shapes.empty());
  EXPECT_FLOAT_EQ(vex_graphics_context->m_color_b, 3);
}

TEST_F(Module, EllipseIsGivenByItsCentre) {
  vex_graphics_DrawEllipse(50, 40, 10, 5);
  vex_graphics_DrawCircle(0, 0, 3);
  EXPECT_EQ(device.shapes, (std::vector<std::vector<float>>{{40, 35, 20, 10}, {-3, -3, 6, 6}}));
}

TEST_F(Module, LoadedImagesAndTheMissingDefaultFont) {
  ScratchDir dir;
  std::vector<unsigned char> px(64 * 32 * 4, 255);
  WritePng(dir.Path("sheet.png"), 64, 32, 4, px);
  auto grid = vex_graphics_LoadImage2(String::FromUtf8(dir.Path("sheet.png")), 16, 16, 8, c_Image::MidHandle);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->m_frames[7].m_x, 48);
  EXPECT_EQ(grid->m_frames[7].m_y, 16);
  EXPECT_FLOAT_EQ(grid->m_tx, 8);

  auto row = vex_graphics_LoadImage(String::FromUtf8(dir.Path("sheet.png")), 2);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->m_width, 32);

  EXPECT_EQ(vex_graphics_LoadImage(String::FromUtf8(dir.Path("none.png"))), nullptr);
  EXPECT_EQ(vex_graphics_LoadImage2(String::FromUtf8(dir.Path("none.png")), 16, 16), nullptr);

  // No "lumen_font.png" beside this test: the default font stays null.
  vex_graphics_SetFont(row, 48);
  EXPECT_EQ(vex_graphics_GetFont(), row);
  vex_graphics_SetFont(nullptr);
  EXPECT_EQ(vex_graphics_GetFont(), nullptr);
  EXPECT_EQ(vex_graphics_context->m_firstChar, 32);
}

} // namespace
