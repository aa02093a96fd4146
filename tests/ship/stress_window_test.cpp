// The game in a real window taking a beating: fifty rapid resizes and
// full-screen switches, then a hundred focus losses and gains, in the menu and
// in a puzzle. The probe reports each reload, the loading runs and the state
// at every suspend and resume; screenshots show that the pictures come back
// with every new window. Needs a display with a window manager.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Generous: the machine may be busy with other builds.
constexpr auto kPatience = 60s;

class StressWindow : public testing::Test {
protected:
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool wmctrl import xmessage"); !why.empty()) GTEST_SKIP() << why;
  }

  // Waits until the probe has printed `count` lines matching `pattern`.
  static bool WaitForCount(const Program &probe, const std::string &pattern, int count) {
    const std::regex lines(pattern);
    for (auto end = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms))
      if (CountMatches(probe.Output(), lines) >= count) return true;
    return false;
  }

  // Waits until the probe has finished the loading run of its latest reload.
  static bool WaitForLoaded(const Program &probe) {
    for (auto end = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms)) {
      const std::string out = probe.Output();
      if (out.find("loaded after 24 updates", out.rfind("reload ")) != std::string::npos) return true;
    }
    return false;
  }

  // The last line of the probe's output that starts with `prefix`.
  static std::string LastLine(const Program &probe, const std::string &prefix) {
    const std::string out = probe.Output();
    size_t at = out.rfind("\n" + prefix);
    if (at == std::string::npos) return "";
    ++at;
    return out.substr(at, out.find('\n', at) - at);
  }
};

// The menu's pictures, not a blank or white-boxed frame: the locked cells'
// slate and their padlocks' gold come only from the button sheet.
void ExpectMenuPictures(const std::string &window, const std::string &when) {
  Shot shot(window);
  ASSERT_FALSE(shot.Empty()) << when;
  long slate = 0, gold = 0, white = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const int rgb = shot.Rgb(x, y), r = rgb >> 16, g = rgb >> 8 & 255, b = rgb & 255;
      slate += r >= 32 && r < 64 && g >= 32 && g < 64 && b >= 64 && b < 96;
      gold += r >= 192 && r < 224 && g >= 160 && g < 192 && b >= 64 && b < 128;
      white += rgb == 0xffffff;
    }
  const long area = static_cast<long>(shot.Width()) * shot.Height();
  EXPECT_GT(slate * 50, area) << when << ": " << slate << " slate pixels";
  EXPECT_GT(gold * 500, area) << when << ": " << gold << " gold pixels";
  EXPECT_LT(white * 10, area) << when << ": " << white << " white pixels";
}

