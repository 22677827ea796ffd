#include "engine/KSound.h"

#include "engine/KAudioMixer.h"
#include "engine/KMemoryFile.h"
#include "engine/KWavDecoder.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

int KSound::_masterSFXvolume = 100;
int KSound::_masterMUSICvolume = 100;
int KSound::_instanceCount = 0;

namespace {
const int kModuleFrames = KSound::kBufferBytes / 4;
const char *const kNoHeader = "can't create sound header ( makeSoundHandle ) ";

int clampInt(long v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : (int)v); }
} // namespace

KSound::KSound() {
  if (_instanceCount++ == 0) init();
}

KSound::~KSound() {
  {
    KAudioLock guard;
    _playing = false;
    _buffers.setEnded(false);
    _buffers.freeChannels();
  }
  freeAllocatedData();
  _buffers.release(0);
  _buffers.release(1);
  _data = nullptr;
  if (--_instanceCount == 0) {
    KModulePlayer::stopLibrary();
    KAudioMixer::close();
  }
}

void KSound::init() {
  KModulePlayer::startLibrary();
  KAudioMixer::open();
}

bool KSound::fail(const char *what, const char *detail) {
  std::fprintf(stderr, "KSound: can't load %s: %s\n", what && what[0] ? what : "(memory)", detail);
  return false;
}

unsigned char *KSound::makeSoundHandle(short channels, long rate, long bits, unsigned long bytes, char handleIndex) {
  KAudioLock guard;
  if (!handleIndex) _data = nullptr;
  return _buffers.make(handleIndex ? 1 : 0, channels, rate, bits, bytes);
}

// Closing the channels first means no callback can reach the decoder or module afterwards.
void KSound::freeAllocatedData() {
  _buffers.freeChannels();
  KAudioLock guard;
  _ogg.close();
  _ogg.file().clear();
  _module.unload();
  _buffers.empty();
  _playing = false;
}

const char *KSound::checkFile(const char *file) {
  if (!file) return "no file name";
  FILE *f = std::fopen(file, "rb");
  if (!f) return "the file can't be opened";
  unsigned char head[4096];
  const size_t n = std::fread(head, 1, sizeof(head), f);
  std::fclose(f);
  if (n == 0) return "the file can't be read or is empty";
  return std::strstr(file, ".ogg") ? KOggDecoder::checkHeader(head, n) : KWavDecoder::checkHeader(head, n);
}

bool KSound::loadSample(const char *file, int volume, bool loop, short channels) {
  _fileName = file ? file : "";
  {
    KAudioLock guard;
    freeAllocatedData();
    _channelCount = channels < 1 ? 1 : (channels > kMaxChannels ? kMaxChannels : channels);
    _nextChannel = 0;
    _kind = KIND_SAMPLE;
    _buffers.release(0);
    _data = nullptr;
    _dataSize = 0;
    _loop = loop;
    _volume = volume;
  }
  if (!file) return fail(file, "no file name");
  if (std::strstr(file, ".ogg")) return loadOggSample(file);
  return loadWavSample(file);
}

bool KSound::loadWavSample(const char *file) {
  KMemoryFile wav;
  if (!wav.load(file)) return fail(file, "the file can't be read or is empty");
  KWavDecoder::Format f;
  const unsigned char *pcm = nullptr;
  unsigned long bytes = 0;
  if (const char *wrong = KWavDecoder::decode(wav.data(), (unsigned long)wav.size(), _fileName.c_str(), &f, &pcm, &bytes))
    return fail(file, wrong);
  return keepSample(file, pcm, bytes, f.channels, f.bitsPerSample, f.rate);
}

bool KSound::loadOggSample(const char *file) {
  std::vector<unsigned char> pcm;
  int channels = 0;
  long rate = 0;
  if (const char *wrong = _ogg.decodeFile(file, &pcm, &channels, &rate)) return fail(file, wrong);
  unsigned long bytes = pcm.size() - pcm.size() % (size_t)(channels * 2);
  if (bytes == 0) return fail(file, "the Ogg Vorbis file decodes to nothing");
  return keepSample(file, pcm.data(), bytes, (uint16_t)channels, 16, (uint32_t)rate);
}

