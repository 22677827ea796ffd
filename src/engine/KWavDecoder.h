#pragma once
#include <cstdint>

// Finds the sound in a WAV file held in memory: its "fmt " and "data" chunks, looked up by
// their tags, and checks it is PCM the mixer plays.
class KWavDecoder {
public:
  struct Format {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t rate;
    uint32_t byteRate;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extra;
  };

  // The byte count of the "data" chunk, with *pcm at its start; 0 without both chunks. name
  // only labels the warning for a chunk cut short.
  static unsigned long parseHeader(unsigned char *data, unsigned long size, const char *name, Format *format,
                                   const unsigned char **pcm);
  // The start of a file, read cheaply at start-up: nullptr when it is a RIFF WAVE file whose
  // "fmt " chunk (within the bytes given) says 8- or 16-bit PCM in one or two channels.
  static const char *checkHeader(const unsigned char *data, unsigned long size);
  // nullptr when data holds 8- or 16-bit PCM in one or two channels, with *bytes cut to whole
  // frames; else what is wrong, for the player's message.
  static const char *decode(unsigned char *data, unsigned long size, const char *name, Format *format,
                            const unsigned char **pcm, unsigned long *bytes);
};
