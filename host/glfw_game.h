// VexGlfwGame: the host on GLFW 3 — the window, the timer, the GLFW input
// callbacks and the platform calls; its main loop (host/main_loop.h) runs on
// GLFW's clock, event queue and window.
#pragma once

#include <mutex>

#include "host/game.h"
#include "host/glx_present.h"
#include "host/loop_platform.h"
#include "host/main_loop.h"

struct GLFWwindow;

struct VexGlfwVideoMode {
  int width = 0, height = 0, red = 0, green = 0, blue = 0;
};

class VexGlfwGame : public VexGame {
public:
  VexGlfwGame();
  ~VexGlfwGame() override;

  static VexGlfwGame *_glfwGame;

  void SetUpdateRate(int hertz) override;
  int Millisecs() override;
  int SaveState(const String &state) override;
  String LoadState() override;
  bool PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                    const Array<bool> &buttons) override;
  void OpenUrl(const String &url) override;
  void SetMouseVisible(bool visible) override;
  int GetDeviceWidth() override;
  int GetDeviceHeight() override;
  void SetDeviceWindow(int width, int height, int flags) override;
  Array<VexDisplayMode> GetDisplayModes() override;
  std::unique_ptr<VexDisplayMode> GetDesktopMode() override;
  void SetSwapInterval(int interval) override;
  String PathToFilePath(const String &path) override;

  void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
                     bool fullscreen);
  std::unique_ptr<VexGlfwVideoMode> GetGlfwDesktopMode();
  Array<VexGlfwVideoMode> GetGlfwVideoModes();
  void Run();

  // One pass of the main loop (host/main_loop.h).
  void RunPass() { loop_.RunPass(); }
  // The clock, events and window the loop runs on, in place of GLFW's.
  void SetLoopPlatform(VexLoopPlatform *platform) { loop_.SetPlatform(platform); }
  GLFWwindow *Window() const { return window_; }
  bool FullScreen() const { return fullscreen_; }
  double NextUpdate() const { return loop_.NextUpdate(); }
  // The window lost its pixels or changed size: the next pass draws whether
  // or not the picture changed.
  void Redraw() { loop_.Redraw(); }
  // What the window's callbacks last told: asking the X server instead would
  // cost a round trip on every update.
  void WindowResized(int width, int height);
  void FramebufferResized(int width, int height);
  // The window's area copied from the back buffer, where GLX can.
  bool CanPresentArea() const { return window_ && areaPresent_.Available(); }
  void PresentAreas(std::span<const VexRect> areas);
  void WindowFocused(bool focused) { focused_ = focused; }
  void WindowIconified(bool iconified) { iconified_ = iconified; }
  bool WindowActive() const { return window_ && focused_ && !iconified_; }

protected:
  // Filled on first need by PathToFilePath, under the mutex.
  std::mutex appDirMutex;
  String appDir, internalDir;
  int swapInterval = 1;

private:
  void InstallCallbacks();

  GLFWwindow *window_ = nullptr;
  bool fullscreen_ = false;
  GlxAreaPresent areaPresent_;
  int fbWidth_ = 0, fbHeight_ = 0;
  int width_ = 0, height_ = 0;
  bool focused_ = false, iconified_ = false;
  std::unique_ptr<VexLoopPlatform> glfwPlatform_;
  std::unique_ptr<VexFrameProbe> frameProbe_;
  VexMainLoop loop_{*this};
};
