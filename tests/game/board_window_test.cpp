// A puzzle in the real game under X: the game object on the framework's own
// window, input and audio (tests/board_probe, which starts puzzle 5 once its
// loading is done), tiles marked with real clicks through xdotool, the marks
// checked on screenshots, and the fill sound found in what OpenAL Soft's wave
// backend wrote out. Needs a display, xdotool, imagemagick, and the generated
// data in the build directory.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string Sh(const std::string &command) {
  std::string out;
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string Slurp(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Mono samples in -1..1 at a rate, from a RIFF WAVE file of 8-bit, 16-bit or
// float PCM. A data chunk whose size was never filled in (the writer did not
// close the file) runs to the end of the file.
struct Wave {
  int rate = 0;
  std::vector<float> samples;
};

uint32_t Le(const std::string &b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

Wave ReadWave(const std::string &bytes, size_t skipBytes = 0) {
  Wave wave;
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return wave;
  int format = 0, channels = 0, bits = 0;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string tag = bytes.substr(at, 4);
    size_t size = Le(bytes, at + 4, 4);
    size_t body = at + 8;
    if (tag == "fmt " && body + 16 <= bytes.size()) {
      format = static_cast<int>(Le(bytes, body, 2));
      channels = static_cast<int>(Le(bytes, body + 2, 2));
      wave.rate = static_cast<int>(Le(bytes, body + 4, 4));
      bits = static_cast<int>(Le(bytes, body + 14, 2));
      if (format == 0xFFFE && size >= 26) format = static_cast<int>(Le(bytes, body + 24, 2));
    } else if (tag == "data" && channels > 0 && bits > 0) {
      size_t end = size == 0 || size == 0xFFFFFFFFu || body + size > bytes.size() ? bytes.size() : body + size;
      size_t frame = static_cast<size_t>(channels * bits / 8);
      for (size_t f = body + skipBytes / frame * frame; f + frame <= end; f += frame) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) {
          size_t s = f + static_cast<size_t>(c * bits / 8);
          if (format == 3 && bits == 32) {
            uint32_t u = Le(bytes, s, 4);
            float v;
            std::memcpy(&v, &u, 4);
            sum += v;
          } else if (bits == 16) {
            sum += static_cast<float>(static_cast<int16_t>(Le(bytes, s, 2))) / 32768.0f;
          } else if (bits == 8) {
            sum += (static_cast<float>(static_cast<unsigned char>(bytes[s])) - 128.0f) / 128.0f;
          }
        }
        wave.samples.push_back(sum / static_cast<float>(channels));
      }
      return wave;
    }
    at = body + size + (size & 1);
  }
  return wave;
}

// The largest normalised correlation of the start of `sound` (resampled to the
// capture's rate) with any stretch of `capture`.
float BestMatch(const Wave &sound, const Wave &capture) {
  if (sound.rate <= 0 || capture.rate <= 0 || sound.samples.empty()) return 0;
  std::vector<float> ref;
  double step = static_cast<double>(sound.rate) / capture.rate;
  for (double t = 0; t + 1 < static_cast<double>(sound.samples.size()) && ref.size() < 4410; t += step) {
    size_t i = static_cast<size_t>(t);
    double frac = t - static_cast<double>(i);
    ref.push_back(static_cast<float>(sound.samples[i] * (1 - frac) + sound.samples[i + 1] * frac));
  }
  double refEnergy = 0;
  for (float v : ref) refEnergy += static_cast<double>(v) * v;
  const std::vector<float> &c = capture.samples;
  if (refEnergy <= 0 || c.size() < ref.size()) return 0;
  double window = 0;
  for (size_t n = 0; n < ref.size(); ++n) window += static_cast<double>(c[n]) * c[n];
  float best = 0;
  for (size_t lag = 0; lag + ref.size() <= c.size(); ++lag) {
    if (lag > 0) {
      window += static_cast<double>(c[lag + ref.size() - 1]) * c[lag + ref.size() - 1];
      window -= static_cast<double>(c[lag - 1]) * c[lag - 1];
    }
    if (window <= 1e-9) continue;
    double dot = 0;
    for (size_t n = 0; n < ref.size(); ++n) dot += static_cast<double>(ref[n]) * c[lag + n];
    best = std::max(best, static_cast<float>(dot / std::sqrt(refEnergy * window)));
  }
  return best;
}

