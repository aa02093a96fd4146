// The game as shipped, as a player meets it: installed and removed, killed at
// any moment (also inside a save), without its data or with damaged data, in a
// directory it can't write, and beaten by resizes and focus changes. Needs X with a window manager (make test).
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <regex>
#include <thread>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The state file written independently of the game: settings, badge words and
// scores, each block with its checksum; 229 records of best, latest, checksum.
struct Progress {
  std::vector<int32_t> settings = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 64, 64, 10, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::vector<uint32_t> badges = std::vector<uint32_t>(8);
  std::vector<int32_t> scores = std::vector<int32_t>(2240);
  std::string Encode() const {
    std::string text;
    auto put = [&](uint32_t n) { text += std::to_string(static_cast<int32_t>(n)) + "|"; };
    uint32_t sum = 0;
    for (uint32_t i = 0; i < 25; ++i) put(settings[i]), sum += i * settings[i];
    put(sum), sum = 0;
    for (uint32_t word : badges) put(word), sum += word;
    put(sum);
    for (uint32_t r = 0; r < 229; ++r) {
      uint32_t a0 = scores[2 * r], a1 = scores[2 * r + 1], b0 = scores[448 + 2 * r], b1 = scores[449 + 2 * r];
      put(a0), put(b0), put(a1), put(b1), put(4 * a0 + 5 * a1 + (r + 3) * b0 + (r + 4) * b1);
    }
    return text;
  }
};

// Progress in every block that the game loads and saves again unchanged.
Progress Rich() {
  Progress p;
  p.settings[5] = 2, p.settings[10] = 70, p.settings[11] = 96, p.settings[12] = 12, p.settings[15] = 1;
  std::mt19937 random(2026);
  for (uint32_t &word : p.badges) word = random();
  // Scores 448..457 are also the first five extra records the save writes.
  for (int i = 0; i < 896; ++i) p.scores[i] = random() % 3 ? static_cast<int32_t>(random() % 721) : 0;
  return p;
}

// Waits for the count-th moment of a kind inside a save (the temporary state
// file opened, written, closed) that the inotify descriptor reports.
bool WaitForSave(int inotify, uint32_t kind, int count) {
  alignas(inotify_event) char buffer[4096];
  for (auto end = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < end;) {
    pollfd ready{inotify, POLLIN, 0};
    ssize_t size = poll(&ready, 1, 50) > 0 ? read(inotify, buffer, sizeof buffer) : 0;
    for (ssize_t at = 0; at < size;) {
      auto *event = reinterpret_cast<inotify_event *>(buffer + at);
      if (event->mask & kind && event->len && event->name == std::string(".quillstate.tmp") && --count == 0)
        return true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return false;
}

// The map's background shows between the cells once the loader has finished.
bool ShowsMap(const std::string &window) {
  int rgb = Shot(window).Rgb(610, 66);
  return std::abs((rgb >> 16) - 20) < 16 && std::abs((rgb >> 8 & 255) - 80) < 16 && std::abs((rgb & 255) - 160) < 16;
}

// What is wrong with the map's pictures, or empty: they are not a blank or
// white-boxed frame, and the locked cells' slate and their padlocks' gold come
// only from the button sheet.
std::string MapPicturesMissing(const std::string &window) {
  Shot shot(window);
  long slate = 0, gold = 0, white = 0, area = long(shot.Width()) * shot.Height();
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const int rgb = shot.Rgb(x, y), r = rgb >> 21, g = rgb >> 13 & 7, b = rgb >> 5 & 7;
      slate += r == 1 && g == 1 && b == 2;
      gold += r == 6 && g == 5 && (b == 2 || b == 3);
      white += rgb == 0xffffff;
    }
  if (area > 0 && slate * 50 > area && gold * 500 > area && white * 10 < area) return "";
  return std::to_string(slate) + "/" + std::to_string(gold) + "/" + std::to_string(white) + " slate/gold/white";
}

class Ship : public testing::Test {
protected:
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool wmctrl import identify xmessage make"); !why.empty()) GTEST_SKIP() << why;
    if (!fs::exists(BuildDir() + "/data/common/Buttons.png")) GTEST_SKIP() << "the game and its data are not built";
    // A window of our own takes the focus from the game, which suspends and saves.
    thief_ = std::make_unique<Program>("/usr/bin/xmessage", Program::Options{"", {"-title", title_, "focus"}, {}});
    WaitFor([&] { return !(thiefId_ = Shell("xdotool search --name '^" + title_ + "$' | head -n1")).empty(); });
    ASSERT_FALSE(thiefId_.empty()) << "xmessage did not show a window";
  }

  // Reaches the map and, unless it only looks at the map's pictures, starts
  // the tutorial with Enter and plays a few moves; then leaves the focus
  // until saved() holds and ends the game with F4.
  void Play(Program &game, const std::function<bool()> &saved, bool onlyMap = false) {
    std::string id = game.WindowId(), why;
    Activate(id);
    ASSERT_TRUE(WaitFor([&] { return ShowsMap(id); }, 40s)) << "no map: " << game.Output();
    if (onlyMap) {
      EXPECT_TRUE(WaitFor([&] { return (why = MapPicturesMissing(id)).empty(); }, 10s)) << why;
    } else {
      // A press that falls between two updates on a busy machine is repeated.
      ASSERT_TRUE(WaitFor([&] { return PressKey(id, "Return"), WaitFor([&] { return !ShowsMap(id); }, 3s); }, 15s))
          << "Enter on the How-To cell started nothing";
      for (const char *key : {"Right", "space", "Down", "x", "Down", "Left", "space"}) PressKey(id, key);
    }
    Activate(thiefId_);
    EXPECT_TRUE(WaitFor(saved, 10s)) << "no save on losing the focus";
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0) << game.Output();
    EXPECT_EQ(game.Output().find("Error"), std::string::npos) << game.Output();
  }

  const std::string game_ = BuildDir() + "/tilemarch", title_ = "ship-focus-" + std::to_string(getpid());
  std::unique_ptr<Program> thief_;
  std::string thiefId_;
};

