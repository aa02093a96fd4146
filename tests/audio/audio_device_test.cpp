// The audio device and module as the game drives them: channel states, the
// OpenAL sources and buffers behind them on the null backend; what is heard
// (captured by the wave backend), source stealing and a missing device in
// child processes with their own OpenAL configuration.
#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "audio/audio.h"
#include "host/game.h"
#include "support/program.h"
#include "support/wave.h"

namespace {

using namespace std::chrono_literals;

// Tests that open a device in-process run silently even when started outside
// ctest (which sets the same configuration).
const bool nullBackend = [] {
  setenv("ALSOFT_CONF", (SourceDir() + "/tests/alsoft-null.conf").c_str(), 0);
  return true;
}();

// "quill://data/x" is DIR/x.
class DataHost : public VexGame {
public:
  explicit DataHost(std::string dataDir) : dataDir_(std::move(dataDir)) {}
  String PathToFilePath(const String &path) override {
    return path.StartsWith("quill://data/") ? String::FromUtf8(dataDir_) + "/" + path.Slice(13) : path;
  }

private:
  std::string dataDir_;
};

// OpenAL Soft reads its configuration once per process: runs the disabled test
// `name` of this executable in a child process under the configuration `conf`
// (empty: the mix captured into the file named by TILEMARCH_CAPTURE), expects
// it to pass and answers its output.
std::string RunUnderOpenAlConf(const std::string &name, const std::string &conf) {
  TempDir dir;
  WriteFile(dir / "openal.conf", conf.empty() ? CaptureConf(dir / "out.wav") : conf);
  Program child("/proc/self/exe", {dir.Path(),
                                   {"--gtest_also_run_disabled_tests", "--gtest_filter=*.DISABLED_" + name},
                                   {{"ALSOFT_CONF", dir / "openal.conf"}, {"TILEMARCH_CAPTURE", dir / "out.wav"}}});
  EXPECT_EQ(child.WaitForExit(std::chrono::seconds(60)), 0) << child.Output();
  EXPECT_NE(child.Output().find("[  PASSED  ] 1 test"), std::string::npos) << child.Output();
  return child.Output();
}

ALint SourceInt(ALuint source, ALenum what) {
  ALint value = 0;
  alGetSourcei(source, what, &value);
  return value;
}

class AudioDevice : public testing::Test {
protected:
  void SetUp() override {
    // 200 ms of 440 Hz at half scale; the loop is a whole number of periods
    // so that it loops without a click; no OpenAL format has 24-bit samples.
    WavSpec tone{1, 1, 44100, 16, 0, {}, SineS16(8820, 1, 440, 44100, 0.5)}, loop = tone, deep = tone;
    loop.data = SineS16(44100, 1, 441, 44100, 0.5);
    deep.bits = 24;
    for (auto [name, spec] : {std::pair{"tone.wav", tone}, {"loop.wav", loop}, {"deep.wav", deep}})
      WriteFile(dir / name, MakeWav(spec));
    vex_audio_SetAudioDevice(audio.get());
    tone_ = Load("tone.wav");
  }
  void TearDown() override { vex_audio_SetAudioDevice(nullptr); }
  std::shared_ptr<gxtkSample> Load(const std::string &name) {
    return audio->LoadSample(String::FromUtf8("quill://data/" + name));
  }

