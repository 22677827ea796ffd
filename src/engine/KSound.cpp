#include "engine/KSound.h"

#include "engine/KAudioMixer.h"
#include "engine/KMiscTools.h"

#include <dumb.h>
#include <vorbis/vorbisfile.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

static_assert(std::is_same<ogg_int64_t, int64_t>::value, "ogg_Seek's offset must match vorbisfile's");

int KSound::_masterSFXvolume = 100;
int KSound::_masterMUSICvolume = 100;
int KSound::_instanceCount = 0;

namespace {
const int kHostBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
const float kModuleDelta = 65536.0f / 44100.0f;
const int kModuleFrames = KSound::kBufferBytes / 4;

ov_callbacks oggCallbacks() {
  ov_callbacks cb;
  cb.read_func = KSound::ogg_Read;
  cb.seek_func = KSound::ogg_Seek;
  cb.close_func = KSound::ogg_Close;
  cb.tell_func = KSound::ogg_Tell;
  return cb;
}

uint16_t le16(const unsigned char *p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t le32(const unsigned char *p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

int clampInt(long v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : (int)v); }
} // namespace

KSound::KSound() {
  _error[0] = 0;
  std::memset(&_ownFormat, 0, sizeof(_ownFormat));
  _format = &_ownFormat;
  _decoder = new OggVorbis_File;
  std::memset(_decoder, 0, sizeof(OggVorbis_File));
  for (int i = 0; i < kMaxChannels; ++i) _channels[i] = nullptr;
  if (_instanceCount++ == 0) init();
}

KSound::~KSound() {
  {
    KAudioLock guard;
    _playing = false;
    _endMark = false;
    freeChannel();
  }
  freeAllocatedData();
  for (int i = 0; i < 2; ++i) {
    delete[] _header[i];
    _header[i] = nullptr;
  }
  _data = nullptr;
  delete _decoder;
  if (--_instanceCount == 0) {
    dumb_exit();
    KAudioMixer::close();
  }
}

void KSound::init() {
  dumb_register_stdfiles();
  dumb_it_max_to_mix = 64;
  KAudioMixer::open();
}

bool KSound::fail(const char *what, const char *detail) {
  std::fprintf(stderr, "KSound: can't load %s: %s\n", what && what[0] ? what : "(memory)", detail);
  return false;
}

KAudioChannel *KSound::createSoundChannel(unsigned long kind, short index) {
  if (index < 0 || index >= kMaxChannels) return nullptr;
  KAudioChannel::DoneCallback done = kind == KIND_MODULE ? moduleDone : (kind == KIND_STREAM ? streamDone : sampleDone);
  KAudioChannel *channel = new (std::nothrow) KAudioChannel(done, this);
  if (!channel) return nullptr;
  KAudioLock guard;
  delete _channels[index];
  _channels[index] = channel;
  return channel;
}

unsigned char *KSound::makeSoundHandle(short channels, long rate, long bits, unsigned long bytes, char handleIndex) {
  int slot = handleIndex ? 1 : 0;
  KAudioLock guard;
  delete[] _header[slot];
  _header[slot] = nullptr;
  _headerBytes[slot] = 0;
  if (slot == 0) _data = nullptr;
  if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate <= 0 || bytes == 0 ||
      bytes > 0xFFFFFFFFul) {
    std::snprintf(_error, sizeof(_error), "can't create sound header ( makeSoundHandle ) ");
    return nullptr;
  }
  _header[slot] = new (std::nothrow) unsigned char[bytes];
  if (!_header[slot]) {
    std::snprintf(_error, sizeof(_error), "can't create sound header ( makeSoundHandle ) ");
    return nullptr;
  }
  std::memset(_header[slot], 0, bytes);
  _headerBytes[slot] = (uint32_t)bytes;
  _headerChannels = channels;
  _headerBits = (short)bits;
  _sampleRate = rate;
  return _header[slot];
}

void KSound::freeChannel() {
  KAudioLock guard;
  for (int i = 0; i < kMaxChannels; ++i) {
    delete _channels[i];
    _channels[i] = nullptr;
  }
}

void KSound::freeModule() {
  if (_moduleRenderer) duh_end_sigrenderer(_moduleRenderer);
  _moduleRenderer = nullptr;
  if (_module) unload_duh(_module);
  _module = nullptr;
}

