// A process that drives the audio device through one scenario, for the tests
// that need OpenAL configured their own way (a captured wave file, fewer
// sources, no device at all): OpenAL Soft reads its configuration once per
// process. It prints "name value" lines for the test to check.
//
//   audio_probe gain SOUND       plays SOUND at full and half volume, then right
//   audio_probe suspend LOOP     a looping channel through suspend and resume,
//                                beside a channel the game paused
//   audio_probe steal SHORT LOOP three channels on two sources
//   audio_probe nodevice SOUND   everything with no usable device
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alext.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "audio/audio.h"
#include "host/game.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point opened;

void Report(const char *name, double value) {
  std::printf("%s %g\n", name, value);
  std::fflush(stdout);
}

// The device's own clock: how much it has mixed, so the time at which a sound
// must appear in the captured output however late the process is scheduled.
double DeviceMillis(gxtkAudio &audio) {
  ALCint64SOFT nanos = 0;
  alcGetInteger64vSOFT(audio.alcDevice, ALC_DEVICE_CLOCK_SOFT, 1, &nanos);
  return static_cast<double>(nanos) / 1e6;
}

void SleepUntil(double millis) {
  std::this_thread::sleep_until(opened + std::chrono::microseconds(static_cast<long>(millis * 1000)));
}

ALint SourceInt(ALuint source, ALenum what) {
  ALint value = 0;
  alGetSourcei(source, what, &value);
  return value;
}

float SourceFloat(ALuint source, ALenum what) {
  float value = 0;
  alGetSourcef(source, what, &value);
  return value;
}

int Gain(gxtkAudio &audio, const String &sound) {
  auto sample = audio.LoadSample(sound);
  if (!sample) return 2;
  SleepUntil(300);
  Report("play1_ms", DeviceMillis(audio));
  audio.PlaySample(sample, 0, 0);
  SleepUntil(800);
  audio.SetVolume(1, 0.5f);
  Report("play2_ms", DeviceMillis(audio));
  audio.PlaySample(sample, 1, 0);
  SleepUntil(1300);
  audio.SetPan(2, 1.0f);
  Report("play3_ms", DeviceMillis(audio));
  audio.PlaySample(sample, 2, 0);
  SleepUntil(1800);
  return 0;
}

int Suspend(gxtkAudio &audio, const String &loop) {
  auto sample = audio.LoadSample(loop);
  if (!sample) return 2;
  audio.PlaySample(sample, 5, 1);
  audio.PauseChannel(5);
  Report("paused_ms", DeviceMillis(audio));
  SleepUntil(200);
  Report("play_ms", DeviceMillis(audio));
  audio.PlaySample(sample, 3, 1);
  SleepUntil(600);
  Report("suspend_ms", DeviceMillis(audio));
  Report("offset_at_suspend", SourceInt(audio.channels[3].source, AL_SAMPLE_OFFSET));
  audio.Suspend();
  SleepUntil(900);
  Report("offset_before_resume", SourceInt(audio.channels[3].source, AL_SAMPLE_OFFSET));
  Report("resume_ms", DeviceMillis(audio));
  audio.Resume();
  Report("state3", audio.ChannelState(3));
  Report("state5", audio.ChannelState(5));
  Report("source5_paused", SourceInt(audio.channels[5].source, AL_SOURCE_STATE) == AL_PAUSED);
  SleepUntil(1500);
  return 0;
}

int Steal(gxtkAudio &audio, const String &shortSound, const String &loop) {
  auto once = audio.LoadSample(shortSound);
  auto looping = audio.LoadSample(loop);
  if (!once || !looping) return 2;
  Report("play0", audio.PlaySample(once, 0, 0));
  audio.SetRate(0, 2.0f);
  Report("play1", audio.PlaySample(looping, 1, 1));
  ALuint source0 = audio.channels[0].source;
  Report("play2_while_busy", audio.PlaySample(looping, 2, 1));
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  Report("play2_after_end", audio.PlaySample(looping, 2, 1));
  Report("took_source_of_0", audio.channels[2].source == source0 && source0 != 0);
  Report("channel0_source", audio.channels[0].source);
  Report("taken_pitch", SourceFloat(audio.channels[2].source, AL_PITCH));
  Report("state1", audio.ChannelState(1));
  Report("play0_again", audio.PlaySample(once, 0, 0));
  return 0;
}

int NoDevice(gxtkAudio &audio, const String &sound) {
  Report("sample_loaded", audio.LoadSample(sound) != nullptr);
  vex_audio_SetAudioDevice(&audio);
  std::shared_ptr<c_Sound> loaded = vex_audio_LoadSound(sound);
  Report("sound_loaded", loaded != nullptr);
  vex_audio_PlaySound(loaded, 0, 0);
  vex_audio_SetChannelVolume(0, 0.5f);
  vex_audio_SetChannelPan(0, 1.0f);
  vex_audio_SetChannelRate(0, 1.5f);
  vex_audio_PauseChannel(0);
  vex_audio_ResumeChannel(0);
  Report("channel_state", vex_audio_ChannelState(0));
  Report("play_music", vex_audio_PlayMusic(sound, 1));
  Report("music_state", vex_audio_MusicState());
  audio.Suspend();
  audio.Resume();
  vex_audio_StopMusic();
  vex_audio_SetAudioDevice(nullptr);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 3) return 2;
  std::string scenario = argv[1];
  VexGame host;
  auto audio = std::make_unique<gxtkAudio>();
  // Playback (and the captured file) starts when the device is made.
  opened = Clock::now();
  int result = 2;
  if (scenario == "gain") result = Gain(*audio, argv[2]);
  if (scenario == "suspend") result = Suspend(*audio, argv[2]);
  if (scenario == "steal" && argc > 3) result = Steal(*audio, argv[2], argv[3]);
  if (scenario == "nodevice") result = NoDevice(*audio, argv[2]);
  // Closing the device finalises the captured file's header.
  audio.reset();
  std::printf("done\n");
  return result;
}
