// The audio device and module in this process on OpenAL Soft's null backend:
// channel states as the game sees them, the OpenAL source states behind them,
// discarded buffers, music, pan, and the module's handling of missing sounds.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "audio/audio.h"
#include "audio_test_support.h"

namespace {

ALint SourceState(ALuint source) {
  ALint state = 0;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

class AudioDevice : public testing::Test {
protected:
  void SetUp() override {
    WavSpec shortTone; // 30 ms
    shortTone.data = SineS16(662, 1, 440, 22050, 0.5);
    WriteFile(dir / "short.wav", MakeWav(shortTone));
    WavSpec longTone = shortTone; // 2 s
    longTone.data = SineS16(44100, 1, 441, 22050, 0.5);
    WriteFile(dir / "long.wav", MakeWav(longTone));
    WavSpec deep = shortTone; // no OpenAL format has 24-bit samples
    deep.bits = 24;
    deep.data = std::string(300, 1);
    WriteFile(dir / "deep.wav", MakeWav(deep));
    audio = std::make_unique<gxtkAudio>();
    vex_audio_SetAudioDevice(audio.get());
    spare = Load("short.wav");
  }
  void TearDown() override {
    vex_audio_SetAudioDevice(nullptr);
    spare.reset();
    audio.reset();
  }

  std::shared_ptr<gxtkSample> Load(const std::string &name) {
    return audio->LoadSample(String::FromUtf8("quill://data/" + name));
  }

  // Deletes what can be deleted of the discarded buffers, as every play does.
  // (A load would too, but its new buffer may take the deleted one's name.)
  void Flush() {
    ASSERT_TRUE(spare);
    ASSERT_EQ(audio->PlaySample(spare, 30, 0), 0);
  }

  // The null backend plays in real time: waits (bounded) for a sound to end.
  bool WaitForEnd(int channel) {
    for (int i = 0; i < 200; ++i) {
      if (audio->ChannelState(channel) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  TempDir dir;
  DataHost host{dir.Path()};
  std::unique_ptr<gxtkAudio> audio;
  std::shared_ptr<gxtkSample> spare;
};

TEST_F(AudioDevice, AnEndedSoundReadsStoppedAndIgnoresPauseAndResume) {
  auto sample = Load("short.wav");
  ASSERT_TRUE(sample);
  ASSERT_EQ(audio->PlaySample(sample, 4, 0), 0);
  EXPECT_EQ(audio->ChannelState(4), 1);
  ASSERT_TRUE(WaitForEnd(4));
  audio->PauseChannel(4);
  EXPECT_EQ(audio->ChannelState(4), 0);
  audio->ResumeChannel(4);
  EXPECT_EQ(audio->ChannelState(4), 0);
  EXPECT_EQ(SourceState(audio->channels[4].source), AL_STOPPED);

  // Ended but not yet noticed: pausing finds out instead of pausing.
  ASSERT_EQ(audio->PlaySample(sample, 6, 0), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  audio->PauseChannel(6);
  EXPECT_EQ(audio->channels[6].state, 0);
  EXPECT_EQ(SourceState(audio->channels[6].source), AL_STOPPED);
}

TEST_F(AudioDevice, PauseResumeAndStopFollowTheStates) {
  auto sample = Load("short.wav");
  ASSERT_EQ(audio->PlaySample(sample, 2, 1), 0);
  ALuint source = audio->channels[2].source;
  ALint looping = 0;
  alGetSourcei(source, AL_LOOPING, &looping);
  EXPECT_EQ(looping, AL_TRUE);

  audio->ResumeChannel(2); // only a paused channel resumes
  EXPECT_EQ(audio->ChannelState(2), 1);
  audio->PauseChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 2);
  EXPECT_EQ(SourceState(source), AL_PAUSED);
  audio->PauseChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 2);
  audio->ResumeChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 1);
  EXPECT_EQ(SourceState(source), AL_PLAYING);
  std::this_thread::sleep_for(std::chrono::milliseconds(100)); // longer than the sample: it loops
  EXPECT_EQ(audio->ChannelState(2), 1);
  audio->StopChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 0);
  EXPECT_EQ(SourceState(source), AL_STOPPED);
  audio->ResumeChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 0);

  // Playing again on a playing channel restarts it, without looping now.
  ASSERT_EQ(audio->PlaySample(sample, 2, 1), 0);
  ASSERT_EQ(audio->PlaySample(sample, 2, 0), 0);
  alGetSourcei(source, AL_LOOPING, &looping);
  EXPECT_EQ(looping, AL_FALSE);
  EXPECT_EQ(audio->channels[2].source, source) << "a channel keeps its source";
}

TEST_F(AudioDevice, SuspendPausesOnlyPlayingChannelsAndResumeRestartsThem) {
  auto sample = Load("long.wav");
  ASSERT_EQ(audio->PlaySample(sample, 3, 1), 0);
  ASSERT_EQ(audio->PlaySample(sample, 5, 1), 0);
  audio->PauseChannel(5);
  ASSERT_EQ(audio->PlayMusic(String::FromUtf8(dir / "long.wav"), 1), 0);

  audio->Suspend();
  EXPECT_EQ(SourceState(audio->channels[3].source), AL_PAUSED);
  EXPECT_EQ(SourceState(audio->channels[32].source), AL_PAUSED);
  EXPECT_EQ(audio->ChannelState(3), 1) << "suspension is not a pause of the game's";
  EXPECT_EQ(audio->MusicState(), 1);
  ALint offset = 0, later = 0;
  alGetSourcei(audio->channels[3].source, AL_SAMPLE_OFFSET, &offset);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  alGetSourcei(audio->channels[3].source, AL_SAMPLE_OFFSET, &later);
  EXPECT_EQ(later, offset);

  audio->Resume();
  EXPECT_EQ(SourceState(audio->channels[3].source), AL_PLAYING);
  EXPECT_EQ(SourceState(audio->channels[32].source), AL_PLAYING);
  EXPECT_EQ(SourceState(audio->channels[5].source), AL_PAUSED);
  EXPECT_EQ(audio->ChannelState(5), 2);
  alGetSourcei(audio->channels[3].source, AL_SAMPLE_OFFSET, &later);
  EXPECT_GE(later, offset) << "resumed, not restarted";
}

TEST_F(AudioDevice, PanVolumeAndRateReachTheSourceEvenBeforeAnyPlay) {
  audio->SetPan(7, 0.0f);
  ALuint source = audio->channels[7].source;
  ASSERT_NE(source, 0u);
  float x, y, z;
  alGetSource3f(source, AL_POSITION, &x, &y, &z);
  EXPECT_FLOAT_EQ(x, 0.0f);
  EXPECT_FLOAT_EQ(y, 0.0f);
  EXPECT_FLOAT_EQ(z, -1.0f);
  audio->SetPan(7, -1.0f);
  alGetSource3f(source, AL_POSITION, &x, &y, &z);
  EXPECT_FLOAT_EQ(x, std::sin(-1.0f));
  EXPECT_FLOAT_EQ(z, -std::cos(-1.0f));

  float value = 0;
  audio->SetVolume(7, 0.25f);
  alGetSourcef(source, AL_GAIN, &value);
  EXPECT_FLOAT_EQ(value, 0.25f);
  audio->SetRate(7, 1.5f);
  alGetSourcef(source, AL_PITCH, &value);
  EXPECT_FLOAT_EQ(value, 1.5f);
  audio->SetMusicVolume(0.75f);
  alGetSourcef(audio->channels[32].source, AL_GAIN, &value);
  EXPECT_FLOAT_EQ(value, 0.75f);
  ALint distanceModel = alGetInteger(AL_DISTANCE_MODEL);
  EXPECT_EQ(distanceModel, AL_NONE);
}

TEST_F(AudioDevice, ADiscardedBufferIsDeletedOnceNoSourceHoldsIt) {
  auto sample = Load("long.wav");
  ALuint buffer = sample->buffer;
  ASSERT_TRUE(alIsBuffer(buffer));
  ASSERT_EQ(audio->PlaySample(sample, 1, 1), 0);
  sample->Discard();
  EXPECT_EQ(sample->buffer, 0u);
  Flush();
  EXPECT_TRUE(alIsBuffer(buffer)) << "still playing on channel 1";

  // Stopped by the game: the stopped source lets go of it at the next play.
  audio->StopChannel(1);
  Flush();
  EXPECT_FALSE(alIsBuffer(buffer));

  // The same through the last owner letting go of a sample that has ended.
  auto once = Load("short.wav");
  buffer = once->buffer;
  ASSERT_EQ(audio->PlaySample(once, 9, 0), 0);
  once.reset();
  EXPECT_TRUE(alIsBuffer(buffer)) << "the channel keeps its sample while it plays";
  ASSERT_TRUE(WaitForEnd(9));
  Flush();
  EXPECT_FALSE(alIsBuffer(buffer));
}

TEST_F(AudioDevice, MusicIsOneWholeSampleOnItsOwnChannel) {
  String music = String::FromUtf8(dir / "long.wav");
  ASSERT_EQ(audio->PlayMusic(music, 1), 0);
  ALuint source = audio->channels[32].source;
  ALint looping = 0;
  alGetSourcei(source, AL_LOOPING, &looping);
  EXPECT_EQ(looping, AL_TRUE);
  EXPECT_EQ(audio->MusicState(), 1);
  audio->PauseMusic();
  EXPECT_EQ(audio->MusicState(), 2);
  audio->ResumeMusic();
  EXPECT_EQ(audio->MusicState(), 1);

  // A new tune replaces the old one, whose buffer goes once it is detached
  // (OpenAL may give its name straight to the new tune's buffer).
  ALint oldBuffer = 0, newBuffer = 0;
  alGetSourcei(source, AL_BUFFER, &oldBuffer);
  ASSERT_EQ(audio->PlayMusic(String::FromUtf8(dir / "short.wav"), 0), 0);
  Flush();
  alGetSourcei(source, AL_BUFFER, &newBuffer);
  EXPECT_TRUE(newBuffer == oldBuffer || !alIsBuffer(static_cast<ALuint>(oldBuffer)));
  alGetSourcei(source, AL_LOOPING, &looping);
  EXPECT_EQ(looping, AL_FALSE);

  audio->StopMusic();
  EXPECT_EQ(audio->MusicState(), 0);
  EXPECT_EQ(audio->PlayMusic(String::FromUtf8(dir / "missing.ogg"), 1), -1);
  EXPECT_EQ(audio->MusicState(), 0);
  for (int channel = 0; channel < 30; ++channel) EXPECT_EQ(audio->channels[channel].source, 0u);
}

TEST_F(AudioDevice, SamplesOpenALCannotHoldAndBadChannelsAreRefused) {
  EXPECT_FALSE(Load("deep.wav"));
  EXPECT_FALSE(Load("missing.wav"));
  auto sample = Load("short.wav");
  EXPECT_EQ(audio->PlaySample(nullptr, 0, 0), -1);
  EXPECT_EQ(audio->PlaySample(sample, -1, 0), -1);
  EXPECT_EQ(audio->PlaySample(sample, 33, 0), -1);
  EXPECT_EQ(audio->ChannelState(-1), 0);
  EXPECT_EQ(audio->ChannelState(1000), 0);
  audio->StopChannel(40);
  audio->PauseChannel(-5);
  audio->ResumeChannel(99);
  audio->SetVolume(33, 1);
  audio->SetPan(-1, 1);
  audio->SetRate(64, 1);
}

TEST_F(AudioDevice, TheModuleLoadsDataPathsAndIgnoresMissingSounds) {
  std::shared_ptr<c_Sound> sound = vex_audio_LoadSound("short.wav");
  ASSERT_TRUE(sound);
  EXPECT_FALSE(vex_audio_LoadSound("nothing.wav"));
  vex_audio_PlaySound(nullptr, 0, 0);
  vex_audio_PlaySound(std::shared_ptr<c_Sound>(), 0, 0);
  EXPECT_EQ(vex_audio_ChannelState(0), 0);
  vex_audio_PlaySound(sound, 0, 1);
  EXPECT_EQ(vex_audio_ChannelState(0), 1);
  EXPECT_EQ(vex_audio_PlayMusic("long.wav", 1), 0);
  EXPECT_EQ(vex_audio_MusicState(), 1);

  // A discarded sound plays nothing and its buffer goes once it is free.
  vex_audio_StopChannel(0);
  ALuint buffer = sound->m_sample->buffer;
  sound->p_Discard();
  vex_audio_PlaySound(sound, 0, 0);
  EXPECT_EQ(vex_audio_ChannelState(0), 0);
  Flush();
  EXPECT_FALSE(alIsBuffer(buffer));

  // Before the device exists (or after it is gone) everything is silent.
  vex_audio_SetAudioDevice(nullptr);
  EXPECT_FALSE(vex_audio_LoadSound("short.wav"));
  vex_audio_PlaySound(sound, 0, 0);
  vex_audio_PauseChannel(0);
  EXPECT_EQ(vex_audio_PlayMusic("long.wav", 1), -1);
  EXPECT_EQ(vex_audio_MusicState(), 0);
}

TEST(AudioDeviceLifetime, ASampleOutlivingItsDeviceDoesNotReachTheNextOne) {
  TempDir dir;
  DataHost host(dir.Path());
  WavSpec spec;
  spec.data = SineS16(100, 1, 440, 22050, 0.5);
  WriteFile(dir / "a.wav", MakeWav(spec));
  auto first = std::make_unique<gxtkAudio>();
  std::shared_ptr<gxtkSample> stale = first->LoadSample("quill://data/a.wav");
  ASSERT_TRUE(stale);
  first.reset();

  gxtkAudio second;
  EXPECT_EQ(gxtkAudio::audio, &second);
  std::shared_ptr<gxtkSample> fresh = second.LoadSample("quill://data/a.wav");
  ASSERT_TRUE(fresh);
  // The stale sample may carry the same buffer name as the fresh one; giving it
  // up must not delete the fresh sample's buffer.
  stale.reset();
  EXPECT_EQ(second.PlaySample(fresh, 0, 0), 0);
  EXPECT_TRUE(alIsBuffer(fresh->buffer));
  ALint attached = 0;
  alGetSourcei(second.channels[0].source, AL_BUFFER, &attached);
  EXPECT_EQ(static_cast<ALuint>(attached), fresh->buffer);
}

} // namespace
