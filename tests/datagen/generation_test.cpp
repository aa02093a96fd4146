// The generator as the build runs it: the same bytes on every run, a data
// directory of modest size, the build's own copy up to date, the preview, and
// its answer to wrong use.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "datagen_test_support.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> ReadTree(const std::string &dir) {
  std::map<std::string, std::string> files;
  for (const auto &entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    files[fs::relative(entry.path(), dir).string()] = ReadFile(entry.path());
  }
  return files;
}

TEST(Generation, TwoRunsWriteTheSameBytesAndStayUnderTenMegabytes) {
  ASSERT_FALSE(GeneratedData().empty());
  std::string second = FreshDirectory("again");
  ASSERT_EQ(RunGenerator("'" + second + "'"), 0);
  auto a = ReadTree(GeneratedData()), b = ReadTree(second);
  // 26 pictures at three resolutions, the default font, five effects and the tune.
  EXPECT_EQ(a.size(), 26u * 3 + 1 + 5 + 1);
  size_t total = 0;
  for (const auto &[name, bytes] : a) {
    total += bytes.size();
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b[name]) << name << " differs between runs";
  }
  EXPECT_EQ(a.size(), b.size());
  EXPECT_LT(total, 10u * 1024 * 1024);
}

TEST(Generation, TheBuildsDataDirectoryIsUpToDate) {
  ASSERT_FALSE(GeneratedData().empty());
  if (!fs::exists(BuildDir() + "/data")) GTEST_SKIP() << "the data target has not been built";
  auto built = ReadTree(BuildDir() + "/data"), fresh = ReadTree(GeneratedData());
  for (const auto &[name, bytes] : fresh) EXPECT_TRUE(built.count(name) && built[name] == bytes) << name;
}

TEST(Generation, PreviewIsOnePictureOfEverything) {
  std::string file = FreshDirectory("preview") + "/contact.png";
  ASSERT_EQ(RunGenerator("--preview '" + file + "'"), 0);
  Picture p = ReadPicture(file);
  ASSERT_TRUE(p.Loaded());
  // Wide enough for the -hd badge sheet, tall enough for the fourteen tile sheets.
  EXPECT_GE(p.width, 1024);
  EXPECT_GE(p.height, 14 * 512 / 4);
}

TEST(Generation, WrongUseAndUnwritablePlacesFailLoudly) {
  EXPECT_EQ(RunGenerator("2>/dev/null"), 2);
  EXPECT_EQ(RunGenerator("--preview 2>/dev/null"), 2);
  std::string blocker = FreshDirectory("blocked") + "/file";
  WriteFile(blocker, "not a directory");
  EXPECT_EQ(RunGenerator("'" + blocker + "/data' 2>/dev/null"), 1);
}

} // namespace
