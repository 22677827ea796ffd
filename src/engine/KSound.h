#pragma once
#include "engine/KModulePlayer.h"
#include "engine/KOggDecoder.h"
#include "engine/KSoundBuffers.h"

#include <cstddef>
#include <cstdint>
#include <string>

class KAudioChannel;

// One playable sound: a sample decoded whole from WAV or Ogg Vorbis and played on up to ten
// channels of its own (so it can overlap itself), an Ogg Vorbis stream kept compressed in
// memory and decoded into two 4096-byte buffers refilled from the audio thread, or a tracker
// module (IT, XM, S3M, MOD) rendered by DUMB into the same kind of double buffer.
// Failures come back as results; nothing here throws or ends the process. The decoders, the
// module player and the buffers do the work; this class keeps the sound's kind and volume.
class KSound {
public:
  enum { KIND_MODULE = 0, KIND_STREAM = 1, KIND_SAMPLE = 2 };
  static const int kMaxChannels = KSoundBuffers::kMaxChannels;
  static const int kBufferBytes = 4096;

  KSound();
  ~KSound();
  KSound(const KSound &) = delete;
  KSound &operator=(const KSound &) = delete;

  // Whether the file is there and its header is one this class plays, reading only the file's
  // start (cheap enough for every sound at start-up): nullptr, or what is wrong. A name containing
  // ".ogg" is Ogg Vorbis, anything else WAV, as loadSample reads them.
  static const char *checkFile(const char *file);

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

  // The sound's in-memory Ogg Vorbis file read like a file; source is the KSound.
  static size_t ogg_Read(void *buffer, size_t size, size_t count, void *source);
  static int ogg_Seek(void *source, int64_t offset, int whence);
  static int ogg_Close(void *source);
  static long ogg_Tell(void *source);

  static int _masterSFXvolume;
  static int _masterMUSICvolume;
  static int _instanceCount;

private:
  void init();
  unsigned char *makeSoundHandle(short channels, long rate, long bits, unsigned long bytes, char handleIndex);
  void freeAllocatedData();
  bool loadWavSample(const char *file);
  bool loadOggSample(const char *file);
  // Takes a copy of decoded PCM as the sample, with a channel for each copy that may overlap.
  bool keepSample(const char *file, const unsigned char *pcm, unsigned long bytes, uint16_t channels, uint16_t bits,
                  uint32_t rate);
  bool openStreamDecoder();
  void fillOggBuffer(short which);
  void fillModBuffer(short which);
  void switchBuffers();
  bool fail(const char *what, const char *detail);

  static void sampleDone(KAudioChannel *channel, void *user);
  static void streamDone(KAudioChannel *channel, void *user);
  static void moduleDone(KAudioChannel *channel, void *user);

  short _channelCount = 1;
  std::string _fileName;
  int _volume = 80;
  uint8_t _kind = KIND_SAMPLE;
  int _nextChannel = 0;
  long _pan = 0;

  KModulePlayer _module;
  KOggDecoder _ogg;
  KSoundBuffers _buffers;

  // A sample's PCM (in buffer 0) and its shape.
  unsigned char *_data = nullptr;
  uint32_t _dataSize = 0;
  uint16_t _dataChannels = 0;
  uint16_t _dataBits = 0;
  uint32_t _dataRate = 0;

  bool _playing = false;
  bool _loop = false;
  // The master music volume this sound's buffer switches applied last.
  int _appliedMusicMaster = -1;
};
