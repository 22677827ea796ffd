#pragma once
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Sound files made in memory for the sound tests: WAV samples and Ogg Vorbis streams.

typedef std::vector<unsigned char> Bytes;

inline void put16(Bytes &b, unsigned v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void put32(Bytes &b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
inline void putTag(Bytes &b, const char *tag) { b.insert(b.end(), tag, tag + 4); }

// Interleaved 16-bit values; 8-bit files get them scaled down to unsigned bytes.
inline Bytes wavBytes(int channels, int bits, uint32_t rate, const std::vector<int16_t> &values) {
  Bytes pcm;
  for (int16_t v : values) {
    if (bits == 8) pcm.push_back((unsigned char)((v >> 8) + 128));
    else put16(pcm, (uint16_t)v);
  }
  Bytes b;
  putTag(b, "RIFF");
  put32(b, (uint32_t)(36 + pcm.size()));
  putTag(b, "WAVE");
  putTag(b, "fmt ");
  put32(b, 16);
  put16(b, 1);
  put16(b, channels);
  put32(b, rate);
  put32(b, rate * channels * bits / 8);
  put16(b, channels * bits / 8);
  put16(b, bits);
  putTag(b, "data");
  put32(b, (uint32_t)pcm.size());
  b.insert(b.end(), pcm.begin(), pcm.end());
  return b;
}

// Interleaved frames at 44100 Hz, every channel alike.
inline std::vector<float> sine(int channels, int frames, double hz = 440.0, double amplitude = 0.5) {
  std::vector<float> out;
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) out.push_back((float)(amplitude * std::sin(2 * M_PI * hz * i / 44100.0)));
  return out;
}

// Empty when the encoder refuses the format.
inline Bytes encodeOgg(int channels, long rate, const std::vector<float> &interleaved) {
  Bytes out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.5f) != 0) return out;
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 7);
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  auto takePage = [&]() {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  };
  while (ogg_stream_flush(&os, &page)) takePage();
  auto drain = [&]() {
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page)) takePage();
      }
    }
  };
  size_t frames = interleaved.size() / channels;
  for (size_t at = 0; at < frames; at += 1024) {
    int n = (int)std::min<size_t>(1024, frames - at);
    float **buffer = vorbis_analysis_buffer(&vd, n);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[(at + i) * channels + c];
    vorbis_analysis_wrote(&vd, n);
    drain();
  }
  vorbis_analysis_wrote(&vd, 0);
  drain();
  while (ogg_stream_flush(&os, &page)) takePage();
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

inline void writeBytes(const std::string &path, const Bytes &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write((const char *)bytes.data(), (std::streamsize)bytes.size());
}
