// Test double for the game's devices and a fixture that builds a c_MyApp on a
// test host that reports a chosen device size, without a window.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/devices.h"
#include "game/flow.h"
#include "host/game.h"

// Records what the game asks of the devices and answers from settable state.
class FakeDevices : public GameDevices {
public:
  std::set<int> down, hits;
  float mouseX = 0, mouseY = 0;
  float touchX[10] = {}, touchY[10] = {};
  float joyX[4] = {}, joyY[4] = {};
  std::vector<int> chars;
  // Files that "exist"; every other load gives an empty slot. Empty set means
  // every file loads.
  bool allFilesExist = true;
  std::vector<std::string> imagesLoaded, soundsLoaded, musicPlayed;
  struct Call {
    std::string what;
    int channel;
    float value;
  };
  std::vector<Call> audio;
  int drawCalls = 0, imageDraws = 0, rects = 0, ovals = 0, lines = 0, pauses = 0, resumes = 0;
  float lastRect[4] = {};

  int KeyDown(int key) override { return down.count(key) ? 1 : 0; }
  int KeyHit(int key) override { return hits.count(key) ? 1 : 0; }
  float MouseX() override { return mouseX; }
  float MouseY() override { return mouseY; }
  float TouchX(int i) override { return touchX[i]; }
  float TouchY(int i) override { return touchY[i]; }
  float JoyX(int, int pad) override { return joyX[pad]; }
  float JoyY(int, int pad) override { return joyY[pad]; }
  int GetChar() override {
    if (chars.empty()) return 0;
    int c = chars.front();
    chars.erase(chars.begin());
    return c;
  }
  GameImage LoadImage(const String &path, int, int, int, int) override {
    imagesLoaded.push_back(path.ToUtf8());
    return allFilesExist ? Token<c_Image>() : nullptr;
  }
  GameImage CreateImage(int, int, int, int) override { return Token<c_Image>(); }
  void SetColor(float, float, float) override {}
  void SetAlpha(float) override {}
  int blend = -1;
  void SetBlend(int b) override { blend = b; }
  void DrawRect(float x, float y, float w, float h) override {
    ++rects;
    lastRect[0] = x, lastRect[1] = y, lastRect[2] = w, lastRect[3] = h;
  }
  void DrawOval(float, float, float, float) override { ++ovals; }
  void DrawLine(float, float, float, float) override { ++lines; }
  void DrawImage(const GameImage &, float, float, float, float, float, int) override { ++imageDraws; }
  GameSound LoadSound(const String &path) override {
    soundsLoaded.push_back(path.ToUtf8());
    return allFilesExist ? Token<c_Sound>() : nullptr;
  }
  void PlaySound(const GameSound &, int channel, int) override { audio.push_back({"play", channel, 0}); }
  void StopChannel(int channel) override { audio.push_back({"stop", channel, 0}); }
  void SetChannelRate(int channel, float v) override { audio.push_back({"rate", channel, v}); }
  void SetChannelVolume(int channel, float v) override { audio.push_back({"volume", channel, v}); }
  void SetChannelPan(int channel, float v) override { audio.push_back({"pan", channel, v}); }
  void PlayMusic(const String &path, int) override { musicPlayed.push_back(path.ToUtf8()); }
  void StopMusic() override { musicPlayed.push_back("stop"); }
  void PauseMusic() override { ++pauses; }
  void ResumeMusic() override { ++resumes; }
  void UpdateAsyncEvents() override {}

private:
  // A non-null handle standing for a loaded image or sound.
  template <class T> static std::shared_ptr<T> Token() {
    static int token;
    return std::shared_ptr<T>(std::shared_ptr<void>(), reinterpret_cast<T *>(&token));
  }
};

// A host that reports a device size and a settable clock.
class TestHost : public VexGame {
public:
  int width = 640, height = 480, millis = 1000;
  int Millisecs() override { return millis; }
  int GetDeviceWidth() override { return width; }
  int GetDeviceHeight() override { return height; }
  // The state stays in memory, so tests never share a state file.
  String state;
  int SaveState(const String &text) override {
    state = text;
    return 0;
  }
  String LoadState() override { return state; }
};

class GameTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the game as the host does (p_OnCreate) at a device size.
  void Create(int width = 640, int height = 480);
  // Runs the loader to its end and renders once, so the fit is current.
  void FinishLoading();
  void Resize(int width, int height);
  void Update() { app->p_OnUpdate(); }
  void Render() { app->p_OnRender(); }
  // The records of the display list.
  int Records() const { return app->m_drawCount / 15; }
  float Rec(int record, int field) const { return app->m_drawList[record * 15 + field]; }

  std::unique_ptr<TestHost> host;
  std::shared_ptr<FakeDevices> dev;
  std::unique_ptr<c_MyApp> app;
};
