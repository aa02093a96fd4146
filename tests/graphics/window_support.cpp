// The shared window of the graphics window tests.
#include "window_support.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

std::unique_ptr<VexGlfwGame> WindowTest::host;
std::unique_ptr<gxtkGraphics> WindowTest::device;

void WindowTest::SetUpTestSuite() {
  if (host || !glfwInit()) return;
  host = std::make_unique<VexGlfwGame>();
  host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  if (!host->Window()) {
    host.reset();
    return;
  }
  device = std::make_unique<gxtkGraphics>();
}

void WindowTest::TearDownTestSuite() {}

void WindowTest::SetUp() {
  if (!host) GTEST_SKIP() << "no X display or OpenGL window (run under tools/with-display.sh)";
  vex_graphics_SetGraphicsDevice(device.get());
}

void WindowTest::TearDown() { vex_graphics_SetGraphicsDevice(nullptr); }

void WindowTest::Frame(const std::function<void()> &draw) {
  int mode = device->BeginRender();
  ASSERT_EQ(mode, 1);
  vex_graphics_BeginRender();
  draw();
  vex_graphics_EndRender();
  device->EndRender();
}

std::vector<int> WindowTest::Block(int x, int y, int width, int height) {
  Array<int> pixels(width * height);
  device->ReadPixels(pixels, x, y, width, height, 0, width);
  std::vector<int> out;
  for (int p : pixels) out.push_back(p & 0xffffff);
  return out;
}

int WindowTest::Rgb(int x, int y) { return Block(x, y, 1, 1)[0]; }

testing::AssertionResult RgbNear(int actual, int expected, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    int a = (actual >> shift) & 0xff, e = (expected >> shift) & 0xff;
    if (std::abs(a - e) > tolerance) {
      char text[64];
      std::snprintf(text, sizeof text, "got %06x, expected %06x", actual, expected);
      return testing::AssertionFailure() << text;
    }
  }
  return testing::AssertionSuccess();
}