bool KSound::keepSample(const char *file, const unsigned char *pcm, unsigned long bytes, uint16_t channels,
                        uint16_t bits, uint32_t rate) {
  _buffers.freeChannels();
  for (short i = 0; i < _channelCount; ++i) {
    if (!_buffers.createChannel(sampleDone, this, i)) {
      freeAllocatedData();
      return fail(file, "no sound channel");
    }
  }
  unsigned char *out = makeSoundHandle((short)channels, (long)rate, bits, bytes, 0);
  if (!out) {
    freeAllocatedData();
    return fail(file, kNoHeader);
  }
  std::memcpy(out, pcm, bytes);
  _data = out;
  _dataSize = (uint32_t)bytes;
  _dataChannels = channels;
  _dataBits = bits;
  _dataRate = rate;
  return true;
}

void KSound::playSample() {
  KAudioLock guard;
  if (!_buffers.channel(0) || _kind != KIND_SAMPLE || !_data) return;
  if (_nextChannel < 0 || _nextChannel >= _channelCount || !_buffers.channel(_nextChannel)) _nextChannel = 0;
  stopSample((short)_nextChannel);
  _buffers.channel(_nextChannel)->play(_data, _dataSize, _dataChannels, _dataBits, (long)_dataRate);
  _playing = true;
  _nextChannel = (_nextChannel + 1) % _channelCount;
  setVolume(-1);
}

void KSound::playSample(long frequency, long volume, long pan, bool loop) {
  KAudioLock guard;
  if (!_buffers.channel(0) || _kind != KIND_SAMPLE) return;
  stopSample();
  _volume = volume > INT_MAX ? INT_MAX : (volume < INT_MIN ? INT_MIN : (int)volume);
  setFrequency(frequency);
  _loop = loop;
  if (_buffers.channel(_nextChannel)) _pan = clampInt(pan, -100, 100);
  playSample();
}

void KSound::sampleDone(KAudioChannel *channel, void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound) return;
  if (sound->_playing && sound->_loop && sound->_data) {
    channel->play(sound->_data, sound->_dataSize, sound->_dataChannels, sound->_dataBits, (long)sound->_dataRate);
    return;
  }
  // Other copies of the sample may still sound on its other channels.
  sound->_playing = sound->_buffers.anyBusy();
}

void KSound::stopSample() {
  KAudioLock guard;
  if (_kind != KIND_SAMPLE || !_buffers.channel(0)) return;
  _buffers.quiet();
  _playing = false;
}

void KSound::stopSample(short channel) {
  KAudioLock guard;
  if (_kind != KIND_SAMPLE || !_buffers.channel(channel)) return;
  _buffers.channel(channel)->quiet();
  _playing = _buffers.anyBusy();
}

void KSound::pauseSample() {
  KAudioLock guard;
  if (_kind != KIND_SAMPLE) return;
  _buffers.setVolume(0, 0);
}

void KSound::continueSample() { setVolume(-1); }

void KSound::setLoop(bool loop) {
  KAudioLock guard;
  if (_kind == KIND_SAMPLE && _data) _loop = loop;
}

void KSound::setFrequency(long hertz) {
  KAudioLock guard;
  if (!_buffers.channel(_nextChannel)) return;
  // The rate multiplier is a 16.16 fixed value, relative to 22050 Hz.
  double fixed = hertz < 1 ? 65536.0 : (double)(long long)((double)hertz * 65536.0 / 22050.0);
  _buffers.channel(_nextChannel)->setRateMultiplier(fixed / 65536.0);
}

void KSound::setVolume(int percent) {
  KAudioLock guard;
  if (percent >= 0) _volume = percent;
  else if (percent != -1) _volume = 0;
  long level = clampInt((long)_volume * 255 / 100, 0, 255);
  if (!_buffers.channel(0) || !_playing) return;
  int master = _kind == KIND_SAMPLE ? _masterSFXvolume : _masterMUSICvolume;
  level = clampInt(level * master / 100, 0, 255);
  long left = level, right = level;
  if (_pan < 0) right = level * (_pan + 100) / 100;
  else if (_pan > 0) left = level * (100 - _pan) / 100;
  _buffers.setVolume((int)left, (int)right);
}