// Closing the channels first means no callback can reach the decoder or module afterwards.
void KSound::freeAllocatedData() {
  freeChannel();
  KAudioLock guard;
  if (_decoderOpen) {
    ov_clear(_decoder);
    _decoderOpen = false;
  }
  freeFileInRam();
  freeModule();
  _bufferFill[0] = _bufferFill[1] = 0;
  _playing = false;
}

void KSound::freeFileInRam() {
  delete[] _fileData;
  _fileData = nullptr;
  _fileSize = 0;
  _filePos = 0;
}

bool KSound::loadFileToRam(const char *file) {
  freeFileInRam();
  if (!file) return false;
  FILE *f = std::fopen(file, "rb");
  if (!f) return false;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  if (size <= 0 || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    return false;
  }
  _fileData = new (std::nothrow) unsigned char[(size_t)size];
  bool ok = _fileData && std::fread(_fileData, 1, (size_t)size, f) == (size_t)size;
  std::fclose(f);
  if (!ok) {
    freeFileInRam();
    return false;
  }
  _fileSize = (size_t)size;
  _filePos = 0;
  return true;
}

bool KSound::transferFileToRam(char *data, unsigned long size) {
  freeFileInRam();
  if (!data || size == 0) return false;
  _fileData = new (std::nothrow) unsigned char[size + 1024];
  if (!_fileData) return false;
  std::memcpy(_fileData, data, size);
  std::memset(_fileData + size, 0, 1024);
  _fileSize = size;
  _filePos = 0;
  return true;
}

// Every read stays inside [data, data + size): a tag too close to the end is no tag, a "fmt "
// body cut short fails, and a "data" chunk longer than the file is cut to what is there.
unsigned long KSound::ParseWavHeader(unsigned char *data, unsigned long size) {
  _wavPcm = nullptr;
  unsigned long dataSize = 0;
  if (!data) return 0;
  for (unsigned long i = 0; i + 8 <= size; ++i) {
    if (std::memcmp(data + i, "data", 4) == 0) {
      dataSize = le32(data + i + 4);
      unsigned long present = size - (i + 8);
      if (dataSize > present) {
        std::fprintf(stderr, "KSound: %s: \"data\" chunk cut short, %lu of %lu bytes present\n", _fileName.c_str(),
                     present, dataSize);
        dataSize = present;
      }
      _wavPcm = data + i + 8;
      break;
    }
  }
  bool haveFormat = false;
  for (unsigned long i = 0; i + 4 <= size; ++i) {
    if (std::memcmp(data + i, "fmt ", 4) == 0) {
      if (i + 8 + 16 > size) return 0;
      const unsigned char *body = data + i + 8;
      _ownFormat.formatTag = le16(body);
      _ownFormat.channels = le16(body + 2);
      _ownFormat.rate = le32(body + 4);
      _ownFormat.byteRate = le32(body + 8);
      _ownFormat.blockAlign = le16(body + 12);
      _ownFormat.bitsPerSample = le16(body + 14);
      _ownFormat.extra = i + 8 + 18 <= size ? le16(body + 16) : 0;
      haveFormat = true;
      break;
    }
  }
  if (!haveFormat || !_wavPcm) return 0;
  _format = &_ownFormat;
  if (kHostBigEndian && _ownFormat.bitsPerSample != 8) {
    unsigned char *pcm = data + (_wavPcm - data);
    for (unsigned long i = 0; i + 1 < dataSize; i += 2) std::swap(pcm[i], pcm[i + 1]);
  }
  return dataSize;
}

