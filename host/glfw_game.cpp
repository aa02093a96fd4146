// VexGlfwGame: the GLFW 3 window, timer, input callbacks and platform calls.
#include "host/glfw_game.h"

#include <GLFW/glfw3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "graphics/graphics_device.h"
#include "graphics/surface.h"
#include "host/data_paths.h"
#include "host/state_file.h"
#include "input/glfw_joysticks.h"
#include "input/glfw_keys.h"
#include "input/key_codes.h"

VexGlfwGame *VexGlfwGame::_glfwGame = nullptr;

namespace {

class GlfwLoopPlatform : public VexLoopPlatform {
public:
  explicit GlfwLoopPlatform(VexGlfwGame &game) : game_(game) {}
  double Time() override { return glfwGetTime(); }
  void Sleep(double seconds) override { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }
  void PollEvents() override { glfwPollEvents(); }
  void WaitEvents() override { glfwWaitEvents(); }
  bool WindowOpen() override { return game_.Window() != nullptr; }
  bool WindowActive() override { return game_.WindowActive(); }
  void SwapBuffers() override {
    if (game_.Window()) glfwSwapBuffers(game_.Window());
  }
  bool CanPresentArea() override { return game_.CanPresentArea(); }
  void PresentAreas(std::span<const VexRect> areas) override { game_.PresentAreas(areas); }
  // The width first, then the rows bottom up as OpenGL gives them.
  bool ReadBackBuffer(std::vector<uint32_t> &pixels) override {
    int width = 0, height = 0;
    if (!game_.Window()) return false;
    glfwGetFramebufferSize(game_.Window(), &width, &height);
    if (width <= 0 || height <= 0) return false;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) + 1, 0);
    pixels[0] = static_cast<uint32_t>(width);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data() + 1);
    return true;
  }

private:
  VexGlfwGame &game_;
};

VexGlfwGame *HostOf(GLFWwindow *) { return VexGlfwGame::_glfwGame; }

void OnKey(GLFWwindow *window, int key, int, int action, int) {
  int code = TransKey(key);
  if (!code) return;
  VexGlfwGame *game = HostOf(window);
  if (action == GLFW_RELEASE) {
    game->KeyEvent(KeyUp, code);
    return;
  }
  game->KeyEvent(KeyDown, code);
  if (int chr = KeyToChar(code)) game->KeyEvent(KeyChar, chr);
}

void OnChar(GLFWwindow *window, unsigned int codepoint) {
  HostOf(window)->KeyEvent(KeyChar, static_cast<int>(codepoint));
}

void OnMouseButton(GLFWwindow *window, int button, int action, int) {
  if (button < 0 || button >= keycode::kMouseButtons) return;
  double x = 0, y = 0;
  glfwGetCursorPos(window, &x, &y);
  HostOf(window)->MouseEvent(action == GLFW_PRESS ? MouseDown : MouseUp, button, static_cast<float>(x),
                             static_cast<float>(y));
}

void OnCursorPos(GLFWwindow *window, double x, double y) {
  HostOf(window)->MouseEvent(MouseMove, -1, static_cast<float>(x), static_cast<float>(y));
}

// The close button does not close the window: it becomes the close key, and
// the framework decides (it ends the program).
void OnClose(GLFWwindow *window) {
  VexGlfwGame *game = HostOf(window);
  game->KeyEvent(KeyDown, keycode::kClose);
  game->KeyEvent(KeyUp, keycode::kClose);
  glfwSetWindowShouldClose(window, GLFW_FALSE);
}

// Covered and uncovered, resized or restored, the window needs its picture
// again even when the game's picture has not changed.
void OnRefresh(GLFWwindow *window) { HostOf(window)->Redraw(); }
void OnFramebufferSize(GLFWwindow *window, int width, int height) { HostOf(window)->FramebufferResized(width, height); }
void OnSize(GLFWwindow *window, int width, int height) { HostOf(window)->WindowResized(width, height); }
void OnFocus(GLFWwindow *window, int focused) { HostOf(window)->WindowFocused(focused == GLFW_TRUE); }
void OnIconify(GLFWwindow *window, int iconified) { HostOf(window)->WindowIconified(iconified == GLFW_TRUE); }

} // namespace

