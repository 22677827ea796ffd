#pragma once
#include "engine/KAudioMixer.h"

#include <cstdint>

// A sound's mixer channels and its PCM buffers. A sample keeps its whole PCM in buffer 0 and
// plays it on up to kMaxChannels channels; a stream or module plays buffers 0 and 1 in turn
// on channel 0, each refilled once it has been played. Callers hold a KAudioLock where the
// audio thread may be playing.
class KSoundBuffers {
public:
  static const int kMaxChannels = 10;

  KSoundBuffers();
  ~KSoundBuffers();
  KSoundBuffers(const KSoundBuffers &) = delete;
  KSoundBuffers &operator=(const KSoundBuffers &) = delete;

  // Replaces the channel at index; nullptr when index is out of range or memory ran out.
  KAudioChannel *createChannel(KAudioChannel::DoneCallback done, void *user, short index);
  void freeChannels();
  KAudioChannel *channel(int index) const { return index >= 0 && index < kMaxChannels ? _channels[index] : nullptr; }
  bool anyBusy() const;
  void setVolume(int left, int right);
  void quiet();

  // A zeroed buffer of bytes bytes for PCM of that shape, replacing the slot's old one;
  // nullptr for a shape the mixer can't play or when memory ran out.
  unsigned char *make(int slot, short channels, long rate, long bits, unsigned long bytes);
  void release(int slot);
  unsigned char *buffer(int slot) const { return _buffer[slot ? 1 : 0]; }
  uint32_t capacity(int slot) const { return _bytes[slot ? 1 : 0]; }
  void clear(int slot);

  // Bytes of real sound in a stream buffer; 0 once the data has run out.
  uint32_t filled(int slot) const { return _filled[slot ? 1 : 0]; }
  void setFilled(int slot, uint32_t bytes) { _filled[slot ? 1 : 0] = bytes; }
  void empty() { _filled[0] = _filled[1] = 0; }

  // The stream's turn: which buffer plays, and whether its data has run out.
  void restart() {
    _turn = 0;
    _ended = false;
  }
  bool ended() const { return _ended; }
  bool *endedFlag() { return &_ended; }
  void setEnded(bool ended) { _ended = ended; }

  void play(int slot);
  // The buffer playing has finished: starts the other one and gives the finished slot for a
  // refill, or -1 when the other holds nothing and the sound is over. When the data ran out
  // the other buffer holds the tail (possibly a part buffer) and plays in full.
  int advance();

private:
  KAudioChannel *_channels[kMaxChannels];
  unsigned char *_buffer[2] = {nullptr, nullptr};
  uint32_t _bytes[2] = {0, 0};
  uint32_t _filled[2] = {0, 0};
  short _channelsPerFrame = 2;
  short _bits = 16;
  long _rate = 0;
  int _turn = 1; // the buffer playing
  bool _ended = false;
};