class Program {
public:
  Program(const fs::path &exe, const fs::path &dir, const fs::path &alsoftConf) {
    pid_ = fork();
    if (pid_ == 0) {
      setenv("ALSOFT_CONF", alsoftConf.c_str(), 1);
      if (chdir(dir.c_str()) != 0) _exit(126);
      if (!freopen("/dev/null", "r", stdin) || !freopen((dir / "out.txt").c_str(), "w", stdout)) _exit(126);
      execl(exe.c_str(), exe.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
  }
  ~Program() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  std::string Window() const {
    std::string id;
    for (int i = 0; i < 200 && id.empty(); ++i) {
      id = Sh("xdotool search --pid " + std::to_string(pid_) + " --name '^Tilemarch$' 2>/dev/null | tail -n1");
      if (id.empty()) std::this_thread::sleep_for(50ms);
    }
    return id;
  }
  int WaitForExit() {
    for (int i = 0; i < 500; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(20ms);
    }
    return -1;
  }

private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

// Brightness 0..255 of a window pixel, averaged over a 5 x 5 patch.
class Shot {
public:
  Shot(const std::string &window, const fs::path &file) {
    Sh("import -window " + window + " -depth 8 rgb:" + file.string());
    pixels_ = Slurp(file);
  }
  bool Whole() const { return pixels_.size() >= 640u * 480 * 3; }
  int Brightness(int x, int y) const {
    int sum = 0;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        size_t at = (static_cast<size_t>(y + dy) * 640 + static_cast<size_t>(x + dx)) * 3;
        for (int c = 0; c < 3; ++c) sum += static_cast<unsigned char>(pixels_[at + c]);
      }
    return sum / 75;
  }

private:
  std::string pixels_;
};

// Tile centres of the board at 640 x 480.
int TileX(int x) { return 208 + 32 * x; }
int TileY(int y) { return 236 + 32 * y; }

TEST(BoardWindow, ClickedTilesTurnBlackAndTheFillIsHeard) {
  if (!std::getenv("DISPLAY") || std::system("xdpyinfo >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no X display: run under tools/with-display.sh";
  if (std::system("which xdotool import >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool and imagemagick are needed";
  const char *buildEnv = std::getenv("TILEMARCH_BUILD_DIR");
  fs::path build = buildEnv ? buildEnv : ".";
  if (!fs::exists(build / "tests" / "board_probe") || !fs::exists(build / "data" / "sfx" / "098.wav"))
    GTEST_SKIP() << "the probe and the game data are built into " << build
                 << " by the board_probe and tilemarch_data targets";

  // The game finds its data beside its executable: a copy of the probe sits
  // next to a link to the build's data.
  char pattern[] = "/tmp/tilemarch-board-XXXXXX";
  fs::path dir = mkdtemp(pattern);
  fs::copy_file(build / "tests" / "board_probe", dir / "board_probe");
  fs::create_directory_symlink(fs::absolute(build / "data"), dir / "data");
  fs::path capture = dir / "capture.wav";
  std::ofstream(dir / "alsoft.conf") << "[general]\ndrivers = wave\nchannels = stereo\nfrequency = 44100\n"
                                        "sample-type = int16\n[wave]\nfile = "
                                     << capture.string() << "\n";
  {
    Program game(dir / "board_probe", dir, dir / "alsoft.conf");
    std::string id = game.Window();
    ASSERT_FALSE(id.empty());
    bool started = false;
    for (int i = 0; i < 300 && !started; ++i) {
      std::this_thread::sleep_for(50ms);
      started = Slurp(dir / "out.txt").find("puzzle started") != std::string::npos;
    }
    ASSERT_TRUE(started) << Slurp(dir / "out.txt");
    Sh("xdotool windowactivate --sync " + id + " 2>/dev/null");
    std::this_thread::sleep_for(1000ms);
    Shot before(id, dir / "before.rgb");
    ASSERT_TRUE(before.Whole());

    // Everything written from here on comes after any sound of the start.
    std::error_code err;
    uintmax_t heardFrom = fs::file_size(capture, err);
    ASSERT_FALSE(err) << "OpenAL Soft wrote no capture file";
    for (int x : {0, 1}) {
      // Press and release far enough apart for an update to see the button.
      Sh("xdotool mousemove --window " + id + " " + std::to_string(TileX(x)) + " " + std::to_string(TileY(0)) +
         " sleep 0.08 mousedown 1 sleep 0.08 mouseup 1");
      std::this_thread::sleep_for(400ms);
    }
    Sh("xdotool mousemove --window " + id + " 600 20");
    std::this_thread::sleep_for(800ms);
    Shot after(id, dir / "after.rgb");
    ASSERT_TRUE(after.Whole());

    // A tile the clicks did not touch stays as it was; the clicked ones are
    // much darker than before.
    for (int x : {0, 1}) {
      SCOPED_TRACE(x);
      EXPECT_GT(before.Brightness(TileX(x), TileY(0)) - after.Brightness(TileX(x), TileY(0)), 100);
    }
    EXPECT_LT(std::abs(before.Brightness(TileX(6), TileY(0)) - after.Brightness(TileX(6), TileY(0))), 30);
    EXPECT_GT(after.Brightness(TileX(6), TileY(0)) - after.Brightness(TileX(0), TileY(0)), 100);

    Sh("xdotool windowactivate --sync " + id + " 2>/dev/null");
    Sh("xdotool key F4");
    EXPECT_EQ(game.WaitForExit(), 0);

    std::string header = Slurp(capture).substr(0, 4096);
    Wave heard = ReadWave(Slurp(capture), 0);
    Wave fill = ReadWave(Slurp(build / "data" / "sfx" / "098.wav"));
    ASSERT_GT(heard.rate, 0);
    ASSERT_FALSE(fill.samples.empty());
    // Keep only what was written after the start (less a little for the
    // writer's buffering).
    size_t dataStart = header.find("data") + 8;
    size_t skip = heardFrom > dataStart + 8192 ? static_cast<size_t>(heardFrom - dataStart - 8192) / 4 : 0;
    heard.samples.erase(heard.samples.begin(),
                        heard.samples.begin() + static_cast<long>(std::min(skip, heard.samples.size())));
    EXPECT_GT(BestMatch(fill, heard), 0.6f);
  }
  if (std::getenv("TILEMARCH_KEEP_SHOTS") == nullptr) {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
}

} // namespace
