#pragma once
#include "engine/KMemoryFile.h"

#include <cstdint>
#include <vector>

struct OggVorbis_File;

// Ogg Vorbis decoding from a file held in memory: whole, for a sample, or one buffer at a
// time, for a stream. Output is 16-bit signed PCM in the host's byte order.
class KOggDecoder {
public:
  KOggDecoder();
  ~KOggDecoder();
  KOggDecoder(const KOggDecoder &) = delete;
  KOggDecoder &operator=(const KOggDecoder &) = delete;

  // The compressed data; it stays with the decoder, which only reads it.
  KMemoryFile &file() { return _file; }

  // Opens the decoder over file(); when that fails file() is emptied.
  bool open();
  // False unless the open stream has one or two channels at a positive rate.
  bool format(int *channels, long *rate);
  void close();
  bool isOpen() const { return _open; }
  void rewind();

  // Decodes a whole file into pcm, leaving the decoder closed and file() empty; nullptr when
  // it holds one or two channels at a positive rate, else what is wrong, for the player's
  // message.
  const char *decodeFile(const char *path, std::vector<unsigned char> *pcm, int *channels, long *rate);
  // The file's first page, read cheaply at start-up: nullptr when it opens an Ogg stream with a
  // Vorbis identification header of one or two channels at a positive rate, else what is wrong.
  static const char *checkHeader(const unsigned char *data, size_t size);

  // Fills buffer and gives the bytes of sound in it. At the end of the data a looping stream
  // starts again and the rest of the buffer stays silent; one that does not loop sets *ended.
  uint32_t fill(unsigned char *buffer, uint32_t size, bool loop, bool *ended);

private:
  KMemoryFile _file;
  OggVorbis_File *_vorbis;
  bool _open = false;
};
