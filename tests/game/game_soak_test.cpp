// Two hours of play in fast motion: the game object, headless on the test
// devices, takes 432,000 updates of random input, each followed by a render as
// the host's loop does, and must pass through the menu, puzzles, the pause menu
// and the options box many times without a crash and without growing.
//
// The random input never holds F4, the close key (432) or the back key (416),
// and holds no back action (escape, `, delete, backspace, pad buttons 6, 7 and
// 14, the arcade cabinet's O and L) while the main menu is up: each of those
// ends the process by design, which here would cut the run short.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "game_fixture.h"
#include "support/files.h"

namespace {

constexpr int kUpdates = 432000; // two hours at 60 updates per second
constexpr int kWarmUpUpdates = 30000;
constexpr int kMillisPerUpdate = 17;
// The run's exit code when it got to its end; the game's own quit paths end
// the process with 0.
constexpr int kRunFinished = 42;

enum Visit { kMenu, kPuzzle, kPause, kOptions, kVisitKinds };
const char *const kVisitNames[kVisitKinds] = {"menu", "puzzle", "pause", "options"};

constexpr int kKeyF4 = 115;
// F1 (debug overlay), F2 (clean view) and F11 (full screen), taken as hits.
constexpr int kFunctionKeys[] = {112, 113, 122};
constexpr int kBackKey = 416, kCloseKey = 432;
constexpr int kPadBase = 256, kPadStride = 32, kTouchBase = 384;
// Keys the screens ask for: directions, the six buttons, and the back keys.
const int kActionKeys[] = {38, 87, 37, 65, 39, 68, 40, 83, 90, 74, 32, 13,  88, 75,
                           17, 67, 76, 16, 86, 73, 66, 85, 78, 79, 27, 192, 46, 8};
constexpr int kHowToX = 6, kHowToY = 7;

bool EndsTheGame(int key, bool inMenu) {
  if (key == kKeyF4 || key == kBackKey || key == kCloseKey) return true;
  if (!inMenu) return false;
  if (key == 27 || key == 192 || key == 46 || key == 8) return true;
  if (key >= kPadBase && key < kPadBase + 4 * kPadStride) {
    int button = (key - kPadBase) % kPadStride;
    return button == 6 || button == 7 || button == 14;
  }
  return false;
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// A restless player: random keys, pad buttons, drags, clicks and touches for
// a while on each screen, then presses that lead on to the next screen, so
// that every screen keeps coming round.
class Player {
public:
  Player(c_MyApp &app, FakeDevices &dev, TestHost &host, unsigned seed)
      : app_(app), dev_(dev), host_(host), rng_(seed) {}

  // Sets the devices' input for the coming update.
  void Next() {
    // The input device empties its character queue after every update.
    dev_.chars.clear();
    dev_.hits.clear();
    const int screen = Screen();
    if (screen != screen_) {
      screen_ = screen;
      dwell_ = Between(20, 1500);
      pauseTarget_ = Between(0, 99) < 55 ? 1 : Between(-1, 0);
    }
    if (dwell_ > 0) {
      --dwell_;
      Wander();
    } else {
      Steer();
    }
  }

private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(int perMille) { return Between(0, 999) < perMille; }

  int Screen() const {
    if (app_.m_optionsOpen == 1) return kOptions;
    if (app_.m_state >= 10) return app_.m_paused == 1 ? kPause : kPuzzle;
    return kMenu;
  }

  void Press(int key, int updates) {
    if (!held_.count(key)) dev_.hits.insert(key);
    held_[key] = updates;
  }

  void ReleaseAll() {
    held_.clear();
    dev_.down.clear();
    pointer_ = 0;
  }

  void Wander() {
    const bool inMenu = app_.m_state < 10;
    for (auto it = held_.begin(); it != held_.end();)
      it = --it->second <= 0 || EndsTheGame(it->first, inMenu) ? held_.erase(it) : std::next(it);
    if (Chance(80)) {
      int key = 0, kind = Between(0, 9);
      if (kind < 5)
        key = kActionKeys[Between(0, std::size(kActionKeys) - 1)];
      else if (kind < 7)
        key = Between(1, 511);
      else if (kind < 9)
        key = kPadBase + kPadStride * Between(0, 3) + Between(0, 15);
      else
        dev_.hits.insert(kFunctionKeys[Between(0, 2)]);
      if (key && !EndsTheGame(key, inMenu)) Press(key, Between(1, 40));
    }
    if (Chance(5)) dev_.chars.push_back("WEXZAQDCYTUFIMHRJNKPwexzaqdc"[Between(0, 27)]);

    const float w = static_cast<float>(host_.width), h = static_cast<float>(host_.height);
    dev_.mouseX = std::clamp(dev_.mouseX + static_cast<float>(Between(-12, 12)), 0.0f, w);
    dev_.mouseY = std::clamp(dev_.mouseY + static_cast<float>(Between(-12, 12)), 0.0f, h);
    if (pointer_ > 0) {
      --pointer_;
    } else if (Chance(40)) {
      pointer_ = Between(1, 30);
      if (Chance(500)) {
        dev_.mouseX = static_cast<float>(Between(0, host_.width));
        dev_.mouseY = static_cast<float>(Between(0, host_.height));
      }
      dev_.hits.insert(1);
    }
    if (touch_ > 0) {
      --touch_;
    } else if (Chance(10)) {
      touch_ = Between(1, 20);
      finger_ = Between(0, 9);
      dev_.touchX[finger_] = static_cast<float>(Between(0, host_.width));
      dev_.touchY[finger_] = static_cast<float>(Between(0, host_.height));
    }

    dev_.down.clear();
    for (auto [key, updates] : held_) dev_.down.insert(key);
    if (pointer_ > 0) dev_.down.insert(1);
    if (touch_ > 0) dev_.down.insert(kTouchBase + finger_);
  }

  // Taps one key: held for two updates, released for two, so each press gets
  // past the screens' input latches.
  void Steer() {
    ReleaseAll();
    touch_ = 0;
    if (++steerPhase_ % 4 >= 2) return;
    int key = 0;
    switch (screen_) {
    case kMenu:
      if (app_.m_state != 1) break;
      if (app_.m_mapCells[16 * app_.m_menuY + app_.m_menuX] == 0)
        key = kKeyEnter;
      else if (app_.m_menuX != kHowToX)
        key = app_.m_menuX < kHowToX ? kKeyRight : kKeyLeft;
      else
        key = app_.m_menuY < kHowToY ? kKeyDown : kKeyUp;
      break;
    case kPuzzle:
      if (app_.m_state == 10 && app_.m_endState == 0) key = kKeyEscape;
      break;
    case kPause:
      if (app_.m_pauseDir != 1) break;
      if (app_.m_pauseSel == pauseTarget_)
        key = kKeyEnter;
      else
        key = app_.m_pauseSel > pauseTarget_ ? kKeyUp : kKeyDown;
      break;
    default:
      if (app_.m_state >= 10) key = kKeyEscape;
      break;
    }
    if (key) {
      Press(key, 2);
      dev_.down.insert(key);
    }
  }

  c_MyApp &app_;
  FakeDevices &dev_;
  TestHost &host_;
  std::mt19937 rng_;
  std::map<int, int> held_;
  int screen_ = -1, dwell_ = 0, pauseTarget_ = 0, steerPhase_ = 0;
  int pointer_ = 0, touch_ = 0, finger_ = 0;
};

class GameSoak : public GameTest {
protected:
  // The whole run; writes what it saw to `report` and leaves the process with
  // kRunFinished.
  [[noreturn]] void RunAndReport(const std::string &report) {
    const auto start = std::chrono::steady_clock::now();
    // With the debug mode that F1 turns on, every save is printed.
    std::freopen("/dev/null", "w", stdout);
    Create();
    Player player(*app, *dev, *host, 20261207);
    const int sizes[][2] = {{640, 480}, {1280, 720}, {800, 600}, {480, 640}, {630, 470}};
    int visits[kVisitKinds] = {};
    long settledKb = 0, peakKb = 0;
    for (int update = 0; update < kUpdates; ++update) {
      const int state = app->m_state, paused = app->m_paused, options = app->m_optionsOpen;
      player.Next();
      Update();
      // Window events are rare next to input: a focus loss now and then,
      // and a resize, which reloads every picture.
      if (update % 9973 == 0) {
        app->p_OnSuspend();
        Render();
        app->p_OnResume();
      }
      if (update % 49999 == 0) Resize(sizes[update / 49999 % 5][0], sizes[update / 49999 % 5][1]);
      host->millis += kMillisPerUpdate;
      Render();
      dev->audio.clear();
      dev->imagesLoaded.clear();
      dev->soundsLoaded.clear();
      dev->musicPlayed.clear();
      dev->played.clear();
      host->saves.clear();

      visits[kMenu] += app->m_state == 1 && state != 1;
      visits[kPuzzle] += app->m_state == 11 && state != 11;
      visits[kPause] += app->m_paused == 1 && paused != 1;
      visits[kOptions] += app->m_optionsOpen == 1 && options != 1;
      if (update == kWarmUpUpdates) settledKb = ResidentKb();
      if (update > kWarmUpUpdates && update % 1000 == 0) peakKb = std::max(peakKb, ResidentKb());
    }
    std::ofstream out(report);
    for (int kind = 0; kind < kVisitKinds; ++kind) out << kVisitNames[kind] << ' ' << visits[kind] << '\n';
    out << "growthKb " << std::max(peakKb, ResidentKb()) - settledKb << '\n';
    out << "seconds " << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << '\n';
    out.close();
#if defined(__SANITIZE_ADDRESS__)
    // Leaving with _exit skips the leak check that a normal exit runs.
    __lsan_do_leak_check();
#endif
    _exit(kRunFinished);
  }
};

TEST_F(GameSoak, TwoHoursOfRandomPlayVisitEveryScreenWithoutGrowing) {
  TempDir dir;
  const std::string report = dir / "report";
  // The game quits with exit code 0, which would pass for a finished test:
  // the run goes in a child that must reach its end to exit with its own code.
  ASSERT_EXIT(RunAndReport(report), testing::ExitedWithCode(kRunFinished), "");
  std::map<std::string, double> seen;
  std::istringstream in(ReadFile(report));
  for (std::string name; in >> name;) in >> seen[name];
  for (const char *kind : kVisitNames) EXPECT_GE(seen[kind], 40) << kind << " visits";
  std::cout << "visits: menu " << seen["menu"] << ", puzzle " << seen["puzzle"] << ", pause " << seen["pause"]
            << ", options " << seen["options"] << "; resident growth " << seen["growthKb"] << " kB; " << seen["seconds"]
            << " s\n";
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer's quarantine holds freed memory back for a while, so the
  // resident size says nothing about leaks here; its leak check does instead.
#else
  EXPECT_LT(seen["growthKb"], 1024) << "resident size grew after the warm-up";
#endif
}

} // namespace
