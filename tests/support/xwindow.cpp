// Windows under X driven by xdotool and wmctrl, read by ImageMagick.
#include "support/xwindow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "support/files.h"
#include "support/wait.h"

std::string DisplayMissing(const std::string &commands) {
  if (!std::getenv("DISPLAY") || std::system("xdpyinfo >/dev/null 2>&1") != 0)
    return "no X display: run under make test or tools/with-display.sh";
  std::istringstream names(commands);
  for (std::string name; names >> name;)
    if (Shell("command -v " + name).empty()) return name + " is needed (tools/setup.sh installs it)";
  return "";
}

static std::string GeometryOf(const std::string &window) {
  return Shell("xdotool getwindowgeometry " + window + " 2>/dev/null | sed -n 's/^ *Geometry: //p'");
}

void Activate(const std::string &window) { Shell("xdotool windowactivate --sync " + window + " 2>/dev/null"); }

void PressKey(const std::string &window, const std::string &key) {
  Activate(window);
  Shell("xdotool keydown " + key + " sleep 0.1 keyup " + key);
}

void Click(const std::string &window, int x, int y) {
  Shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
        " sleep 0.08 mousedown 1 sleep 0.15 mouseup 1 sleep 0.08");
}

Shot::Shot(const std::string &window) {
  TempDir dir;
  std::string size = GeometryOf(window);
  if (std::sscanf(size.c_str(), "%dx%d", &width_, &height_) != 2) return;
  Shell("import -window " + window + " -depth 8 rgb:" + (dir / "shot.rgb") + " 2>/dev/null");
  pixels_ = ReadFile(dir / "shot.rgb");
  if (pixels_.size() < static_cast<size_t>(width_) * height_ * 3) width_ = height_ = 0;
}

int Shot::Rgb(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  size_t at = (static_cast<size_t>(y) * width_ + x) * 3;
  auto byte = [&](size_t i) { return static_cast<unsigned char>(pixels_[at + i]); };
  return byte(0) << 16 | byte(1) << 8 | byte(2);
}

int Shot::Brightness(int x, int y) const {
  int sum = 0;
  for (int i = 0; i < 25; ++i)
    for (int shift : {0, 8, 16}) sum += Rgb(x + i % 5 - 2, y + i / 5 - 2) >> shift & 255;
  return sum / 75;
}

bool Shot::SameIn(const Shot &other, const Area &area) const {
  if (Empty() || width_ != other.width_ || height_ != other.height_) return false;
  for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, height_); ++y)
    for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, width_); ++x)
      if (Rgb(x, y) != other.Rgb(x, y)) return false;
  return true;
}

bool WaitForPicture(const std::string &window, const std::function<bool(const Shot &)> &shown,
                    std::optional<Area> still, std::chrono::milliseconds deadline) {
  std::optional<Shot> last;
  return WaitFor(
      [&] {
        Shot shot(window);
        if (shot.Empty() || !shown(shot)) return last.reset(), false;
        bool settled = !still || (last && shot.SameIn(*last, *still));
        last = std::move(shot);
        return settled;
      },
      deadline);
}
