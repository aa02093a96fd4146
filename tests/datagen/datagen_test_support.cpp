// The generator run and picture reading behind the data tests.
#include "datagen_test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "graphics/image_data.h"

namespace {

std::string PrivateRoot() {
  // Kept on the heap for the whole process: the exit handler that removes the
  // directory runs after static objects are destroyed.
  static const std::string *root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tilemarch_datagen_XXXXXX").string();
    char *made = mkdtemp(pattern.data());
    auto *dir = new std::string(made ? made : "");
    if (!dir->empty()) std::atexit([] { std::filesystem::remove_all(PrivateRoot()); });
    return dir;
  }();
  return *root;
}

} // namespace

int RunGenerator(const std::string &arguments) {
  return ShellStatus("'" + BuildDir() + "/tools/datagen/tilemarch_datagen' " + arguments);
}

std::string FreshDirectory(const std::string &name) {
  std::filesystem::path dir = std::filesystem::path(PrivateRoot()) / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

const std::string &GeneratedData() {
  static std::string dir = [] {
    std::string d = FreshDirectory("data");
    return RunGenerator("'" + d + "'") == 0 ? d : std::string();
  }();
  return dir;
}

Picture ReadPicture(const std::string &path) {
  Picture p;
  int depth = 0;
  PixelData pixels = LoadImageData(String::FromUtf8(path), &p.width, &p.height, &depth);
  if (!pixels) return Picture();
  size_t count = static_cast<size_t>(p.width) * p.height;
  p.rgba.resize(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const unsigned char *s = pixels.get() + i * depth;
    unsigned char *d = &p.rgba[i * 4];
    bool grey = depth < 3;
    d[0] = s[0];
    d[1] = grey ? s[0] : s[1];
    d[2] = grey ? s[0] : s[2];
    d[3] = depth == 4 ? s[3] : depth == 2 ? s[1] : 255;
  }
  return p;
}

const std::vector<PictureEntry> &PictureTable() {
  static const std::vector<PictureEntry> table = [] {
    std::vector<PictureEntry> t = {{"blocks", 12, 12, 25},
                                   {"BadgesA", 64, 64, 64},
                                   {"common/circle", 256, 256, 4},
                                   {"common/light", 32, 32, 4},
                                   {"fonts/shadow_editundo", 16, 16, 128},
                                   {"common/PlinthLogo", 256, 256, 1},
                                   {"common/dpad", 32, 32, 16},
                                   {"common/Buttons", 64, 64, 16},
                                   {"parts", 8, 8, 256},
                                   {"common/icons", 32, 32, 16},
                                   {"logo", 256, 128, 1},
                                   {"menu", 256, 256, 4}};
    static const char *kSheets[14] = {"sheet1", "sheet2", "sheet3",  "sheet4",  "sheet5",  "sheet6",  "sheet7",
                                      "sheet8", "sheet9", "sheet10", "sheet11", "sheet12", "sheet13", "sheet14"};
    for (const char *sheet : kSheets) t.push_back({sheet, 64, 64, 16});
    return t;
  }();
  return table;
}
