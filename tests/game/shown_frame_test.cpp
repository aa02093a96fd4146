// The game's decision to draw: any input of the frame on screen that changes.
#include <gtest/gtest.h>

#include <functional>

#include "game/shown_frame.h"
#include "graphics/image.h"

namespace {

TEST(ShownFrame, AnyChangedInputMeansANewFrame) {
  float list[30] = {95, 10, 20, 0, 1, 1, 3, 1, 0, 0, 255, 255, 255, 1, 0, -3717, 5, 5, 0, 8, 8, 0, 0.5f};
  float settings[3] = {20, 80, 160};
  GameImage images[3] = {nullptr, std::make_shared<c_Image>(), nullptr};
  int count = 30;
  struct Case {
    const char *what;
    std::function<void()> change;
    bool same;
  } cases[] = {
      {"nothing", [] {}, true},
      {"a record's position", [&] { list[16] += 1; }, false},
      {"a record's alpha", [&] { list[22] = 0.25f; }, false},
      {"a record fewer", [&] { count = 15; }, false},
      {"the fill colour", [&] { settings[2] = 161; }, false},
      {"an image loaded", [&] { images[0] = std::make_shared<c_Image>(); }, false},
      {"an image released", [&] { images[1] = nullptr; }, false},
  };
  for (const Case &c : cases) {
    ShownFrame shown;
    EXPECT_FALSE(shown.Same(list, settings, images)) << "nothing is on screen yet";
    shown.Keep(std::span(list, count), settings, images);
    float keptList[30];
    std::copy(list, list + 30, keptList);
    float keptSettings[3] = {settings[0], settings[1], settings[2]};
    GameImage keptImages[3] = {images[0], images[1], images[2]};
    c.change();
    EXPECT_EQ(shown.Same(std::span(list, count), settings, images), c.same) << c.what;
    std::copy(keptList, keptList + 30, list);
    std::copy(keptSettings, keptSettings + 3, settings);
    std::copy(keptImages, keptImages + 3, images);
    count = 30;
  }
}

} // namespace
