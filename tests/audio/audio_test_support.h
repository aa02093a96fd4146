// Helpers shared by the audio tests: WAV files built byte by byte, temporary
// directories, a host that maps data paths, the captured output of OpenAL's
// wave backend and the probe processes that produce it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/game.h"

using Bytes = std::vector<unsigned char>;

struct WavChunk {
  std::string tag;
  Bytes body;
};

struct WavSpec {
  int audioFormat = 1;
  int channels = 1;
  int hertz = 22050;
  int bits = 16;
  int formatExtra = 0;          // bytes after the 16 of the format chunk
  std::vector<WavChunk> before; // chunks between the format and data chunks
  Bytes data;
};

// A RIFF/WAVE file; odd-sized chunks get their pad byte.
Bytes MakeWav(const WavSpec &spec);
void PutU16(Bytes &out, uint32_t value);
void PutU32(Bytes &out, uint32_t value);

// Signed 16-bit samples of a sine, interleaved over the channels.
Bytes SineS16(int frames, int channels, double hertz, double rate, double amplitude);

void WriteFile(const std::string &path, const Bytes &bytes);
Bytes ReadFile(const std::string &path);

// A fresh directory under the system's temporary directory, removed with its
// files when the object goes.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &Path() const { return path_; }
  std::string operator/(const std::string &name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

// A host whose data directory is a given directory ("quill://data/x" is DIR/x).
class DataHost : public VexGame {
public:
  explicit DataHost(std::string dataDir) : dataDir_(std::move(dataDir)) {}
  String PathToFilePath(const String &path) override;

private:
  std::string dataDir_;
};

// Runs COMMAND (argv[0] is looked up in PATH) with extra environment entries,
// returning its exit status (-1 if it could not run) and its standard output.
struct RunResult {
  int status = -1;
  std::string out;
};
RunResult RunCommand(const std::vector<std::string> &argv, const std::vector<std::string> &env = {});
bool HaveTool(const std::string &name);

// The path of a probe executable built with the tests, empty when unknown.
std::string ProbePath(const std::string &name);

// OpenAL Soft configuration files for a probe process.
std::string WriteCaptureConf(const TempDir &dir, const std::string &outFile, int sources = 0);
std::string WriteConf(const TempDir &dir, const std::string &name, const std::string &text);

// The float samples the wave backend wrote, interleaved; read by position when
// the process ended without finalising the header.
struct Capture {
  int channels = 0;
  int hertz = 0;
  std::vector<float> samples;
  int Frames() const { return channels ? static_cast<int>(samples.size()) / channels : 0; }
  // Root-mean-square over all channels of the frames [from, to).
  double Rms(int from, int to) const;
  // The first frame from which the signal exceeds the threshold, or -1.
  int Onset(float threshold, int from = 0) const;
};
bool ReadCapture(const std::string &path, Capture &capture);
