// The WAV decoder against files built byte by byte: the layouts real writers
// produce, and the damaged and hostile ones it must refuse without reading past
// the buffer.
#include <gtest/gtest.h>

#include "audio/wav_decoder.h"
#include "audio_test_support.h"

namespace {

std::optional<AudioData> Decode(const Bytes &file) {
  // An exact-size copy, so that a read past the end is caught by the sanitizer.
  std::unique_ptr<unsigned char[]> copy(new unsigned char[file.size() ? file.size() : 1]);
  std::copy(file.begin(), file.end(), copy.get());
  return DecodeWav(copy.get(), file.size());
}

Bytes Samples(int count) {
  Bytes data;
  for (int i = 0; i < count; ++i) data.push_back(static_cast<unsigned char>(i * 7 + 1));
  return data;
}

void ExpectData(const AudioData &audio, const Bytes &data) {
  ASSERT_EQ(audio.Bytes(), data.size());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), audio.data.get()));
}

TEST(WavDecoder, ReadsTheLayoutOfPlainPcmFiles) {
  WavSpec mono8;
  mono8.bits = 8;
  mono8.hertz = 11025;
  mono8.data = Samples(101);
  auto audio = Decode(MakeWav(mono8));
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 101);
  EXPECT_EQ(audio->channels, 1);
  EXPECT_EQ(audio->format, 1);
  EXPECT_EQ(audio->hertz, 11025);
  ExpectData(*audio, mono8.data);

  WavSpec stereo16;
  stereo16.channels = 2;
  stereo16.hertz = 44100;
  stereo16.data = Samples(400);
  audio = Decode(MakeWav(stereo16));
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 100);
  EXPECT_EQ(audio->channels, 2);
  EXPECT_EQ(audio->format, 2);
  EXPECT_EQ(audio->hertz, 44100);
  ExpectData(*audio, stereo16.data);
}

TEST(WavDecoder, SkipsChunksBeforeTheDataAndALongFormatChunk) {
  WavSpec spec;
  spec.formatExtra = 2; // the cbSize field many writers add
  spec.before = {{"fact", Bytes(4, 9)}, {"LIST", Bytes(26, 'x')}};
  spec.data = Samples(64);
  auto audio = Decode(MakeWav(spec));
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 32);
  ExpectData(*audio, spec.data);
}

TEST(WavDecoder, SkipsThePadByteOfAnOddSizedChunk) {
  WavSpec spec;
  spec.before = {{"LIST", Bytes(13, 'y')}, {"junk", Bytes(1, 0)}};
  spec.data = Samples(20);
  auto audio = Decode(MakeWav(spec));
  ASSERT_TRUE(audio);
  ExpectData(*audio, spec.data);
}

TEST(WavDecoder, RefusesWhatIsNotPlayablePcm) {
  WavSpec floating;
  floating.audioFormat = 3;
  floating.bits = 32;
  floating.data = Samples(16);
  EXPECT_FALSE(Decode(MakeWav(floating)));

  WavSpec noChannels;
  noChannels.channels = 0;
  noChannels.data = Samples(16);
  EXPECT_FALSE(Decode(MakeWav(noChannels)));

  WavSpec tooFewBits;
  tooFewBits.bits = 4;
  tooFewBits.data = Samples(16);
  EXPECT_FALSE(Decode(MakeWav(tooFewBits)));

  WavSpec noRate;
  noRate.hertz = 0;
  noRate.data = Samples(16);
  EXPECT_FALSE(Decode(MakeWav(noRate)));

  WavSpec good;
  good.data = Samples(16);
  Bytes file = MakeWav(good);
  for (size_t at : {0, 8, 12}) {
    Bytes wrongTag = file;
    wrongTag[at] ^= 0x20;
    EXPECT_FALSE(Decode(wrongTag)) << "tag at " << at;
  }
  EXPECT_FALSE(Decode(Bytes()));
}

TEST(WavDecoder, KeepsWholeFramesOfAShortOrRaggedDataChunk) {
  WavSpec spec;
  spec.channels = 2;
  spec.data = Samples(400);
  Bytes file = MakeWav(spec);

  // The writer never filled in the size: everything that is there plays.
  Bytes unsized = file;
  size_t sizeAt = file.size() - spec.data.size() - 4;
  for (int i = 0; i < 4; ++i) unsized[sizeAt + i] = 0xff;
  auto audio = Decode(unsized);
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 100);

  // Cut inside a frame: the partial frame is dropped.
  Bytes cut(file.begin(), file.end() - 6);
  audio = Decode(cut);
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 98);
  EXPECT_EQ(audio->Bytes(), 392u);

  // A data size that is not a whole number of frames.
  WavSpec ragged;
  ragged.channels = 2;
  ragged.data = Samples(10);
  audio = Decode(MakeWav(ragged));
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->length, 2);
  EXPECT_EQ(audio->Bytes(), 8u);
}

TEST(WavDecoder, RefusesSizesThatRunPastTheFile) {
  WavSpec spec;
  spec.before = {{"LIST", Bytes(8, 'z')}};
  spec.data = Samples(32);
  Bytes file = MakeWav(spec);
  size_t listSizeAt = 12 + 8 + 16 + 4;
  for (uint32_t size : {0xffffffffu, 0xfffffff8u, 0x7fffffffu, 1000u}) {
    Bytes bad = file;
    for (int i = 0; i < 4; ++i) bad[listSizeAt + i] = static_cast<unsigned char>(size >> (8 * i));
    EXPECT_FALSE(Decode(bad)) << "chunk size " << size;
  }
  Bytes bigFormat = file;
  bigFormat[16] = 0xff, bigFormat[17] = 0xff, bigFormat[18] = 0xff, bigFormat[19] = 0xff;
  EXPECT_FALSE(Decode(bigFormat));
  Bytes smallFormat = file;
  smallFormat[16] = 14;
  EXPECT_FALSE(Decode(smallFormat));
}

TEST(WavDecoder, EveryTruncationIsRefusedOrShorter) {
  WavSpec spec;
  spec.channels = 2;
  spec.formatExtra = 2;
  spec.before = {{"LIST", Bytes(5, 'q')}};
  spec.data = Samples(40);
  Bytes file = MakeWav(spec);
  size_t dataStart = file.size() - spec.data.size();
  for (size_t size = 0; size < file.size(); ++size) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
    auto audio = Decode(cut);
    if (size < dataStart) {
      EXPECT_FALSE(audio) << "cut at " << size;
    } else {
      ASSERT_TRUE(audio) << "cut at " << size;
      EXPECT_EQ(audio->length, static_cast<int>((size - dataStart) / 4));
    }
  }
}

} // namespace
