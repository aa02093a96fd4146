// The build's install rules as a packager uses them: `cmake --install` into a
// prefix gives exactly the game, its data, the launcher and the desktop files,
// readable by all, and the menu entry naming the installed command. Staging
// below DESTDIR is the package test's, and programs that run the ship test's.
// The layout (plain or games) is the one the build was configured with. No
// display needed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <set>

#include "support/files.h"

namespace {

namespace fs = std::filesystem;

// A value from the build's CMake cache, or "" when it is not set.
std::string CacheValue(const std::string &name) {
  std::smatch match;
  const std::string cache = ReadFile(BuildDir() + "/CMakeCache.txt");
  return std::regex_search(cache, match, std::regex("\n" + name + ":[A-Z]+=([^\n]*)")) ? match[1].str() : "";
}

// Every file and link below root (directories left out), relative to it.
std::set<std::string> Tree(const std::string &root) {
  std::set<std::string> paths;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
    if (!it->is_directory() || it->is_symlink()) paths.insert(it->path().lexically_relative(root).string());
  return paths;
}

int Mode(const std::string &path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : -1;
}

// Installs the build's default component, whose manifest has a name of its own,
// so the manifest `make uninstall` reads is left as the last `make install` wrote it.
int Install(const std::string &prefix, const std::string &log) {
  return ShellStatus("cmake --install '" + BuildDir() + "' --prefix '" + prefix + "' --component Unspecified >'" + log +
                     "' 2>&1");
}

TEST(Install, PutsExactlyTheGameItsDataAndItsDesktopFilesInPlace) {
  if (!fs::exists(BuildDir() + "/data/blocks.png")) GTEST_SKIP() << "no game data in " << BuildDir() << "/data";
  const bool games = CacheValue("TILEMARCH_GAMES_LAYOUT") == "ON";
  const std::string command = games ? "games/tilemarch" : "bin/tilemarch";
  const std::string data = games ? "share/games/tilemarch" : "lib/tilemarch/data";
  std::set<std::string> expected = {"lib/tilemarch/tilemarch", command, "share/applications/tilemarch.desktop",
                                    "share/man/man6/tilemarch.6.gz",
                                    "share/metainfo/" + CacheValue("TILEMARCH_APP_ID") + ".metainfo.xml"};
  if (games) expected.insert("lib/tilemarch/data");
  for (const std::string &file : Tree(BuildDir() + "/data")) expected.insert(data + "/" + file);
  for (const std::string &file : Tree(BuildDir() + "/icons"))
    if (file.ends_with(".png")) expected.insert("share/icons/" + file);

  TempDir dir;
  // A prefix with a space and a quote, which the menu entry must quote.
  const std::string prefix = dir / "odd \"prefix\"";
  ASSERT_EQ(Install(prefix, dir / "install.log"), 0) << ReadFile(dir / "install.log");
  EXPECT_EQ(Tree(prefix), expected);
  for (const std::string &file : {std::string("share/applications/tilemarch.desktop"), data + "/blocks.png"})
    EXPECT_EQ(Mode(prefix + "/" + file), 0644) << file;
  if (games) {
    EXPECT_EQ(fs::read_symlink(prefix + "/lib/tilemarch/data"), "../../share/games/tilemarch");
  }
  const std::string entry = ReadFile(prefix + "/share/applications/tilemarch.desktop");
  EXPECT_NE(entry.find("\nExec=\"" + dir.Path() + "/odd \\\\\"prefix\\\\\"/" + command + "\"\n"), std::string::npos)
      << entry;
}

} // namespace
