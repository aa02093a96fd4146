// The real game under X when things go wrong around it: killed at any moment,
// also in the middle of a save; started without its data or with damaged
// pictures, sounds and font; in a working directory it can't write; on a state
// file with one damaged block. Needs a display with a window manager (make
// test provides Xvfb with openbox) and xmessage to take the focus away.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char *kState = "/.quillstate";
constexpr const char *kStateTemp = ".quillstate.tmp";

bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit) {
  for (auto end = std::chrono::steady_clock::now() + limit;; std::this_thread::sleep_for(50ms)) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
  }
}

// What the game saves, as the arrays it keeps: the state file is built from
// them independently of the game's own writer and loader.
struct Progress {
  std::vector<int32_t> settings = std::vector<int32_t>(25);
  std::vector<uint32_t> badgeWords = std::vector<uint32_t>(8);
  std::vector<int32_t> scores = std::vector<int32_t>(2240);
};

int32_t Wrap(uint32_t sum) { return static_cast<int32_t>(sum); }

int32_t RecordChecksum(uint32_t record, uint32_t a0, uint32_t b0, uint32_t a1, uint32_t b1) {
  return Wrap(4 * a0 + 5 * a1 + (record + 3) * b0 + (record + 4) * b1);
}

std::string Encode(const Progress &p) {
  std::string text;
  auto put = [&](int32_t n) { text += std::to_string(n) + "|"; };
  uint32_t sum = 0;
  for (uint32_t i = 0; i < 25; ++i) put(p.settings[i]), sum += i * static_cast<uint32_t>(p.settings[i]);
  put(Wrap(sum));
  sum = 0;
  for (uint32_t word : p.badgeWords) put(Wrap(word)), sum += word;
  put(Wrap(sum));
  for (uint32_t record = 0; record < 229; ++record) {
    int32_t a0 = p.scores[2 * record], a1 = p.scores[2 * record + 1];
    int32_t b0 = p.scores[448 + 2 * record], b1 = p.scores[449 + 2 * record];
    put(a0), put(b0), put(a1), put(b1);
    put(RecordChecksum(record, a0, b0, a1, b1));
  }
  return text;
}

// The settings of a first start as they are saved.
std::vector<int32_t> FirstSettings() {
  std::vector<int32_t> settings(25);
  settings[5] = 1;
  settings[10] = settings[11] = 64;
  settings[12] = 10;
  settings[14] = 1;
  return settings;
}

// Progress in every block that the game loads and saves again unchanged:
// settings within their limits, badges beyond the first 128, best, second,
// latest and previous scores of many puzzles.
Progress RichProgress() {
  Progress p;
  p.settings = FirstSettings();
  p.settings[5] = 2;
  p.settings[10] = 70;
  p.settings[11] = 96;
  p.settings[12] = 12;
  p.settings[15] = 1;
  std::mt19937 random(2026);
  for (uint32_t &word : p.badgeWords) word = static_cast<uint32_t>(random());
  // Scores 448..457 are also the first five extra records the save writes.
  for (int i = 0; i < 896; ++i) p.scores[i] = random() % 3 ? static_cast<int32_t>(random() % 721) : 0;
  return p;
}

// What is wrong with a state file as a save: anything but exactly 1180
// "|"-terminated decimal numbers whose settings, badge and record checksums
// all hold. Empty when it is a whole save.
std::string SaveProblem(const std::string &text) {
  std::vector<int64_t> n;
  for (size_t start = 0; start < text.size();) {
    size_t bar = text.find('|', start);
    if (bar == std::string::npos) return "no '|' after number " + std::to_string(n.size());
    std::string part = text.substr(start, bar - start);
    size_t digits = part[0] == '-' ? 1 : 0;
    if (part.size() <= digits || part.size() - digits > 10 ||
        part.find_first_not_of("0123456789", digits) != std::string::npos)
      return "part " + std::to_string(n.size()) + " is not a number: '" + part + "'";
    n.push_back(std::stoll(part));
    if (n.back() < INT32_MIN || n.back() > INT32_MAX) return "part " + std::to_string(n.size() - 1) + " too large";
    start = bar + 1;
  }
  if (n.size() != 1180) return std::to_string(n.size()) + " numbers instead of 1180";
  uint32_t sum = 0;
  for (uint32_t i = 0; i < 25; ++i) sum += i * static_cast<uint32_t>(n[i]);
  if (Wrap(sum) != n[25]) return "settings checksum";
  sum = 0;
  for (int g = 26; g < 34; ++g) sum += static_cast<uint32_t>(n[g]);
  if (Wrap(sum) != n[34]) return "badge checksum";
  for (uint32_t record = 0; record < 229; ++record) {
    const int64_t *r = &n[35 + 5 * record];
    auto u = [](int64_t v) { return static_cast<uint32_t>(v); };
    if (RecordChecksum(record, u(r[0]), u(r[1]), u(r[2]), u(r[3])) != r[4])
      return "checksum of record " + std::to_string(record);
  }
  return "";
}

