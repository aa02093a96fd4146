// The WAV decoder against files built byte by byte: the layouts real writers
// produce, and damaged and hostile ones it must refuse without reading past
// the buffer.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/wav_decoder.h"
#include "audio_test_support.h"

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

std::string WithU32At(std::string file, size_t at, uint32_t value) {
  std::string bytes;
  PutU32(bytes, value);
  return file.replace(at, 4, bytes);
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

TEST(WavDecoder, RefusesWhatIsNotPlayablePcmOrRunsPastTheFile) {
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
  const size_t formatSizeAt = 16, listSizeAt = 40;
  for (uint32_t size : {0xffffffffu, 0xfffffff8u, 0x7fffffffu, 1000u}) bad.push_back(WithU32At(file, listSizeAt, size));
  for (uint32_t size : {0xffffffffu, 14u}) bad.push_back(WithU32At(file, formatSizeAt, size));
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(Decode(bad[i])) << "case " << i;
}

TEST(WavDecoder, ACutFileIsRefusedBeforeItsDataAndKeepsTheWholeFramesThere) {
  WavSpec spec{1, 2, 22050, 16, 2, {{"LIST", std::string(5, 'q')}}, Samples(40)};
  std::string file = MakeWav(spec);
  // The writer never filled in the data size: everything that is there plays.
  size_t dataStart = file.size() - spec.data.size();
  auto unsized = Decode(WithU32At(file, dataStart - 4, 0xffffffffu));
  ASSERT_TRUE(unsized);
  EXPECT_EQ(unsized->length, 10);
  for (size_t size = 0; size < file.size(); ++size) {
    auto audio = Decode(file.substr(0, size));
    EXPECT_EQ(audio ? audio->length : -1, size < dataStart ? -1 : static_cast<int>((size - dataStart) / 4)) << size;
  }
}

} // namespace
