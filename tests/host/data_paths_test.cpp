// Data paths, the state file's encodings and its crash-safe saving.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "host/data_paths.h"
#include "host/glfw_game.h"
#include "host/state_file.h"
#include "support/files.h"

namespace {

TEST(DataPaths, FixDataPathAddsTheSchemeToBareNamesOnly) {
  EXPECT_EQ(vex_data_FixDataPath("gfx/tile.png"), String("quill://data/gfx/tile.png"));
  for (const char *same : {"C:/x.png", "./a.png", "/a.png", "quill://data/a.png", "quill://internal/b"})
    EXPECT_EQ(vex_data_FixDataPath(same), String(same)) << same;
  EXPECT_EQ(vex_data_FixDataPath("ab/c:/d"), String("quill://data/ab/c:/d"));
}

TEST(DataPaths, SchemesMapBesideTheExecutable) {
  String app = AppDirOfExecutable("C:\\Games\\Tile\\game.exe");
  EXPECT_EQ(app, String("C:/Games/Tile"));
  EXPECT_EQ(MapDataPath("quill://data/sfx/a.wav", app), String("C:/Games/Tile/data/sfx/a.wav"));
  EXPECT_EQ(MapDataPath("quill://internal/x", app), String("C:/Games/Tile/internal/x"));
  EXPECT_EQ(MapDataPath("quill://external/y", app), String("C:/Games/Tile/external/y"));
  EXPECT_EQ(MapDataPath("quill://other/z", app), String());
  EXPECT_EQ(MapDataPath("plain/file", app), String("plain/file"));
}

TEST(DataPaths, HostResolvesDataBesideTheRunningExecutable) {
  VexGlfwGame host;
  std::string exe = std::filesystem::canonical("/proc/self/exe").string();
  std::string dir = exe.substr(0, exe.rfind('/'));
  EXPECT_EQ(host.PathToFilePath("quill://data/sfx/a.wav").ToUtf8(), dir + "/data/sfx/a.wav");
  EXPECT_EQ(host.PathToFilePath("quill://nowhere/a"), String());
  EXPECT_EQ(host.OpenFile("quill://nowhere/a", "rb"), nullptr);
}

TEST(StateFile, WritesUtf8WithoutMark) {
  TempDir dir{true};
  VexGlfwGame host;
  EXPECT_EQ(host.SaveState("abc"), 0);
  EXPECT_EQ(ReadFile(".quillstate"), "abc");
  EXPECT_EQ(host.SaveState("x" + String::FromChar(0xE9) + String::FromChar(0x20AC)), 0);
  EXPECT_EQ(ReadFile(".quillstate"), "x\xC3\xA9\xE2\x82\xAC");
  EXPECT_FALSE(std::filesystem::exists(".quillstate.tmp"));
  EXPECT_EQ(host.LoadState(), "x" + String::FromChar(0xE9) + String::FromChar(0x20AC));
}

TEST(StateFile, ReadsMarksAndFallsBackToOneCharacterPerByte) {
  TempDir dir{true};
  VexGlfwGame host;
  EXPECT_EQ(host.LoadState(), String()) << "a missing file is the empty state";
  struct Case {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"", u""},
      {std::string("\xFE\xFF\x00\x41\x00\xE9", 6), u"A\u00E9"},
      {std::string("\xFF\xFE\x41\x00\xE9\x00", 6), u"A\u00E9"},
      {"\xEF\xBB\xBFok", u"ok"},
      {"a\x80"
       "b",
       u"a\u0080b"},
      {"\xC3", u"\u00C3"},
      {"\xF0\x9F\x98\x80", u"\u00F0\u009F\u0098\u0080"},
  };
  for (const Case &c : cases) {
    WriteFile(".quillstate", c.bytes);
    EXPECT_EQ(host.LoadState().Units(), c.text);
  }
}

// The failure cases leave the previous state byte for byte.
class StateFileFailure : public ::testing::Test {
protected:
  void SetUp() override { WriteFile(".quillstate", "old state|1|2|3|"); }
  void ExpectOldStateKept() {
    EXPECT_EQ(ReadFile(".quillstate"), "old state|1|2|3|");
    EXPECT_FALSE(std::filesystem::exists(".quillstate.tmp"));
  }
  TempDir dir{true};
  VexGlfwGame host;
};

TEST_F(StateFileFailure, FullDeviceBehindTheTemporaryFile) {
  std::filesystem::create_symlink("/dev/full", ".quillstate.tmp");
  EXPECT_EQ(host.SaveState("new state"), -2);
  ExpectOldStateKept();
}

TEST_F(StateFileFailure, TemporaryFileCannotBeCreated) {
  std::filesystem::create_directory(".quillstate.tmp");
  EXPECT_EQ(host.SaveState("new state"), -1);
  EXPECT_EQ(ReadFile(".quillstate"), "old state|1|2|3|");
}

TEST_F(StateFileFailure, SmallFilesystemRunsFull) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  std::filesystem::create_directory("small");
  if (mount("tmpfs", "small", "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "tmpfs mount not permitted here";
  std::filesystem::current_path("small");
  WriteFile(".quillstate", "old state|1|2|3|");
  EXPECT_EQ(host.SaveState(String(std::u16string(64 * 1024, u'7'))), -2);
  ExpectOldStateKept();
  std::filesystem::current_path("..");
  umount("small");
}

TEST_F(StateFileFailure, ReadOnlyDirectory) {
  std::filesystem::create_directory("ro");
  WriteFile("ro/.quillstate", "old state|1|2|3|");
  bool mounted = false;
  if (geteuid() == 0) {
    // Root ignores permission bits: make the directory a read-only mount.
    mounted = mount("ro", "ro", nullptr, MS_BIND, nullptr) == 0 &&
              mount(nullptr, "ro", nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    if (!mounted) GTEST_SKIP() << "read-only bind mount not permitted here";
  } else {
    std::filesystem::permissions("ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  }
  std::filesystem::current_path("ro");
  EXPECT_EQ(host.SaveState("new state"), -1);
  ExpectOldStateKept();
  std::filesystem::current_path("..");
  if (mounted) umount("ro");
  std::filesystem::permissions("ro", std::filesystem::perms::owner_all);
}

} // namespace