void KSound::setPan(long pan) {
  KAudioLock guard;
  if (!_buffers.channel(_nextChannel)) return;
  _pan = clampInt(pan, -100, 100);
  setVolume(-1);
}

void KSound::setGlobalVolumes(int musicVolume, int effectsVolume) {
  KAudioLock guard;
  if (musicVolume >= 0) _masterMUSICvolume = musicVolume > 100 ? 100 : musicVolume;
  if (effectsVolume >= 0) _masterSFXvolume = effectsVolume > 100 ? 100 : effectsVolume;
}

bool KSound::isPlaying() {
  KAudioLock guard;
  if (!_buffers.channel(0)) return false;
  return _playing;
}

bool KSound::pollStream(bool) {
  KAudioLock guard;
  return _playing;
}

bool KSound::isMusicPaused() {
  KAudioLock guard;
  return _playing;
}

size_t KSound::ogg_Read(void *buffer, size_t size, size_t count, void *source) {
  KSound *sound = static_cast<KSound *>(source);
  return sound ? sound->_ogg.file().read(buffer, size, count) : (size_t)-1;
}

int KSound::ogg_Seek(void *source, int64_t offset, int whence) {
  KSound *sound = static_cast<KSound *>(source);
  return sound ? sound->_ogg.file().seek(offset, whence) : -1;
}

// The in-memory file belongs to the sound, not to the decoder.
int KSound::ogg_Close(void *) { return -1; }

long KSound::ogg_Tell(void *source) {
  KSound *sound = static_cast<KSound *>(source);
  return sound ? sound->_ogg.file().tell() : -1;
}

bool KSound::loadStream(const char *file) {
  _fileName = file ? file : "";
  // Channels first: once they are closed no callback can see the sound change kind.
  freeAllocatedData();
  _kind = KIND_STREAM;
  if (!_ogg.file().load(file)) return fail(file, "the file can't be read or is empty");
  return openStreamDecoder();
}

bool KSound::loadStreamFromPtr(char *data, unsigned long size) {
  freeAllocatedData();
  _kind = KIND_STREAM;
  if (!_ogg.file().copy(data, size)) return fail(_fileName.c_str(), "no data");
  return openStreamDecoder();
}

bool KSound::openStreamDecoder() {
  if (!_ogg.open()) return fail(_fileName.c_str(), "not an Ogg Vorbis stream");
  int channels = 0;
  long rate = 0;
  if (!_ogg.format(&channels, &rate)) {
    freeAllocatedData();
    return fail(_fileName.c_str(), "no stream information, or more than two channels");
  }
  _buffers.freeChannels();
  if (!_buffers.createChannel(streamDone, this, 0)) {
    freeAllocatedData();
    return fail(_fileName.c_str(), "no sound channel");
  }
  if (!makeSoundHandle((short)channels, rate, 16, kBufferBytes, 0) ||
      !makeSoundHandle((short)channels, rate, 16, kBufferBytes, 1)) {
    freeAllocatedData();
    return fail(_fileName.c_str(), kNoHeader);
  }
  KAudioLock guard;
  _ogg.rewind();
  _buffers.restart();
  fillOggBuffer(0);
  fillOggBuffer(1);
  return true;
}

void KSound::fillOggBuffer(short which) {
  if (!_buffers.channel(0) || !_buffers.buffer(which) || !_ogg.isOpen()) return;
  _buffers.clear(which);
  if (_buffers.ended()) {
    _buffers.setFilled(which, 0);
    return;
  }
  _buffers.setFilled(which, _ogg.fill(_buffers.buffer(which), _buffers.capacity(which), _loop, _buffers.endedFlag()));
}

// A stream or module buffer has been played: the other one starts and this one is refilled.
void KSound::switchBuffers() {
  int finished = _buffers.advance();
  if (finished < 0) {
    _playing = false;
    return;
  }
  if (_kind == KIND_MODULE) fillModBuffer((short)finished);
  else fillOggBuffer((short)finished);
  if (_masterMUSICvolume != _appliedMusicMaster) {
    _appliedMusicMaster = _masterMUSICvolume;
    setVolume(-1);
  }
}

