// LoadAudioData on real files: WAVs written by sox and Ogg Vorbis files written
// by oggenc, made at test time, and the file-level refusals (missing files,
// other endings, a WAV that is not integer PCM).
#include <gtest/gtest.h>

#include "audio/audio_data.h"
#include "audio_test_support.h"

namespace {

class AudioFiles : public testing::Test {
protected:
  TempDir dir;
  DataHost host{dir.Path()};

  // Runs sox or oggenc (a shell word list); false when the tool is missing.
  static bool Tool(const std::string &command) {
    if (Shell("command -v " + command.substr(0, command.find(' '))).empty()) return false;
    EXPECT_EQ(std::system((command + " 2>&1").c_str()), 0) << command;
    return true;
  }

  std::optional<AudioData> Load(const std::string &name) {
    int length = -1, channels = -1, format = -1, hertz = -1;
    std::unique_ptr<unsigned char[]> data =
        LoadAudioData(String::FromUtf8("quill://data/" + name), &length, &channels, &format, &hertz);
    if (!data) return std::nullopt;
    AudioData audio;
    audio.data = std::move(data);
    audio.length = length, audio.channels = channels, audio.format = format, audio.hertz = hertz;
    return audio;
  }
};

#define REQUIRE_TOOL(call)                                                                                             \
  if (!(call)) GTEST_SKIP() << "sox or oggenc is not installed (tools/setup.sh installs them)"

TEST_F(AudioFiles, SoxWavFilesLoadWithTheirLayout) {
  REQUIRE_TOOL(Tool("sox -n -r 22050 -c 1 -b 8 -e unsigned-integer " + dir / "m8.wav" + " synth 0.25 sine 440"));
  auto audio = Load("m8.wav");
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->channels, 1);
  EXPECT_EQ(audio->format, 1);
  EXPECT_EQ(audio->hertz, 22050);
  EXPECT_EQ(audio->length, 5512);

  REQUIRE_TOOL(Tool("sox -n -r 44100 -c 2 -b 16 " + dir / "s16.wav" + " synth 0.5 sine 440 sine 660"));
  audio = Load("s16.wav");
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->channels, 2);
  EXPECT_EQ(audio->format, 2);
  EXPECT_EQ(audio->hertz, 44100);
  EXPECT_EQ(audio->length, 22050);
  // The two channels carry different tones: interleaving survived.
  auto *s = reinterpret_cast<const int16_t *>(audio->data.get());
  int differing = 0;
  for (int i = 0; i < 1000; ++i) differing += s[2 * i] != s[2 * i + 1];
  EXPECT_GT(differing, 500);

  REQUIRE_TOOL(Tool("sox -n -r 44100 -c 1 -e floating-point -b 32 " + dir / "f32.wav" + " synth 0.1 sine 440"));
  EXPECT_FALSE(Load("f32.wav")) << "only integer PCM plays";
}

TEST_F(AudioFiles, OggencFilesDecodeToTheirFrameCount) {
  REQUIRE_TOOL(Tool("sox -n -r 22050 -c 1 -b 16 " + dir / "mono.wav" + " synth 0.5 sine 440"));
  REQUIRE_TOOL(Tool("sox -n -r 44100 -c 2 -b 16 " + dir / "stereo.wav" + " synth 1.0 sine 440 sine 550"));
  REQUIRE_TOOL(Tool("oggenc -Q -o " + dir / "mono.ogg" + " " + dir / "mono.wav"));
  REQUIRE_TOOL(Tool("oggenc -Q -o " + dir / "stereo.ogg" + " " + dir / "stereo.wav"));

  auto mono = Load("mono.ogg");
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->channels, 1);
  EXPECT_EQ(mono->format, 2);
  EXPECT_EQ(mono->hertz, 22050);
  EXPECT_EQ(mono->length, 11025);

  auto stereo = Load("stereo.ogg");
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->channels, 2);
  EXPECT_EQ(stereo->format, 2);
  EXPECT_EQ(stereo->hertz, 44100);
  EXPECT_EQ(stereo->length, 44100);
  // Audible content, not silence: the sine's peaks come through the codec.
  auto *s = reinterpret_cast<const int16_t *>(stereo->data.get());
  int peak = 0;
  for (int i = 0; i < 2 * stereo->length; ++i) peak = std::max(peak, std::abs(int{s[i]}));
  EXPECT_GT(peak, 16000);
}

TEST_F(AudioFiles, TheEndingPicksTheDecoderAndAnythingElseIsNull) {
  WavSpec spec;
  spec.data = SineS16(100, 1, 440, 22050, 0.5);
  std::string wav = MakeWav(spec);
  WriteFile(dir / "upper.WAV", wav);
  WriteFile(dir / "wav-as.ogg", wav);
  WriteFile(dir / "sound.mp3", wav);
  WriteFile(dir / "sound", wav);
  WriteFile(dir / "empty.ogg", "");

  auto upper = Load("upper.WAV");
  ASSERT_TRUE(upper);
  EXPECT_EQ(upper->length, 100);
  EXPECT_FALSE(Load("wav-as.ogg"));
  EXPECT_FALSE(Load("sound.mp3"));
  EXPECT_FALSE(Load("sound"));
  EXPECT_FALSE(Load("empty.ogg"));
  EXPECT_FALSE(Load("missing.wav"));
  EXPECT_FALSE(Load("missing.ogg"));
}

} // namespace
