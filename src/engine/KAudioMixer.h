#pragma once
#include <cstdint>

// One voice of the mixer. It plays one buffer of PCM (8-bit unsigned or 16-bit signed native
// order, mono or stereo, any rate) and, when the buffer has been played, calls its done
// callback from the mixer, which may queue the next buffer on the same channel.
//
// Every call below touches state the audio thread reads: hold a KAudioLock around it (the
// done callback already runs under the lock). Done callbacks must not create or delete
// channels.
class KAudioChannel {
public:
  typedef void (*DoneCallback)(KAudioChannel *channel, void *user);

  KAudioChannel(DoneCallback done, void *user);
  ~KAudioChannel();

  // A buffer of 0 whole frames is not started.
  void play(const void *pcm, uint32_t bytes, int channels, int bits, long rate);
  // Stops at once, without calling the done callback.
  void quiet();
  void setVolume(int left, int right);
  void setRateMultiplier(double multiplier);
  void setPaused(bool paused);

  bool isBusy() const { return _busy; }
  bool isPaused() const { return _paused; }
  int getLeftVolume() const { return _volLeft; }
  int getRightVolume() const { return _volRight; }
  double getRateMultiplier() const { return _rateMul; }

private:
  friend class KAudioMixer;
  void updateStep();
  // Adds up to frames frames into acc (stereo pairs scaled by 0..255).
  void mixInto(int32_t *acc, int frames);

  KAudioChannel *_next = nullptr;
  KAudioChannel *_prev = nullptr;
  DoneCallback _done;
  void *_user;

  const uint8_t *_pcm = nullptr;
  uint32_t _frames = 0;
  int _channels = 1;
  int _bits = 16;
  long _rate = 44100;
  uint64_t _pos = 0;  // 32.32 fixed-point frame position
  uint64_t _step = 0; // 32.32 frames per output frame
  double _rateMul = 1.0;
  int _volLeft = 255;
  int _volRight = 255;
  bool _busy = false;
  bool _paused = false;
};

// The one audio device and the mix of every live channel into it. Output is 44100 Hz,
// stereo, signed 16-bit. Without a device (none available, or turned off for tests) the
// channels still work and render/mix produce the output a device would have pulled.
class KAudioMixer {
public:
  static const int kRate = 44100;

  // Opens the device and starts pulling; true when it runs. Refuses while the device is off.
  static bool open();
  static void close();
  static bool isOpen();
  // Tests turn the device off so that they alone pull the mix.
  static void setDeviceEnabled(bool enabled);

  static void lock();
  static void unlock();

  // Mixes frames stereo frames into out. render expects the lock to be held (or no device);
  // mix takes it.
  static void render(int16_t *out, int frames);
  static void mix(int16_t *out, int frames);

  static int channelCount();

private:
  friend class KAudioChannel;
  static void attach(KAudioChannel *channel);
  static void detach(KAudioChannel *channel);
  static void deviceCallback(void *userdata, uint8_t *stream, int len);
};

// Holds the audio device's lock for one scope. The lock is recursive, so nested scopes and
// callbacks calling back into locked operations are fine.
class KAudioLock {
public:
  KAudioLock() { KAudioMixer::lock(); }
  ~KAudioLock() { KAudioMixer::unlock(); }
  KAudioLock(const KAudioLock &) = delete;
  KAudioLock &operator=(const KAudioLock &) = delete;
};