// The text with the number at one part increased by one.
std::string Damage(const std::string &text, int part) {
  size_t start = 0;
  for (int i = 0; i < part; ++i) start = text.find('|', start) + 1;
  size_t bar = text.find('|', start);
  return text.substr(0, start) + std::to_string(std::stoll(text.substr(start, bar - start)) + 1) + text.substr(bar);
}

// A window of our own that takes the focus from the game, which then suspends
// and saves.
class FocusThief {
public:
  FocusThief()
      : title_("robust-focus-" + std::to_string(getpid())),
        program_(Shell("command -v xmessage"),
                 {"", {"-title", title_, "-geometry", "160x40+0+0", "focus"}, {{"LC_ALL", "C"}}}) {
    WaitUntil(
        [&] {
          id_ = Shell("xdotool search --name '^" + title_ + "$' 2>/dev/null | head -n1");
          return !id_.empty();
        },
        10s);
  }
  const std::string &Id() const { return id_; }
  void Take() const { Activate(id_); }

private:
  std::string title_;
  Program program_;
  std::string id_;
};

// Passes the focus between the thief and the game's window as fast as the
// window manager allows, so that the game suspends and saves again and again.
class FocusFlipper {
public:
  FocusFlipper(pid_t game, const std::string &thief)
      : thread_([this, game, thief] {
          std::string window;
          while (!stop_) {
            if (window.empty())
              window = Shell("xdotool search --pid " + std::to_string(game) + " --name '^Tilemarch$' 2>/dev/null");
            if (window.empty()) {
              std::this_thread::sleep_for(30ms);
              continue;
            }
            Shell("timeout 2 xdotool windowactivate --sync " + thief + " windowactivate --sync " + window +
                  " >/dev/null 2>&1");
          }
        }) {}
  ~FocusFlipper() {
    stop_ = true;
    thread_.join();
  }

private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Reports the game's opening, writing and closing of its temporary state
// file, the three moments inside a save.
class SaveWatch {
public:
  explicit SaveWatch(const std::string &dir) : fd_(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
    inotify_add_watch(fd_, dir.c_str(), IN_OPEN | IN_MODIFY | IN_CLOSE_WRITE);
  }
  ~SaveWatch() { close(fd_); }
  // Waits for the count-th event of the kind (1-based); false at the limit.
  bool Wait(uint32_t kind, int count, std::chrono::milliseconds limit) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
      pollfd ready{fd_, POLLIN, 0};
      if (poll(&ready, 1, 50) <= 0) continue;
      alignas(inotify_event) char buffer[4096];
      ssize_t size = read(fd_, buffer, sizeof buffer);
      for (ssize_t at = 0; at < size;) {
        auto *event = reinterpret_cast<inotify_event *>(buffer + at);
        if ((event->mask & kind) && event->len && std::string(event->name) == kStateTemp && --count == 0) return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return false;
  }

private:
  int fd_;
};

// The map's background (20, 80, 160) shows between the cells at (610, 66)
// once the loader has finished and the menu runs.
bool ShowsMap(const std::string &window) {
  int rgb = Shot(window).Rgb(610, 66);
  return std::abs((rgb >> 16) - 20) < 16 && std::abs((rgb >> 8 & 255) - 80) < 16 && std::abs((rgb & 255) - 160) < 16;
}

class Robustness : public testing::Test {
protected:
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool wmctrl import xmessage"); !why.empty()) GTEST_SKIP() << why;
    game_ = BuildDir() + "/tilemarch";
    if (!fs::exists(game_)) GTEST_SKIP() << "the game " << game_ << " has not been built";
    thief_ = std::make_unique<FocusThief>();
    ASSERT_FALSE(thief_->Id().empty()) << "xmessage did not show a window";
  }

  // Reaches the map, starts the tutorial with Enter on the How-To cell, plays
  // a few moves, loses the focus until saved() holds, comes back and ends the
  // game with F4.
  void PlayFromMapToPuzzle(Program &game, const std::function<bool()> &saved) {
    std::string id = game.WindowId();
    ASSERT_FALSE(id.empty()) << game.Output();
    Activate(id);
    WaitUntil([&] { return ShowsMap(id) || game.Output().find("Error") != std::string::npos; }, 40s);
    ASSERT_TRUE(ShowsMap(id)) << "no map: " << game.Output();
    // A press that falls between two updates on a busy machine is repeated.
    bool playing = false;
    for (int attempt = 0; attempt < 5 && !playing; ++attempt) {
      PressKey(id, "Return");
      playing = WaitUntil([&] { return !ShowsMap(id); }, 3s);
    }
    ASSERT_TRUE(playing) << "Enter on the How-To cell started nothing";
    for (const char *key : {"Right", "space", "Down", "x", "Down", "Left", "space"}) PressKey(id, key);
    thief_->Take();
    EXPECT_TRUE(WaitUntil(saved, 10s)) << "no save on losing the focus";
    Activate(id);
    EXPECT_EQ(game.WaitForExit(0ms), -1) << "the game ended while played: " << game.Output();
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0) << game.Output();
    EXPECT_EQ(game.Output().find("Error"), std::string::npos) << game.Output();
  }

  std::string game_;
  std::unique_ptr<FocusThief> thief_;
};

