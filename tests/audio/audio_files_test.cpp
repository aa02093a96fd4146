// LoadAudioData on real files: the decoder chosen by the file's ending, and an
// Ogg Vorbis file written by oggenc at test time.
#include <gtest/gtest.h>

#include "audio/audio_data.h"
#include "audio_test_support.h"

TEST(AudioFiles, TheEndingPicksTheDecoderAndAnOggencFileDecodesWhole) {
  TempDir dir;
  DataHost host(dir.Path());
  auto load = [](const std::string &name) {
    int length = -1, channels = -1, format = -1, hertz = -1;
    auto data = LoadAudioData(String::FromUtf8("quill://data/" + name), &length, &channels, &format, &hertz);
    // Audible content, not silence: the sine's peaks come through the codec.
    bool loud = data && *std::max_element(reinterpret_cast<int16_t *>(data.get()),
                                          reinterpret_cast<int16_t *>(data.get()) + 2 * length) > 16000;
    return data ? std::vector<int>{length, channels, format, hertz, loud} : std::vector<int>();
  };
  std::string wav = MakeWav({1, 2, 44100, 16, 0, {}, SineS16(44100, 2, 440, 44100, 0.8)});
  for (const char *name : {"upper.WAV", "wav-as.ogg", "sound.mp3", "sound", "stereo.wav"}) WriteFile(dir / name, wav);
  WriteFile(dir / "empty.ogg", "");
  EXPECT_EQ(load("upper.WAV"), (std::vector<int>{44100, 2, 2, 44100, true}));
  for (const char *name : {"wav-as.ogg", "sound.mp3", "sound", "empty.ogg", "missing.wav"})
    EXPECT_TRUE(load(name).empty()) << name;
  if (Shell("command -v oggenc").empty()) GTEST_SKIP() << "oggenc is not installed (tools/setup.sh installs it)";
  ASSERT_EQ(ShellStatus("oggenc -Q -o " + dir / "stereo.ogg" + " " + dir / "stereo.wav"), 0);
  EXPECT_EQ(load("stereo.ogg"), (std::vector<int>{44100, 2, 2, 44100, true}));
}
