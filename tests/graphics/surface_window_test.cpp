// Textures in a real context: the power-of-two fallback, written pixels, and
// surfaces that survive the window being re-opened.
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "graphics_test_support.h"
#include "window_support.h"

namespace {

using Surfaces = WindowTest;

// 100 x 60: left half red, right half green.
std::string WriteWide(const TempDir &dir) {
  std::vector<unsigned char> px;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x)
      px.insert(px.end(),
                {static_cast<unsigned char>(x < 50 ? 255 : 0), static_cast<unsigned char>(x < 50 ? 0 : 255), 0, 255});
  WritePng(dir / "wide.png", 100, 60, 4, px);
  return dir / "wide.png";
}

class PowerOfTwo : public Surfaces {
protected:
  void TearDown() override {
    gxtkSurface::SetForcePowerOfTwo(false);
    Surfaces::TearDown();
  }
};

TEST_F(PowerOfTwo, RefusedSizesGetARoundedTextureAndScaledCoordinates) {
  TempDir dir;
  gxtkSurface::SetForcePowerOfTwo(true);
  auto image = vex_graphics_LoadImage(String::FromUtf8(WriteWide(dir)));
  ASSERT_NE(image, nullptr);
  const gxtkSurface &s = *image->m_surface;
  EXPECT_EQ(s.TextureWidth(), 128);
  EXPECT_EQ(s.TextureHeight(), 64);
  EXPECT_FLOAT_EQ(s.uscale, 1.0f / 128);
  EXPECT_FLOAT_EQ(s.vscale, 1.0f / 64);

  ASSERT_EQ(device->BeginRender(), 1);
  vex_graphics_BeginRender();
  vex_graphics_Cls(0, 0, 0);
  vex_graphics_DrawImage(image, 300, 200);
  ASSERT_EQ(device->primCount, 4);
  EXPECT_FLOAT_EQ(device->vertices[2].u, 100.0f / 128);
  EXPECT_FLOAT_EQ(device->vertices[2].v, 60.0f / 64);
  vex_graphics_EndRender();
  device->EndRender();

  EXPECT_EQ(Rgb(300, 200), 0xff0000);
  EXPECT_EQ(Rgb(349, 259), 0xff0000);
  EXPECT_EQ(Rgb(350, 200), 0x00ff00);
  EXPECT_EQ(Rgb(399, 259), 0x00ff00);
  EXPECT_EQ(Rgb(400, 230), 0);
  EXPECT_EQ(Rgb(350, 260), 0);
}

TEST_F(Surfaces, WrittenPixelsArePremultipliedAndDrawn) {
  auto image = vex_graphics_CreateImage(4, 2, 2);
  ASSERT_NE(image, nullptr);
  Array<int> pixels{static_cast<int>(0x80FF0000u), static_cast<int>(0x80C00000u), 0, 0,
                    static_cast<int>(0xFF00FF00u), static_cast<int>(0xFF00FF00u), 0, 0};
  vex_graphics_WritePixels(image.get(), pixels, 0, 0, 2, 2, 0, 4, 1);
  const unsigned char *data = image->m_surface->data.get();
  ASSERT_NE(data, nullptr);
  // Frame 1 starts at x = 4 of the 8-pixel-wide surface.
  EXPECT_EQ(data[16], 128);
  EXPECT_EQ(data[19], 128);
  EXPECT_EQ(data[20], 96);
  EXPECT_EQ(data[21], 0);
  EXPECT_EQ(data[23], 128);

  Frame([&] {
    vex_graphics_Cls(0, 0, 0);
    vex_graphics_DrawImage(image, 10, 10, 1);
  });
  EXPECT_TRUE(RgbNear(Rgb(10, 10), 0x800000));
  EXPECT_TRUE(RgbNear(Rgb(11, 10), 0x600000));
  EXPECT_EQ(Rgb(10, 11), 0x00ff00);
  EXPECT_EQ(Rgb(12, 10), 0);

  // Writes that would run past the frame or the source array are refused.
  vex_graphics_WritePixels(image.get(), pixels, 3, 0, 2, 2, 0, 4, 1);
  vex_graphics_WritePixels(image.get(), pixels, 0, 0, 2, 3, 0, 4, 1);
  device->WritePixels2(image->m_surface, pixels, 0, 0, 4, 2, 2, 4);
  EXPECT_EQ(data[0], 0);
  EXPECT_EQ(data[28], 0);
}

TEST_F(Surfaces, TexturesAreRemadeAfterTheWindowIsReopened) {
  TempDir dir;
  auto loaded = vex_graphics_LoadImage(String::FromUtf8(WriteWide(dir)));
  auto written = vex_graphics_CreateImage(2, 1);
  ASSERT_NE(loaded, nullptr);
  ASSERT_NE(written, nullptr);
  vex_graphics_WritePixels(written.get(), Array<int>{static_cast<int>(0xFF0000FFu), static_cast<int>(0xFFFFFF00u)}, 0,
                           0, 2, 1);
  auto draw = [&] {
    vex_graphics_Cls(0, 0, 0);
    vex_graphics_DrawImage(loaded, 20, 20);
    vex_graphics_DrawImage2(written, 200, 20, 0, 4, 4);
  };
  Frame(draw);
  std::vector<int> before = Block(0, 0, 240, 90);
  EXPECT_EQ(Rgb(20, 20), 0xff0000);
  EXPECT_EQ(Rgb(204, 20), 0xffff00);

  for (bool fullscreen : {true, false}) {
    SCOPED_TRACE(fullscreen ? "full screen" : "window again");
    int seq = glfwGraphicsSeq;
    host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, fullscreen);
    ASSERT_NE(host->Window(), nullptr);
    EXPECT_EQ(glfwGraphicsSeq, seq + 1);
    Frame(draw);
    EXPECT_EQ(loaded->m_surface->seq, glfwGraphicsSeq);
    EXPECT_EQ(written->m_surface->seq, glfwGraphicsSeq);
    // A new full-screen window may first be drawn at its requested size and
    // only then take the screen's; let its size settle before comparing.
    for (int settle = 0; settle < 50 && Block(0, 0, 240, 90) != before; ++settle) {
      glfwPollEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      Frame(draw);
    }
    std::vector<int> after = Block(0, 0, 240, 90);
    // Under Xvfb with openbox a new full-screen window sometimes shows no
    // pixels at all (nothing drawn reaches it, not even the images' red); the
    // window leg that follows re-opens the context again and is compared.
    if (fullscreen && std::all_of(after.begin(), after.end(), [](int v) { return v == 0; })) {
      std::printf("the window system shows nothing of the new full-screen window: not compared\n");
      continue;
    }
    EXPECT_EQ(after, before);
  }
}

} // namespace
