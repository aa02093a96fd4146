// Devices for the game benchmarks: they answer no input, draw and play
// nothing, and load every picture and sound as present, so that a benchmark
// times only the game's own work.
#pragma once

#include <memory>

#include "game/devices.h"

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
  GameImage LoadImage(const String &, int, int, int, int) override { return Present<c_Image>(); }
  GameImage CreateImage(int, int, int, int) override { return Present<c_Image>(); }
  void SetColor(float, float, float) override {}
  void SetAlpha(float) override {}
  void SetBlend(int) override {}
  void DrawRect(float, float, float, float) override {}
  void DrawOval(float, float, float, float) override {}
  void DrawLine(float, float, float, float) override {}
  void DrawImage(const GameImage &, float, float, float, float, float, int) override {}
  GameSound LoadSound(const String &) override { return Present<c_Sound>(); }
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

private:
  // A non-null handle that stands for a loaded image or sound; never used.
  template <class T> static std::shared_ptr<T> Present() {
    static int token;
    return std::shared_ptr<T>(std::shared_ptr<void>(), reinterpret_cast<T *>(&token));
  }
};
