// The Debian package as a player gets it: make deb builds it, apt-get installs
// it, the installed game shows its map, and purging takes every file of it
// away and leaves the system's set of packages as it was. Without root only
// the package's contents are checked. Needs a display with a window manager.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::string kPackages = "dpkg-query -W -f='${Package} ${Version} ${Status}\\n'";
const std::string kApt = "DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120 ";

class Package : public testing::Test {
protected:
  void SetUp() override {
    if (auto why = DisplayMissing("xdotool import dpkg-shlibdeps appstreamcli"); !why.empty()) GTEST_SKIP() << why;
    if (!fs::exists(BuildDir() + "/data/blocks.png")) GTEST_SKIP() << "no game data in " << BuildDir() << "/data";
  }
  void TearDown() override {
    if (installed_) Shell(kApt + "purge tilemarch >/dev/null 2>&1");
    if (lock_ >= 0) close(lock_);
  }

  TempDir dir_;
  bool installed_ = false;
  int lock_ = -1;
};

TEST_F(Package, BuildsInstallsPlaysAndPurgesWithoutATrace) {
  ASSERT_EQ(ShellStatus("env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -s -C '" + SourceDir() + "' deb BUILD='" +
                        BuildDir() + "' JOBS=2 >'" + (dir_ / "make.log") + "' 2>&1"),
            0)
      << ReadFile(dir_ / "make.log");
  std::string version = Shell("sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' '" + BuildDir() + "/CMakeCache.txt'");
  std::string deb = BuildDir() + "/tilemarch_" + version + "_" + Shell("dpkg --print-architecture") + ".deb";
  ASSERT_TRUE(fs::exists(deb)) << ReadFile(dir_ / "make.log");

  // The contents, unpacked: each piece in place, the data reached through the game's directory.
  std::string root = dir_ / "root";
  ASSERT_EQ(ShellStatus("dpkg-deb -x '" + deb + "' '" + root + "'"), 0);
  for (std::string path : {"/usr/games/tilemarch", "/usr/lib/tilemarch/tilemarch", "/usr/lib/tilemarch/data/blocks.png",
                           "/usr/share/icons/hicolor/256x256/apps/tilemarch.png", "/usr/share/doc/tilemarch/copyright"})
    EXPECT_TRUE(fs::exists(root + path)) << path;
  EXPECT_TRUE(fs::is_symlink(root + "/usr/lib/tilemarch/data")) << "the data belongs in /usr/share/games";
  EXPECT_FALSE(fs::exists(root + "/usr/lib/tilemarch/install-manifest")) << "dpkg, not the install script, lists files";
  EXPECT_NE(Shell("dpkg-deb -f '" + deb + "' Depends").find("libglfw3"), std::string::npos);
  EXPECT_NE(Shell("gzip -dc '" + root + "/usr/share/man/man6/tilemarch.6.gz'").find("\"Tilemarch " + version + "\""),
            std::string::npos);
  std::string metainfo = Shell("ls '" + root + "'/usr/share/metainfo/*.metainfo.xml");
  EXPECT_NE(ReadFile(metainfo).find("<release version=\"" + version + "\""), std::string::npos) << metainfo;
  EXPECT_EQ(ShellStatus("appstreamcli validate --no-net '" + metainfo + "' >/dev/null 2>&1"), 0);
  std::string entry = root + "/usr/share/applications/tilemarch.desktop";
  EXPECT_NE(ReadFile(entry).find("\nExec=\"/usr/games/tilemarch\"\n"), std::string::npos);
  EXPECT_EQ(Shell("desktop-file-validate '" + entry + "' 2>&1"), "");

  if (geteuid() != 0 || Shell("command -v apt-get").empty())
    GTEST_SKIP() << "not root: the package's contents were checked, installing it was not tried";
  // Other checkouts on this machine may run this test too: one installs at a time.
  lock_ = open("/run/lock/tilemarch-package-test", O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  ASSERT_EQ(flock(lock_, LOCK_EX), 0);
  if (!Shell("dpkg-query -W -f='${Status}' tilemarch 2>/dev/null | grep ' installed'").empty())
    GTEST_SKIP() << "a tilemarch package is installed on this system already; it is left alone";

  std::string before = Shell(kPackages);
  installed_ = true;
  ASSERT_EQ(ShellStatus(kApt + "install --no-install-recommends '" + deb + "' >'" + (dir_ / "apt.log") + "' 2>&1"), 0)
      << ReadFile(dir_ / "apt.log");
  std::istringstream files(Shell("dpkg-query -L tilemarch"));
  {
    std::string home = dir_ / "home";
    fs::create_directories(home);
    Program game("/usr/games/tilemarch", {dir_.Path(), {}, {{"HOME", home}, {"XDG_DATA_HOME", ""}}});
    std::string id = game.WindowId();
    ASSERT_FALSE(id.empty()) << game.Output();
    Activate(id);
    bool drawn = false;
    // The map's blue background between the cells; the empty window is black.
    for (int i = 0; i < 300 && !(drawn = (Shot(id).Rgb(610, 66) & 0xff) > 100); ++i) std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(drawn) << "the installed game's map did not draw";
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0);
  }

  ASSERT_EQ(ShellStatus(kApt + "purge tilemarch >'" + (dir_ / "apt.log") + "' 2>&1"), 0) << ReadFile(dir_ / "apt.log");
  installed_ = false;
  for (std::string path; std::getline(files, path);)
    EXPECT_TRUE(fs::is_directory(path) || !fs::exists(fs::symlink_status(path))) << path << " outlived the package";
  for (std::string dir : {"/usr/lib/tilemarch", "/usr/share/games/tilemarch", "/usr/share/doc/tilemarch"})
    EXPECT_FALSE(fs::exists(dir)) << dir;
  EXPECT_EQ(Shell(kPackages), before) << "installing and purging changed the system's packages";
}

} // namespace