bool KSound::loadSample(const char *file, int volume, bool loop, short channels) {
  _fileName = file ? file : "";
  {
    KAudioLock guard;
    freeAllocatedData();
    _channelCount = channels < 1 ? 1 : (channels > kMaxChannels ? kMaxChannels : channels);
    _nextChannel = 0;
    _kind = KIND_SAMPLE;
    delete[] _header[0];
    _header[0] = nullptr;
    _headerBytes[0] = 0;
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
  if (!loadFileToRam(file)) return fail(file, "the file can't be read or is empty");
  unsigned long bytes = ParseWavHeader(_fileData, (unsigned long)_fileSize);
  if (bytes == 0) {
    freeFileInRam();
    return fail(file, "not a WAV file with a \"fmt \" chunk and sound in a \"data\" chunk");
  }
  const Format &f = _ownFormat;
  if ((f.formatTag != 1 && f.formatTag != 0xFFFE) || (f.channels != 1 && f.channels != 2) ||
      (f.bitsPerSample != 8 && f.bitsPerSample != 16) || f.rate == 0 || f.rate > 768000) {
    freeFileInRam();
    return fail(file, "only 8- or 16-bit PCM in one or two channels can be played");
  }
  unsigned long frame = (unsigned long)f.channels * f.bitsPerSample / 8;
  bytes -= bytes % frame;
  if (bytes == 0) {
    freeFileInRam();
    return fail(file, "the \"data\" chunk holds no whole frame");
  }
  unsigned char *pcm = makeSoundHandle((short)f.channels, (long)f.rate, f.bitsPerSample, bytes, 0);
  if (!pcm) {
    freeFileInRam();
    return fail(file, _error);
  }
  for (short i = 0; i < _channelCount; ++i) {
    if (!createSoundChannel(KIND_SAMPLE, i)) {
      freeAllocatedData();
      return fail(file, "no sound channel");
    }
  }
  std::memcpy(pcm, _wavPcm, bytes);
  _wavPcm = nullptr;
  _data = pcm;
  _dataSize = (uint32_t)bytes;
  freeFileInRam();
  return true;
}

bool KSound::loadOggSample(const char *file) {
  if (!loadFileToRam(file)) return fail(file, "the file can't be read or is empty");
  if (ov_open_callbacks(this, _decoder, nullptr, 0, oggCallbacks()) < 0) {
    freeFileInRam();
    return fail(file, "not an Ogg Vorbis file");
  }
  _decoderOpen = true;
  vorbis_info *info = ov_info(_decoder, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0) {
    freeAllocatedData();
    return fail(file, "only Ogg Vorbis in one or two channels can be played");
  }
  int channels = info->channels;
  long rate = info->rate;

  std::vector<unsigned char> pcm;
  char scratch[kBufferBytes];
  int section = 0;
  int holes = 0;
  for (;;) {
    long n = ov_read(_decoder, scratch, sizeof(scratch), kHostBigEndian, 2, 1, &section);
    if (n == OV_HOLE && ++holes < 1000) continue;
    if (n <= 0) break;
    if (pcm.size() + (size_t)n > 0x7FFFFFFFu) break;
    pcm.insert(pcm.end(), scratch, scratch + n);
  }
  ov_clear(_decoder);
  _decoderOpen = false;
  freeFileInRam();
  unsigned long bytes = pcm.size() - pcm.size() % (size_t)(channels * 2);
  if (bytes == 0) return fail(file, "the Ogg Vorbis file decodes to nothing");

  _ownFormat.formatTag = 1;
  _ownFormat.channels = (uint16_t)channels;
  _ownFormat.rate = (uint32_t)rate;
  _ownFormat.byteRate = (uint32_t)(rate * channels * 2);
  _ownFormat.blockAlign = (uint16_t)(channels * 2);
  _ownFormat.bitsPerSample = 16;
  _ownFormat.extra = 20;
  _format = &_ownFormat;

  freeChannel();
  for (short i = 0; i < _channelCount; ++i) {
    if (!createSoundChannel(KIND_SAMPLE, i)) {
      freeAllocatedData();
      return fail(file, "no sound channel");
    }
  }
  unsigned char *out = makeSoundHandle((short)channels, rate, 16, bytes, 0);
  if (!out) {
    freeAllocatedData();
    return fail(file, _error);
  }
  std::memcpy(out, pcm.data(), bytes);
  _data = out;
  _dataSize = (uint32_t)bytes;
  return true;
}

bool KSound::anyChannelBusy() const {
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i] && _channels[i]->isBusy()) return true;
  return false;
}