VexGlfwGame::VexGlfwGame() : glfwPlatform_(std::make_unique<GlfwLoopPlatform>(*this)) {
  _glfwGame = this;
  loop_.SetPlatform(glfwPlatform_.get());
  // For the measurements only: it reads back every frame, which costs far
  // more than drawing it.
  if (const char *probe = std::getenv("TILEMARCH_FRAME_PROBE"); probe && *probe && std::string(probe) != "0") {
    frameProbe_ = std::make_unique<VexFrameProbe>();
    loop_.SetFrameProbe(frameProbe_.get());
  }
}

VexGlfwGame::~VexGlfwGame() {
  if (window_) glfwDestroyWindow(window_);
  if (_glfwGame == this) _glfwGame = nullptr;
}

void VexGlfwGame::SetUpdateRate(int hertz) {
  VexGame::SetUpdateRate(hertz);
  loop_.SetUpdateRate(hertz);
}

int VexGlfwGame::Millisecs() { return static_cast<int>(loop_.Platform().Time() * 1000.0); }

int VexGlfwGame::SaveState(const String &state) { return VexGame::SaveState(state); }

String VexGlfwGame::LoadState() { return VexGame::LoadState(); }

bool VexGlfwGame::PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                               const Array<bool> &buttons) {
  return PollGlfwJoystick(port, joyx, joyy, joyz, buttons);
}

