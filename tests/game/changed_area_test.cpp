// The window area in which a frame differs from the one on screen: every
// draw that differs between the two must lie inside it, since the host draws
// and shows that area alone.
#include <array>
#include <cmath>

#include "game_fixture.h"
#include "graphics/image.h"

namespace {

// A draw as the device got it, and the window box it covers.
struct Draw {
  std::array<float, 8> args;
  float x0, y0, x1, y1;
  bool operator==(const Draw &o) const { return args == o.args; }
};

class DrawLog : public FakeDevices {
public:
  std::vector<Draw> draws;
  float r = 0, g = 0, b = 0, a = 0;
  void SetColor(float R, float G, float B) override { r = R, g = G, b = B; }
  void SetAlpha(float A) override { a = A; }
  void DrawRect(float x, float y, float w, float h) override {
    Add(1, x, y, w, h, 0, 0, std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h));
  }
  void DrawOval(float x, float y, float w, float h) override { Add(2, x, y, w, h, 0, 0, x, y, x + w, y + h); }
  void DrawLine(float x, float y, float x2, float y2) override {
    Add(3, x, y, x2, y2, 0, 0, std::min(x, x2), std::min(y, y2), std::max(x, x2), std::max(y, y2));
  }
  // The frame's corners about the handle, scaled, then rotated.
  void DrawImage(const GameImage &image, float x, float y, float rot, float sx, float sy, int frame) override {
    float c = std::cos(rot * 0.017453292f), s = std::sin(rot * 0.017453292f);
    Draw d{{4, x, y, rot, sx, sy, static_cast<float>(frame), r + g + b + a}, INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (float u : {-image->m_tx, image->m_width - image->m_tx})
      for (float v : {-image->m_ty, image->m_height - image->m_ty}) {
        float px = x + c * u * sx + s * v * sy, py = y - s * u * sx + c * v * sy;
        d.x0 = std::min(d.x0, px), d.y0 = std::min(d.y0, py), d.x1 = std::max(d.x1, px), d.y1 = std::max(d.y1, py);
      }
    draws.push_back(d);
  }
  void Add(float kind, float x, float y, float w, float h, float rot, float frame, float x0, float y0, float x1,
           float y1) {
    draws.push_back({{kind, x, y, w, h, rot, frame, r + g + b + a}, x0, y0, x1, y1});
  }
};

class ChangedArea : public GameTest {
protected:
  // A puzzle running at twice the design size, every picture 32 x 32 with its
  // handle at the top left.
  void SetUp() override {
    GameTest::SetUp();
    log = std::make_shared<DrawLog>();
    dev = log;
    Create(1280, 960);
    FinishLoading();
    app->m_level = 5;
    app->m_state = 11;
    Updates(300); // the background's colour settles
    for (int slot = 0; slot < 100; ++slot) {
      if (!app->m_images[slot]) continue;
      auto image = std::make_shared<c_Image>();
      image->m_width = image->m_height = 32;
      app->m_images[slot] = image;
    }
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
}

TEST_F(ChangedArea, UnboundedWhenTheFrameChangesOtherwise) {
  VexRect area;
  Press({kKeyEscape}); // the pause menu adds records
  EXPECT_FALSE(app->p_ChangedArea(area));
  Render();
  Resize(1280, 720);
  EXPECT_FALSE(app->p_ChangedArea(area));
}

} // namespace