TEST_F(Ship, KilledAnywhereEvenInsideASaveTheStateFileIsAWholeSave) {
  TempDir dir;
  const std::string state = dir / ".quillstate", temp = dir / ".quillstate.tmp";
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  // Nothing in these rounds changes the progress, so every save is the same.
  std::string expected = Progress().Encode();
  bool saved = false;
  int duringSave = 0;
  for (int round = 0; round < 20; ++round) {
    // The first rounds start from nothing; then richer progress carries over.
    if (round == 5) WriteFile(state, expected = Rich().Encode()), saved = true;
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, dir.Path().c_str(), IN_OPEN | IN_MODIFY | IN_CLOSE_WRITE);
    Program game(game_, {dir.Path(), {}, {}});
    {
      // Passes the focus to and fro as fast as the window manager allows.
      const std::string flip = "w=$(timeout 20 xdotool search --sync --pid " + std::to_string(game.Pid()) +
                               " --name '^Tilemarch$' | head -n1); while :; do timeout 2 xdotool windowactivate "
                               "--sync " +
                               thiefId_ + " windowactivate --sync $w; done";
      Program flipper("/bin/sh", {"", {"-c", flip}, {}});
      if (round % 2 == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 2000));
      else
        ASSERT_TRUE(WaitForSave(watch, std::array{IN_OPEN, IN_MODIFY, IN_CLOSE_WRITE}[random() % 3], 1 + random() % 2))
            << "round " << round << ": no save seen\n"
            << game.Output();
      game.Signal(SIGKILL);
    }
    close(watch);
    ASSERT_EQ(game.WaitForExit(), 128 + SIGKILL) << game.Output();
    // A save cut short leaves its temporary file; the next save starts it anew.
    if (fs::exists(temp)) ++duringSave, fs::remove(temp);
    // No state file is right only before the first save.
    EXPECT_EQ(fs::exists(state) ? ReadFile(state) : saved ? "no state file" : expected, expected) << "round " << round;
    saved = saved || fs::exists(state);
  }
  EXPECT_GE(duringSave, 3);
}

