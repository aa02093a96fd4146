// Sound slots, effects round-robin on the effect channels, and the one tune
// following the sound mode.
#include "game/assets.h"
#include "game/flow.h"
#include "game/names.h"

namespace {
constexpr int kEffectChannels = 24;
} // namespace

void c_MyApp::p_LoadSFX(int n) {
  if (n < 0 || n >= kSoundSlots) return;
  m_sounds[n] = nullptr;
  m_sounds[n] = m_devices->LoadSound(SfxPath(n));
}

void c_MyApp::p_PlaySFX(int id, float rate, float volume, float pan) {
  int mode = m_settings[kSettingSoundMode];
  if (!ModePlaysEffects(mode)) return;
  if (id < 0 || id >= kSoundSlots || !m_sounds[id]) return;
  m_sfxChannel = (m_sfxChannel + 1) % kEffectChannels;
  int channel = m_channels[m_sfxChannel];
  GameDevices &dev = *m_devices;
  dev.StopChannel(channel);
  dev.PlaySound(m_sounds[id], channel, 0);
  dev.SetChannelRate(channel, rate);
  dev.SetChannelVolume(channel, volume);
  dev.SetChannelPan(channel, pan);
}

void c_MyApp::p_PlaySFX(int id, float volume) { p_PlaySFX(id, 1, volume, 0); }
void c_MyApp::p_PlaySFX(float rate, float volume) { p_PlaySFX(kSoundTick, rate, volume, 0); }

void c_MyApp::p_PlayTune(const String &name, int flags) {
  if (vex_Tilemarch_HasMusicStream != 1) return;
  String tune = name;
  // "-1" asks for the current tune; with none yet there is nothing to restart
  // (rather than a file named "-1").
  if (tune == "-1") tune = m_tuneName;
  if (tune.Empty()) return;
  m_tuneName = tune;
  if (m_musicOn == 1) {
    m_devices->StopMusic();
    m_musicOn = 0;
  }
  int mode = m_settings[kSettingSoundMode];
  if (ModePlaysMusic(mode)) {
    m_devices->PlayMusic("sfx/" + tune + ".ogg", flags);
    m_musicOn = 1;
  }
}

void c_MyApp::p_StopTune() {
  m_devices->StopMusic();
  m_musicOn = 0;
}
