// The WAV decoder against files built byte by byte: the layouts real writers
// produce, and the damaged and hostile ones it must refuse without reading past
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

void PutU32At(std::string &file, size_t at, uint32_t value) {
  std::string bytes;
  PutU32(bytes, value);
  file.replace(at, 4, bytes);
}

TEST(WavDecoder, ReadsPlainPcmWithChunksAndPaddingBeforeTheData) {
  struct Case {
    int bits, channels, hertz, formatExtra;
    std::vector<WavChunk> before;
    int bytes, length, format;
  };
  const Case cases[] = {
      {8, 1, 11025, 0, {}, 101, 101, 1},
      {16, 2, 44100, 0, {}, 400, 100, 2},
      // the cbSize field many writers add, and chunks before the data
      {16, 1, 22050, 2, {{"fact", std::string(4, 9)}, {"LIST", std::string(26, 'x')}}, 64, 32, 2},
      // odd-sized chunks carry a pad byte
      {16, 1, 22050, 0, {{"LIST", std::string(13, 'y')}, {"junk", std::string(1, 0)}}, 20, 10, 2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.bytes);
    WavSpec spec;
    spec.bits = c.bits, spec.channels = c.channels, spec.hertz = c.hertz, spec.formatExtra = c.formatExtra;
    spec.before = c.before;
    spec.data = Samples(c.bytes);
    auto audio = Decode(MakeWav(spec));
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->length, c.length);
    EXPECT_EQ(audio->channels, c.channels);
    EXPECT_EQ(audio->format, c.format);
    EXPECT_EQ(audio->hertz, c.hertz);
    ASSERT_EQ(audio->Bytes(), spec.data.size());
    EXPECT_EQ(std::memcmp(audio->data.get(), spec.data.data(), spec.data.size()), 0);
  }
}

TEST(WavDecoder, RefusesWhatIsNotPlayablePcm) {
  WavSpec good;
  good.data = Samples(16);
  WavSpec floating = good, noChannels = good, fourBits = good, noRate = good;
  floating.audioFormat = 3, floating.bits = 32;
  noChannels.channels = 0;
  fourBits.bits = 4;
  noRate.hertz = 0;
  for (const WavSpec &spec : {floating, noChannels, fourBits, noRate})
    EXPECT_FALSE(Decode(MakeWav(spec))) << spec.audioFormat << " " << spec.channels << " " << spec.bits;

  std::string file = MakeWav(good);
  for (size_t at : {0, 8, 12}) {
    std::string wrongTag = file;
    wrongTag[at] ^= 0x20;
    EXPECT_FALSE(Decode(wrongTag)) << "tag at " << at;
  }
  EXPECT_FALSE(Decode(""));
}

TEST(WavDecoder, KeepsWholeFramesOfAShortOrRaggedDataChunk) {
  WavSpec spec;
  spec.channels = 2;
  spec.data = Samples(400);
  std::string file = MakeWav(spec);

  // The writer never filled in the size: everything that is there plays.
  std::string unsized = file;
  PutU32At(unsized, file.size() - spec.data.size() - 4, 0xffffffffu);
  auto audio = Decode(unsized);
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 100);

  // A data size that is not a whole number of frames.
  spec.data = Samples(10);
  audio = Decode(MakeWav(spec));
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 2);
  EXPECT_EQ(audio->Bytes(), 8u);
}

TEST(WavDecoder, RefusesSizesThatRunPastTheFile) {
  WavSpec spec;
  spec.before = {{"LIST", std::string(8, 'z')}};
  spec.data = Samples(32);
  std::string file = MakeWav(spec);
  const size_t formatSizeAt = 16, listSizeAt = 12 + 8 + 16 + 4;
  for (uint32_t size : {0xffffffffu, 0xfffffff8u, 0x7fffffffu, 1000u}) {
    std::string bad = file;
    PutU32At(bad, listSizeAt, size);
    EXPECT_FALSE(Decode(bad)) << "chunk size " << size;
  }
  for (uint32_t size : {0xffffffffu, 14u}) {
    std::string bad = file;
    PutU32At(bad, formatSizeAt, size);
    EXPECT_FALSE(Decode(bad)) << "format size " << size;
  }
}

TEST(WavDecoder, EveryTruncationIsRefusedOrKeepsTheWholeFramesThere) {
  WavSpec spec;
  spec.channels = 2;
  spec.formatExtra = 2;
  spec.before = {{"LIST", std::string(5, 'q')}};
  spec.data = Samples(40);
  std::string file = MakeWav(spec);
  size_t dataStart = file.size() - spec.data.size();
  for (size_t size = 0; size < file.size(); ++size) {
    auto audio = Decode(file.substr(0, size));
    if (size < dataStart) {
      EXPECT_FALSE(audio) << "cut at " << size;
    } else {
      ASSERT_TRUE(audio) << "cut at " << size;
      EXPECT_EQ(audio->length, static_cast<int>((size - dataStart) / 4));
    }
  }
}

} // namespace