  TempDir dir;
  DataHost host{dir.Path()};
  std::unique_ptr<gxtkAudio> audio = std::make_unique<gxtkAudio>();
  std::shared_ptr<gxtkSample> tone_;
};

TEST_F(AudioDevice, ChannelsFollowPlayPauseResumeStopAndTheirSoundsEnd) {
  ASSERT_EQ(audio->PlaySample(tone_, 2, 1), 0);
  ASSERT_EQ(audio->PlaySample(Load("loop.wav"), 3, 1), 0);
  ALuint source = audio->channels[2].source;
  audio->PauseChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 2);
  EXPECT_EQ(SourceInt(source, AL_SOURCE_STATE), AL_PAUSED);
  audio->ResumeChannel(2);
  std::this_thread::sleep_for(300ms); // longer than the sample: it loops
  EXPECT_EQ(audio->ChannelState(2), 1);
  ALint offset = SourceInt(audio->channels[3].source, AL_SAMPLE_OFFSET);
  audio->ResumeChannel(3); // only a paused channel resumes: a playing one is not restarted
  EXPECT_GE(SourceInt(audio->channels[3].source, AL_SAMPLE_OFFSET), offset);
  audio->StopChannel(2);
  audio->ResumeChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 0);
  EXPECT_EQ(SourceInt(source, AL_SOURCE_STATE), AL_STOPPED);
  // Played again on its own source, now once: a pause after the sound ended
  // unnoticed finds out instead of pausing.
  ASSERT_EQ(audio->PlaySample(tone_, 2, 0), 0);
  EXPECT_EQ(audio->channels[2].source, source);
  ASSERT_TRUE(WaitFor([&] { return SourceInt(source, AL_SOURCE_STATE) == AL_STOPPED; }));
  audio->PauseChannel(2);
  audio->ResumeChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 0);
  EXPECT_EQ(SourceInt(source, AL_SOURCE_STATE), AL_STOPPED);
}

TEST_F(AudioDevice, TheModuleRefusesWhatCannotPlayAndIsSilentWithoutADevice) {
  EXPECT_FALSE(Load("deep.wav"));
  EXPECT_FALSE(vex_audio_LoadSound("missing.wav"));
  EXPECT_EQ(audio->PlaySample(tone_, -1, 0), -1) << "no such channel";
  EXPECT_EQ(audio->PlaySample(tone_, 33, 0), -1) << "no such channel";
  EXPECT_EQ(audio->ChannelState(99), 0);
  // A new tune replaces the old one; one that cannot load leaves silence.
  ASSERT_EQ(vex_audio_PlayMusic("loop.wav", 1), 0);
  ASSERT_EQ(vex_audio_PlayMusic("tone.wav", 0), 0);
  EXPECT_EQ(SourceInt(audio->channels[32].source, AL_LOOPING), AL_FALSE);
  EXPECT_EQ(vex_audio_PlayMusic("missing.ogg", 1), -1);
  EXPECT_EQ(vex_audio_MusicState(), 0);
  vex_audio_SetAudioDevice(nullptr);
  EXPECT_FALSE(vex_audio_LoadSound("tone.wav"));
}

