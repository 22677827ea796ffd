#include "engine/KSoundBuffers.h"

#include <cstring>
#include <new>

KSoundBuffers::KSoundBuffers() {
  for (int i = 0; i < kMaxChannels; ++i) _channels[i] = nullptr;
}

KSoundBuffers::~KSoundBuffers() {
  freeChannels();
  release(0);
  release(1);
}

KAudioChannel *KSoundBuffers::createChannel(KAudioChannel::DoneCallback done, void *user, short index) {
  if (index < 0 || index >= kMaxChannels) return nullptr;
  KAudioChannel *channel = new (std::nothrow) KAudioChannel(done, user);
  if (!channel) return nullptr;
  KAudioLock guard;
  delete _channels[index];
  _channels[index] = channel;
  return channel;
}

void KSoundBuffers::freeChannels() {
  KAudioLock guard;
  for (int i = 0; i < kMaxChannels; ++i) {
    delete _channels[i];
    _channels[i] = nullptr;
  }
}

bool KSoundBuffers::anyBusy() const {
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i] && _channels[i]->isBusy()) return true;
  return false;
}

void KSoundBuffers::setVolume(int left, int right) {
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i]) _channels[i]->setVolume(left, right);
}

void KSoundBuffers::quiet() {
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i]) _channels[i]->quiet();
}

unsigned char *KSoundBuffers::make(int slot, short channels, long rate, long bits, unsigned long bytes) {
  slot = slot ? 1 : 0;
  KAudioLock guard;
  release(slot);
  if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate <= 0 || bytes == 0 ||
      bytes > 0xFFFFFFFFul)
    return nullptr;
  _buffer[slot] = new (std::nothrow) unsigned char[bytes];
  if (!_buffer[slot]) return nullptr;
  std::memset(_buffer[slot], 0, bytes);
  _bytes[slot] = (uint32_t)bytes;
  _channelsPerFrame = channels;
  _bits = (short)bits;
  _rate = rate;
  return _buffer[slot];
}

void KSoundBuffers::release(int slot) {
  slot = slot ? 1 : 0;
  KAudioLock guard;
  delete[] _buffer[slot];
  _buffer[slot] = nullptr;
  _bytes[slot] = 0;
}

void KSoundBuffers::clear(int slot) {
  slot = slot ? 1 : 0;
  if (_buffer[slot]) std::memset(_buffer[slot], 0, _bytes[slot]);
}

void KSoundBuffers::play(int slot) {
  slot = slot ? 1 : 0;
  if (_channels[0] && _buffer[slot]) _channels[0]->play(_buffer[slot], _filled[slot], _channelsPerFrame, _bits, _rate);
}

int KSoundBuffers::advance() {
  int finished = _turn ? 1 : 0;
  int next = 1 - finished;
  if (_filled[next] == 0) return -1;
  _turn = next;
  play(next);
  return finished;
}
