// The audio module; see audio.h. Every function is harmless before the device
// exists (nothing plays, states read 0).
#include "audio/audio.h"

#include "runtime/data_path.h"

void c_Sound::p_Discard() {
  if (m_sample) m_sample->Discard();
  m_sample.reset();
}

std::shared_ptr<c_Sound> vex_audio_LoadSound(const String &path) {
  if (!vex_audio_device) return nullptr;
  std::shared_ptr<gxtkSample> sample = vex_audio_device->LoadSample(vex_data_FixDataPath(path));
  if (!sample) return nullptr;
  return std::make_shared<c_Sound>(std::move(sample));
}

void vex_audio_PlaySound(const c_Sound *sound, int channel, int flags) {
  if (vex_audio_device && sound && sound->m_sample) vex_audio_device->PlaySample(sound->m_sample, channel, flags);
}

void vex_audio_PlaySound(const std::shared_ptr<c_Sound> &sound, int channel, int flags) {
  vex_audio_PlaySound(sound.get(), channel, flags);
}

void vex_audio_StopChannel(int channel) {
  if (vex_audio_device) vex_audio_device->StopChannel(channel);
}

void vex_audio_PauseChannel(int channel) {
  if (vex_audio_device) vex_audio_device->PauseChannel(channel);
}

void vex_audio_ResumeChannel(int channel) {
  if (vex_audio_device) vex_audio_device->ResumeChannel(channel);
}

int vex_audio_ChannelState(int channel) { return vex_audio_device ? vex_audio_device->ChannelState(channel) : 0; }

void vex_audio_SetChannelVolume(int channel, float volume) {
  if (vex_audio_device) vex_audio_device->SetVolume(channel, volume);
}

void vex_audio_SetChannelPan(int channel, float pan) {
  if (vex_audio_device) vex_audio_device->SetPan(channel, pan);
}

void vex_audio_SetChannelRate(int channel, float rate) {
  if (vex_audio_device) vex_audio_device->SetRate(channel, rate);
}

int vex_audio_PlayMusic(const String &path, int flags) {
  return vex_audio_device ? vex_audio_device->PlayMusic(vex_data_FixDataPath(path), flags) : -1;
}

void vex_audio_StopMusic() {
  if (vex_audio_device) vex_audio_device->StopMusic();
}

void vex_audio_PauseMusic() {
  if (vex_audio_device) vex_audio_device->PauseMusic();
}

void vex_audio_ResumeMusic() {
  if (vex_audio_device) vex_audio_device->ResumeMusic();
}

int vex_audio_MusicState() { return vex_audio_device ? vex_audio_device->MusicState() : 0; }

void vex_audio_SetMusicVolume(float volume) {
  if (vex_audio_device) vex_audio_device->SetMusicVolume(volume);
}
