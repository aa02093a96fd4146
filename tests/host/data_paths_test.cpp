// Data paths, the state file's encodings and its crash-safe saving.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "host/data_paths.h"
#include "host/glfw_game.h"
#include "support/files.h"

namespace {

TEST(DataPaths, BareNamesAreDataAndSchemesMapBesideTheExecutable) {
  EXPECT_EQ(vex_data_FixDataPath("gfx/tile.png"), String("quill://data/gfx/tile.png"));
  for (const char *same : {"C:/x.png", "./a.png", "/a.png", "quill://data/a.png"})
    EXPECT_EQ(vex_data_FixDataPath(same), String(same)) << same;
  String app = AppDirOfExecutable("C:\\Games\\game.exe");
  EXPECT_EQ(MapDataPath("quill://internal/x", app), String("C:/Games/internal/x"));
  EXPECT_EQ(MapDataPath("quill://other/z", app), String()) << "an unknown scheme maps to nothing";
  VexGlfwGame host;
  std::string exe = std::filesystem::canonical("/proc/self/exe").string();
  EXPECT_EQ(host.PathToFilePath("quill://data/sfx/a.wav").ToUtf8(), exe.substr(0, exe.rfind('/')) + "/data/sfx/a.wav");
}

TEST(StateFile, SavesUtf8AndReadsMarksOrOneCharacterPerByte) {
  TempDir dir{true};
  VexGlfwGame host;
  EXPECT_EQ(host.LoadState(), String()) << "a missing file is the empty state";
  String state = "x" + String::FromChar(0xE9) + String::FromChar(0x20AC);
  EXPECT_EQ(host.SaveState(state), 0);
  EXPECT_EQ(ReadFile(".quillstate"), "x\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(host.LoadState(), state);
  const std::pair<std::string, std::u16string> cases[] = {{std::string("\xFE\xFF\x00\x41\x00\xE9", 6), u"A\u00E9"},
                                                          {std::string("\xFF\xFE\x41\x00\xE9\x00", 6), u"A\u00E9"},
                                                          {"\xEF\xBB\xBFok", u"ok"},
                                                          {"a\x80z", u"a\u0080z"}};
  for (const auto &[bytes, text] : cases) {
    WriteFile(".quillstate", bytes);
    EXPECT_EQ(host.LoadState().Units(), text);
  }
}

// A save that fails leaves the previous state byte for byte.
class StateFileFailure : public ::testing::Test {
protected:
  void SetUp() override { WriteFile(".quillstate", "old state|1|2|3|"); }
  void ExpectOldStateKept() { EXPECT_EQ(ReadFile(".quillstate"), "old state|1|2|3|"); }
  TempDir dir{true};
  VexGlfwGame host;
};

TEST_F(StateFileFailure, FullDiskWhileWriting) {
  // A file size limit of a few bytes makes the write fail as a full disk does.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{}, tiny{4, 4};
  getrlimit(RLIMIT_FSIZE, &old);
  tiny.rlim_max = old.rlim_max;
  setrlimit(RLIMIT_FSIZE, &tiny);
  int status = host.SaveState("new state");
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(status, -2);
  ExpectOldStateKept();
  EXPECT_FALSE(std::filesystem::exists(".quillstate.tmp"));
}

TEST_F(StateFileFailure, NeverWritesThroughALinkAtTheTemporaryName) {
  WriteFile("victim", "not yours");
  std::filesystem::create_symlink("victim", ".quillstate.tmp");
  EXPECT_EQ(host.SaveState("new state"), 0);
  EXPECT_EQ(ReadFile("victim"), "not yours");
  EXPECT_EQ(ReadFile(".quillstate"), "new state");
  EXPECT_FALSE(std::filesystem::is_symlink(".quillstate"));
}

TEST_F(StateFileFailure, TemporaryFileCannotBeCreated) {
  std::filesystem::create_directory(".quillstate.tmp");
  EXPECT_EQ(host.SaveState("new state"), -1);
  ExpectOldStateKept();
}

} // namespace
