// The window areas in which a frame differs from the one on screen: every
// draw that differs between the two must lie inside one, since the host draws
// and shows those areas alone; and in each area the frame must be drawn as
// the whole frame is there.
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
  // Of the box, the part in the rectangle; a box without width or height
  // counts as a hair wide.
  double PartIn(const VexRect &a) const {
    const double w = std::min<double>(std::max(x1, x0 + 1e-3f), a.x + a.width) - std::max<double>(x0, a.x);
    const double h = std::min<double>(std::max(y1, y0 + 1e-3f), a.y + a.height) - std::max<double>(y0, a.y);
    return std::max(w, 0.0) * std::max(h, 0.0);
  }
  double Size() const { return (std::max(x1, x0 + 1e-3f) - x0) * static_cast<double>(std::max(y1, y0 + 1e-3f) - y0); }
  bool Overlaps(const VexRect &a) const { return x1 > a.x && y1 > a.y && x0 < a.x + a.width && y0 < a.y + a.height; }
};

class DrawLog : public FakeDevices {
public:
  std::vector<Draw> draws;
  float colour = 0, alpha = 0;
  // The areas the next frames are drawn in, and the draws made in each.
  VexAreas areas;
  std::vector<std::vector<Draw>> inArea;
  int area = -1;
  std::span<const VexRect> FrameAreas() override { return areas; }
  void DrawInArea(int i) override { area = i, inArea.resize(areas.size()); }
  void SetColor(float r, float g, float b) override { colour = r + 256 * g + 65536 * b; }
  void SetAlpha(float a) override { alpha = a; }
  Draw &Add(float kind, float a, float b, float c, float d, float e = 0, float f = 0) {
    std::vector<Draw> &to = area < 0 ? draws : inArea[static_cast<size_t>(area)];
    return to.emplace_back(Draw{{kind, a, b, c, d, e, f, colour + alpha}});
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
  // Whether every draw the next frame adds or drops lies in one of its areas,
  // the areas hold less than this share of the window, and the frame drawn
  // in its areas draws in each what the whole frame draws there.
  void ExpectNextFrameInsideItsAreas(const char *what, float share) {
    VexAreas areas;
    ASSERT_TRUE(app->p_PictureChanged()) << what;
    ASSERT_TRUE(app->p_ChangedAreas(areas)) << what;
    float covered = 0;
    for (const VexRect &a : areas) covered += static_cast<float>(a.width * a.height);
    EXPECT_LT(covered, 1280 * 960 * share) << what;
    std::vector<Draw> before = log->draws;
    log->draws.clear();
    Render();
    // The areas lie apart, so their parts of a box add up to it when they
    // hold it.
    auto inside = [&](const Draw &d) {
      double in = 0;
      for (const VexRect &a : areas) in += d.PartIn(a);
      return in >= d.Size() * (1 - 1e-9);
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
    ExpectAreasDrawnAsTheWhole(what, areas);
    log->draws.clear();
    Render();
  }
  // The same list drawn again, in the areas: in each, the draws of the whole
  // frame that reach into it, in their order.
  void ExpectAreasDrawnAsTheWhole(const char *what, const VexAreas &areas) {
    const std::vector<Draw> whole = log->draws;
    log->areas = areas, log->inArea.clear(), log->draws.clear();
    Render();
    log->areas.clear(), log->area = -1;
    ASSERT_EQ(log->inArea.size(), areas.size()) << what;
    EXPECT_TRUE(log->draws.empty()) << what << ": drawn outside the areas";
    for (size_t i = 0; i < areas.size(); ++i) {
      auto drawn = log->inArea[i].begin();
      for (const Draw &d : whole) {
        if (!d.Overlaps(areas[i])) continue;
        drawn = std::find(drawn, log->inArea[i].end(), d);
        ASSERT_NE(drawn, log->inArea[i].end())
            << what << ": area " << i << " lacks the draw at " << d.x0 << "," << d.y0;
        ++drawn;
      }
    }
    log->draws = whole;
  }
  std::shared_ptr<DrawLog> log;
};

TEST_F(ChangedArea, HoldsEveryDrawThatChangedWhereItWasAndWhereItIs) {
  host->millis += 60;
  Update();
  ExpectNextFrameInsideItsAreas("the cursor's next frame", 0.05f);
  dev->touchX[0] = 2 * TileX(0), dev->touchY[0] = 2 * TileY(0);
  Hold({kTouch0});
  Update();
  ExpectNextFrameInsideItsAreas("a click moves the cursor four tiles, fills one, sparks fly", 1);
  for (int i = 0; i < 60; ++i) Update();
  ExpectNextFrameInsideItsAreas("the timer's next second", 0.01f);
  Press({kKeyEscape});
  Updates(40);
  log->draws.clear(), Render();
  Update();
  ExpectNextFrameInsideItsAreas("the pause menu's gear turns, its pendulum swings", 0.2f);
}

TEST_F(ChangedArea, UnboundedWhenTheFrameChangesOtherwise) {
  VexAreas areas;
  Press({kKeyEscape}); // the pause menu adds records
  EXPECT_FALSE(app->p_ChangedAreas(areas));
  Render();
  Resize(1280, 720);
  EXPECT_FALSE(app->p_ChangedAreas(areas));
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

// Boxes along a curve, as the pendulum's trail lays them, and a few at the
// window's edges: covered by a few rectangles apart, far smaller together
// than the boxes' bounding box.
TEST(CoverBoxes, FewRectanglesApartHoldEveryBoxAndLittleElse) {
  std::vector<AreaBox> boxes;
  for (int i = 0; i < 200; ++i) {
    const float t = static_cast<float>(i) / 200 * 6.28f, x = 320 + 250 * std::sin(t), y = 240 - 200 * std::cos(2 * t);
    boxes.emplace_back().Add(x, y, 3, 3);
  }
  boxes.emplace_back().Cover(-50, -50, 4, 4);
  boxes.emplace_back().Cover(630, 470, 700, 900);
  for (size_t most : {1u, 4u, 12u, 64u}) {
    const VexAreas areas = CoverBoxes(boxes, 640, 480, 16, most);
    ASSERT_LE(areas.size(), most);
    double covered = 0;
    for (size_t i = 0; i < areas.size(); ++i) {
      const VexRect &a = areas[i];
      EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= 640 && a.y + a.height <= 480 && a.width > 0 && a.height > 0);
      covered += a.width * a.height;
      for (size_t j = 0; j < i; ++j) {
        const VexRect &b = areas[j];
        EXPECT_FALSE(a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height)
            << most << ": areas " << i << " and " << j << " overlap";
      }
    }
    for (const AreaBox &box : boxes) {
      Draw d;
      d.Cover(std::max(box.x0, 0.0f), std::max(box.y0, 0.0f)).Cover(std::min(box.x1, 640.0f), std::min(box.y1, 480.0f));
      double in = 0;
      for (const VexRect &a : areas) in += d.PartIn(a);
      EXPECT_GE(in, d.Size() * (1 - 1e-9)) << most << ": a box at " << box.x0 << "," << box.y0 << " left out";
    }
    // The boxes reach every corner of the window: their bounding box is all of it.
    if (most == 12) {
      EXPECT_LT(covered, 640 * 480 / 3);
    } else if (most == 64) {
      EXPECT_LT(covered, 640 * 480 / 10);
    }
  }
  EXPECT_TRUE(CoverBoxes({}, 640, 480, 16, 12).empty());
  EXPECT_TRUE(CoverBoxes(boxes, 0, 480, 16, 12).empty()) << "a minimised window";
}
