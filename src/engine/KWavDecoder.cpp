#include "engine/KWavDecoder.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {
const int kHostBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;

uint16_t le16(const unsigned char *p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t le32(const unsigned char *p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}
} // namespace

// Every read stays inside [data, data + size): a tag too close to the end is no tag, a "fmt "
// body cut short fails, and a "data" chunk longer than the file is cut to what is there.
namespace {
const char *playable(const KWavDecoder::Format &f) {
  if ((f.formatTag != 1 && f.formatTag != 0xFFFE) || (f.channels != 1 && f.channels != 2) ||
      (f.bitsPerSample != 8 && f.bitsPerSample != 16) || f.rate == 0 || f.rate > 768000)
    return "only 8- or 16-bit PCM in one or two channels can be played";
  return nullptr;
}
} // namespace

const char *KWavDecoder::checkHeader(const unsigned char *data, unsigned long size) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    return "not a WAV file";
  // The chunks in order, as far as the bytes reach: "fmt " comes before the sound.
  for (unsigned long at = 12; at + 8 <= size;) {
    const unsigned long length = le32(data + at + 4);
    if (std::memcmp(data + at, "fmt ", 4) == 0) {
      if (at + 8 + 16 > size) return "its \"fmt \" chunk is cut short";
      const unsigned char *body = data + at + 8;
      Format f{le16(body), le16(body + 2), le32(body + 4), le32(body + 8), le16(body + 12), le16(body + 14), 0};
      return playable(f);
    }
    if (std::memcmp(data + at, "data", 4) == 0) break;
    if (length > size) break;
    at += 8 + length + (length & 1);
  }
  return "no \"fmt \" chunk before its sound";
}

unsigned long KWavDecoder::parseHeader(unsigned char *data, unsigned long size, const char *name, Format *format,
                                       const unsigned char **pcm) {
  *pcm = nullptr;
  unsigned long dataSize = 0;
  if (!data) return 0;
  for (unsigned long i = 0; i + 8 <= size; ++i) {
    if (std::memcmp(data + i, "data", 4) == 0) {
      dataSize = le32(data + i + 4);
      unsigned long present = size - (i + 8);
      if (dataSize > present) {
        std::fprintf(stderr, "KSound: %s: \"data\" chunk cut short, %lu of %lu bytes present\n", name, present,
                     dataSize);
        dataSize = present;
      }
      *pcm = data + i + 8;
      break;
    }
  }
  bool haveFormat = false;
  for (unsigned long i = 0; i + 4 <= size; ++i) {
    if (std::memcmp(data + i, "fmt ", 4) == 0) {
      if (i + 8 + 16 > size) return 0;
      const unsigned char *body = data + i + 8;
      format->formatTag = le16(body);
      format->channels = le16(body + 2);
      format->rate = le32(body + 4);
      format->byteRate = le32(body + 8);
      format->blockAlign = le16(body + 12);
      format->bitsPerSample = le16(body + 14);
      format->extra = i + 8 + 18 <= size ? le16(body + 16) : 0;
      haveFormat = true;
      break;
    }
  }
  if (!haveFormat || !*pcm) return 0;
  if (kHostBigEndian && format->bitsPerSample != 8) {
    unsigned char *swapped = data + (*pcm - data);
    for (unsigned long i = 0; i + 1 < dataSize; i += 2) std::swap(swapped[i], swapped[i + 1]);
  }
  return dataSize;
}

const char *KWavDecoder::decode(unsigned char *data, unsigned long size, const char *name, Format *format,
                                const unsigned char **pcm, unsigned long *bytes) {
  std::memset(format, 0, sizeof(*format));
  *bytes = parseHeader(data, size, name, format, pcm);
  if (*bytes == 0) return "not a WAV file with a \"fmt \" chunk and sound in a \"data\" chunk";
  if (const char *wrong = playable(*format)) return wrong;
  unsigned long frame = (unsigned long)format->channels * format->bitsPerSample / 8;
  *bytes -= *bytes % frame;
  if (*bytes == 0) return "the \"data\" chunk holds no whole frame";
  return nullptr;
}
