// Decoding speed of the sound loader: 10 s of 44.1 kHz stereo as Ogg Vorbis
// (made with oggenc at start) and as WAV, through LoadAudioData as the game
// loads them. The "realtime" counter is seconds of sound decoded per second.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "audio/audio_data.h"
#include "host/game.h"

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 10;

void Put16(std::ofstream &out, uint16_t v) { out.put(static_cast<char>(v & 0xff)).put(static_cast<char>(v >> 8)); }
void Put32(std::ofstream &out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xffff));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

// A chord that moves, with a little noise: something the encoder has to work on.
void WriteTestWav(const std::string &path) {
  const uint32_t frames = kRate * kSeconds, bytes = frames * 4;
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  Put32(out, 36 + bytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 2);
  Put32(out, kRate);
  Put32(out, kRate * 4);
  Put16(out, 4);
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, bytes);
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> noise(-0.02, 0.02);
  for (uint32_t i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / kRate, step = std::floor(t * 2);
    double base = 220 * std::pow(2.0, std::fmod(step * 5, 12) / 12);
    double left = 0.3 * std::sin(2 * M_PI * base * t) + 0.2 * std::sin(2 * M_PI * base * 1.5 * t) + noise(rng);
    double right = 0.3 * std::sin(2 * M_PI * base * 1.25 * t) + 0.2 * std::sin(2 * M_PI * base * 2 * t) + noise(rng);
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(left * 32767)));
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(right * 32767)));
  }
}

bool Encode(const std::string &wav, const std::string &ogg) {
  pid_t pid = fork();
  if (pid == 0) {
    execlp("oggenc", "oggenc", "-Q", "-o", ogg.c_str(), wav.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Files {
  std::string dir, wav, ogg;
  bool oggMade = false;
  Files() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tilemarch-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    dir = pattern;
    wav = dir + "/music.wav";
    ogg = dir + "/music.ogg";
    WriteTestWav(wav);
    oggMade = Encode(wav, ogg);
  }
  ~Files() {
    std::error_code ignored;
    if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
  }
};

Files &TestFiles() {
  static Files files;
  return files;
}

void Decode(benchmark::State &state, const std::string &path) {
  static VexGame host;
  if (path.empty()) {
    state.SkipWithError("oggenc is not installed or failed");
    return;
  }
  int length = 0;
  for (auto _ : state) {
    int channels, format, hertz;
    auto data = LoadAudioData(String::FromUtf8(path), &length, &channels, &format, &hertz);
    if (!data) {
      state.SkipWithError("the file did not decode");
      return;
    }
    benchmark::DoNotOptimize(data.get());
  }
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(length) / kRate, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DecodeOgg10s(benchmark::State &state) { Decode(state, TestFiles().oggMade ? TestFiles().ogg : std::string()); }
void BM_DecodeWav10s(benchmark::State &state) { Decode(state, TestFiles().wav); }

BENCHMARK(BM_DecodeOgg10s)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodeWav10s)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
