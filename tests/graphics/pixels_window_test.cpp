// What reaches a real window, read back pixel by pixel: blending, shapes,
// image frames, written pixels, scissor, textures in a new window, a new frame,
// and pictures drawn from their files.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cstdio>

#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "support/files.h"

namespace {

class Pixels : public testing::Test {
protected:
  static void SetUpTestSuite() {
    if (host || !glfwInit()) return;
    host = std::make_unique<VexGlfwGame>();
    host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    if (!host->Window()) host.reset();
  }
  void SetUp() override {
    if (!host) GTEST_SKIP() << "no X display or OpenGL window (run under tools/with-display.sh)";
    vex_graphics_SetGraphicsDevice(&device);
  }
  void TearDown() override { vex_graphics_SetGraphicsDevice(nullptr); }
  void Frame(const std::function<void()> &draw) {
    ASSERT_EQ(device.BeginRender(), 1);
    vex_graphics_BeginRender();
    draw();
    vex_graphics_EndRender();
    device.EndRender();
  }
  std::vector<int> Block(int x, int y, int width, int height) {
    Array<int> pixels(width * height);
    device.ReadPixels(pixels, x, y, width, height, 0, width);
    std::vector<int> out;
    for (int p : pixels) out.push_back(p & 0xffffff);
    return out;
  }
  // Every point x, y, 0xRRGGBB (a flat list) within tolerance per channel.
  void ExpectPixels(const std::vector<int> &points, int tolerance = 0) {
    for (size_t i = 0; i + 2 < points.size(); i += 3) {
      int x = points[i], y = points[i + 1], rgb = points[i + 2], got = Block(x, y, 1, 1)[0];
      for (int shift = 0; shift <= 16; shift += 8)
        EXPECT_NEAR(got >> shift & 255, rgb >> shift & 255, tolerance)
            << x << "," << y << ": got " << std::hex << got << ", expected " << rgb;
    }
  }
  static std::unique_ptr<VexGlfwGame> host;
  gxtkGraphics device{[] { return host ? host->Window() : nullptr; }};
};
std::unique_ptr<VexGlfwGame> Pixels::host;

// A PNG whose pixel (x, y) is rgb(x, y) as 0xRRGGBB, opaque.
String Png(const TempDir &dir, const std::string &name, int w, int h, int (*rgb)(int, int)) {
  std::vector<uint32_t> px; // little-endian RGBA
  for (int i = 0; i < w * h; ++i) {
    uint32_t c = static_cast<uint32_t>(rgb(i % w, i / w));
    px.push_back(0xff000000u | (c & 0xff) << 16 | (c & 0xff00) | (c >> 16 & 0xff));
  }
  stbi_write_png((dir / name).c_str(), w, h, 4, px.data(), w * 4);
  return String::FromUtf8(dir / name);
}

TEST_F(Pixels, EverythingDrawnShowsAndComesBackInANewWindow) {
  TempDir dir;
  // Two 8 x 4 frames: blue; then red on the left half, green on the right.
  auto frames = vex_graphics_LoadImage(
      Png(dir, "frames.png", 16, 4, [](int x, int) { return x < 8 ? 0xff : (x < 12 ? 0xff0000 : 0xff00); }), 2,
      c_Image::MidHandle);
  // 100 x 60, red left and green right, forced into a 128 x 64 texture.
  gxtkSurface::SetForcePowerOfTwo(true);
  auto wide =
      vex_graphics_LoadImage(Png(dir, "wide.png", 100, 60, [](int x, int) { return x < 50 ? 0xff0000 : 0xff00; }));
  auto written = vex_graphics_CreateImage(4, 2, 2);
  ASSERT_TRUE(frames);
  ASSERT_TRUE(wide);
  ASSERT_TRUE(written);
  Array<int> pixels{int(0x80FF0000u), int(0x80C00000u), 0, 0, int(0xFF00FF00u), int(0xFF00FF00u), 0, 0};
  vex_graphics_WritePixels(written.get(), pixels, 0, 0, 2, 2, 0, 4, 1);
  // Writes that would run past the frame or the source array are refused.
  vex_graphics_WritePixels(written.get(), pixels, 3, 0, 2, 2, 0, 4, 1);
  vex_graphics_WritePixels(written.get(), pixels, 0, 0, 2, 3, 0, 4, 1);
  device.WritePixels2(written->m_surface, pixels, 0, 0, 4, 2, 2, 4);
  auto draw = [&] {
    vex_graphics_Cls(0, 0, 255);
    vex_graphics_SetColor(255, 0, 0);
    vex_graphics_SetAlpha(0.5f);
    vex_graphics_DrawRect(10, 10, 20, 20);
    vex_graphics_SetBlend(1);
    vex_graphics_SetColor(100, 50, 0);
    vex_graphics_SetAlpha(0.5f);
    vex_graphics_DrawRect(70, 10, 10, 10);
    vex_graphics_SetAlpha(1);
    vex_graphics_SetColor(200, 250, 200);
    vex_graphics_DrawRect(90, 10, 10, 10);
    vex_graphics_DrawRect(90, 10, 10, 10);
    vex_graphics_SetBlend(0);
    vex_graphics_SetColor(255, 255, 255);
    vex_graphics_DrawLine(300, 20, 340, 20);
    vex_graphics_DrawOval(100, 100, 100, 60);
    vex_graphics_DrawImage2(frames, 250, 100, 90, 2, 2, 1);
    vex_graphics_DrawImage(written, 10, 60, 1);
    vex_graphics_DrawImage(wide, 300, 200);
    vex_graphics_SetScissor(500, 50, 40, 30);
    vex_graphics_Cls(0, 255, 0);
    vex_graphics_SetScissor(560, 50, 40, 30);
    vex_graphics_SetColor(255, 0, 0);
    vex_graphics_DrawRect(0, 0, 640, 480);
  };
  Frame(draw);
  gxtkSurface::SetForcePowerOfTwo(false);
  EXPECT_EQ(wide->m_surface->TextureWidth(), 128);
  EXPECT_EQ(wide->m_surface->TextureHeight(), 64);
  // Half-transparent red over blue keeps blue at 255 x (1 - 127/255); adding
  // saturates instead of wrapping.
  ExpectPixels(
      {10, 10, 0x7f0080, 29, 29, 0x7f0080, 70, 10, 0x3219ff, 79, 19, 0x3219ff, 11, 60, 0x60007f, 10, 60, 0x80007f}, 1);
  ExpectPixels({30,  30,  0xff,     9,   15,  0xff,     95,  15,  0xffffff, 80,  15,  0xff,     320, 20,  0xffffff,
                320, 21,  0xff,     150, 130, 0xffffff, 101, 130, 0xffffff, 198, 130, 0xffffff, 150, 101, 0xffffff,
                150, 158, 0xffffff, 103, 103, 0xff,     196, 157, 0xff,     99,  130, 0xff,     200, 130, 0xff,
                150, 160, 0xff,     10,  61,  0x00ff00, 12,  60,  0xff,     300, 200, 0xff0000, 349, 259, 0xff0000,
                350, 200, 0x00ff00, 399, 259, 0x00ff00, 400, 230, 0xff,     350, 260, 0xff,     500, 50,  0x00ff00,
                539, 79,  0x00ff00, 540, 79,  0xff,     500, 80,  0xff,     499, 50,  0xff,     560, 50,  0xff0000,
                599, 79,  0xff0000, 600, 50,  0xff,     560, 80,  0xff});
  // Scaled to 16 x 8 about its handle (250, 100), then turned a quarter
  // counter-clockwise: the green half points up, the red half down.
  std::vector<int> turned = Block(240, 85, 20, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 20; ++x) {
      bool inside = x >= 6 && x < 14 && y >= 7 && y < 23;
      EXPECT_EQ(turned[size_t(y * 20 + x)], inside ? (y < 15 ? 0x00ff00 : 0xff0000) : 0xff) << x << "," << y;
    }

  std::vector<int> before = Block(0, 0, 640, 480);
  int seq = glfwGraphicsSeq;
  host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  ASSERT_NE(host->Window(), nullptr);
  EXPECT_EQ(glfwGraphicsSeq, seq + 1);
  Frame(draw);
  EXPECT_EQ(wide->m_surface->seq, glfwGraphicsSeq);
  EXPECT_TRUE(Block(0, 0, 640, 480) == before) << "textures are made again for the new window";

  // The next frame starts afresh (white, opaque, no scissor or transform) and
  // drops what came before a clear; a full batch, a deep stack, one pop too
  // many, a frame that does not exist and a huge polygon draw what they can.
  Frame([&] {
    vex_graphics_DrawRect(0, 0, 50, 50);
    vex_graphics_Cls(10, 20, 30);
    for (int i = 0; i < 300; ++i) vex_graphics_DrawRect(float(i), 400, 1, 1);
    for (int i = 0; i < 33; ++i) vex_graphics_PushMatrix(), vex_graphics_Translate(1, 0);
    for (int i = 0; i < 34; ++i) vex_graphics_PopMatrix();
    vex_graphics_DrawImage(frames, 100, 300, 2);
    vex_graphics_DrawPoly(Array<float>(2050));
  });
  ExpectPixels({0, 0, 0x0a141e, 600, 100, 0x0a141e, 0, 400, 0xffffff, 299, 400, 0xffffff, 300, 400, 0x0a141e, 100, 300,
                0x0a141e});
  vex_graphics_DrawRect(0, 0, 640, 480);
  EXPECT_EQ(device.Stats().drawCalls, 2) << "nothing is drawn outside a frame";

  // A frame drawn again inside a clip leaves the rest; a scissor stays inside it.
  device.SetFrameClip(100, 300, 50, 40);
  Frame([&] {
    vex_graphics_Cls(255, 255, 0);
    vex_graphics_SetScissor(120, 0, 640, 480);
    vex_graphics_DrawRect(0, 0, 640, 480);
  });
  device.ClearFrameClip();
  ExpectPixels({99,  300, 0x0a141e, 100, 300, 0xffff00, 119, 339, 0xffff00, 120, 300, 0xffffff,
                149, 339, 0xffffff, 150, 300, 0x0a141e, 120, 340, 0x0a141e, 120, 299, 0x0a141e});
}

// Pictures read from files keep no copy of their pixels, yet draw the same
// after the window (and its context) is re-made, and when read on first draw.
TEST_F(Pixels, PicturesFromFilesDrawAfterANewWindowAndWhenReadOnFirstDraw) {
  TempDir dir;
  const String file = Png(dir, "red.png", 2, 2, [](int, int) { return 0xff0000; });
  auto eager = device.LoadSurface(file), onDemand = device.LoadSurfaceOnDemand(file);
  ASSERT_TRUE(eager && onDemand);
  EXPECT_EQ(onDemand->texture, 0u) << "read before it is drawn";
  for (int window = 1; window <= 2; ++window) {
    Frame([&] {
      vex_graphics_Cls(0, 0, 255);
      device.DrawSurface(eager, 10, 10);
      device.DrawSurface(onDemand, 20, 10);
    });
    ExpectPixels({11, 11, 0xff0000, 21, 11, 0xff0000});
    EXPECT_FALSE(eager->data) << "a pixel copy kept in window " << window;
    EXPECT_FALSE(onDemand->data) << "a pixel copy kept in window " << window;
    host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  }
}

} // namespace
