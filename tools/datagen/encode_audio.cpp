// WAV and Ogg Vorbis encoding of the synthesized sounds.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

#include "tools/datagen/sound.h"

namespace datagen {

namespace {
void Put16(std::vector<uint8_t> &out, int v) {
  out.push_back(static_cast<uint8_t>(v & 0xff));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}
void Put32(std::vector<uint8_t> &out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xff));
}
void PutTag(std::vector<uint8_t> &out, const char *tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

// The stream's serial number, from the sound itself (FNV-1a over its 16-bit
// samples): the same sound gives the same bytes on every build, and two sounds
// get two serials, as chained streams need.
int ContentSerial(const Sound &sound) {
  uint32_t hash = 2166136261u;
  for (float v : sound.samples) {
    auto sample = static_cast<uint16_t>(std::lround(std::clamp(v, -1.f, 1.f) * 32767.f));
    for (int shift : {0, 8}) hash = (hash ^ ((sample >> shift) & 0xffu)) * 16777619u;
  }
  return static_cast<int>(hash & 0x7fffffffu);
}
} // namespace

std::vector<uint8_t> EncodeWav(const Sound &sound, int rate) {
  uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1); // PCM
  Put16(out, sound.channels);
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate * sound.channels * 2));
  Put16(out, sound.channels * 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (float v : sound.samples) Put16(out, static_cast<int>(std::lround(std::clamp(v, -1.f, 1.f) * 32767.f)));
  return out;
}

std::vector<uint8_t> EncodeOgg(const Sound &sound, int rate, float quality) {
  std::vector<uint8_t> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, sound.channels, rate, quality) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", "Tilemarch");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, ContentSerial(sound));
  auto append = [&](const ogg_page &page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  };
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) append(page);

  const size_t frames = sound.Frames(), chunk = 4096;
  ogg_packet packet;
  for (size_t at = 0;; at += chunk) {
    size_t n = at < frames ? std::min(chunk, frames - at) : 0;
    if (n > 0) {
      float **buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < sound.channels; ++c) buffer[c][i] = sound.samples[(at + i) * sound.channels + c];
    }
    vorbis_analysis_wrote(&vd, static_cast<int>(n)); // 0 marks the end of the stream
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) append(page);
      }
    }
    if (n == 0) break;
  }
  while (ogg_stream_flush(&os, &page) != 0) append(page);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

} // namespace datagen
