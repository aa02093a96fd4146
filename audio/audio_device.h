// gxtkAudio: sound channels, samples and music on OpenAL.
//
// 32 sound channels and one music channel (32), each an OpenAL source obtained
// on first need. A channel whose source OpenAL refuses takes over the source of
// the first sound channel whose sound has ended. Samples are whole OpenAL
// buffers; a discarded sample's buffer may still be attached to a source, so it
// waits in a process-wide list and is deleted at a later load or play, once no
// source holds it.
//
// Channel states: 0 stopped, 1 playing, 2 paused by the game. The end of a
// sound is noticed lazily (ChannelState, PauseChannel). Suspend and Resume
// pause and restart only the channels that are playing, so a channel the game
// paused stays paused across a suspension.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <memory>
#include <optional>

#include "audio/audio_data.h"
#include "runtime/object.h"
#include "runtime/string.h"

class gxtkSample : public Object {
public:
  gxtkSample();
  ~gxtkSample() override;

  // Gives the buffer up for deletion; the sample then plays nothing.
  virtual void Discard();
  // Finishes a load made off the main thread: the buffer is made here.
  virtual void OnUnsafeLoadComplete();

  ALuint buffer = 0;
  // Samples decoded by a load off the main thread, waiting for their buffer.
  std::optional<AudioData> pending;

private:
  // The device the buffer was made under: a buffer name from a closed device
  // means nothing to a later one.
  int generation_;
};

class gxtkAudio : public Object {
public:
  static constexpr int kChannels = 32;
  static constexpr int kMusicChannel = 32;

  struct Channel {
    ALuint source = 0;
    std::shared_ptr<gxtkSample> sample;
    int flags = 0;
    int state = 0;
  };

  gxtkAudio();
  ~gxtkAudio() override;

  static gxtkAudio *audio;

  virtual void Suspend();
  virtual void Resume();
  virtual std::shared_ptr<gxtkSample> LoadSample(const String &path);
  // Decodes the file into the sample's pending samples, for a worker thread:
  // it makes no OpenAL call, since OpenAL's error flag is shared with the main
  // thread, which reads it around its own calls. The buffer is made on the
  // main thread by the sample's OnUnsafeLoadComplete, or by its first play.
  virtual bool LoadSample__UNSAFE__(gxtkSample *sample, const String &path);
  // Makes the buffer of a sample's pending samples (main thread); false when
  // there are none or OpenAL refuses them, leaving the sample as it was.
  bool MakeBuffer(gxtkSample *sample);
  virtual int PlaySample(const std::shared_ptr<gxtkSample> &sample, int channel, int flags);
  virtual void StopChannel(int channel);
  virtual void PauseChannel(int channel);
  virtual void ResumeChannel(int channel);
  virtual int ChannelState(int channel);
  virtual void SetVolume(int channel, float volume);
  virtual void SetPan(int channel, float pan);
  virtual void SetRate(int channel, float rate);
  virtual int PlayMusic(const String &path, int flags);
  virtual void StopMusic();
  virtual void PauseMusic();
  virtual void ResumeMusic();
  virtual int MusicState();
  virtual void SetMusicVolume(float volume);

  ALCdevice *alcDevice = nullptr;
  ALCcontext *alcContext = nullptr;
  Channel channels[kChannels + 1];

  // The channel's source, obtained (or taken over) on first need; 0 if none.
  ALuint ChannelSource(int channel);

private:
  void FlushDiscarded();
};

extern gxtkAudio *vex_audio_device;
void vex_audio_SetAudioDevice(gxtkAudio *device);