TEST_F(Robustness, KilledAnywhereEvenDuringASaveTheStateFileIsAWholeSave) {
  TempDir dir;
  const std::string state = dir.Path() + kState, temp = dir / kStateTemp;
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  const uint32_t moments[] = {IN_OPEN, IN_MODIFY, IN_CLOSE_WRITE};
  std::string lastSave; // empty until a save has been completed
  int kills = 0, duringSave = 0;
  auto began = std::chrono::steady_clock::now();
  for (int round = 0; round < 20; ++round) {
    // The first rounds start from nothing; then richer progress carries over.
    if (round == 5) WriteFile(state, lastSave = Encode(RichProgress()));
    SaveWatch watch(dir.Path());
    Program game(game_, {dir.Path(), {}, {}});
    {
      FocusFlipper flipper(game.Pid(), thief_->Id());
      if (round % 2 == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 2000));
      } else {
        uint32_t moment = moments[random() % 3];
        int nth = 1 + static_cast<int>(random() % 2);
        ASSERT_TRUE(watch.Wait(moment, nth, 20s)) << "round " << round << ": no save seen\n" << game.Output();
      }
      game.Signal(SIGKILL);
    }
    ASSERT_EQ(game.WaitForExit(), 128 + SIGKILL) << game.Output();
    ++kills;
    // A save cut short leaves its temporary file; the next save starts it anew.
    if (fs::exists(temp)) ++duringSave, fs::remove(temp);
    if (!fs::exists(state)) {
      EXPECT_TRUE(lastSave.empty()) << "round " << round << ": the state file is gone";
      continue;
    }
    std::string saved = ReadFile(state);
    ASSERT_EQ(SaveProblem(saved), "") << "round " << round << ": " << saved.size() << " bytes";
    // Nothing in these rounds changes the progress, so every save is the same.
    if (lastSave.empty()) lastSave = Encode({FirstSettings(), std::vector<uint32_t>(8), std::vector<int32_t>(2240)});
    EXPECT_EQ(saved, lastSave) << "round " << round;
  }
  std::cout << kills << " kills, " << duringSave << " inside a save, in "
            << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - began).count()
            << " s\n";
  EXPECT_GE(duringSave, 3);
}

TEST_F(Robustness, WithoutADataDirectoryTheGamePlaysWithEmptySlots) {
  TempDir home;
  fs::copy_file(game_, home / "tilemarch");
  // OpenAL Soft's wave backend keeps the mix: empty sound slots play nothing.
  WriteFile(home / "alsoft.conf", "[general]\ndrivers = wave\n[wave]\nfile = " + (home / "mix.wav") + "\n");
  Program game(home / "tilemarch", {"", {}, {{"ALSOFT_CONF", home / "alsoft.conf"}}});
  PlayFromMapToPuzzle(game, [&] { return fs::exists(game.Dir() + kState); });
  EXPECT_EQ(SaveProblem(ReadFile(game.Dir() + kState)), "");
  std::string mix = ReadFile(home / "mix.wav");
  size_t data = mix.find("data");
  ASSERT_NE(data, std::string::npos);
  EXPECT_GT(mix.size() - data, 100000u) << "less than a third of a second mixed";
  EXPECT_EQ(mix.find_first_not_of('\0', data + 8), std::string::npos) << "something was heard";
}

