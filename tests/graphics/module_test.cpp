// The drawing interface over a recording device: frame reset, the lazy
// matrix, the matrix stack, and which device operation draws an image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/graphics.h"

namespace {

// Records what reaches the device instead of drawing; no OpenGL.
class RecordingDevice : public gxtkGraphics {
public:
  RecordingDevice() {
    width = 640;
    height = 480;
  }
  void SetBlend(int blend) override { log.push_back("SetBlend " + std::to_string(blend)); }
  void SetScissor(int x, int y, int w, int h) override {
    log.push_back("SetScissor " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
                  std::to_string(h));
  }
  void SetMatrix(float a, float b, float c, float d, float e, float f) override {
    gxtkGraphics::SetMatrix(a, b, c, d, e, f);
    ++matrixCalls;
  }
  void DrawRect(float, float, float, float) override { log.push_back("DrawRect"); }
  void DrawSurface(const std::shared_ptr<gxtkSurface> &, float x, float y) override {
    log.push_back("DrawSurface " + std::to_string(int(x)) + " " + std::to_string(int(y)));
  }
  void DrawSurface2(const std::shared_ptr<gxtkSurface> &, float x, float y, int srcx, int srcy, int srcw,
                    int srch) override {
    log.push_back("DrawSurface2 " + std::to_string(int(x)) + " " + std::to_string(int(y)) + " " + std::to_string(srcx) +
                  " " + std::to_string(srcy) + " " + std::to_string(srcw) + " " + std::to_string(srch));
  }
  std::vector<std::string> log;
  int matrixCalls = 0;
};

class Module : public testing::Test {
protected:
  void SetUp() override {
    vex_graphics_SetGraphicsDevice(&device);
    vex_graphics_BeginRender();
    device.log.clear();
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

  vex_graphics_EndRender();
  device.log.clear();
  vex_graphics_BeginRender();
  const c_GraphicsContext &c = *vex_graphics_context;
  EXPECT_EQ(c.m_matrixSp, 0);
  EXPECT_FALSE(c.m_tformed);
  EXPECT_FLOAT_EQ(c.m_tx, 0);
  EXPECT_EQ(device.PackedColor(), 0xffffffffu);
  EXPECT_EQ(device.log, (std::vector<std::string>{"SetBlend 0", "SetScissor 0 0 640 480"}));
}

TEST_F(Module, MatrixReachesTheDeviceOncePerChange) {
  vex_graphics_Translate(100, 50);
  vex_graphics_Scale(2, 3);
  vex_graphics_Rotate(30);
  vex_graphics_Rotate(-30);
  EXPECT_EQ(device.matrixCalls, 0);
  vex_graphics_DrawRect(1, 2, 3, 4);
  vex_graphics_DrawRect(1, 2, 3, 4);
  EXPECT_EQ(device.matrixCalls, 1);
  // Scaled first, then moved.
  EXPECT_NEAR(device.ix, 2, 1e-5);
  EXPECT_NEAR(device.jy, 3, 1e-5);
  EXPECT_NEAR(device.tx, 100, 1e-5);
  EXPECT_NEAR(device.iy, 0, 1e-5);
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
}

TEST_F(Module, ImagesChooseWholeSurfaceOrSourceRectangle) {
  vex_graphics_DrawImage(Image(32, 16, 1, 0), 10, 20);
  vex_graphics_DrawImage(Image(32, 16, 1, c_Image::XPadding | c_Image::MidHandle), 10, 20);
  vex_graphics_DrawImage(Image(96, 16, 4, c_Image::XPadding), 0, 0, 2);
  EXPECT_EQ(device.log, (std::vector<std::string>{"DrawSurface 10 20", "DrawSurface2 -5 12 1 0 30 16",
                                                  "DrawSurface2 0 0 49 0 22 16"}));
}

TEST_F(Module, NothingDrawnForBadFramesOrOutsideAFrame) {
  auto image = Image(40, 20, 2, 0);
  vex_graphics_DrawImage(image, 0, 0, 2);
  vex_graphics_DrawImage(image, 0, 0, -1);
  vex_graphics_DrawImage2(image, 0, 0, 0, 1, 1, 7);
  vex_graphics_DrawImage(static_cast<c_Image *>(nullptr), 0, 0);
  vex_graphics_EndRender();
  vex_graphics_DrawImage(image, 0, 0);
  vex_graphics_DrawRect(0, 0, 1, 1);
  EXPECT_TRUE(device.log.empty());
}

TEST_F(Module, MissingDefaultFontStaysNull) {
  // No "lumen_font.png" beside the test executable.
  auto font = Image(96, 8, 4, 0);
  vex_graphics_SetFont(font, 48);
  EXPECT_EQ(vex_graphics_GetFont(), font);
  vex_graphics_SetFont(nullptr);
  EXPECT_EQ(vex_graphics_GetFont(), nullptr);
  EXPECT_EQ(vex_graphics_context->m_firstChar, 32);
  EXPECT_EQ(vex_graphics_LoadImage("no-such-picture.png"), nullptr);
}

} // namespace
