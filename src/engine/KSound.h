#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class KAudioChannel;
struct OggVorbis_File;
struct DUH;
struct DUH_SIGRENDERER;

// One playable sound: a sample decoded whole from WAV or Ogg Vorbis and played on up to ten
// channels of its own (so it can overlap itself), an Ogg Vorbis stream kept compressed in
// memory and decoded into two 4096-byte buffers refilled from the audio thread, or a tracker
// module (IT, XM, S3M, MOD) rendered by DUMB into the same kind of double buffer.
// Failures come back as results; nothing here throws or ends the process.
class KSound {
public:
  enum { KIND_MODULE = 0, KIND_STREAM = 1, KIND_SAMPLE = 2 };
  static const int kMaxChannels = 10;
  static const int kBufferBytes = 4096;

  KSound();
  ~KSound();
  KSound(const KSound &) = delete;
  KSound &operator=(const KSound &) = delete;

  // A file name containing ".ogg" is decoded as Ogg Vorbis, anything else as WAV.
  bool loadSample(const char *file, int volume, bool loop, short channels);
  bool loadStream(const char *file);
  bool loadStreamFromPtr(char *data, unsigned long size);
  bool loadModule(const char *file);

  void playSample();
  void playSample(long frequency, long volume, long pan, bool loop);
  void stopSample();
  void stopSample(short channel);
  void pauseSample();
  void continueSample();

  void playStream(bool loop);
  void stopStream();

  void playModule(bool loop);
  void stopModule();
  void pauseModule();
  void continueModule();
  void setModulePosition(int order);
  void killModule();
  // Renders the module from its start into a raw file of 16-bit stereo 44100 Hz frames, up to
  // maxBytes when that is above 0, else to the end of the song.
  bool modToRaw(char *file, unsigned long maxBytes);

  // percent -1 reapplies the stored volume; other negatives store 0.
  void setVolume(int percent);
  void setPan(long pan);
  void setLoop(bool loop);
  void setFrequency(long hertz);
  // A negative value leaves that master volume as it is.
  static void setGlobalVolumes(int musicVolume, int effectsVolume);

  bool isPlaying();
  bool pollStream(bool);
  bool isMusicPaused();
  bool initDone() { return true; }
  bool startNotifiers() { return true; }
  const char *getError() { return nullptr; }

  int getVolume() const { return _volume; }
  long getPan() const { return _pan; }
  short getChannelCount() const { return _channelCount; }
  int getKind() const { return _kind; }
  const char *getFileName() const { return _fileName.c_str(); }

  // vorbisfile's data source over the sound's in-memory file.
  static size_t ogg_Read(void *buffer, size_t size, size_t count, void *source);
  static int ogg_Seek(void *source, int64_t offset, int whence);
  static int ogg_Close(void *source);
  static long ogg_Tell(void *source);

  static int _masterSFXvolume;
  static int _masterMUSICvolume;
  static int _instanceCount;

private:
  struct Format {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t rate;
    uint32_t byteRate;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extra;
  };

  void init();
  KAudioChannel *createSoundChannel(unsigned long kind, short index);
  unsigned char *makeSoundHandle(short channels, long rate, long bits, unsigned long bytes, char handleIndex);
  void freeChannel();
  void freeAllocatedData();
  void freeModule();
  bool loadFileToRam(const char *file);
  bool transferFileToRam(char *data, unsigned long size);
  void freeFileInRam();
  unsigned long ParseWavHeader(unsigned char *data, unsigned long size);
  bool loadWavSample(const char *file);
  bool loadOggSample(const char *file);
  bool openStreamDecoder();
  void fillOggBuffer(short which);
  void fillModBuffer(short which);
  void clearSoundBuffer(long which);
  void restartModuleAt(int order);
  bool anyChannelBusy() const;
  void playBuffer(short which);
  void switchBuffers(KAudioChannel *channel);
  bool fail(const char *what, const char *detail);

  static void sampleDone(KAudioChannel *channel, void *user);
  static void streamDone(KAudioChannel *channel, void *user);
  static void moduleDone(KAudioChannel *channel, void *user);
  static int loopFunc(void *user);

  static short flipShort(short v);
  static long flipLong(long v);
  static float flipFloat(float v);

  short _channelCount = 1;
  char _error[256];
  std::string _fileName;
  int _volume = 80;
  uint8_t _kind = KIND_SAMPLE;
  int _nextChannel = 0;
  long _pan = 0;

  DUH *_module = nullptr;
  DUH_SIGRENDERER *_moduleRenderer = nullptr;
  bool _moduleLoop = false;

  Format _ownFormat;
  const Format *_format = nullptr;
  unsigned char *_data = nullptr; // a sample's PCM: header 0
  uint32_t _dataSize = 0;
  const unsigned char *_wavPcm = nullptr;

  OggVorbis_File *_decoder;
  bool _decoderOpen = false;

  KAudioChannel *_channels[kMaxChannels];
  unsigned char *_header[2] = {nullptr, nullptr};
  uint32_t _headerBytes[2] = {0, 0};
  // Bytes of real sound in each stream buffer; 0 once the data has run out.
  uint32_t _bufferFill[2] = {0, 0};
  short _headerChannels = 2;
  short _headerBits = 16;

  int _toggle = 1;
  bool _endMark = false;
  bool _playing = false;
  bool _loop = false;
  long _sampleRate = 0;
  // The master music volume this sound's buffer switches applied last.
  int _appliedMusicMaster = -1;

  size_t _filePos = 0;
  size_t _fileSize = 0;
  unsigned char *_fileData = nullptr;
};
