// The WAV decoder against files built byte by byte: the layouts real writers
// produce, and files it must refuse (hostile sizes are the fuzzer's).
#include <gtest/gtest.h>

#include <cstring>

#include "audio/wav_decoder.h"
#include "support/wave.h"

namespace {

std::optional<AudioData> Decode(const std::string &file) {
  // An exact-size copy, so that a read past the end is caught by the sanitizer.
  std::unique_ptr<unsigned char[]> copy(new unsigned char[file.size() ? file.size() : 1]);
  std::memcpy(copy.get(), file.data(), file.size());
  return DecodeWav(copy.get(), file.size());
}

std::string Samples(int count) {
  std::string data;
  for (int i = 0; i < count; ++i) data.push_back(static_cast<char>(i * 7 + 1));
  return data;
}

TEST(WavDecoder, ReadsPcmPastOtherChunksAndKeepsWholeFrames) {
  struct Case {
    int bits, channels, formatExtra;
    std::vector<WavChunk> before;
    int bytes, length;
  };
  const Case cases[] = {
      {8, 1, 0, {}, 101, 101},
      {16, 2, 0, {}, 400, 100},
      // the cbSize field many writers add, and chunks before the data
      {16, 1, 2, {{"fact", std::string(4, 9)}, {"LIST", std::string(26, 'x')}}, 64, 32},
      // odd-sized chunks carry a pad byte
      {16, 1, 0, {{"LIST", std::string(13, 'y')}, {"junk", std::string(1, 0)}}, 20, 10},
      {16, 2, 0, {}, 10, 2}, // a data size that is not a whole number of frames
  };
  for (const Case &c : cases) {
    WavSpec spec{1, c.channels, 11025, c.bits, c.formatExtra, c.before, Samples(c.bytes)};
    auto audio = Decode(MakeWav(spec) + "trailing chunk");
    ASSERT_TRUE(audio) << c.bytes;
    EXPECT_EQ((std::vector<int>{audio->length, audio->channels, audio->format, audio->hertz}),
              (std::vector<int>{c.length, c.channels, c.bits / 8, 11025}));
    EXPECT_EQ(std::string(reinterpret_cast<char *>(audio->data.get()), audio->Bytes()),
              spec.data.substr(0, audio->Bytes()));
  }
}

TEST(WavDecoder, RefusesWhatIsNotPlayablePcm) {
  WavSpec good;
  good.before = {{"LIST", std::string(8, 'z')}};
  good.data = Samples(32);
  WavSpec floating = good, noChannels = good, fourBits = good, noRate = good;
  floating.audioFormat = 3, floating.bits = 32;
  noChannels.channels = 0, fourBits.bits = 4, noRate.hertz = 0;
  std::vector<std::string> bad = {"", MakeWav(floating), MakeWav(noChannels), MakeWav(fourBits), MakeWav(noRate)};
  std::string file = MakeWav(good);
  for (size_t at : {0, 8, 12}) {
    bad.push_back(file);
    bad.back()[at] ^= 0x20; // a wrong tag
  }
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(Decode(bad[i])) << "case " << i;
}

} // namespace
