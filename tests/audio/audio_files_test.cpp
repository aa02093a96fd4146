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

  // Runs sox or oggenc; the test is skipped when the tool is not installed.
  bool Tool(const std::vector<std::string> &argv) {
    if (!HaveTool(argv[0])) return false;
    RunResult result = RunCommand(argv);
    EXPECT_EQ(result.status, 0) << argv[0] << " failed";
    return result.status == 0;
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
  REQUIRE_TOOL(Tool({"sox", "-n", "-r", "22050", "-c", "1", "-b", "8", "-e", "unsigned-integer", dir / "m8.wav",
                     "synth", "0.25", "sine", "440"}));
  auto audio = Load("m8.wav");
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->channels, 1);
  EXPECT_EQ(audio->format, 1);
  EXPECT_EQ(audio->hertz, 22050);
  EXPECT_EQ(audio->length, 5512);

  REQUIRE_TOOL(Tool({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", dir / "s16.wav", "synth", "0.5", "sine", "440",
                     "sine", "660"}));
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
}

TEST_F(AudioFiles, SoxWavWithAnOddSizedChunkBeforeTheDataLoads) {
  // sox writes no optional chunks into a WAV, so one is added the way tagging
  // tools do: an INFO list of odd size, padded, between "fmt " and "data".
  REQUIRE_TOOL(
      Tool({"sox", "-n", "-r", "8000", "-c", "1", "-b", "16", dir / "plain.wav", "synth", "0.1", "sine", "300"}));
  Bytes plain = ReadFile(dir / "plain.wav");
  ASSERT_GT(plain.size(), 44u);
  Bytes list = {'L', 'I', 'S', 'T'};
  Bytes body = {'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 5, 0, 0, 0, 's', 'o', 'x', '!', 0};
  PutU32(list, static_cast<uint32_t>(body.size()));
  list.insert(list.end(), body.begin(), body.end());
  list.push_back(0);
  Bytes tagged(plain.begin(), plain.begin() + 36);
  tagged.insert(tagged.end(), list.begin(), list.end());
  tagged.insert(tagged.end(), plain.begin() + 36, plain.end());
  WriteFile(dir / "tagged.wav", tagged);

  auto audio = Load("tagged.wav");
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 800);
  EXPECT_TRUE(std::equal(plain.begin() + 44, plain.end(), audio->data.get()));
}

TEST_F(AudioFiles, FloatingPointWavIsRefused) {
  REQUIRE_TOOL(Tool({"sox", "-n", "-r", "44100", "-c", "1", "-e", "floating-point", "-b", "32", dir / "f32.wav",
                     "synth", "0.1", "sine", "440"}));
  EXPECT_FALSE(Load("f32.wav"));
}

TEST_F(AudioFiles, OggencFilesDecodeToTheirFrameCount) {
  REQUIRE_TOOL(
      Tool({"sox", "-n", "-r", "22050", "-c", "1", "-b", "16", dir / "mono.wav", "synth", "0.5", "sine", "440"}));
  REQUIRE_TOOL(Tool({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", dir / "stereo.wav", "synth", "1.0", "sine",
                     "440", "sine", "550"}));
  REQUIRE_TOOL(Tool({"oggenc", "-Q", "-o", dir / "mono.ogg", dir / "mono.wav"}));
  REQUIRE_TOOL(Tool({"oggenc", "-Q", "-o", dir / "stereo.ogg", dir / "stereo.wav"}));

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
  Bytes wav = MakeWav(spec);
  WriteFile(dir / "upper.WAV", wav);
  WriteFile(dir / "wav-as.ogg", wav);
  WriteFile(dir / "sound.mp3", wav);
  WriteFile(dir / "sound", wav);
  WriteFile(dir / "empty.ogg", Bytes());

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