void KSound::playSample() {
  KAudioLock guard;
  if (!_channels[0] || _kind != KIND_SAMPLE || !_data) return;
  if (_nextChannel < 0 || _nextChannel >= _channelCount || !_channels[_nextChannel]) _nextChannel = 0;
  stopSample((short)_nextChannel);
  _channels[_nextChannel]->play(_data, _dataSize, _format->channels, _format->bitsPerSample, (long)_format->rate);
  _playing = true;
  _nextChannel = (_nextChannel + 1) % _channelCount;
  setVolume(-1);
}

void KSound::playSample(long frequency, long volume, long pan, bool loop) {
  KAudioLock guard;
  if (!_channels[0] || _kind != KIND_SAMPLE) return;
  stopSample();
  _volume = volume > INT_MAX ? INT_MAX : (volume < INT_MIN ? INT_MIN : (int)volume);
  setFrequency(frequency);
  _loop = loop;
  if (_nextChannel >= 0 && _nextChannel < kMaxChannels && _channels[_nextChannel])
    _pan = clampInt(pan, -100, 100);
  playSample();
}

void KSound::sampleDone(KAudioChannel *channel, void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound) return;
  if (sound->_playing && sound->_loop && sound->_data) {
    channel->play(sound->_data, sound->_dataSize, sound->_format->channels, sound->_format->bitsPerSample,
                  (long)sound->_format->rate);
    return;
  }
  // Other copies of the sample may still sound on its other channels.
  sound->_playing = sound->anyChannelBusy();
}

void KSound::stopSample() {
  KAudioLock guard;
  if (_kind != KIND_SAMPLE || !_channels[0]) return;
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i]) _channels[i]->quiet();
  _playing = false;
}

void KSound::stopSample(short channel) {
  KAudioLock guard;
  if (_kind != KIND_SAMPLE || channel < 0 || channel >= kMaxChannels || !_channels[channel]) return;
  _channels[channel]->quiet();
  _playing = anyChannelBusy();
}

void KSound::pauseSample() {
  KAudioLock guard;
  if (_kind != KIND_SAMPLE) return;
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i]) _channels[i]->setVolume(0, 0);
}

void KSound::continueSample() { setVolume(-1); }

void KSound::setLoop(bool loop) {
  KAudioLock guard;
  if (_kind == KIND_SAMPLE && _data) _loop = loop;
}

void KSound::setFrequency(long hertz) {
  KAudioLock guard;
  if (_nextChannel < 0 || _nextChannel >= kMaxChannels || !_channels[_nextChannel]) return;
  // The rate multiplier is a 16.16 fixed value, relative to 22050 Hz.
  double fixed = hertz < 1 ? 65536.0 : (double)(long long)((double)hertz * 65536.0 / 22050.0);
  _channels[_nextChannel]->setRateMultiplier(fixed / 65536.0);
}

void KSound::setVolume(int percent) {
  KAudioLock guard;
  if (percent >= 0) _volume = percent;
  else if (percent != -1) _volume = 0;
  long level = clampInt((long)_volume * 255 / 100, 0, 255);
  if (!_channels[0] || !_playing) return;
  int master = _kind == KIND_SAMPLE ? _masterSFXvolume : _masterMUSICvolume;
  level = clampInt(level * master / 100, 0, 255);
  long left = level, right = level;
  if (_pan < 0) right = level * (_pan + 100) / 100;
  else if (_pan > 0) left = level * (100 - _pan) / 100;
  for (int i = 0; i < kMaxChannels; ++i)
    if (_channels[i]) _channels[i]->setVolume((int)left, (int)right);
}

void KSound::setPan(long pan) {
  KAudioLock guard;
  if (_nextChannel < 0 || _nextChannel >= kMaxChannels || !_channels[_nextChannel]) return;
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
  if (!_channels[0]) return false;
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
  if (!sound) return (size_t)-1;
  if (sound->_filePos >= sound->_fileSize) return 0;
  size_t wanted = size * count;
  if ((long)wanted < 0) return (size_t)-1;
  size_t left = sound->_fileSize - sound->_filePos;
  size_t n = wanted < left ? wanted : left;
  std::memcpy(buffer, sound->_fileData + sound->_filePos, n);
  sound->_filePos += n;
  return n;
}

