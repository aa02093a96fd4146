// The framework's side of the host: the application base class c_App, the
// bridge c_GameDelegate that turns host calls into application callbacks, and
// the vex_app_* functions through which the game talks to the host.
//
// Order over a run: the game object is constructed and its c_App constructor
// registers the delegate; the host opens the window; StartGame creates the
// graphics, audio and input devices and calls p_OnCreate; then the host
// alternates RenderGame and UpdateGame, with SuspendGame / ResumeGame on focus
// changes. The first p_OnRender runs before the first p_OnUpdate.
#pragma once

#include <memory>

#include "host/game.h"
#include "runtime/array.h"
#include "runtime/object.h"

class gxtkGraphics;
class gxtkAudio;
class c_InputDevice;
class c_GameDelegate;

class c_App : public Object {
public:
  // Registers this object as the one application; a second one is the runtime
  // error "App has already been created".
  c_App();
  ~c_App() override;

  virtual void p_OnCreate() {}
  virtual void p_OnSuspend() {}
  virtual void p_OnResume() {}
  virtual void p_OnUpdate() {}
  virtual void p_OnRender() {}
  // Whether p_OnRender would now draw something else than the frame on
  // screen; an application that cannot tell is drawn every pass.
  virtual bool p_PictureChanged() { return true; }
  // The window areas outside which p_OnRender would draw what is on screen
  // (none when it would draw it everywhere); false when the application
  // cannot bound them.
  virtual bool p_ChangedAreas(VexAreas & /*areas*/) { return false; }
  void p_OnResize() {}
  void p_OnLoading() {}
  void p_OnClose();
  void p_OnBack();
};

class c_GameDelegate : public VexGameDelegate {
public:
  c_GameDelegate();
  ~c_GameDelegate() override;

  void StartGame() override;
  void SuspendGame() override;
  void ResumeGame() override;
  void UpdateGame() override;
  void RenderGame() override;
  bool PictureChanged() override;
  bool ChangedAreas(VexAreas &areas) override;
  void ClipFrame(std::span<const VexRect> areas) override;
  // See vex_app_DrawInFrameArea.
  void DrawInFrameArea(int i);
  void KeyEvent(int event, int data) override;
  void MouseEvent(int event, int data, float x, float y) override;
  void TouchEvent(int event, int data, float x, float y) override;
  void MotionEvent(int event, int data, float x, float y, float z) override;
  void DiscardGraphics() override;

  std::unique_ptr<gxtkGraphics> m_graphics;
  std::unique_ptr<gxtkAudio> m_audio;
  std::unique_ptr<c_InputDevice> m_input;
  VexAreas m_frameAreas;
};

struct c_DisplayMode {
  int width = 0, height = 0;
};

extern c_App *vex_app__app;
extern c_GameDelegate *vex_app__delegate;
extern VexGame *vex_app__game;
extern int vex_app__updateRate;
extern int vex_app__devWidth, vex_app__devHeight;
extern Array<c_DisplayMode> vex_app__displayModes;
extern std::unique_ptr<c_DisplayMode> vex_app__desktopMode;

// Sets every framework global to its initial value.
void vexInit();

void vex_app_SetUpdateRate(int hertz);
int vex_app_UpdateRate();
int vex_app_Millisecs();
int vex_app_DeviceWidth();
int vex_app_DeviceHeight();
// The window areas the frame being rendered is drawn in, one after the other
// (none: the whole window), and the choice of the i-th for what is drawn next
// (-1: anywhere in their bounding box).
std::span<const VexRect> vex_app_FrameAreas();
void vex_app_DrawInFrameArea(int i);
void vex_app_ValidateDeviceWindow(bool notifyApp);
void vex_app_EnumDisplayModes();
Array<c_DisplayMode> vex_app_DisplayModes();
c_DisplayMode *vex_app_DesktopMode();
int vex_app_SaveState(const String &state);
String vex_app_LoadState();
[[noreturn]] void vex_app_EndApp();

// The distinct sizes of a mode list, in order of first appearance.
Array<c_DisplayMode> DistinctDisplayModes(const Array<VexDisplayMode> &modes);
