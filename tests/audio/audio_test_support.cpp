// Helpers shared by the audio tests; see audio_test_support.h.
#include "audio_test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char **environ;

namespace {

// The audio tests that open a device in-process run silently even when started
// by hand, outside ctest (which sets the same configuration).
const bool nullBackend = [] {
  std::filesystem::path tests = std::filesystem::path(TILEMARCH_TEST_DATA).parent_path().parent_path();
  setenv("ALSOFT_CONF", (tests / "alsoft-null.conf").c_str(), 0);
  return true;
}();

uint32_t ReadU32(const unsigned char *p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

} // namespace

void PutU16(Bytes &out, uint32_t value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

void PutU32(Bytes &out, uint32_t value) {
  PutU16(out, value & 0xffff);
  PutU16(out, value >> 16);
}

static void PutChunk(Bytes &out, const std::string &tag, const Bytes &body) {
  out.insert(out.end(), tag.begin(), tag.end());
  PutU32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() & 1) out.push_back(0);
}

Bytes MakeWav(const WavSpec &spec) {
  Bytes format;
  PutU16(format, static_cast<uint32_t>(spec.audioFormat));
  PutU16(format, static_cast<uint32_t>(spec.channels));
  PutU32(format, static_cast<uint32_t>(spec.hertz));
  int block = spec.channels * (spec.bits / 8);
  PutU32(format, static_cast<uint32_t>(spec.hertz * block));
  PutU16(format, static_cast<uint32_t>(block));
  PutU16(format, static_cast<uint32_t>(spec.bits));
  format.resize(format.size() + static_cast<size_t>(spec.formatExtra), 0);

  Bytes body = {'W', 'A', 'V', 'E'};
  PutChunk(body, "fmt ", format);
  for (const WavChunk &chunk : spec.before) PutChunk(body, chunk.tag, chunk.body);
  PutChunk(body, "data", spec.data);

  Bytes file = {'R', 'I', 'F', 'F'};
  PutU32(file, static_cast<uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes SineS16(int frames, int channels, double hertz, double rate, double amplitude) {
  Bytes out;
  for (int i = 0; i < frames; ++i) {
    double v = amplitude * std::sin(2 * M_PI * hertz * i / rate);
    auto s = static_cast<int16_t>(std::lround(v * 32767));
    for (int c = 0; c < channels; ++c) PutU16(out, static_cast<uint16_t>(s));
  }
  return out;
}

void WriteFile(const std::string &path, const Bytes &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tilemarch-audio-XXXXXX").string();
  if (mkdtemp(pattern.data())) path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

String DataHost::PathToFilePath(const String &path) {
  if (!path.StartsWith("quill://data/")) return path;
  return String::FromUtf8(dataDir_) + "/" + path.Slice(13);
}

RunResult RunCommand(const std::vector<std::string> &argv, const std::vector<std::string> &env) {
  RunResult result;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return result;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    close(pipeFds[1]);
    for (const std::string &entry : env) putenv(const_cast<char *>(entry.c_str()));
    std::vector<char *> args;
    for (const std::string &arg : argv) args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(pipeFds[1]);
  if (pid < 0) {
    close(pipeFds[0]);
    return result;
  }
  char block[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], block, sizeof block)) > 0) result.out.append(block, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool HaveTool(const std::string &name) {
  return RunCommand({"sh", "-c", "command -v " + name + " >/dev/null 2>&1"}).status == 0;
}

std::string ProbePath(const std::string &name) {
  const char *build = std::getenv("TILEMARCH_BUILD_DIR");
  if (!build) return std::string();
  std::string path = std::string(build) + "/tests/" + name;
  return access(path.c_str(), X_OK) == 0 ? path : std::string();
}

std::string WriteConf(const TempDir &dir, const std::string &name, const std::string &text) {
  std::string path = dir / name;
  std::ofstream(path) << text;
  return path;
}

std::string WriteCaptureConf(const TempDir &dir, const std::string &outFile, int sources) {
  std::string text = "[general]\ndrivers = wave\nchannels = stereo\nfrequency = 44100\nhrtf = false\n";
  if (sources > 0) text += "sources = " + std::to_string(sources) + "\n";
  text += "[wave]\nfile = " + outFile + "\n";
  return WriteConf(dir, "capture.conf", text);
}

double Capture::Rms(int from, int to) const {
  if (from < 0) from = 0;
  if (to > Frames()) to = Frames();
  if (from >= to) return 0;
  double sum = 0;
  for (size_t i = static_cast<size_t>(from) * channels; i < static_cast<size_t>(to) * channels; ++i)
    sum += double{samples[i]} * samples[i];
  return std::sqrt(sum / ((to - from) * channels));
}

int Capture::Onset(float threshold, int from) const {
  for (int frame = from < 0 ? 0 : from; frame < Frames(); ++frame)
    for (int c = 0; c < channels; ++c)
      if (std::fabs(samples[static_cast<size_t>(frame) * channels + c]) > threshold) return frame;
  return -1;
}

bool ReadCapture(const std::string &path, Capture &capture) {
  Bytes file = ReadFile(path);
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0) return false;
  size_t pos = 12;
  int bits = 0;
  while (pos + 8 <= file.size()) {
    uint32_t size = ReadU32(&file[pos + 4]);
    if (std::memcmp(&file[pos], "fmt ", 4) == 0 && pos + 24 <= file.size()) {
      capture.channels = file[pos + 10] | file[pos + 11] << 8;
      capture.hertz = static_cast<int>(ReadU32(&file[pos + 12]));
      bits = file[pos + 22] | file[pos + 23] << 8;
    }
    if (std::memcmp(&file[pos], "data", 4) == 0) {
      if (bits != 32 || capture.channels == 0) return false;
      size_t start = pos + 8;
      size_t count = (size == 0 || size > file.size() - start ? file.size() - start : size) / 4;
      capture.samples.resize(count);
      std::memcpy(capture.samples.data(), &file[start], count * 4);
      return true;
    }
    pos += 8 + size + (size & 1);
  }
  return false;
}
