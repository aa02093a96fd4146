// gxtkAudio: sound channels, samples and music on OpenAL.
#include "audio/audio_device.h"

gxtkAudio *vex_audio_device = nullptr;

gxtkAudio::gxtkAudio() = default;
void gxtkAudio::Suspend() {}
void gxtkAudio::Resume() {}
void vex_audio_SetAudioDevice(gxtkAudio *device) { vex_audio_device = device; }
