// The generator's file output: directories, PNG, WAV and Ogg files.
#include "tools/datagen/generate.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "tools/datagen/pictures.h"
#include "tools/datagen/sound.h"
#include "tools/datagen/text_art.h"

namespace datagen {

namespace {

// A lighter search than stb's default: the files grow by half a percent and
// compress much faster. Set before main, so no painting thread ever writes it.
const bool kPngLevelSet = (stbi_write_png_compression_level = 5, true);

std::string WriteFile(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return "cannot write " + path.string();
  out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out ? std::string() : "cannot write " + path.string();
}

void AppendBytes(void *context, void *data, int size) {
  auto *out = static_cast<std::vector<uint8_t> *>(context);
  auto *bytes = static_cast<const uint8_t *>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// Runs the jobs on up to four threads; the first error (in job order) or empty.
std::string RunJobs(const std::vector<std::function<std::string()>> &jobs) {
  std::vector<std::string> errors(jobs.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++) errors[i] = jobs[i]();
  };
  unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < count; ++t) threads.emplace_back(work);
  work();
  for (std::thread &t : threads) t.join();
  for (const std::string &e : errors)
    if (!e.empty()) return e;
  return "";
}

std::string CheckFonts() {
  if (!BoldFont().Loaded()) return "missing font " + DejaVuPath("DejaVuSans-Bold.ttf") + " (install fonts-dejavu-core)";
  if (!MonoFont().Loaded()) return "missing font " + DejaVuPath("DejaVuSansMono.ttf") + " (install fonts-dejavu-core)";
  return "";
}

} // namespace

std::vector<uint8_t> EncodePng(const Canvas &canvas) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> pixels = canvas.ToRgba8();
  stbi_write_png_to_func(AppendBytes, &out, canvas.Width(), canvas.Height(), 4, pixels.data(), canvas.Width() * 4);
  return out;
}

std::string GenerateData(const std::string &dir) {
  std::string error = CheckFonts();
  if (!error.empty()) return error;
  std::filesystem::path root(dir);
  // Fail before the work, not after it, when the place cannot take files.
  std::error_code ec;
  std::filesystem::create_directories(root / "sfx", ec);
  if (ec) return "cannot create " + (root / "sfx").string() + ": " + ec.message();
  // Every file is independent of the others, so they are made on all cores;
  // each file's bytes depend only on its own job.
  std::vector<std::function<std::string()>> jobs;
  jobs.push_back([root] {
    std::vector<uint8_t> tune = EncodeOgg(MakeTune(), kSampleRate, 0.2f);
    if (tune.empty()) return std::string("the Ogg Vorbis encoder refused the tune");
    return WriteFile(root / "sfx/testmusic.ogg", tune);
  });
  for (const Picture &picture : GamePictures()) {
    for (int m : kMultipliers) {
      jobs.push_back([root, picture, m] {
        return WriteFile(root / (picture.name + SuffixFor(m) + ".png"), EncodePng(RenderPicture(picture, m)));
      });
    }
  }
  jobs.push_back([root] { return WriteFile(root / "lumen_font.png", EncodePng(RenderLumenFont())); });
  for (int slot : {1, 95, 96, 98, 99}) {
    jobs.push_back([root, slot] {
      char name[16];
      std::snprintf(name, sizeof name, "sfx/%03d.wav", slot);
      return WriteFile(root / name, EncodeWav(MakeEffect(slot), kSampleRate));
    });
  }
  return RunJobs(jobs);
}

std::string WriteAppIcons(const std::string &dir) {
  for (int size : {48, 64, 128, 256}) {
    std::string px = std::to_string(size);
    std::string error = WriteFile(std::filesystem::path(dir) / "hicolor" / (px + "x" + px) / "apps" / "tilemarch.png",
                                  EncodePng(RenderAppIcon(size)));
    if (!error.empty()) return error;
  }
  return "";
}

std::string WritePreview(const std::string &file) {
  std::string error = CheckFonts();
  if (!error.empty()) return error;
  // Shelf layout: pictures in table order, rows up to kWidth wide, each with
  // its name above it, on the map's blue so white art shows.
  constexpr int kWidth = 3200, kGap = 24, kLabel = 28;
  struct Placed {
    Canvas canvas;
    std::string name;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, rowH = 0;
  for (const Picture &picture : GamePictures()) {
    Canvas c = RenderPicture(picture, 2);
    if (x + c.Width() + kGap > kWidth && x > kGap) {
      x = kGap;
      y += rowH + kGap + kLabel;
      rowH = 0;
    }
    placed.push_back({std::move(c), picture.name + "-hd", x, y + kLabel});
    x += placed.back().canvas.Width() + kGap;
    rowH = std::max(rowH, placed.back().canvas.Height());
  }
  Canvas lumen = RenderLumenFont();
  placed.push_back({std::move(lumen), "lumen_font", kGap, y + rowH + kGap + kLabel * 2});
  int height = placed.back().y + placed.back().canvas.Height() + kGap;
  Canvas sheet(kWidth, height);
  Frame all(sheet, 0, 0, kWidth, height, 1);
  all.FillAll([](float, float) { return -1.f; }, Rgb255(20, 80, 160));
  for (const Placed &p : placed) {
    Frame frame(sheet, p.x, p.y, p.canvas.Width(), p.canvas.Height(), 1);
    frame.FillAll([](float, float) { return -1.f; }, Rgb255(30, 95, 180));
    sheet.Draw(p.canvas, p.x, p.y);
    TextMask label = RenderText(BoldFont(), p.name, 18);
    Frame(sheet, p.x, p.y - kLabel, kWidth - p.x, kLabel, 1).Mask(label.cover, label.width, 0, 4, Gray(1));
  }
  return WriteFile(file, EncodePng(sheet));
}

} // namespace datagen
