// VexGame: the platform-neutral host.
//
// It holds the delegate, the update rate and the started/suspended states, and
// guards every call into the framework: each entry point runs only in the
// states that allow it, turns an escaping ThrowableObject into the runtime's
// "Uncaught Quill Exception" report (Die), and runs the collection step after.
// Platform hosts (VexGlfwGame) override the device questions and the loop.
// The host is the loaders' file source and the input device's pad source.
#pragma once

#include <cstdio>
#include <memory>

#include "host/game_delegate.h"
#include "input/input_host.h"
#include "runtime/array.h"
#include "runtime/file_source.h"
#include "runtime/string.h"

struct VexDisplayMode {
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
};

class VexGame : public FileSource, public InputHost {
public:
  // The picture, sound and data loaders open files through the host from
  // here on, until it goes.
  VexGame();
  ~VexGame() override;

  static VexGame *_game;

  virtual void SetDelegate(VexGameDelegate *delegate) { delegate_ = delegate; }
  virtual VexGameDelegate *Delegate() { return delegate_; }
  void SetKeyboardEnabled(bool enabled) override { keyboardEnabled = enabled; }
  virtual bool KeyboardEnabled() { return keyboardEnabled; }
  virtual void SetUpdateRate(int hertz) { updateRate = hertz; }
  virtual int UpdateRate() { return updateRate; }
  virtual bool Started() { return started; }
  virtual bool Suspended() { return suspended; }
  virtual int Millisecs() { return 0; }
  virtual void GetDate(const Array<int> &date);
  virtual int SaveState(const String &state);
  virtual String LoadState();
  virtual String LoadString(const String &path);
  bool PollJoystick(int port, const Array<float> &joyx, const Array<float> &joyy, const Array<float> &joyz,
                    const Array<bool> &buttons) override;
  virtual void OpenUrl(const String & /*url*/) {}
  virtual void SetMouseVisible(bool /*visible*/) {}
  virtual int GetDeviceWidth() { return 0; }
  virtual int GetDeviceHeight() { return 0; }
  virtual void SetDeviceWindow(int /*width*/, int /*height*/, int /*flags*/) {}
  virtual Array<VexDisplayMode> GetDisplayModes() { return Array<VexDisplayMode>(); }
  virtual std::unique_ptr<VexDisplayMode> GetDesktopMode() { return nullptr; }
  virtual void SetSwapInterval(int /*interval*/) {}
  virtual String PathToFilePath(const String &path) { return path; }
  FILE *OpenFile(const String &path, const String &mode) override;
  std::unique_ptr<unsigned char[]> LoadData(const String &path, int *length) override;
  [[noreturn]] virtual void Die();
  virtual void gc_collect() {}

  void StartGame();
  void SuspendGame();
  void ResumeGame();
  void UpdateGame();
  void RenderGame();
  bool PictureChanged();
  bool ChangedAreas(VexAreas &areas);
  void ClipFrame(std::span<const VexRect> areas);
  void KeyEvent(int event, int data);
  void MouseEvent(int event, int data, float x, float y);
  void TouchEvent(int event, int data, float x, float y);
  void MotionEvent(int event, int data, float x, float y, float z);
  void DiscardGraphics();

protected:
  VexGameDelegate *delegate_ = nullptr;
  bool keyboardEnabled = false;
  int updateRate = 0;
  bool started = false;
  bool suspended = false;

private:
  template <class F> void Guarded(F &&call);
};
