// gxtkAudio and gxtkSample on OpenAL; see audio_device.h.
#include "audio/audio_device.h"

#include <cmath>
#include <vector>

#include "audio/audio_data.h"
#include "runtime/error.h"

gxtkAudio *vex_audio_device = nullptr;
gxtkAudio *gxtkAudio::audio = nullptr;

namespace {

// Buffers of discarded samples that may still be attached to a source.
std::vector<ALuint> discardedBuffers;
// Counts devices opened and closed, so buffers of a closed device are never
// handed to the next one's deletion.
int deviceGeneration = 0;

bool ValidChannel(int channel) { return channel >= 0 && channel <= gxtkAudio::kMusicChannel; }

ALint SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

ALenum BufferFormat(int channels, int bytesPerSample) {
  if (bytesPerSample == 1) return channels == 1 ? AL_FORMAT_MONO8 : channels == 2 ? AL_FORMAT_STEREO8 : 0;
  if (bytesPerSample == 2) return channels == 1 ? AL_FORMAT_MONO16 : channels == 2 ? AL_FORMAT_STEREO16 : 0;
  return 0;
}

// A source taken over from another channel starts as a new one would, not
// with the pitch, gain or place of the sound it played before.
void ResetSource(ALuint source) {
  alSourcef(source, AL_GAIN, 1.0f);
  alSourcef(source, AL_PITCH, 1.0f);
  alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcei(source, AL_LOOPING, AL_FALSE);
}

} // namespace

gxtkSample::gxtkSample() : generation_(deviceGeneration) {}

gxtkSample::~gxtkSample() { Discard(); }

void gxtkSample::Discard() {
  if (!buffer) return;
  if (generation_ == deviceGeneration) discardedBuffers.push_back(buffer);
  buffer = 0;
}

void gxtkSample::OnUnsafeLoadComplete() {
  if (gxtkAudio::audio) gxtkAudio::audio->MakeBuffer(this);
}

gxtkAudio::gxtkAudio() {
  audio = this;
  ++deviceGeneration;
  alcDevice = alcOpenDevice(nullptr);
  if (!alcDevice) alcDevice = alcOpenDevice("Generic Hardware");
  if (!alcDevice) alcDevice = alcOpenDevice("Generic Software");
  vexPrint("opening openal device");
  if (alcDevice) {
    alcContext = alcCreateContext(alcDevice, nullptr);
    if (alcContext) {
      if (!alcMakeContextCurrent(alcContext)) {
        vexPrint("OpenAl error: alcMakeContextCurrent failed");
        alcDestroyContext(alcContext);
        alcContext = nullptr;
      }
    } else {
      vexPrint("OpenAl error: alcCreateContext failed");
    }
  } else {
    vexPrint("OpenAl error: alcOpenDevice failed");
  }
  if (alcContext) alDistanceModel(AL_NONE);
  ChannelSource(kMusicChannel);
}

gxtkAudio::~gxtkAudio() {
  for (Channel &channel : channels) {
    if (channel.source) {
      alSourceStop(channel.source);
      alSourcei(channel.source, AL_BUFFER, 0);
      alDeleteSources(1, &channel.source);
    }
    channel = Channel();
  }
  if (alcContext) {
    for (ALuint buffer : discardedBuffers) alDeleteBuffers(1, &buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(alcContext);
  }
  discardedBuffers.clear();
  ++deviceGeneration;
  if (alcDevice) alcCloseDevice(alcDevice);
  if (audio == this) audio = nullptr;
}

ALuint gxtkAudio::ChannelSource(int channel) {
  if (!ValidChannel(channel)) return 0;
  Channel &record = channels[channel];
  if (record.source || !alcContext) return record.source;
  alGetError();
  ALuint source = 0;
  alGenSources(1, &source);
  if (alGetError() != AL_NO_ERROR || !source) {
    source = 0;
    for (int i = 0; i < kChannels; ++i) {
      if (i == channel || !channels[i].source || ChannelState(i) != 0) continue;
      source = channels[i].source;
      channels[i] = Channel();
      alSourceStop(source);
      ResetSource(source);
      break;
    }
  }
  record.source = source;
  return source;
}

void gxtkAudio::FlushDiscarded() {
  if (discardedBuffers.empty() || !alcContext) return;
  // Any stopped source lets go of its buffer: a channel stopped by the game
  // would otherwise hold a discarded buffer until it next plays.
  for (Channel &channel : channels) {
    if (!channel.source) continue;
    ALint state = SourceState(channel.source);
    if (state == AL_STOPPED || state == AL_INITIAL) alSourcei(channel.source, AL_BUFFER, 0);
  }
  std::vector<ALuint> stillAttached;
  for (ALuint buffer : discardedBuffers) {
    alGetError();
    alDeleteBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) stillAttached.push_back(buffer);
  }
  discardedBuffers.swap(stillAttached);
}

