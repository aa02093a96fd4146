// Windows under X driven by xdotool and wmctrl, read by ImageMagick.
#include "support/xwindow.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "support/files.h"
#include "support/program.h"

std::string DisplayMissing(const std::string &commands) {
  if (!std::getenv("DISPLAY") || std::system("xdpyinfo >/dev/null 2>&1") != 0)
    return "no X display: run under make test or tools/with-display.sh";
  std::istringstream names(commands);
  for (std::string name; names >> name;)
    if (Shell("command -v " + name).empty()) return name + " is needed (tools/setup.sh installs it)";
  return "";
}

std::string GeometryOf(const std::string &window) {
  return Shell("xdotool getwindowgeometry " + window + " 2>/dev/null | sed -n 's/^ *Geometry: //p'");
}

bool WaitForGeometry(const Program &program, const std::string &size, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return GeometryOf(program.WindowId()) == size; }, limit);
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
