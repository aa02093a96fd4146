// The window area in which a frame differs from the one on screen: every
// draw that differs between the two must lie inside it, since the host draws
// and shows that area alone.
#include <array>
#include <cmath>

#include "game_fixture.h"
#include "graphics/image.h"
#include "runtime/angle.h"

namespace {

// A draw as the device got it, and the window box it covers.
struct Draw {
  std::array<float, 8> args;
  float x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  Draw &Cover(float x, float y) {
    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    return *this;
  }
  bool operator==(const Draw &o) const { return args == o.args; }
};

class DrawLog : public FakeDevices {
public:
  std::vector<Draw> draws;
  float colour = 0, alpha = 0;
  void SetColor(float r, float g, float b) override { colour = r + 256 * g + 65536 * b; }
  void SetAlpha(float a) override { alpha = a; }
  Draw &Add(float kind, float a, float b, float c, float d, float e = 0, float f = 0) {
    return draws.emplace_back(Draw{{kind, a, b, c, d, e, f, colour + alpha}});
  }
  void DrawRect(float x, float y, float w, float h) override { Add(1, x, y, w, h).Cover(x, y).Cover(x + w, y + h); }
  void DrawOval(float x, float y, float w, float h) override { Add(2, x, y, w, h).Cover(x, y).Cover(x + w, y + h); }
  void DrawLine(float x, float y, float x2, float y2) override { Add(3, x, y, x2, y2).Cover(x, y).Cover(x2, y2); }
  // Every picture 32 x 32 with its handle off its middle.
  GameImage CreateImage(int, int, int frames, int) override {
    GameImage image = TestImage(32, 32, frames, 0);
    image->p_SetHandle(8, 28);
    return image;
  }
  // The frame's corners about the handle, scaled, then rotated.
  void DrawImage(const GameImage &image, float x, float y, float rot, float sx, float sy, int frame) override {
    float c = std::cos(rot * kDegToRad), s = std::sin(rot * kDegToRad);
    Draw &d = Add(4, x, y, rot, sx, sy, static_cast<float>(frame));
    for (float u : {-image->m_tx, image->m_width - image->m_tx})
      for (float v : {-image->m_ty, image->m_height - image->m_ty})
        d.Cover(x + c * u * sx + s * v * sy, y - s * u * sx + c * v * sy);
  }
};

class ChangedArea : public GameTest {
protected:
  // A puzzle running at twice the design size.
  void SetUp() override {
    GameTest::SetUp();
    log = std::make_shared<DrawLog>();
    dev = log;
    Create(1280, 960);
    FinishLoading();
    app->m_level = 5;
    app->m_state = kStateStartPuzzle;
    Updates(300); // the background's colour settles
    log->draws.clear();
    Render();
  }
  // Whether every draw the next frame adds or drops lies in the area, and the
  // area is smaller than this share of the window.
  void ExpectNextFrameInsideItsArea(const char *what, float share) {
    VexRect area;
    ASSERT_TRUE(app->p_PictureChanged()) << what;
    ASSERT_TRUE(app->p_ChangedArea(area)) << what;
    EXPECT_LT(static_cast<float>(area.width * area.height), 1280 * 960 * share) << what;
    std::vector<Draw> before = log->draws;
    log->draws.clear();
    Render();
    auto inside = [&](const Draw &d) {
      return d.x0 >= area.x && d.y0 >= area.y && d.x1 <= area.x + area.width && d.y1 <= area.y + area.height;
    };
    auto count = [](const std::vector<Draw> &list, const Draw &d) { return std::count(list.begin(), list.end(), d); };
    int changed = 0;
    for (auto [from, to] : {std::pair(&before, &log->draws), std::pair(&log->draws, &before)})
      for (const Draw &d : *from)
        if (count(*from, d) != count(*to, d)) {
          ++changed;
          EXPECT_TRUE(inside(d)) << what << " at " << d.x0 << "," << d.y0;
        }
    EXPECT_GT(changed, 0) << what;
    log->draws.clear();
    Render();
  }
  std::shared_ptr<DrawLog> log;
};

TEST_F(ChangedArea, HoldsEveryDrawThatChangedWhereItWasAndWhereItIs) {
  host->millis += 60;
  Update();
  ExpectNextFrameInsideItsArea("the cursor's next frame", 0.05f);
  dev->touchX[0] = 2 * TileX(0), dev->touchY[0] = 2 * TileY(0);
  Hold({kTouch0});
  Update();
  ExpectNextFrameInsideItsArea("a click moves the cursor four tiles, fills one, sparks fly", 1);
  for (int i = 0; i < 60; ++i) Update();
  ExpectNextFrameInsideItsArea("the timer's next second", 0.01f);
  Press({kKeyEscape});
  Updates(40);
  log->draws.clear(), Render();
  Update();
  ExpectNextFrameInsideItsArea("the pause menu's gear turns, its pendulum swings", 1);
}

TEST_F(ChangedArea, UnboundedWhenTheFrameChangesOtherwise) {
  VexRect area;
  Press({kKeyEscape}); // the pause menu adds records
  EXPECT_FALSE(app->p_ChangedArea(area));
  Render();
  Resize(1280, 720);
  EXPECT_FALSE(app->p_ChangedArea(area));
}

// The map after a drag: the camera eases back in float steps for many
// seconds, but once it moves no vertex a sub-pixel no frame is drawn; a
// one-step move of the camera still is.
class Settling : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    dev = std::make_shared<DrawLog>();
    Create();
    FinishLoading();
  }
  // One update, drawn as the host draws it: only when the picture changed.
  bool UpdateAndDrawIfChanged() {
    Update();
    if (!app->p_PictureChanged()) return false;
    Render();
    return true;
  }
};

// Back on the map from a puzzle, the fill eases to the map's blue by an
// eighth an update: its floats creep on for seconds, its bytes settle within
// one. A camera a pixel off its place still eases back into view.
TEST_F(Settling, AnEasedFillStopsDrawingOnceItsBytesSettle) {
  for (int update = 0; update < 120; ++update) UpdateAndDrawIfChanged();
  app->m_bgRed = 230, app->m_bgGreen = 3, app->m_bgBlue = 255;
  int lastDraw = 0;
  for (int update = 1; update <= 600; ++update)
    if (UpdateAndDrawIfChanged()) lastDraw = update;
  EXPECT_GT(lastDraw, 0);
  EXPECT_LT(lastDraw, 60) << "still drawing the fill's last float bits";
  app->m_camX += 1;
  bool drew = false;
  for (int update = 0; update < 60; ++update) drew = UpdateAndDrawIfChanged() || drew;
  EXPECT_TRUE(drew) << "a camera one pixel off its place";
}

} // namespace
