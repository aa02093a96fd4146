// Two hours of random play in fast motion, headless: 432,000 updates with
// renders must pass through every screen many times without a crash and
// without growing. Nothing that quits by design (F4, close, back on the map)
// is pressed, which would cut the run short.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "game_fixture.h"

namespace {

constexpr int kUpdates = 432000, kWarmUp = 30000, kRunFinished = 42;
// The keys the screens ask for: directions, the six buttons, the back keys.
constexpr int kActionKeys[28] = {38, 87, 37, 65, 39, 68, 40, 83, 90, 74, 32, 13,  88, 75,
                                 17, 67, 76, 16, 86, 73, 66, 85, 78, 79, 27, 192, 46, 8};

bool EndsTheGame(int key, bool onMap) {
  int button = (key - 256) % 32;
  return key == 115 || key == 416 || key == 432 ||
         (onMap && (key == 27 || key == 192 || key == 46 || key == 8 ||
                    (key >= 256 && key < 384 && (button == 6 || button == 7 || button == 14))));
}

long ResidentKb() {
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class GameSoak : public GameTest {
protected:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  int Screen() const {
    return app->m_optionsOpen == 1 ? 3 : app->m_state < kStatePuzzle ? 0 : app->m_paused == 1 ? 2 : 1;
  }

  // A while of random keys, pads, pointer moves and touches on each screen,
  // then taps that lead on to the next screen.
  void NextInput() {
    dev->hits.clear();
    dev->down.clear();
    if (Screen() != screen_) screen_ = Screen(), dwell_ = Between(20, 1500), target_ = Between(-1, 1);
    const bool onMap = app->m_state < kStatePuzzle;
    if (dwell_-- > 0) {
      for (auto it = held_.begin(); it != held_.end();)
        it = --it->second <= 0 || EndsTheGame(it->first, onMap) ? held_.erase(it) : std::next(it);
      int kind = Between(0, 999), key = kind < 40   ? kActionKeys[Between(0, 27)]
                                        : kind < 60 ? Between(1, 511)
                                        : kind < 80 ? 256 + 32 * Between(0, 3) + Between(0, 15)
                                                    : 0;
      if (kind >= 80 && kind < 90) dev->hits.insert(std::vector{112, 113, 122}[Between(0, 2)]);
      if (key && !EndsTheGame(key, onMap)) dev->hits.insert(key), held_[key] = Between(1, 40);
      dev->mouseX = std::clamp(dev->mouseX + Between(-12, 12), 0.0f, static_cast<float>(host->width));
      dev->mouseY = std::clamp(dev->mouseY + Between(-12, 12), 0.0f, static_cast<float>(host->height));
      if (--pointer_ < 0 && Between(0, 999) < 50) {
        pointer_ = Between(1, 30), finger_ = Between(0, 9);
        dev->hits.insert(kMouse);
        dev->touchX[finger_] = static_cast<float>(Between(0, host->width));
        dev->touchY[finger_] = static_cast<float>(Between(0, host->height));
      }
      if (pointer_ > 0) dev->down.insert({kMouse, kTouch0 + finger_});
      for (auto [key, updates] : held_) dev->down.insert(key);
      return;
    }
    held_.clear();
    pointer_ = 0;
    if (++phase_ % 4 >= 2) return;
    int key = 0, screen = Screen();
    if (screen == 0 && app->m_state == kStateMap)
      key = Locked(app->m_menuX, app->m_menuY) == 0 ? kKeyEnter
            : app->m_menuX != kHowToCol             ? (app->m_menuX < kHowToCol ? kKeyRight : kKeyLeft)
                                                    : (app->m_menuY < kHowToRow ? kKeyDown : kKeyUp);
    else if ((screen == 1 && app->m_state == kStatePuzzle && app->m_endState == 0) ||
             (screen == 3 && app->m_state >= kStatePuzzle))
      key = kKeyEscape;
    else if (screen == 2 && app->m_pauseDir == 1)
      key = app->m_pauseSel == target_ ? kKeyEnter : app->m_pauseSel > target_ ? kKeyUp : kKeyDown;
    if (key) dev->down.insert(key), dev->hits.insert(key);
  }

  // In a child process that leaves with a code of its own when it passed,
  // since the game's quit paths exit with 0.
  [[noreturn]] void Run() {
    std::freopen("/dev/null", "w", stdout); // the debug mode prints every save
    Create();
    const int sizes[][2] = {{640, 480}, {1280, 720}, {800, 600}, {480, 640}, {630, 470}};
    int visits[4] = {};
    long settledKb = 0, peakKb = 0;
    for (int update = 0; update < kUpdates; ++update) {
      int before = Screen();
      NextInput();
      Update();
      if (update % 9973 == 0) app->p_OnSuspend(), Render(), app->p_OnResume();
      if (update % 49999 == 0) Resize(sizes[update / 49999 % 5][0], sizes[update / 49999 % 5][1]);
      host->millis += 17;
      Render();
      dev->imagesLoaded.clear(), dev->music.clear(), dev->played.clear(), host->saves.clear();
      visits[Screen()] += Screen() != before;
      if (update == kWarmUp) settledKb = ResidentKb();
      if (update > kWarmUp && update % 1000 == 0) peakKb = std::max(peakKb, ResidentKb());
    }
    const long growthKb = std::max(peakKb, ResidentKb()) - settledKb;
    std::fprintf(stderr, "visits: map %d, puzzle %d, pause %d, options %d; resident growth %ld kB\n", visits[0],
                 visits[1], visits[2], visits[3], growthKb);
    bool passed = *std::min_element(visits, visits + 4) >= 40;
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check(); // _exit skips it; the quarantine would look like growth
#else
    passed = passed && growthKb < 1024;
#endif
    _exit(passed ? kRunFinished : 1);
  }

  std::mt19937 rng_{20261207};
  std::map<int, int> held_;
  int screen_ = -1, dwell_ = 0, target_ = 0, phase_ = 0, pointer_ = 0, finger_ = 0;
};

TEST_F(GameSoak, TwoHoursOfRandomPlayVisitEveryScreenWithoutGrowing) {
  EXPECT_EXIT(Run(), testing::ExitedWithCode(kRunFinished), "visits");
}

} // namespace