int KSound::ogg_Seek(void *source, int64_t offset, int whence) {
  KSound *sound = static_cast<KSound *>(source);
  if (!sound) return -1;
  int64_t position;
  switch (whence) {
  case SEEK_SET: position = offset; break;
  case SEEK_CUR: position = (int64_t)sound->_filePos + offset; break;
  case SEEK_END: position = (int64_t)sound->_fileSize + offset; break;
  default: return 0;
  }
  if (position < 0) position = 0;
  if ((uint64_t)position >= sound->_fileSize) position = (int64_t)sound->_fileSize;
  sound->_filePos = (size_t)position;
  return 0;
}

// The in-memory file belongs to the sound, not to the decoder.
int KSound::ogg_Close(void *) { return -1; }

long KSound::ogg_Tell(void *source) {
  KSound *sound = static_cast<KSound *>(source);
  if (!sound) return -1;
  return (long)sound->_filePos;
}

bool KSound::loadStream(const char *file) {
  _fileName = file ? file : "";
  // Channels first: once they are closed no callback can see the sound change kind.
  freeAllocatedData();
  _kind = KIND_STREAM;
  if (!loadFileToRam(file)) return fail(file, "the file can't be read or is empty");
  return openStreamDecoder();
}

bool KSound::loadStreamFromPtr(char *data, unsigned long size) {
  freeAllocatedData();
  _kind = KIND_STREAM;
  if (!transferFileToRam(data, size)) return fail(_fileName.c_str(), "no data");
  return openStreamDecoder();
}

bool KSound::openStreamDecoder() {
  if (ov_open_callbacks(this, _decoder, nullptr, 0, oggCallbacks()) < 0) {
    freeFileInRam();
    return fail(_fileName.c_str(), "not an Ogg Vorbis stream");
  }
  _decoderOpen = true;
  vorbis_info *info = ov_info(_decoder, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0) {
    freeAllocatedData();
    return fail(_fileName.c_str(), "no stream information, or more than two channels");
  }
  _ownFormat.formatTag = 1;
  _ownFormat.channels = (uint16_t)info->channels;
  _ownFormat.rate = (uint32_t)info->rate;
  _ownFormat.byteRate = (uint32_t)(info->rate * info->channels * 2);
  _ownFormat.blockAlign = (uint16_t)(info->channels * 2);
  _ownFormat.bitsPerSample = 16;
  _ownFormat.extra = 20;
  _format = &_ownFormat;

  freeChannel();
  if (!createSoundChannel(KIND_STREAM, 0)) {
    freeAllocatedData();
    return fail(_fileName.c_str(), "no sound channel");
  }
  if (!makeSoundHandle((short)info->channels, info->rate, 16, kBufferBytes, 0) ||
      !makeSoundHandle((short)info->channels, info->rate, 16, kBufferBytes, 1)) {
    freeAllocatedData();
    return fail(_fileName.c_str(), _error);
  }
  KAudioLock guard;
  ov_time_seek(_decoder, 0.0);
  _toggle = 0;
  _endMark = false;
  fillOggBuffer(0);
  fillOggBuffer(1);
  return true;
}

void KSound::clearSoundBuffer(long which) {
  int slot = which ? 1 : 0;
  if (_header[slot]) std::memset(_header[slot], 0, _headerBytes[slot]);
}

void KSound::fillOggBuffer(short which) {
  int slot = which ? 1 : 0;
  if (!_channels[0] || !_header[slot] || !_decoderOpen) return;
  clearSoundBuffer(slot);
  if (_endMark) {
    _bufferFill[slot] = 0;
    return;
  }
  uint32_t size = _headerBytes[slot];
  uint32_t filled = 0;
  int section = 0;
  while (filled < size) {
    long n = ov_read(_decoder, (char *)_header[slot] + filled, (int)(size - filled), kHostBigEndian, 2, 1, &section);
    if (n < 0) {
      // A decoding error costs one silent buffer; playback goes on.
      clearSoundBuffer(slot);
      filled = size;
      break;
    }
    if (n == 0) {
      if (_loop) {
        ov_time_seek(_decoder, 0.0);
        filled = size; // the rest of this buffer stays silent
      } else {
        _endMark = true;
      }
      break;
    }
    filled += (uint32_t)n;
  }
  _bufferFill[slot] = filled;
}