TEST_F(Ship, MissingOrDamagedDataLeavesTheGamePlayable) {
  for (bool damaged : {false, true}) {
    SCOPED_TRACE(damaged ? "damaged data" : "no data");
    TempDir home;
    fs::copy_file(game_, home / "tilemarch");
    if (damaged) {
      fs::copy(BuildDir() + "/data", home / "data", fs::copy_options::recursive);
      std::map<std::string, int> seen;
      std::mt19937 random(99);
      for (const auto &file : fs::recursive_directory_iterator(home / "data")) {
        if (!file.is_regular_file()) continue;
        // Per kind of file in turn: cut in half, cut after its header, random bytes, whole.
        auto size = file.file_size();
        int kind = seen[file.path().extension()]++ % 4;
        if (kind < 2) fs::resize_file(file, kind ? std::min<uintmax_t>(size, 40) : size / 2);
        std::string noise;
        while (kind == 2 && noise.size() < size) noise += static_cast<char>(random());
        if (kind == 2) WriteFile(file.path(), noise);
      }
      // A real picture, far too small for 128 glyph cells, in the font's place.
      for (const auto &font : fs::directory_iterator(home / "data/fonts"))
        fs::copy_file(BuildDir() + "/data/common/light.png", font, fs::copy_options::overwrite_existing);
    }
    Program game(home / "tilemarch");
    Play(game, [&] { return fs::exists(game.Dir() + "/.quillstate"); });
    EXPECT_EQ(ReadFile(game.Dir() + "/.quillstate").size(), Progress().Encode().size());
  }
}

