// The game's decision to draw: any input of the frame on screen that changes.
#include <gtest/gtest.h>

#include <functional>

#include "game/shown_frame.h"
#include "graphics/image.h"

namespace {

struct Inputs {
  std::vector<DrawRecord> list = {{95, 10, 20, 0, 1, 1, 3, 1, 0, 0, 255, 255, 255, 1, 0}};
  std::vector<float> settings = {20, 80, 160, 1};
  std::vector<GameImage> images = {nullptr, std::make_shared<c_Image>()};
};

TEST(ShownFrame, AnyChangedInputMeansANewFrame) {
  const Inputs shown;
  std::pair<const char *, std::function<void(Inputs &)>> cases[] = {
      {"a record's position", [](Inputs &in) { in.list[0].x += 1; }},
      {"a record's alpha", [](Inputs &in) { in.list[0].alpha = 0.25f; }},
      {"a record more", [](Inputs &in) { in.list.resize(2); }},
      {"the fill colour", [](Inputs &in) { in.settings[2] = 161; }},
      {"an image loaded", [](Inputs &in) { in.images[0] = std::make_shared<c_Image>(); }},
      {"an image released", [](Inputs &in) { in.images[1] = nullptr; }},
  };
  ShownFrame frame;
  EXPECT_FALSE(frame.Same(shown.list, shown.settings, shown.images)) << "nothing is on screen yet";
  frame.Keep(shown.list, shown.settings, shown.images);
  EXPECT_TRUE(frame.Same(Inputs().list, shown.settings, shown.images)) << "an equal list";
  for (auto &[what, change] : cases) {
    Inputs now = shown;
    change(now);
    EXPECT_FALSE(frame.Same(now.list, now.settings, now.images)) << what;
  }
}

// A slot emptied and loaded again between two frames, as the loader does: the
// new picture may be given the old one's memory, yet it is another picture.
TEST(ShownFrame, APictureLoadedWhereAFreedOneWasIsANewFrame) {
  Inputs in;
  ShownFrame frame;
  frame.Keep(in.list, in.settings, in.images);
  in.images[1] = nullptr;
  in.images[1] = std::make_shared<c_Image>();
  EXPECT_FALSE(frame.Same(in.list, in.settings, in.images));
}

} // namespace
