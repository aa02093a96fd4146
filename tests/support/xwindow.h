// Driving and looking at real windows under X with xdotool, wmctrl and
// ImageMagick, as a player would.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// Why windowed tests can't run here (no display, or one of the named
// commands missing), or empty when they can.
std::string DisplayMissing(const std::string &commands);

// Gives the window the focus (an inactive window suspends the game).
void Activate(const std::string &window);
// Presses and releases a key (xdotool's names), held long enough for an update.
void PressKey(const std::string &window, const std::string &key);
// Clicks at (x, y) in the window, held long enough for an update to see it.
void Click(const std::string &window, int x, int y);

// A rectangle of window pixels; by default all of them.
struct Area {
  int x = 0, y = 0, width = 1 << 16, height = 1 << 16;
};

// A screenshot of a window as 8-bit RGB.
class Shot {
public:
  explicit Shot(const std::string &window);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0; }
  // 0xRRGGBB at (x, y); 0 outside the picture.
  int Rgb(int x, int y) const;
  // The brightness 0..255 of a 5 x 5 patch around (x, y).
  int Brightness(int x, int y) const;
  // Whether both shots were taken, have one size and the same pixels in the area.
  bool SameIn(const Shot &other, const Area &area = {}) const;

private:
  std::string pixels_;
  int width_ = 0, height_ = 0;
};

// Waits until a screenshot of the window shows what `shown` looks for; with
// `still`, until two shots in a row do and are the same within that area,
// so that what was awaited has also stopped moving.
bool WaitForPicture(const std::string &window, const std::function<bool(const Shot &)> &shown,
                    std::optional<Area> still = std::nullopt,
                    std::chrono::milliseconds deadline = std::chrono::seconds(60));