void KSound::playBuffer(short which) {
  int slot = which ? 1 : 0;
  if (_channels[0] && _header[slot])
    _channels[0]->play(_header[slot], _bufferFill[slot], _headerChannels, _headerBits, _sampleRate);
}

// A stream or module buffer has been played: start the other one and refill this one. When
// the data ran out, the other buffer holds the tail (possibly a part buffer) and plays in
// full; the sound ends after it.
void KSound::switchBuffers(KAudioChannel *) {
  int finished = _toggle ? 1 : 0;
  int next = 1 - finished;
  if (_bufferFill[next] == 0) {
    _playing = false;
    return;
  }
  _toggle = next;
  playBuffer((short)next);
  if (_kind == KIND_MODULE) fillModBuffer((short)finished);
  else fillOggBuffer((short)finished);
  if (_masterMUSICvolume != _appliedMusicMaster) {
    _appliedMusicMaster = _masterMUSICvolume;
    setVolume(-1);
  }
}

void KSound::streamDone(KAudioChannel *channel, void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound || !sound->_playing) return;
  sound->switchBuffers(channel);
}

void KSound::moduleDone(KAudioChannel *channel, void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound) return;
  sound->switchBuffers(channel);
}

void KSound::playStream(bool loop) {
  KAudioLock guard;
  if (!_channels[0] || _kind != KIND_STREAM || !_decoderOpen) return;
  stopStream();
  // Stored before the first fills, so a stream shorter than two buffers loops too.
  _loop = loop;
  ov_time_seek(_decoder, 0.0);
  _toggle = 0;
  _endMark = false;
  fillOggBuffer(0);
  fillOggBuffer(1);
  playBuffer(0);
  _nextChannel = 0;
  _playing = _channels[0]->isBusy();
  setVolume(-1);
}

void KSound::stopStream() {
  KAudioLock guard;
  if (_kind != KIND_STREAM || !_channels[0]) return;
  _channels[0]->quiet();
  _channels[0]->setPaused(false);
  clearSoundBuffer(0);
  clearSoundBuffer(1);
  _bufferFill[0] = _bufferFill[1] = 0;
  _playing = false;
  _endMark = true;
}

bool KSound::loadModule(const char *file) {
  _fileName = file ? file : "";
  freeAllocatedData();
  _kind = KIND_MODULE;
  _toggle = 0;
  if (!file) return fail(file, "no file name");
  DUH *duh = dumb_load_it(file);
  if (!duh) duh = dumb_load_xm(file);
  if (!duh) duh = dumb_load_s3m(file);
  if (!duh) duh = dumb_load_mod(file);
  if (!duh) return fail(file, "not an IT, XM, S3M or MOD module");
  _module = duh;
  _moduleRenderer = duh_start_sigrenderer(duh, 0, 2, 0);
  if (!_moduleRenderer) {
    freeModule();
    return fail(file, "the module can't be rendered");
  }
  dumb_it_set_loop_callback(duh_get_it_sigrenderer(_moduleRenderer), loopFunc, this);

  _ownFormat.formatTag = 1;
  _ownFormat.channels = 2;
  _ownFormat.rate = 44100;
  _ownFormat.byteRate = 176400;
  _ownFormat.blockAlign = 4;
  _ownFormat.bitsPerSample = 16;
  _ownFormat.extra = 20;
  _format = &_ownFormat;

  if (!createSoundChannel(KIND_MODULE, 0)) {
    freeAllocatedData();
    return fail(file, "no sound channel");
  }
  if (!makeSoundHandle(2, 44100, 16, kBufferBytes, 0) || !makeSoundHandle(2, 44100, 16, kBufferBytes, 1)) {
    std::snprintf(_error, sizeof(_error), "impossible to create sound buffer ( loadModule ) ");
    freeAllocatedData();
    return fail(file, _error);
  }
  KAudioLock guard;
  _endMark = false;
  fillModBuffer(0);
  fillModBuffer(1);
  return true;
}

