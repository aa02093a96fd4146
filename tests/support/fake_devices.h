// Game devices without a window, a sound device or a player, for the game's
// tests and benchmarks: they answer no input, draw and play nothing, and load
// every picture and sound as a real, empty object of its own, so that the
// game sees frames and handles where it looks for them. Tests derive from them
// to feed input or to watch what the game draws and plays.
#pragma once

#include "game/devices.h"

// An image without pixels: `frames` frames of width x height in one row of a
// surface that has no texture, its handle where the flags put it.
GameImage TestImage(int width, int height, int frames, int flags);

class QuietDevices : public GameDevices {
public:
  int KeyDown(int) override { return 0; }
  int KeyHit(int) override { return 0; }
  float MouseX() override { return 0; }
  float MouseY() override { return 0; }
  float TouchX(int) override { return 0; }
  float TouchY(int) override { return 0; }
  float JoyX(int, int) override { return 0; }
  float JoyY(int, int) override { return 0; }
  int GetChar() override { return 0; }
  // Every picture is present, made as CreateImage makes it.
  GameImage LoadImage(const String &, int frameWidth, int frameHeight, int frames, int flags) override {
    return CreateImage(frameWidth, frameHeight, frames, flags);
  }
  GameImage CreateImage(int width, int height, int frames, int flags) override {
    return TestImage(width, height, frames, flags);
  }
  void SetColor(float, float, float) override {}
  void SetAlpha(float) override {}
  void SetBlend(int) override {}
  void DrawRect(float, float, float, float) override {}
  void DrawOval(float, float, float, float) override {}
  void DrawLine(float, float, float, float) override {}
  void DrawImage(const GameImage &, float, float, float, float, float, int) override {}
  // Every sound is present, a sound of its own without a sample.
  GameSound LoadSound(const String &path) override;
  void PlaySound(const GameSound &, int, int) override {}
  void StopChannel(int) override {}
  void SetChannelRate(int, float) override {}
  void SetChannelVolume(int, float) override {}
  void SetChannelPan(int, float) override {}
  void PlayMusic(const String &, int) override {}
  void StopMusic() override {}
  void PauseMusic() override {}
  void ResumeMusic() override {}
  void UpdateAsyncEvents() override {}
  // A clock that stands still, as on a host without one.
  int Millisecs() override { return 0; }
  void SetKeyboardEnabled(bool) override {}
  bool SetFullScreen(bool) override { return false; }
};
