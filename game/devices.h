// GameDevices: the narrow edge between the game object and the framework's
// input, graphics and audio modules and the host.
//
// The game reads keys, draws and plays sound only through this interface, so
// its logic runs in tests without a window, a sound device or a GL context: a
// test passes its own implementation to c_MyApp. FrameworkDevices
// (game/framework_devices.h) forwards every call to the vex_input_*,
// vex_graphics_* and vex_audio_* modules for the real program.
#pragma once

#include <memory>
#include <span>

#include "host/game_delegate.h"
#include "runtime/string.h"

class c_Image;
class c_Sound;

using GameImage = std::shared_ptr<c_Image>;
using GameSound = std::shared_ptr<c_Sound>;

class GameDevices {
public:
  virtual ~GameDevices() = default;

  // Input, in the input device's key-code space.
  virtual int KeyDown(int key) = 0;
  virtual int KeyHit(int key) = 0;
  virtual float MouseX() = 0;
  virtual float MouseY() = 0;
  virtual float TouchX(int index) = 0;
  virtual float TouchY(int index) = 0;
  virtual float JoyX(int stick, int pad) = 0;
  virtual float JoyY(int stick, int pad) = 0;
  // The next queued character, 0 when the queue is empty.
  virtual int GetChar() = 0;

  // Drawing. Images are loaded with their handle where the flags put it; a
  // null image is an empty slot.
  virtual GameImage LoadImage(const String &path, int frameWidth, int frameHeight, int frames, int flags) = 0;
  virtual GameImage CreateImage(int width, int height, int frames, int flags) = 0;
  // An image read from its file only when it is first drawn.
  virtual GameImage LoadImageOnDemand(const String &path, int frameWidth, int frameHeight, int frames, int flags) {
    return LoadImage(path, frameWidth, frameHeight, frames, flags);
  }
  virtual void SetColor(float r, float g, float b) = 0;
  virtual void SetAlpha(float alpha) = 0;
  virtual void SetBlend(int blend) = 0;
  virtual void DrawRect(float x, float y, float w, float h) = 0;
  // Fills the whole device with an opaque colour of whole channel values, if
  // the device can do that faster than a rectangle; false when it cannot.
  virtual bool Clear(float /*r*/, float /*g*/, float /*b*/) { return false; }
  virtual void DrawOval(float x, float y, float w, float h) = 0;
  virtual void DrawLine(float x1, float y1, float x2, float y2) = 0;
  // The rasteriser's sub-pixel bits: vertices that agree to this precision
  // cover the same pixels.
  virtual int SubpixelBits() { return 8; }
  // The window areas this frame is drawn in, one after the other (none: the
  // whole window); DrawInArea(i) confines what is drawn next to the i-th.
  virtual std::span<const VexRect> FrameAreas() { return {}; }
  virtual void DrawInArea(int /*i*/) {}
  virtual void DrawImage(const GameImage &image, float x, float y, float rotation, float scaleX, float scaleY,
                         int frame) = 0;

  // Sound. A null sound is an empty slot.
  virtual GameSound LoadSound(const String &path) = 0;
  virtual void PlaySound(const GameSound &sound, int channel, int flags) = 0;
  virtual void StopChannel(int channel) = 0;
  virtual void SetChannelRate(int channel, float rate) = 0;
  virtual void SetChannelVolume(int channel, float volume) = 0;
  virtual void SetChannelPan(int channel, float pan) = 0;
  virtual void PlayMusic(const String &path, int flags) = 0;
  virtual void StopMusic() = 0;
  virtual void PauseMusic() = 0;
  virtual void ResumeMusic() = 0;

  // Delivers the results of the asynchronous layer's workers.
  virtual void UpdateAsyncEvents() = 0;

  // The host: its clock in milliseconds, its on-screen keyboard, and its
  // window, switched to full screen at the desktop's mode or back to a 640 x
  // 480 window. False when there is no window to switch.
  virtual int Millisecs() = 0;
  virtual void SetKeyboardEnabled(bool enabled) = 0;
  virtual bool SetFullScreen(bool on) = 0;
};
