// A real window for the graphics tests that draw and read pixels back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "graphics/graphics.h"
#include "host/glfw_game.h"

// Opens one 640 x 480 window for the whole suite (skipping when there is no
// display) and gives the frame bracket and pixel read-back.
class WindowTest : public testing::Test {
public:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

protected:
  void SetUp() override;
  void TearDown() override;

  // One frame as the framework renders it; draw runs between the brackets.
  void Frame(const std::function<void()> &draw);
  // The window pixel at (x, y) as 0xRRGGBB.
  int Rgb(int x, int y);
  // The pixels of a rectangle as 0xRRGGBB, top row first.
  std::vector<int> Block(int x, int y, int width, int height);

  static std::unique_ptr<VexGlfwGame> host;
  static std::unique_ptr<gxtkGraphics> device;
};

// Whether each channel of two 0xRRGGBB values differs by at most tolerance.
testing::AssertionResult RgbNear(int actual, int expected, int tolerance = 1);
