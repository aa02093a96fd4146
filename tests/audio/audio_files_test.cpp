// LoadAudioData on real files: Ogg Vorbis files written by oggenc at test
// time, and the choice of decoder by the file's ending.
#include <gtest/gtest.h>

#include "audio/audio_data.h"
#include "audio_test_support.h"

namespace {

class AudioFiles : public testing::Test {
protected:
  TempDir dir;
  DataHost host{dir.Path()};

  // Encodes DIR/wav into DIR/ogg; false when oggenc is not installed.
  bool Oggenc(const std::string &wav, const std::string &ogg) {
    if (Shell("command -v oggenc").empty()) return false;
    EXPECT_EQ(ShellStatus("oggenc -Q -o " + dir / ogg + " " + dir / wav + " 2>&1"), 0) << wav;
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

TEST_F(AudioFiles, OggencFilesDecodeToTheirFrameCount) {
  WavSpec monoWav, stereoWav;
  monoWav.data = SineS16(11025, 1, 440, 22050, 0.8);
  stereoWav.channels = 2, stereoWav.hertz = 44100;
  stereoWav.data = SineS16(44100, 2, 440, 44100, 0.8);
  WriteFile(dir / "mono.wav", MakeWav(monoWav));
  WriteFile(dir / "stereo.wav", MakeWav(stereoWav));
  if (!Oggenc("mono.wav", "mono.ogg") || !Oggenc("stereo.wav", "stereo.ogg"))
    GTEST_SKIP() << "oggenc is not installed (tools/setup.sh installs it)";

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
