// FrameworkDevices: the game's device edge on the framework's input, graphics,
// audio and asynchronous-event modules and on the host.
#pragma once

#include "game/devices.h"

class FrameworkDevices : public GameDevices {
public:
  int KeyDown(int key) override;
  int KeyHit(int key) override;
  float MouseX() override;
  float MouseY() override;
  float TouchX(int index) override;
  float TouchY(int index) override;
  float JoyX(int stick, int pad) override;
  float JoyY(int stick, int pad) override;
  int GetChar() override;

  GameImage LoadImage(const String &path, int frameWidth, int frameHeight, int frames, int flags) override;
  GameImage CreateImage(int width, int height, int frames, int flags) override;
  GameImage LoadImageOnDemand(const String &path, int frameWidth, int frameHeight, int frames, int flags) override;
  void SetColor(float r, float g, float b) override;
  void SetAlpha(float alpha) override;
  void SetBlend(int blend) override;
  void DrawRect(float x, float y, float w, float h) override;
  bool Clear(float r, float g, float b) override;
  int SubpixelBits() override;
  std::span<const VexRect> FrameAreas() override;
  void DrawInArea(int i) override;
  void DrawOval(float x, float y, float w, float h) override;
  void DrawLine(float x1, float y1, float x2, float y2) override;
  void DrawImage(const GameImage &image, float x, float y, float rotation, float scaleX, float scaleY,
                 int frame) override;

  GameSound LoadSound(const String &path) override;
  void PlaySound(const GameSound &sound, int channel, int flags) override;
  void StopChannel(int channel) override;
  void SetChannelRate(int channel, float rate) override;
  void SetChannelVolume(int channel, float volume) override;
  void SetChannelPan(int channel, float pan) override;
  void PlayMusic(const String &path, int flags) override;
  void StopMusic() override;
  void PauseMusic() override;
  void ResumeMusic() override;

  void UpdateAsyncEvents() override;

  int Millisecs() override;
  void SetKeyboardEnabled(bool enabled) override;
  bool SetFullScreen(bool on) override;
};