TEST_F(StressWindow, ResizesFullScreenSwitchesAndFocusChangesKeepTheGameWhole) {
  const fs::path build = BuildDir();
  if (!fs::exists(build / "tests/stress_probe") || !fs::exists(build / "data/common/Buttons.png"))
    GTEST_SKIP() << "the stress_probe and tilemarch_data targets build the probe and the game data";
  // The game finds its data beside its executable: a copy of the probe sits
  // next to a link to the build's data.
  TempDir dir;
  fs::copy_file(build / "tests/stress_probe", dir / "stress_probe");
  fs::create_directory_symlink(fs::absolute(build / "data"), dir / "data");
  Program probe(dir / "stress_probe", {dir.Path(), {}, {}});
  ASSERT_TRUE(WaitForCount(probe, "loaded after 24 updates", 1)) << probe.Output();
  std::string id = probe.WindowId();
  ASSERT_FALSE(id.empty());
  const std::string screen = Shell("xdpyinfo | awk '/dimensions:/ {print $2}'");

  // Fifty changes of size in blocks of ten: eight resizes, then full screen
  // and back. Each change follows as soon as the game has seen the last one.
  const char *const sizes[] = {"700 500", "900 620", "640 480", "1000 700", "800 560", "1240 700", "660 500"};
  for (int change = 0; change < 50; ++change) {
    std::string expected;
    const bool switching = change % 10 >= 8;
    if (switching) {
      PressKey(id, "F11");
      expected = change % 10 == 8 ? screen : "640x480";
    } else {
      const std::string size = sizes[(change / 10 * 8 + change % 10) % 7];
      Shell("xdotool windowsize --sync " + id + " " + size + " 2>/dev/null");
      expected = std::regex_replace(size, std::regex(" "), "x");
    }
    // The window manager may show a new window at a passing size first.
    for (auto end = std::chrono::steady_clock::now() + kPatience;
         LastLine(probe, "reload ") != "reload " + expected && std::chrono::steady_clock::now() < end;)
      std::this_thread::sleep_for(20ms);
    ASSERT_EQ(LastLine(probe, "reload "), "reload " + expected) << "change " << change << "\n" << probe.Output();
    if (!switching) continue;
    // A switch opens a new window with a new context: the pictures must be
    // loaded into it, not left behind with the old one.
    ASSERT_TRUE(WaitForLoaded(probe)) << probe.Output();
    id = probe.WindowId();
    ASSERT_FALSE(id.empty());
    Activate(id);
    std::this_thread::sleep_for(300ms);
    ExpectMenuPictures(id, "after change " + std::to_string(change) + " to " + expected);
  }
  // Once per size seen: no size reloads twice in a row, and nothing reloads
  // once the window stays as it is.
  const std::string out = probe.Output();
  const std::regex reload("reload (\\S+)");
  std::string last;
  int reloads = 0;
  for (std::sregex_iterator it(out.begin(), out.end(), reload), end; it != end; ++it, ++reloads) {
    EXPECT_NE((*it)[1].str(), last) << "reload " << reloads << "\n" << out;
    last = (*it)[1].str();
  }
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(CountMatches(probe.Output(), std::regex("reload ")), reloads) << probe.Output();

  // A hundred focus losses and gains: thirty in the menu, seventy in the
  // tutorial puzzle, which must come back paused with its menu in place.
  char title[64];
  std::snprintf(title, sizeof title, "tilemarch-stress-%d", getpid());
  Program other("/usr/bin/xmessage", {{}, {"-title", title, "-geometry", "+0+0", "elsewhere"}, {}});
  const std::string otherId = Shell(std::string("xdotool search --sync --name ") + title + " 2>/dev/null | tail -1");
  ASSERT_FALSE(otherId.empty());
  Activate(id);
  for (int cycle = 0; cycle < 100; ++cycle) {
    const bool puzzle = cycle >= 30;
    if (cycle == 30) {
      PressKey(id, "Return");
      ASSERT_TRUE(WaitForCount(probe, "screen 10", 1)) << probe.Output();
    }
    // Now and then the puzzle is resumed first, so that it is the focus loss
    // that pauses it.
    if (puzzle && cycle % 7 == 0 && cycle > 30) {
      const int resumed = CountMatches(probe.Output(), std::regex("pause off"));
      PressKey(id, "Escape");
      ASSERT_TRUE(WaitForCount(probe, "pause off", resumed + 1)) << probe.Output();
    }
    Activate(otherId);
    ASSERT_TRUE(WaitForCount(probe, "suspend ", cycle + 1)) << "cycle " << cycle << "\n" << probe.Output();
    Activate(id);
    ASSERT_TRUE(WaitForCount(probe, "resume ", cycle + 1)) << "cycle " << cycle << "\n" << probe.Output();
    EXPECT_EQ(LastLine(probe, "resume "), puzzle ? "resume state 10 paused 1 shown" : "resume state 1 paused 0 hidden")
        << "cycle " << cycle;
  }
  EXPECT_EQ(probe.Output().find("Runtime Error"), std::string::npos) << probe.Output();
  EXPECT_EQ(probe.CloseWindow(), 0);
}

} // namespace
