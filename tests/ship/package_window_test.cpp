// The Debian package as a player and a maintainer get it: make deb builds it
// with dpkg-buildpackage, lintian finds no fault, the game is hardened, apt-get
// installs it, the game shows its map, and purging leaves no file of it and the
// set of packages as it was. Without root only its contents are checked. Needs X.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

namespace fs = std::filesystem;

const std::string kPackages = "dpkg-query -W -f='${Package} ${Version} ${Status}\\n'";
const std::string kApt = "DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120 ";

TEST(Package, BuildsInstallsPlaysAndPurgesWithoutATrace) {
  if (auto why = DisplayMissing("xdotool import dpkg-buildpackage appstreamcli lintian hardening-check"); !why.empty())
    GTEST_SKIP() << why;
  if (!fs::exists(BuildDir() + "/data/blocks.png")) GTEST_SKIP() << "no game data in " << BuildDir() << "/data";
  TempDir dir;
  const std::string make = "env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -s -C '" + SourceDir() + "' deb BUILD='" +
                           BuildDir() + "' JOBS=2 >'" + (dir / "make.log") + "' 2>&1";
  ASSERT_EQ(ShellStatus(make), 0) << ReadFile(dir / "make.log");
  const std::string deb = Shell("ls -t '" + BuildDir() + "'/tilemarch_*.deb | head -n1");

  // The contents, unpacked: each piece in place, the data reached through the game's directory.
  std::string root = dir / "root";
  ASSERT_EQ(ShellStatus("dpkg-deb -x '" + deb + "' '" + root + "'"), 0);
  for (std::string path : {"/usr/share/icons/hicolor/256x256/apps/tilemarch.png", "/usr/share/doc/tilemarch/copyright"})
    EXPECT_TRUE(fs::exists(root + path)) << path;
  EXPECT_TRUE(fs::is_symlink(root + "/usr/lib/tilemarch/data")) << "the data belongs in /usr/share/games";
  EXPECT_NE(Shell("dpkg-deb -f '" + deb + "' Depends").find("libglfw3"), std::string::npos);
  // The five protections the distribution's flags promise; the checker's newer lines guess from instructions.
  EXPECT_EQ(Shell("hardening-check '" + root + "/usr/lib/tilemarch/tilemarch' | grep -E " +
                  "'Position Independent|Stack protected|Fortify|Read-only|Immediate' | grep -vc ': yes'"),
            "0");
  const std::string changes = Shell("ls -t '" + BuildDir() + "'/tilemarch_*.changes | head -n1");
  EXPECT_EQ(Shell("lintian --pedantic '" + changes + "' 2>&1 | grep -E '^[EW]:' || true"), "");
  EXPECT_EQ(Shell("appstreamcli validate --no-net " + root + "/usr/share/metainfo/*.xml >/dev/null || echo bad"), "");
  std::string entry = root + "/usr/share/applications/tilemarch.desktop";
  EXPECT_NE(ReadFile(entry).find("\nExec=\"/usr/games/tilemarch\"\n"), std::string::npos);
  EXPECT_EQ(Shell("desktop-file-validate '" + entry + "' 2>&1"), "");

  if (geteuid() != 0 || Shell("command -v apt-get").empty())
    GTEST_SKIP() << "not root: the package's contents were checked, installing it was not tried";
  // Other checkouts on this machine may run this test too: one installs at a time.
  const int lock = open("/run/lock/tilemarch-package-test", O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  bool installed = false;
  std::shared_ptr<void> undo(nullptr, [&](void *) {
    if (installed) Shell(kApt + "purge tilemarch >/dev/null 2>&1");
    close(lock);
  });
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  if (!Shell("dpkg-query -W -f='${Status}' tilemarch 2>/dev/null | grep ' installed'").empty())
    GTEST_SKIP() << "a tilemarch package is installed on this system already; it is left alone";

  std::string before = Shell(kPackages);
  installed = true;
  ASSERT_EQ(ShellStatus(kApt + "install --no-install-recommends '" + deb + "' >'" + (dir / "apt.log") + "' 2>&1"), 0)
      << ReadFile(dir / "apt.log");
  std::istringstream files(Shell("dpkg-query -L tilemarch"));
  {
    std::string home = dir / "home";
    fs::create_directories(home);
    Program game("/usr/games/tilemarch", {dir.Path(), {}, {{"HOME", home}, {"XDG_DATA_HOME", ""}}});
    std::string id = game.WindowId();
    ASSERT_FALSE(id.empty()) << game.Output();
    Activate(id);
    // The map's blue background between the cells; the empty window is black.
    EXPECT_TRUE(WaitFor([&] { return (Shot(id).Rgb(610, 66) & 0xff) > 100; })) << "the installed game's map is missing";
    PressKey(id, "F4");
    EXPECT_EQ(game.WaitForExit(), 0);
  }

  ASSERT_EQ(ShellStatus(kApt + "purge tilemarch >'" + (dir / "apt.log") + "' 2>&1"), 0) << ReadFile(dir / "apt.log");
  installed = false;
  for (std::string path; std::getline(files, path);)
    EXPECT_TRUE(fs::is_directory(path) || !fs::exists(fs::symlink_status(path))) << path << " outlived the package";
  for (std::string dir : {"/usr/lib/tilemarch", "/usr/share/games/tilemarch", "/usr/share/doc/tilemarch"})
    EXPECT_FALSE(fs::exists(dir)) << dir;
  EXPECT_EQ(Shell(kPackages), before) << "installing and purging changed the system's packages";
}

} // namespace