void KSound::fillModBuffer(short which) {
  int slot = which ? 1 : 0;
  if (!_channels[0] || !_header[slot]) return;
  clearSoundBuffer(slot);
  if (_endMark || !_moduleRenderer) {
    _bufferFill[slot] = 0;
    return;
  }
  long n = duh_render(_moduleRenderer, 16, 0, 1.0f, kModuleDelta, kModuleFrames, _header[slot]);
  if (n < 0) n = 0;
  // A short render means the song ended and was not allowed to loop.
  if (n < kModuleFrames) _endMark = true;
  _bufferFill[slot] = (uint32_t)n * 4;
}

int KSound::loopFunc(void *user) {
  KSound *sound = static_cast<KSound *>(user);
  if (!sound || sound->_moduleLoop) return 0;
  sound->_endMark = true;
  return 1;
}

void KSound::restartModuleAt(int order) {
  if (!_module) return;
  DUMB_IT_SIGDATA *data = duh_get_it_sigdata(_module);
  int orders = data ? dumb_it_sd_get_n_orders(data) : 0;
  if (order < 0 || order >= orders) order = 0;
  if (_moduleRenderer) duh_end_sigrenderer(_moduleRenderer);
  _moduleRenderer = dumb_it_start_at_order(_module, 2, order);
  if (_moduleRenderer) dumb_it_set_loop_callback(duh_get_it_sigrenderer(_moduleRenderer), loopFunc, this);
}

void KSound::playModule(bool loop) {
  KAudioLock guard;
  if (!_channels[0] || _kind != KIND_MODULE || !_module) return;
  stopModule();
  _moduleLoop = loop;
  _endMark = false;
  _toggle = 0;
  fillModBuffer(0);
  fillModBuffer(1);
  playBuffer(0);
  _nextChannel = 0;
  _playing = _channels[0]->isBusy();
  setVolume(-1);
}

void KSound::stopModule() {
  KAudioLock guard;
  if (_kind != KIND_MODULE || !_channels[0]) return;
  _channels[0]->quiet();
  _channels[0]->setPaused(false);
  _bufferFill[0] = _bufferFill[1] = 0;
  _playing = false;
  restartModuleAt(0);
}

void KSound::pauseModule() {
  KAudioLock guard;
  if (_kind != KIND_MODULE || !_channels[0]) return;
  _channels[0]->setPaused(true);
  _playing = false;
}

void KSound::continueModule() {
  KAudioLock guard;
  if (_kind != KIND_MODULE || !_channels[0]) return;
  _channels[0]->setPaused(false);
  _playing = _channels[0]->isBusy();
}

void KSound::setModulePosition(int order) {
  KAudioLock guard;
  if (_kind != KIND_MODULE) return;
  restartModuleAt(order);
  _endMark = false;
}

void KSound::killModule() {}

bool KSound::modToRaw(char *file, unsigned long maxBytes) {
  KAudioLock guard;
  if (!_module || !file) return false;
  FILE *out = std::fopen(file, "wb");
  if (!out) return false;
  // A renderer of its own, told to end at the song's end: the playing one is left alone and a
  // song that loops forever still gives a finite file.
  DUH_SIGRENDERER *renderer = dumb_it_start_at_order(_module, 2, 0);
  if (!renderer) {
    std::fclose(out);
    return false;
  }
  dumb_it_set_loop_callback(duh_get_it_sigrenderer(renderer), dumb_it_callback_terminate, nullptr);
  unsigned long limit = maxBytes > 0 ? maxBytes / 4 : ULONG_MAX;
  unsigned long frames = 0;
  int16_t buffer[kModuleFrames * 2];
  bool ok = true;
  while (frames < limit) {
    long want = limit - frames < (unsigned long)kModuleFrames ? (long)(limit - frames) : kModuleFrames;
    long n = duh_render(renderer, 16, 0, 1.0f, kModuleDelta, want, buffer);
    if (n <= 0) break;
    if (std::fwrite(buffer, 4, (size_t)n, out) != (size_t)n) {
      ok = false;
      break;
    }
    frames += (unsigned long)n;
    if (n < want) break;
  }
  duh_end_sigrenderer(renderer);
  if (std::fclose(out) != 0) ok = false;
  return ok;
}

short KSound::flipShort(short v) { return KMiscTools::flipShort(v); }
long KSound::flipLong(long v) { return KMiscTools::flipLong(v); }
float KSound::flipFloat(float v) { return KMiscTools::flipFloat(v); }