TEST_F(Robustness, TruncatedAndGarbageDataAndAWrongFontLeaveTheGamePlayable) {
  TempDir home;
  fs::copy_file(game_, home / "tilemarch");
  fs::copy(BuildDir() + "/data", home / "data", fs::copy_options::recursive);
  std::vector<fs::path> files;
  for (const auto &entry : fs::recursive_directory_iterator(home / "data"))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::mt19937 random(99);
  std::map<std::string, int> seen;
  for (const fs::path &file : files) {
    // Per kind of file: cut in half, cut after its header, random bytes, whole.
    switch (seen[file.extension().string()]++ % 4) {
    case 0:
      fs::resize_file(file, fs::file_size(file) / 2);
      break;
    case 1:
      fs::resize_file(file, std::min<uintmax_t>(fs::file_size(file), 40));
      break;
    case 2: {
      std::string bytes(fs::file_size(file), '\0');
      for (char &c : bytes) c = static_cast<char>(random());
      WriteFile(file.string(), bytes);
      break;
    }
    default:
      break;
    }
  }
  // A real picture, far too small for 128 glyph cells, in the font's place.
  for (const auto &entry : fs::directory_iterator(home / "data/fonts"))
    fs::copy_file(BuildDir() + "/data/common/light.png", entry.path(), fs::copy_options::overwrite_existing);
  ASSERT_FALSE(files.empty());
  Program game(home / "tilemarch");
  PlayFromMapToPuzzle(game, [&] { return fs::exists(game.Dir() + kState); });
}

// A directory the game can't write to for as long as it exists: as root, who
// writes through permissions, a read-only bind mount of itself; otherwise
// mode 0555.
class ReadOnlyDir {
public:
  explicit ReadOnlyDir(const std::string &path) : path_(path) {
    if (geteuid() != 0) {
      struct stat before {};
      stat(path.c_str(), &before);
      mode_ = before.st_mode & 07777;
      chmod(path.c_str(), 0555);
    } else if (mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0) {
      mounted_ = true;
      mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
    }
  }
  ~ReadOnlyDir() {
    if (mounted_)
      umount2(path_.c_str(), MNT_DETACH);
    else if (mode_)
      chmod(path_.c_str(), mode_);
  }
  // Why the directory is still writable, or empty.
  std::string Why() const {
    std::string probe = path_ + "/probe";
    int fd = open(probe.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) return "";
    close(fd);
    unlink(probe.c_str());
    return geteuid() == 0 ? "running as root and a read-only bind mount is not allowed here"
                          : "mode 0555 does not stop writing here";
  }

private:
  std::string path_;
  bool mounted_ = false;
  mode_t mode_ = 0;
};

TEST_F(Robustness, AnUnwritableWorkingDirectoryIsLeftAsItWas) {
  TempDir dir;
  const std::string state = dir.Path() + kState, saved = Encode(RichProgress());
  WriteFile(state, saved);
  auto stamp = fs::last_write_time(state);
  ReadOnlyDir readOnly(dir.Path());
  if (auto why = readOnly.Why(); !why.empty()) GTEST_SKIP() << why;
  Program game(game_, {dir.Path(), {}, {}});
  // A save that fails leaves nothing to wait for: the focus stays away a while.
  std::optional<std::chrono::steady_clock::time_point> away;
  PlayFromMapToPuzzle(game, [&] {
    if (!away) away = std::chrono::steady_clock::now();
    return std::chrono::steady_clock::now() - *away > 1500ms;
  });
  EXPECT_EQ(game.Output(), "opening openal device\nSettings Loaded\nBadges Loaded\nHighscores Loaded\n");
  EXPECT_EQ(ReadFile(state), saved);
  EXPECT_EQ(fs::last_write_time(state), stamp);
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(dir.Path())) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{".quillstate"});
}

TEST_F(Robustness, ADamagedBlockIsResetAloneAtTheNextSave) {
  const Progress whole = RichProgress();
  struct Case {
    const char *block;
    int part;
    const char *lines;
    std::function<void(Progress &)> reset;
  };
  const Case cases[] = {
      {"settings", 7, "Settings Checksum Invalid\nBadges Loaded\nHighscores Loaded\n",
       [](Progress &p) { p.settings = FirstSettings(); }},
      {"badges", 29, "Settings Loaded\nBadge Checksum Invalid\nHighscores Loaded\n",
       [](Progress &p) { p.badgeWords.assign(8, 0); }},
      // Puzzle 2's latest scores are also written again as an extra record.
      {"record 1", 35 + 5 + 1, "Settings Loaded\nBadges Loaded\nHighscores Loaded\n",
       [](Progress &p) { p.scores[2] = p.scores[3] = p.scores[450] = p.scores[451] = 0; }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.block);
    TempDir dir;
    const std::string state = dir.Path() + kState, damaged = Damage(Encode(whole), c.part);
    WriteFile(state, damaged);
    Program game(game_, {dir.Path(), {}, {}});
    ASSERT_TRUE(game.WaitForOutput("Highscores Loaded")) << game.Output();
    EXPECT_EQ(game.Output(), std::string("opening openal device\n") + c.lines);
    std::string id = game.WindowId();
    ASSERT_FALSE(id.empty());
    Activate(id);
    thief_->Take();
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(state) != damaged; }, 10s)) << "no save on losing the focus";
    Progress expected = whole;
    c.reset(expected);
    EXPECT_EQ(ReadFile(state), Encode(expected));
    Activate(id);
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0) << game.Output();
  }
}

} // namespace
