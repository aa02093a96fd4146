// The game installed the way a player installs it: make install into a prefix
// of its own, the installed command started from another directory, progress
// kept in the per-user directory, and make uninstall taking away exactly what
// the install put there. Needs a display with a window manager.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Every path below dir, relative and sorted; directories end in "/".
std::vector<std::string> Tree(const std::string &dir) {
  std::vector<std::string> paths;
  for (const auto &entry : fs::recursive_directory_iterator(dir))
    paths.push_back(fs::relative(entry.path(), dir).string() + (entry.is_directory() ? "/" : ""));
  std::sort(paths.begin(), paths.end());
  return paths;
}

bool Executable(const std::string &path) { return access(path.c_str(), X_OK) == 0 && fs::is_regular_file(path); }

// Width of a PNG file from its header, 0 if it is not one.
int PngWidth(const std::string &path) {
  std::string bytes = ReadFile(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return 0;
  auto byte = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  return byte(16) << 24 | byte(17) << 16 | byte(18) << 8 | byte(19);
}

// Pixels lighter than the map's blue, its yellow cursor ring and its panels:
// the white text, the logo and the puzzle pictures, all drawn from the data.
int PicturePixels(const std::string &window) {
  Shot shot(window);
  int count = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      int rgb = shot.Rgb(x, y);
      if (std::min({rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255}) > 180) ++count;
    }
  return count;
}

template <class Check> bool WaitFor(Check check, std::chrono::milliseconds limit = 30s) {
  for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(100ms))
    if (check()) return true;
  return false;
}

class Install : public testing::Test {
protected:
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool wmctrl import xmessage make"); !why.empty()) GTEST_SKIP() << why;
    if (!fs::exists(BuildDir() + "/data/blocks.png")) GTEST_SKIP() << "no game data in " << BuildDir() << "/data";
    // Someone else's file in a shared directory, which uninstalling must keep.
    fs::create_directories(prefix_ + "/share/applications");
    WriteFile(prefix_ + "/share/applications/other.desktop", "[Desktop Entry]\n");
  }

  // Runs make in the source tree for the build under test with the test's
  // prefix; its output goes to MakeLog(). A surrounding make run's variables stay out.
  int Make(const std::string &target) {
    return ShellStatus("env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -s -C '" + SourceDir() + "' " + target +
                       " PREFIX='" + prefix_ + "' BUILD='" + BuildDir() + "' JOBS=2 >'" + (dir_ / "make.log") +
                       "' 2>&1");
  }
  std::string MakeLog() const { return ReadFile(dir_ / "make.log"); }

  TempDir dir_;
  const std::string prefix_ = dir_ / "games prefix", home_ = dir_ / "home", xdg_ = dir_ / "xdg data";
  const std::vector<std::string> othersOnly_ = {"share/", "share/applications/", "share/applications/other.desktop"};
};

TEST_F(Install, PutsGameDataLauncherMenuEntryAndIconsInPlace) {
  ASSERT_EQ(Make("install"), 0) << MakeLog();
  EXPECT_TRUE(Executable(prefix_ + "/bin/tilemarch"));
  EXPECT_TRUE(Executable(prefix_ + "/lib/tilemarch/tilemarch"));
  EXPECT_EQ(ReadFile(prefix_ + "/lib/tilemarch/data/sfx/testmusic.ogg"),
            ReadFile(BuildDir() + "/data/sfx/testmusic.ogg"));
  for (int size : {48, 256}) {
    std::string px = std::to_string(size);
    EXPECT_EQ(PngWidth(prefix_ + "/share/icons/hicolor/" + px + "x" + px + "/apps/tilemarch.png"), size);
  }
  std::string entry = ReadFile(prefix_ + "/share/applications/tilemarch.desktop");
  EXPECT_NE(entry.find("\nExec=\"" + prefix_ + "/bin/tilemarch\"\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=tilemarch\n"), std::string::npos) << entry;
  if (!Shell("command -v desktop-file-validate").empty()) {
    EXPECT_EQ(Shell("desktop-file-validate '" + prefix_ + "/share/applications/tilemarch.desktop' 2>&1"), "");
  }

  // Installing again over the same prefix replaces; one uninstall still clears it.
  ASSERT_EQ(Make("install"), 0) << MakeLog();
  ASSERT_EQ(Make("uninstall"), 0) << MakeLog();
  EXPECT_EQ(Tree(prefix_), othersOnly_);
  EXPECT_EQ(Make("uninstall"), 0) << "nothing left to remove is no failure";
}

TEST_F(Install, NoHomeAndAListReachingOutsideThePrefixAreRefused) {
  ASSERT_EQ(Make("install"), 0) << MakeLog();
  Program homeless(prefix_ + "/bin/tilemarch", {"", {}, {{"HOME", ""}, {"XDG_DATA_HOME", "relative/dir"}}});
  EXPECT_EQ(homeless.WaitForExit(), 1) << "no place for progress is an error, not a game without saves";

  WriteFile(dir_ / "precious", "keep");
  std::string manifest = prefix_ + "/lib/tilemarch/install-manifest";
  WriteFile(manifest, ReadFile(manifest) + "f ../precious\n");
  EXPECT_NE(Make("uninstall"), 0);
  EXPECT_EQ(ReadFile(dir_ / "precious"), "keep");
  EXPECT_TRUE(fs::exists(prefix_ + "/bin/tilemarch")) << "a refused list removes nothing";
}

TEST_F(Install, InstalledGameRunsFromAnywhereAndKeepsProgressInTheUsersDirectory) {
  ASSERT_EQ(Make("install"), 0) << MakeLog();
  std::string elsewhere = dir_ / "elsewhere";
  fs::create_directories(elsewhere);
  fs::create_directories(home_);
  {
    Program game(prefix_ + "/bin/tilemarch", {elsewhere, {}, {{"HOME", home_}, {"XDG_DATA_HOME", xdg_}}});
    std::string id = game.WindowId();
    ASSERT_FALSE(id.empty()) << game.Output();
    Activate(id);
    EXPECT_TRUE(WaitFor([&] { return PicturePixels(id) > 2000; })) << "the map's pictures did not draw";

    // Losing the focus suspends the game, which saves.
    Program thief(Shell("command -v xmessage"), {"", {"-title", "tilemarch-thief", "focus"}, {}});
    std::string thiefId;
    ASSERT_TRUE(WaitFor([&] { return !(thiefId = Shell("xdotool search --name '^tilemarch-thief$'")).empty(); }));
    Activate(thiefId);
    EXPECT_TRUE(WaitFor([&] { return fs::exists(xdg_ + "/tilemarch/.quillstate"); }));
    EXPECT_FALSE(fs::exists(elsewhere + "/.quillstate"));
    EXPECT_FALSE(fs::exists(home_ + "/.local"));
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0);
  }
  {
    // Without XDG_DATA_HOME the directory is the one below HOME.
    Program game(prefix_ + "/bin/tilemarch", {elsewhere, {}, {{"HOME", home_}, {"XDG_DATA_HOME", ""}}});
    std::string id = game.WindowId();
    ASSERT_FALSE(id.empty()) << game.Output();
    EXPECT_TRUE(fs::is_directory(home_ + "/.local/share/tilemarch"));
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0);
  }

  ASSERT_EQ(Make("uninstall"), 0) << MakeLog();
  EXPECT_EQ(Tree(prefix_), othersOnly_);
  EXPECT_TRUE(fs::exists(xdg_ + "/tilemarch/.quillstate")) << "progress outlives the installation";
}

} // namespace
