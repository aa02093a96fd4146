// gxtkAudio: sound channels, samples and music on OpenAL.
#pragma once

class gxtkAudio {
public:
  gxtkAudio();
  void Suspend();
  void Resume();
};

extern gxtkAudio *vex_audio_device;
void vex_audio_SetAudioDevice(gxtkAudio *device);
