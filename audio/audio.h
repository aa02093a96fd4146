// The audio module: the sound and music interface the game uses.
//
// Paths are data paths ("sfx/001.wav" is read from the data directory beside
// the program). Channels 0 to 31 play sounds; the music is one whole sample on
// its own channel. A sound that failed to load is null, and playing a null
// sound does nothing, so a missing file is simply silent.
#pragma once

#include <memory>

#include "audio/audio_device.h"
#include "runtime/object.h"
#include "runtime/string.h"

class c_Sound : public Object {
public:
  c_Sound() = default;
  explicit c_Sound(std::shared_ptr<gxtkSample> sample) : m_sample(std::move(sample)) {}

  // Lets the sample's buffer go now rather than when the last holder drops it.
  void p_Discard();

  std::shared_ptr<gxtkSample> m_sample;
};

std::shared_ptr<c_Sound> vex_audio_LoadSound(const String &path);
void vex_audio_PlaySound(const c_Sound *sound, int channel, int flags = 0);
void vex_audio_PlaySound(const std::shared_ptr<c_Sound> &sound, int channel, int flags = 0);
void vex_audio_StopChannel(int channel);
void vex_audio_PauseChannel(int channel);
void vex_audio_ResumeChannel(int channel);
int vex_audio_ChannelState(int channel);
void vex_audio_SetChannelVolume(int channel, float volume);
void vex_audio_SetChannelPan(int channel, float pan);
void vex_audio_SetChannelRate(int channel, float rate);
int vex_audio_PlayMusic(const String &path, int flags = 1);
void vex_audio_StopMusic();
void vex_audio_PauseMusic();
void vex_audio_ResumeMusic();
int vex_audio_MusicState();
void vex_audio_SetMusicVolume(float volume);