// Starts the desktop's URL handler without a shell and without waiting: the
// intermediate child exits at once, so the handler is never our zombie.
void VexGlfwGame::OpenUrl(const String &url) {
  std::string target = url.ToNarrow();
  pid_t child = fork();
  if (child == 0) {
    if (fork() == 0) {
      execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
    _exit(0);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

void VexGlfwGame::SetMouseVisible(bool visible) {
  if (window_) glfwSetInputMode(window_, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
}

int VexGlfwGame::GetDeviceWidth() { return window_ ? width_ : 0; }

int VexGlfwGame::GetDeviceHeight() { return window_ ? height_ : 0; }

void VexGlfwGame::FramebufferResized(int width, int height) {
  fbWidth_ = width;
  fbHeight_ = height;
  loop_.Redraw();
}

void VexGlfwGame::PresentAreas(std::span<const VexRect> areas) {
  if (!CanPresentArea()) return;
  // The window may have changed size on the server before its event reached
  // us; the driver's buffer then has the new size and an area of the old one
  // may lie outside it, which the driver turns into an X error that ends the
  // process. The back buffer holds the whole frame, so it is swapped instead,
  // once: a second swap would show the frame before.
  int width = 0, height = 0;
  glfwGetFramebufferSize(window_, &width, &height);
  if (width != fbWidth_ || height != fbHeight_) {
    glfwSwapBuffers(window_);
    loop_.Redraw();
    return;
  }
  // The same pixels as the scissor that confined the frame's drawing.
  for (const VexRect &area : areas) {
    const gxtkPixelRect rect = InsideFramebuffer(
        FramebufferRect(area.x, area.y, area.width, area.height, width_, height_, fbWidth_, fbHeight_), fbWidth_,
        fbHeight_);
    areaPresent_.Copy(rect.x, rect.y, rect.width, rect.height);
  }
}

void VexGlfwGame::WindowResized(int width, int height) {
  width_ = width;
  height_ = height;
  loop_.Redraw();
}

void VexGlfwGame::SetDeviceWindow(int width, int height, int flags) {
  SetGlfwWindow(width, height, 8, 8, 8, 0, 0, 0, (flags & 1) != 0);
}

Array<VexDisplayMode> VexGlfwGame::GetDisplayModes() {
  Array<VexGlfwVideoMode> modes = GetGlfwVideoModes();
  Array<VexDisplayMode> out(modes.Length());
  for (int i = 0; i < modes.Length(); ++i) {
    out[i].width = modes[i].width;
    out[i].height = modes[i].height;
  }
  return out;
}

std::unique_ptr<VexDisplayMode> VexGlfwGame::GetDesktopMode() {
  auto mode = GetGlfwDesktopMode();
  if (!mode) return nullptr;
  auto out = std::make_unique<VexDisplayMode>();
  out->width = mode->width;
  out->height = mode->height;
  return out;
}

void VexGlfwGame::SetSwapInterval(int interval) {
  swapInterval = interval;
  if (interval >= 0 && window_) glfwSwapInterval(interval);
}

String VexGlfwGame::PathToFilePath(const String &path) {
  if (!path.StartsWith("quill:")) return path;
  // Loaders on worker threads map paths too: the directory is worked out by
  // whichever thread comes first, and the others wait for it.
  String dir;
  {
    std::lock_guard<std::mutex> lock(appDirMutex);
    if (appDir.Empty()) {
      appDir = AppDirOfExecutable(ExecutablePath());
      internalDir = appDir + "/internal";
    }
    dir = appDir;
  }
  return MapDataPath(path, dir);
}

std::unique_ptr<VexGlfwVideoMode> VexGlfwGame::GetGlfwDesktopMode() {
  GLFWmonitor *monitor = glfwGetPrimaryMonitor();
  const GLFWvidmode *mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
  if (!mode) return nullptr;
  auto out = std::make_unique<VexGlfwVideoMode>();
  *out = {mode->width, mode->height, mode->redBits, mode->greenBits, mode->blueBits};
  return out;
}

Array<VexGlfwVideoMode> VexGlfwGame::GetGlfwVideoModes() {
  GLFWmonitor *monitor = glfwGetPrimaryMonitor();
  int count = 0;
  const GLFWvidmode *modes = monitor ? glfwGetVideoModes(monitor, &count) : nullptr;
  if (!modes || count <= 0) return Array<VexGlfwVideoMode>();
  if (count > 1024) count = 1024;
  Array<VexGlfwVideoMode> out(count);
  for (int i = 0; i < count; ++i)
    out[i] = {modes[i].width, modes[i].height, modes[i].redBits, modes[i].greenBits, modes[i].blueBits};
  return out;
}

void VexGlfwGame::SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
                                bool fullscreen) {
  // Keys held across the switch would never see their release in the new
  // window, so release them now.
  if (window_) {
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
      if (glfwGetKey(window_, key) != GLFW_PRESS) continue;
      if (int code = TransKey(key)) KeyEvent(KeyUp, code);
    }
    // A held button belongs to the old window; the new one never sees its
    // release. A release does not move the pointer, so the position is moot.
    for (int button = 0; button < keycode::kMouseButtons; ++button)
      if (glfwGetMouseButton(window_, button) == GLFW_PRESS) MouseEvent(MouseUp, button, 0, 0);
  }
  auto desktop = GetGlfwDesktopMode();
  if (window_) {
    glfwDestroyWindow(window_);
    window_ = nullptr;
  }
  glfwDefaultWindowHints();
  glfwWindowHint(GLFW_REFRESH_RATE, 60);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
  glfwWindowHint(GLFW_RED_BITS, red);
  glfwWindowHint(GLFW_GREEN_BITS, green);
  glfwWindowHint(GLFW_BLUE_BITS, blue);
  glfwWindowHint(GLFW_ALPHA_BITS, alpha);
  glfwWindowHint(GLFW_DEPTH_BITS, depth);
  glfwWindowHint(GLFW_STENCIL_BITS, stencil);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  // A full-screen window keeps the title too, so that task switchers name it.
  window_ = glfwCreateWindow(width, height, "Tilemarch", fullscreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
  ++glfwGraphicsSeq;
  fullscreen_ = fullscreen;
  loop_.Redraw();
  if (!window_) return;
  glfwMakeContextCurrent(window_);
  if (!fullscreen && desktop) glfwSetWindowPos(window_, (desktop->width - width) / 2, (desktop->height - height) / 2);
  glfwShowWindow(window_);
  glfwGetWindowSize(window_, &width_, &height_);
  glfwGetFramebufferSize(window_, &fbWidth_, &fbHeight_);
  areaPresent_.Attach();
  focused_ = glfwGetWindowAttrib(window_, GLFW_FOCUSED) == GLFW_TRUE;
  iconified_ = glfwGetWindowAttrib(window_, GLFW_ICONIFIED) == GLFW_TRUE;
  if (swapInterval >= 0) glfwSwapInterval(swapInterval);
  InstallCallbacks();
}

void VexGlfwGame::InstallCallbacks() {
  glfwSetKeyCallback(window_, OnKey);
  glfwSetCharCallback(window_, OnChar);
  glfwSetMouseButtonCallback(window_, OnMouseButton);
  glfwSetCursorPosCallback(window_, OnCursorPos);
  glfwSetWindowCloseCallback(window_, OnClose);
  glfwSetWindowRefreshCallback(window_, OnRefresh);
  glfwSetWindowSizeCallback(window_, OnSize);
  glfwSetFramebufferSizeCallback(window_, OnFramebufferSize);
  glfwSetWindowFocusCallback(window_, OnFocus);
  glfwSetWindowIconifyCallback(window_, OnIconify);
}

void VexGlfwGame::Run() {
  SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  StartGame();
  loop_.Run();
}