void KSound::streamDone(KAudioChannel *, void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound || !sound->_playing) return;
  sound->switchBuffers();
}

void KSound::moduleDone(KAudioChannel *, void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound) return;
  sound->switchBuffers();
}

void KSound::playStream(bool loop) {
  KAudioLock guard;
  if (!_buffers.channel(0) || _kind != KIND_STREAM || !_ogg.isOpen()) return;
  stopStream();
  // Stored before the first fills, so a stream shorter than two buffers loops too.
  _loop = loop;
  _ogg.rewind();
  _buffers.restart();
  fillOggBuffer(0);
  fillOggBuffer(1);
  _buffers.play(0);
  _nextChannel = 0;
  _playing = _buffers.channel(0)->isBusy();
  setVolume(-1);
}

void KSound::stopStream() {
  KAudioLock guard;
  if (_kind != KIND_STREAM || !_buffers.channel(0)) return;
  _buffers.channel(0)->quiet();
  _buffers.channel(0)->setPaused(false);
  _buffers.clear(0);
  _buffers.clear(1);
  _buffers.empty();
  _playing = false;
  _buffers.setEnded(true);
}

bool KSound::loadModule(const char *file) {
  _fileName = file ? file : "";
  freeAllocatedData();
  _kind = KIND_MODULE;
  if (!file) return fail(file, "no file name");
  if (const char *wrong = _module.load(file)) return fail(file, wrong);
  if (!_buffers.createChannel(moduleDone, this, 0)) {
    freeAllocatedData();
    return fail(file, "no sound channel");
  }
  if (!makeSoundHandle(2, KModulePlayer::kRate, 16, kBufferBytes, 0) ||
      !makeSoundHandle(2, KModulePlayer::kRate, 16, kBufferBytes, 1)) {
    freeAllocatedData();
    return fail(file, "impossible to create sound buffer ( loadModule ) ");
  }
  KAudioLock guard;
  _buffers.restart();
  fillModBuffer(0);
  fillModBuffer(1);
  return true;
}

void KSound::fillModBuffer(short which) {
  if (!_buffers.channel(0) || !_buffers.buffer(which)) return;
  _buffers.clear(which);
  if (_buffers.ended() || !_module.canRender()) {
    _buffers.setFilled(which, 0);
    return;
  }
  long frames = _module.render(_buffers.buffer(which), kModuleFrames, _buffers.endedFlag());
  _buffers.setFilled(which, (uint32_t)frames * 4);
}

void KSound::playModule(bool loop) {
  KAudioLock guard;
  if (!_buffers.channel(0) || _kind != KIND_MODULE || !_module.isLoaded()) return;
  stopModule();
  _module.setLoop(loop);
  _buffers.restart();
  fillModBuffer(0);
  fillModBuffer(1);
  _buffers.play(0);
  _nextChannel = 0;
  _playing = _buffers.channel(0)->isBusy();
  setVolume(-1);
}

void KSound::stopModule() {
  KAudioLock guard;
  if (_kind != KIND_MODULE || !_buffers.channel(0)) return;
  _buffers.channel(0)->quiet();
  _buffers.channel(0)->setPaused(false);
  _buffers.empty();
  _playing = false;
  _module.restartAt(0);
}

void KSound::pauseModule() {
  KAudioLock guard;
  if (_kind != KIND_MODULE || !_buffers.channel(0)) return;
  _buffers.channel(0)->setPaused(true);
  _playing = false;
}

void KSound::continueModule() {
  KAudioLock guard;
  if (_kind != KIND_MODULE || !_buffers.channel(0)) return;
  _buffers.channel(0)->setPaused(false);
  _playing = _buffers.channel(0)->isBusy();
}

void KSound::setModulePosition(int order) {
  KAudioLock guard;
  if (_kind != KIND_MODULE) return;
  _module.restartAt(order);
  _buffers.setEnded(false);
}

void KSound::killModule() {}

bool KSound::modToRaw(char *file, unsigned long maxBytes) {
  KAudioLock guard;
  return _module.toRaw(file, maxBytes);
}