std::shared_ptr<gxtkSample> gxtkAudio::LoadSample(const String &path) {
  FlushDiscarded();
  auto sample = std::make_shared<gxtkSample>();
  if (!LoadSample__UNSAFE__(sample.get(), path) || !MakeBuffer(sample.get())) return nullptr;
  return sample;
}

bool gxtkAudio::LoadSample__UNSAFE__(gxtkSample *sample, const String &path) {
  std::optional<AudioData> audio = LoadAudioFile(path);
  // A layout OpenAL has no format for would make a buffer that plays nothing:
  // that is a failed load, not a silent sound.
  if (!audio || !BufferFormat(audio->channels, audio->format)) return false;
  sample->pending = std::move(audio);
  return true;
}

bool gxtkAudio::MakeBuffer(gxtkSample *sample) {
  if (!sample->pending || !alcContext) return false;
  const AudioData &audio = *sample->pending;
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  if (alGetError() != AL_NO_ERROR || !buffer) return false;
  alBufferData(buffer, BufferFormat(audio.channels, audio.format), audio.data.get(),
               static_cast<ALsizei>(audio.Bytes()), audio.hertz);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &buffer);
    return false;
  }
  sample->Discard();
  sample->buffer = buffer;
  sample->pending.reset();
  return true;
}

int gxtkAudio::PlaySample(const std::shared_ptr<gxtkSample> &sample, int channel, int flags) {
  if (!sample || !ValidChannel(channel)) return -1;
  FlushDiscarded();
  if (sample->pending) MakeBuffer(sample.get());
  ALuint source = ChannelSource(channel);
  if (!source) return -1;
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->buffer));
  alSourcei(source, AL_LOOPING, flags ? AL_TRUE : AL_FALSE);
  alSourcePlay(source);
  Channel &record = channels[channel];
  record.sample = sample;
  record.flags = flags;
  record.state = 1;
  return 0;
}

int gxtkAudio::ChannelState(int channel) {
  if (!ValidChannel(channel)) return 0;
  Channel &record = channels[channel];
  if (record.state != 1) return record.state;
  if (SourceState(record.source) != AL_STOPPED) return 1;
  record.state = 0;
  record.sample.reset();
  return 0;
}

void gxtkAudio::StopChannel(int channel) {
  if (!ValidChannel(channel)) return;
  Channel &record = channels[channel];
  if (record.state == 0) return;
  alSourceStop(record.source);
  record.state = 0;
  record.sample.reset();
}

void gxtkAudio::PauseChannel(int channel) {
  if (!ValidChannel(channel)) return;
  Channel &record = channels[channel];
  if (record.state != 1) return;
  if (SourceState(record.source) == AL_STOPPED) {
    record.state = 0;
    record.sample.reset();
    return;
  }
  alSourcePause(record.source);
  record.state = 2;
}

void gxtkAudio::ResumeChannel(int channel) {
  if (!ValidChannel(channel)) return;
  Channel &record = channels[channel];
  if (record.state != 2) return;
  alSourcePlay(record.source);
  record.state = 1;
}

void gxtkAudio::SetVolume(int channel, float volume) {
  if (!ValidChannel(channel)) return;
  if (ALuint source = ChannelSource(channel)) alSourcef(source, AL_GAIN, volume);
}

void gxtkAudio::SetPan(int channel, float pan) {
  if (!ValidChannel(channel)) return;
  if (ALuint source = ChannelSource(channel)) alSource3f(source, AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
}

void gxtkAudio::SetRate(int channel, float rate) {
  if (!ValidChannel(channel)) return;
  if (ALuint source = ChannelSource(channel)) alSourcef(source, AL_PITCH, rate);
}

void gxtkAudio::Suspend() {
  for (Channel &channel : channels)
    if (channel.state == 1 && SourceState(channel.source) == AL_PLAYING) alSourcePause(channel.source);
}

void gxtkAudio::Resume() {
  for (Channel &channel : channels)
    if (channel.state == 1 && SourceState(channel.source) == AL_PAUSED) alSourcePlay(channel.source);
}

int gxtkAudio::PlayMusic(const String &path, int flags) {
  StopMusic();
  std::shared_ptr<gxtkSample> sample = LoadSample(path);
  if (!sample) return -1;
  return PlaySample(sample, kMusicChannel, flags);
}

void gxtkAudio::StopMusic() { StopChannel(kMusicChannel); }
void gxtkAudio::PauseMusic() { PauseChannel(kMusicChannel); }
void gxtkAudio::ResumeMusic() { ResumeChannel(kMusicChannel); }
int gxtkAudio::MusicState() { return ChannelState(kMusicChannel); }
void gxtkAudio::SetMusicVolume(float volume) { SetVolume(kMusicChannel, volume); }

void vex_audio_SetAudioDevice(gxtkAudio *device) { vex_audio_device = device; }
