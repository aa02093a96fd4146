// The replay of the display list on the device: every record drawn in its own
// colour and alpha, the device never told again what it already has, and a
// pointer on a drawn point mapped back to it.
#include <array>
#include <cmath>

#include "game/render.h"
#include "game_fixture.h"

namespace {

// The colour and alpha in force at each draw, and the calls that repeated them.
class InkDevices : public FakeDevices {
public:
  std::array<float, 4> ink = {-1, -1, -1, -1};
  std::vector<std::array<float, 4>> drawn;
  int repeats = 0;

  void SetColor(float r, float g, float b) override { Set({r, g, b, ink[3]}); }
  void SetAlpha(float a) override { Set({ink[0], ink[1], ink[2], a}); }
  void DrawRect(float, float, float, float) override { drawn.push_back(ink); }
  void DrawOval(float, float, float, float) override { drawn.push_back(ink); }
  void DrawLine(float, float, float, float) override { drawn.push_back(ink); }
  void DrawImage(const GameImage &, float, float, float, float, float, int) override { drawn.push_back(ink); }

private:
  void Set(std::array<float, 4> now) {
    repeats += now == ink;
    ink = now;
  }
};

using ReplayTest = GameTest;

TEST_F(ReplayTest, EachRecordDrawsInItsOwnInkAndNoCallRepeatsTheDevicesInk) {
  auto inks = std::make_shared<InkDevices>();
  dev = inks;
  StartWith();
  Updates(30); // the map, its cells in many inks
  inks->drawn.clear();
  inks->ink = {-1, -1, -1, -1}; // a new frame: what the device has is unknown
  Render();
  ASSERT_EQ(inks->drawn.size(), Records() + 1u); // the background first
  for (int r = 0; r < Records(); ++r)
    ASSERT_EQ(inks->drawn[r + 1], (std::array{Rec(r).red, Rec(r).green, Rec(r).blue, Rec(r).alpha})) << "record " << r;
  EXPECT_EQ(inks->repeats, 0);
}

TEST(ViewMapping, APointerWhereAPointIsDrawnMapsBackToIt) {
  for (auto [w, h, overscan] : {std::array{1280.0f, 720.0f, 0.0f}, {800.0f, 600.0f, 12.0f}, {500.0f, 900.0f, 20.0f}}) {
    ViewMapping view = FitVirtualScreen(w, h, overscan, 640, 480).view;
    for (auto [x, y] : {std::pair{0.0f, 0.0f}, {100.0f, 50.0f}, {639.0f, 479.0f}}) {
      ViewMapping::Point on = view.ToDevice(x, y), back = view.ToVirtual(on.x, on.y);
      EXPECT_NEAR(std::hypot(back.x - x, back.y - y), 0, 1e-3f) << w << "x" << h << " overscan " << overscan;
    }
  }
  // A minimised window fits at scale 0: pointers stay in device units.
  ViewMapping::Point minimised = FitVirtualScreen(0, 0, 0, 640, 480).view.ToVirtual(5, 7);
  EXPECT_EQ(minimised.x, 5);
  EXPECT_EQ(minimised.y, 7);
}

} // namespace
