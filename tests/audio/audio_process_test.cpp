// The audio device in processes of their own (audio_probe), each with its own
// OpenAL configuration: output captured by the wave backend and analysed here,
// a source limit that forces a channel to take over another's source, and no
// usable device at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <map>
#include <sstream>

#include "audio_test_support.h"
#include "support/program.h"

namespace {

constexpr double kRate = 44100.0;

int Frame(double millis) { return static_cast<int>(millis * kRate / 1000.0); }
double Millis(int frame) { return frame * 1000.0 / kRate; }

class AudioProcess : public testing::Test {
protected:
  void SetUp() override {
    probe = BuildDir() + "/tests/audio_probe";
    if (access(probe.c_str(), X_OK) != 0) GTEST_SKIP() << "audio_probe is built by its own target";
    WavSpec tone; // 200 ms of 440 Hz at half scale
    tone.hertz = 44100;
    tone.data = SineS16(8820, 1, 440, 44100, 0.5);
    WriteFile(dir / "tone.wav", MakeWav(tone));
    WavSpec loop = tone; // a whole number of periods, so it loops without a click
    loop.data = SineS16(44100, 1, 441, 44100, 0.5);
    WriteFile(dir / "loop.wav", MakeWav(loop));
  }

  // Runs the probe under the configuration; its "name value" lines.
  std::map<std::string, double> Probe(const std::string &conf, const std::vector<std::string> &args) {
    Program run(probe, {dir.Path(), args, {{"ALSOFT_CONF", conf}}});
    EXPECT_EQ(run.WaitForExit(std::chrono::seconds(60)), 0) << run.Output();
    output = run.Output();
    std::map<std::string, double> values;
    std::istringstream lines(output);
    std::string name;
    double value;
    while (lines >> name) {
      if (name == "done" || name == "opening" || name == "OpenAl") {
        std::getline(lines, name);
        continue;
      }
      if (lines >> value) values[name] = value;
    }
    return values;
  }

  // Runs the probe with its mix captured into a file.
  Wave Captured(const std::vector<std::string> &args, std::map<std::string, double> &values) {
    WriteFile(dir / "capture.conf", CaptureConf(dir / "out.wav"));
    values = Probe(dir / "capture.conf", args);
    Wave capture = ReadWave(ReadFile(dir / "out.wav"));
    EXPECT_EQ(capture.channels, 2) << "no captured output";
    EXPECT_EQ(capture.rate, 44100);
    return capture;
  }

  TempDir dir;
  std::string probe;
  std::string output;
};

TEST_F(AudioProcess, APlayedSampleIsHeardAtItsTimeWithItsGainAndPan) {
  std::map<std::string, double> at;
  Wave capture = Captured({"gain", dir / "tone.wav"}, at);
  ASSERT_GT(capture.Frames(), Frame(1700));

  // Each sound starts where the device's clock stood at its play call, give or
  // take one mixing step.
  std::vector<int> onsets;
  for (const char *play : {"play1_ms", "play2_ms", "play3_ms"}) {
    int onset = capture.Onset(0.01f, Frame(at[play] - 5));
    EXPECT_GE(Millis(onset), at[play] - 2) << play;
    EXPECT_LE(Millis(onset), at[play] + 60) << play;
    onsets.push_back(onset);
  }
  int onset1 = onsets[0], onset2 = onsets[1], onset3 = onsets[2];

  // 150 ms inside each 200 ms sound.
  auto window = [&](int onset, int channel) { return capture.Rms(onset + 400, onset + 400 + 6615, channel); };
  double sampleRms = 0.5 / std::sqrt(2.0);
  double full = window(onset1, 0);
  EXPECT_NEAR(window(onset1, 1), full, 0.01 * full) << "a mono source straight ahead is centred";
  EXPECT_GT(full, 0.5 * sampleRms);
  EXPECT_LT(full, 0.8 * sampleRms);
  EXPECT_NEAR(window(onset2, 0) / full, 0.5, 0.03) << "volume 0.5 halves the amplitude";
  // Pan 1 is about 57 degrees to the right: past the right speaker.
  EXPECT_GT(window(onset3, 1), 0.9 * sampleRms);
  EXPECT_LT(window(onset3, 0), 0.1 * window(onset3, 1));
}

TEST_F(AudioProcess, ALoopingChannelSurvivesSuspendAndAGamePausedOneStaysPaused) {
  std::map<std::string, double> at;
  Wave capture = Captured({"suspend", dir / "loop.wav"}, at);
  // Channel 5 is silent once paused, and channel 3 starts at its time.
  auto rms = [&](double from, double to) { return capture.Rms(Frame(from), Frame(to)); };
  EXPECT_LT(rms(at["paused_ms"] + 60, at["play_ms"] - 5), 0.001);
  int onset = capture.Onset(0.01f, Frame(at["play_ms"] - 5));
  EXPECT_LE(Millis(onset), at["play_ms"] + 60);

  double playing = rms(at["play_ms"] + 50, at["suspend_ms"] - 50);
  EXPECT_GT(playing, 0.1);
  EXPECT_LT(rms(at["suspend_ms"] + 60, at["resume_ms"] - 60), 0.01 * playing) << "silent while suspended";
  // After resumption only channel 3 is heard, as loud as before.
  EXPECT_NEAR(rms(at["resume_ms"] + 60, at["resume_ms"] + 300), playing, 0.05 * playing);
  // The mixer runs in periods of 1024 frames: a pause lands on the next period.
  EXPECT_NEAR(at["offset_before_resume"], at["offset_at_suspend"], 2048) << "resumed where it was";
  EXPECT_EQ(at["state3"], 1);
  EXPECT_EQ(at["state5"], 2);
  EXPECT_EQ(at["source5_paused"], 1);
}

TEST_F(AudioProcess, ANewChannelTakesOverTheSourceOfTheFirstFinishedChannel) {
  // Three sources: one for the music channel, two for sound channels.
  WriteFile(dir / "sources.conf", "[general]\ndrivers = null\nsources = 3\n");
  std::map<std::string, double> at = Probe(dir / "sources.conf", {"steal", dir / "tone.wav", dir / "loop.wav"});
  EXPECT_EQ(at["play0"], 0);
  EXPECT_EQ(at["play1"], 0);
  EXPECT_EQ(at["play2_while_busy"], -1) << "no source while both are still playing";
  EXPECT_EQ(at["play2_after_end"], 0);
  EXPECT_EQ(at["took_source_of_0"], 1);
  EXPECT_EQ(at["channel0_source"], 0);
  EXPECT_EQ(at["taken_pitch"], 1) << "the taken source does not keep channel 0's rate";
  EXPECT_EQ(at["state1"], 1) << "the looping channel keeps its source";
  EXPECT_EQ(at["play0_again"], -1);
}

TEST_F(AudioProcess, WithoutADeviceTheFailureIsPrintedAndEverythingIsSilent) {
  WriteFile(dir / "none.conf", "[general]\ndrivers = no-such-backend\n");
  std::map<std::string, double> at = Probe(dir / "none.conf", {"nodevice", dir / "tone.wav"});
  EXPECT_EQ(output.rfind("opening openal device\nOpenAl error: alcOpenDevice failed\n", 0), 0u) << output;
  EXPECT_EQ(at["sample_loaded"], 0);
  EXPECT_EQ(at["sound_loaded"], 0);
  EXPECT_EQ(at["channel_state"], 0);
  EXPECT_EQ(at["play_music"], -1);
  EXPECT_EQ(at["music_state"], 0);
  EXPECT_NE(output.find("done"), std::string::npos);
}

} // namespace