// The disabled cases run only in child processes of AudioInItsOwnProcess below,
// each under its own configuration, which OpenAL Soft reads once per process:
// the wave backend's capture, three sources, no backend that opens.
TEST_F(AudioDevice, DISABLED_Heard) {
  // The device's clock (how much it has mixed) places a sound in the capture
  // however late this process is scheduled.
  auto start = std::chrono::steady_clock::now();
  auto at = [&](int ms) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
    ALCint64SOFT nanos = 0;
    alcGetInteger64vSOFT(audio->alcDevice, ALC_DEVICE_CLOCK_SOFT, 1, &nanos);
    return static_cast<double>(nanos) / 1e6;
  };
  ASSERT_EQ(audio->PlaySample(Load("loop.wav"), 5, 1), 0);
  audio->PauseChannel(5); // paused by the game: never heard
  double full = at(300);
  audio->PlaySample(tone_, 0, 0);
  audio->SetVolume(1, 0.5f);
  double half = at(700);
  audio->PlaySample(tone_, 1, 0);
  audio->SetPan(2, 1.0f);
  double right = at(1100);
  audio->PlaySample(tone_, 2, 0);
  double music = at(1500);
  audio->PlayMusic(String::FromUtf8(dir / "loop.wav"), 1);
  double suspend = at(1900);
  audio->Suspend();
  double resume = at(2200);
  audio->Resume();
  at(2600);
  audio.reset(); // closing the device completes the capture
  Wave heard = ReadWave(ReadFile(std::getenv("TILEMARCH_CAPTURE")));
  ASSERT_EQ(heard.channels, 2);
  // A sound starts within a mixing step of its play call; each 200 ms tone is
  // measured well inside itself.
  auto rms = [&](double from, double to, int channel = -1) {
    return heard.Rms(static_cast<int>(from * 44.1), static_cast<int>(to * 44.1), channel);
  };
  double fullRms = rms(full + 70, full + 190, 0), sampleRms = 0.5 / std::sqrt(2.0);
  EXPECT_LT(rms(100, full - 5), 0.001);
  EXPECT_NEAR(heard.Onset(0.01f, static_cast<int>((full - 5) * 44.1)) / 44.1, full + 25, 35);
  EXPECT_NEAR(rms(full + 70, full + 190, 1), fullRms, 0.01 * fullRms) << "a mono sound straight ahead is centred";
  EXPECT_NEAR(fullRms / sampleRms, 0.65, 0.15);
  EXPECT_NEAR(rms(half + 70, half + 190, 0) / fullRms, 0.5, 0.03) << "volume 0.5 halves the amplitude";
  EXPECT_GT(rms(right + 70, right + 190, 1), 0.9 * sampleRms) << "pan 1 is past the right speaker";
  EXPECT_LT(rms(right + 70, right + 190, 0), 0.1 * sampleRms);
  double playing = rms(music + 70, suspend - 10);
  EXPECT_GT(playing, 0.1);
  EXPECT_LT(rms(suspend + 60, resume - 10), 0.01 * playing) << "silent while suspended";
  EXPECT_NEAR(rms(resume + 70, resume + 350), playing, 0.05 * playing) << "only the music comes back";
}

TEST_F(AudioDevice, DISABLED_Steal) {
  ASSERT_EQ(audio->PlaySample(tone_, 0, 0), 0);
  audio->SetRate(0, 2.0f);
  ASSERT_EQ(audio->PlaySample(Load("loop.wav"), 1, 1), 0);
  ALuint first = audio->channels[0].source;
  EXPECT_EQ(audio->PlaySample(tone_, 2, 1), -1) << "no source while both still play";
  ASSERT_TRUE(WaitFor([&] { return SourceInt(first, AL_SOURCE_STATE) == AL_STOPPED; }));
  ASSERT_EQ(audio->PlaySample(tone_, 2, 1), 0);
  EXPECT_EQ(audio->channels[2].source, first);
  EXPECT_EQ(audio->channels[0].source, 0u);
  float pitch = 0;
  alGetSourcef(first, AL_PITCH, &pitch);
  EXPECT_EQ(pitch, 1.0f) << "the taken source does not keep channel 0's rate";
  EXPECT_EQ(audio->ChannelState(1), 1) << "the looping channel keeps its source";
  EXPECT_EQ(audio->PlaySample(tone_, 0, 0), -1);
}

TEST_F(AudioDevice, DISABLED_NoDevice) {
  EXPECT_FALSE(tone_);
  EXPECT_FALSE(vex_audio_LoadSound("tone.wav"));
  vex_audio_PlaySound(nullptr, 0, 0);
  vex_audio_PauseChannel(0);
  EXPECT_EQ(vex_audio_PlayMusic("tone.wav", 1), -1);
  EXPECT_EQ(vex_audio_MusicState(), 0);
  audio->Suspend();
  audio->Resume();
}

TEST(AudioInItsOwnProcess, SoundsAreHeardInTimeFinishedSourcesAreTakenOverAndNoDeviceIsSilent) {
  RunUnderOpenAlConf("Heard", "");
  // One source for the music channel, two for sound channels.
  RunUnderOpenAlConf("Steal", "[general]\ndrivers = null\nsources = 3\n");
  std::string out = RunUnderOpenAlConf("NoDevice", "[general]\ndrivers = no-such-backend\n");
  EXPECT_NE(out.find("opening openal device\nOpenAl error: alcOpenDevice failed\n"), std::string::npos) << out;
}

} // namespace