TEST_F(Ship, AnUnwritableWorkingDirectoryIsLeftAsItWas) {
  TempDir dir;
  const std::string state = dir / ".quillstate", saved = Rich().Encode();
  WriteFile(state, saved);
  // Root writes through permissions: a read-only bind mount of the directory.
  fs::permissions(dir.Path(), fs::perms(0555));
  bool mounted = geteuid() == 0 && mount(dir.Path().c_str(), dir.Path().c_str(), nullptr, MS_BIND, nullptr) == 0;
  if (mounted) mount(nullptr, dir.Path().c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
  std::shared_ptr<void> undo(nullptr, [&](void *) {
    if (mounted) umount2(dir.Path().c_str(), MNT_DETACH);
    fs::permissions(dir.Path(), fs::perms(0755));
  });
  if (ShellStatus("touch '" + (dir / "probe") + "' 2>/dev/null") == 0) GTEST_SKIP() << "can't make it read-only";
  Program game(game_, {dir.Path(), {}, {}});
  // A save that fails leaves nothing to wait for: the focus stays away a while.
  Play(game, [] { return std::this_thread::sleep_for(1500ms), true; });
  EXPECT_EQ(game.Output(), "opening openal device\nSettings Loaded\nBadges Loaded\nHighscores Loaded\n");
  EXPECT_EQ(ReadFile(state), saved);
}

TEST_F(Ship, InstalledGameRunsFromAnywhereKeepsProgressInTheUsersDirectoryAndUninstallsCleanly) {
  TempDir dir;
  const std::string prefix = dir / "games prefix", xdg = dir / "xdg data", home = dir / "home";
  // Someone else's file in a shared directory, which uninstalling must keep.
  fs::create_directories(prefix + "/share/applications");
  fs::create_directories(home);
  WriteFile(prefix + "/share/applications/other.desktop", "[Desktop Entry]\n");
  auto make = [&](const std::string &target) {
    return ShellStatus("env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -s -C '" + SourceDir() + "' " + target +
                       " PREFIX='" + prefix + "' BUILD='" + BuildDir() + "' JOBS=2 >'" + (dir / "make.log") + "' 2>&1");
  };
  ASSERT_EQ(make("install"), 0) << ReadFile(dir / "make.log");
  ASSERT_EQ(make("install"), 0) << "installing again replaces";
  std::string entry = ReadFile(prefix + "/share/applications/tilemarch.desktop");
  EXPECT_NE(entry.find("\nExec=\"" + prefix + "/bin/tilemarch\"\n"), std::string::npos) << entry;

  Program homeless(prefix + "/bin/tilemarch", {"", {}, {{"HOME", ""}, {"XDG_DATA_HOME", "relative/dir"}}});
  EXPECT_EQ(homeless.WaitForExit(), 1) << "no place for progress is an error, not a game without saves";
  for (const std::string &xdgHome : {xdg, std::string()}) {
    // Without XDG_DATA_HOME the directory is the one below HOME.
    const std::string progress = (xdgHome.empty() ? home + "/.local/share" : xdgHome) + "/tilemarch/.quillstate";
    Program game(prefix + "/bin/tilemarch", {dir.Path(), {}, {{"HOME", home}, {"XDG_DATA_HOME", xdgHome}}});
    Play(
        game, [&] { return fs::exists(progress); }, true);
    EXPECT_FALSE(fs::exists(dir / ".quillstate"));
    EXPECT_EQ(fs::exists(home + "/.local"), xdgHome.empty());
  }

  // CMake's manifest lists files, not directories: they go, and so do the
  // game's own directories, while the shared ones it may have made stay.
  WriteFile(dir / "precious", "keep");
  const std::string manifest = BuildDir() + "/install_manifest.txt", listed = ReadFile(manifest);
  WriteFile(manifest, listed + "\n" + (dir / "precious") + "\n");
  EXPECT_NE(make("uninstall"), 0) << "a list reaching outside the prefix is refused";
  EXPECT_EQ(ReadFile(dir / "precious"), "keep");
  EXPECT_TRUE(fs::exists(prefix + "/bin/tilemarch")) << "a refused list removes nothing";
  WriteFile(manifest, listed);
  ASSERT_EQ(make("uninstall"), 0) << ReadFile(dir / "make.log");
  EXPECT_EQ(Shell("cd '" + prefix + "' && find . -type f -o -type l | sort"), "./share/applications/other.desktop");
  EXPECT_FALSE(fs::exists(prefix + "/lib/tilemarch"));
  EXPECT_TRUE(fs::exists(xdg + "/tilemarch/.quillstate")) << "progress outlives the installation";
}

TEST_F(Ship, ResizesFullScreenSwitchesAndFocusChangesKeepTheGameWhole) {
  // The game finds its data beside its executable: a copy of the probe
  // (which reports what a screenshot can't) beside a link to the build's data.
  TempDir dir;
  fs::copy_file(BuildDir() + "/tests/stress_probe", dir / "stress_probe");
  fs::create_directory_symlink(BuildDir() + "/data", dir / "data");
  Program probe(dir / "stress_probe", {dir.Path(), {}, {}});
  auto count = [&](const std::string &pattern) { return CountMatches(probe.Output(), std::regex(pattern)); };
  auto last = [&](const std::string &prefix) {
    const std::string out = probe.Output();
    size_t at = out.rfind(prefix);
    return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
  };
  ASSERT_TRUE(WaitFor([&] { return count("loaded after 24 updates") > 0; }, 60s)) << probe.Output();
  std::string id = probe.WindowId(), screen = Shell("xdpyinfo | awk '/dimensions:/ {print $2}'"), why;
  // Fifty changes of size in blocks of ten: eight resizes, then full screen
  // and back, each as soon as the game has seen the last one.
  const char *const sizes[] = {"700 500", "900 620", "640 480", "1000 700", "800 560", "1240 700", "660 500"};
  for (int change = 0; change < 50; ++change) {
    const bool switching = change % 10 >= 8;
    std::string expected =
        switching ? change % 10 == 8 ? screen : "640x480" : sizes[(change / 10 * 8 + change % 10) % 7];
    if (switching)
      PressKey(id, "F11");
    else
      Shell("xdotool windowsize --sync " + id + " " + expected + " 2>/dev/null"), expected[expected.find(' ')] = 'x';
    // The window manager may show a new window at a passing size first.
    ASSERT_TRUE(WaitFor([&] { return last("reload ") == "reload " + expected; }, 60s)) << change << probe.Output();
    if (!switching) continue;
    // A switch opens a new window with a new context: the pictures must be
    // loaded into it, not left behind with the old one.
    ASSERT_TRUE(
        WaitFor([&] { return probe.Output().rfind("loaded after 24") > probe.Output().rfind("reload "); }, 60s));
    Activate(id = probe.WindowId());
    EXPECT_TRUE(WaitFor([&] { return (why = MapPicturesMissing(id)).empty(); }, 10s)) << change << ": " << why;
  }
  // A hundred focus losses and gains: thirty on the map, seventy in the
  // tutorial puzzle, which the first loss pauses and which must come back
  // paused with its menu in place.
  Activate(id);
  for (int cycle = 0; cycle < 100; ++cycle) {
    if (cycle == 30) {
      PressKey(id, "Return");
      ASSERT_TRUE(WaitFor([&] { return count("screen 10") > 0; })) << probe.Output();
    }
    Activate(thiefId_);
    ASSERT_TRUE(WaitFor([&] { return count("suspend ") > cycle; })) << cycle << probe.Output();
    Activate(id);
    ASSERT_TRUE(WaitFor([&] { return count("resume ") > cycle; })) << cycle << probe.Output();
    EXPECT_EQ(last("resume "), cycle >= 30 ? "resume state 10 paused 1 shown" : "resume state 1 paused 0 hidden")
        << cycle;
  }
  EXPECT_EQ(probe.Output().find("Runtime Error"), std::string::npos) << probe.Output();
  EXPECT_EQ(probe.CloseWindow(), 0);
}

} // namespace
