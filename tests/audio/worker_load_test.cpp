// A sound loaded on a worker thread leaves OpenAL's error flag, which is
// shared with the main thread, alone; its buffer is made on the main thread.
#include <gtest/gtest.h>

#include <thread>

#include "audio/audio_device.h"
#include "host/game.h"
#include "support/files.h"
#include "support/wave.h"

TEST(AudioWorkerLoad, LeavesTheMainThreadsErrorAndPlaysAfterCompletion) {
  TempDir dir;
  WavSpec spec;
  spec.data = SineS16(256, 1, 440, 22050, 0.5);
  WriteFile(dir / "tone.wav", MakeWav(spec));
  VexGame host;
  gxtkAudio audio;

  alSourcei(0xDEAD, AL_LOOPING, AL_FALSE); // the main thread's call fails...
  auto sample = std::make_shared<gxtkSample>();
  bool loaded = false;
  std::thread worker([&] { loaded = audio.LoadSample__UNSAFE__(sample.get(), String::FromUtf8(dir / "tone.wav")); });
  worker.join();
  EXPECT_EQ(alGetError(), AL_INVALID_NAME); // ...and still reads its own error

  ASSERT_TRUE(loaded);
  sample->OnUnsafeLoadComplete();
  EXPECT_NE(sample->buffer, 0u);
  EXPECT_EQ(audio.PlaySample(sample, 0, 0), 0);
}
