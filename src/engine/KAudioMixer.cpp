#include "engine/KAudioMixer.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
SDL_AudioDeviceID g_device = 0;
bool g_deviceEnabled = true;
bool g_subsystemUp = false;
KAudioChannel *g_first = nullptr;

const int kChunkFrames = 256;

template <int Bits, int Channels>
inline void fetchFrame(const uint8_t *pcm, uint32_t index, int32_t &left, int32_t &right) {
  if (Bits == 8) {
    const uint8_t *p = pcm + (size_t)index * Channels;
    left = ((int32_t)p[0] - 128) * 256;
    right = Channels == 2 ? ((int32_t)p[1] - 128) * 256 : left;
  } else {
    int16_t s[2];
    std::memcpy(s, pcm + (size_t)index * Channels * 2, Channels * 2);
    left = s[0];
    right = Channels == 2 ? s[1] : left;
  }
}

// Nearest-sample stepping: no interpolation, like the old sampled synthesizer's default.
template <int Bits, int Channels>
int mixRun(const uint8_t *pcm, uint32_t frames, uint64_t &pos, uint64_t step, int volL, int volR,
           int32_t *acc, int count) {
  int i = 0;
  while (i < count) {
    uint32_t index = (uint32_t)(pos >> 32);
    if (index >= frames) break;
    int32_t l, r;
    fetchFrame<Bits, Channels>(pcm, index, l, r);
    acc[2 * i] += l * volL;
    acc[2 * i + 1] += r * volR;
    pos += step;
    ++i;
  }
  return i;
}
} // namespace

KAudioChannel::KAudioChannel(DoneCallback done, void *user) : _done(done), _user(user) {
  updateStep();
  KAudioMixer::attach(this);
}

KAudioChannel::~KAudioChannel() { KAudioMixer::detach(this); }

void KAudioChannel::play(const void *pcm, uint32_t bytes, int channels, int bits, long rate) {
  _busy = false;
  if (!pcm || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate <= 0) return;
  uint32_t frames = bytes / (uint32_t)(channels * bits / 8);
  if (frames == 0) return;
  _pcm = static_cast<const uint8_t *>(pcm);
  _frames = frames;
  _channels = channels;
  _bits = bits;
  _rate = rate;
  _pos = 0;
  updateStep();
  _busy = true;
}

void KAudioChannel::quiet() { _busy = false; }

void KAudioChannel::setVolume(int left, int right) {
  _volLeft = left < 0 ? 0 : (left > 255 ? 255 : left);
  _volRight = right < 0 ? 0 : (right > 255 ? 255 : right);
}

void KAudioChannel::setRateMultiplier(double multiplier) {
  _rateMul = multiplier > 0.0 ? multiplier : 1.0;
  updateStep();
}

void KAudioChannel::setPaused(bool paused) { _paused = paused; }

void KAudioChannel::updateStep() {
  double step = std::ldexp((double)_rate * _rateMul / KAudioMixer::kRate, 32);
  if (step < 1.0) step = 1.0;
  if (step > std::ldexp(1.0, 62)) step = std::ldexp(1.0, 62);
  _step = (uint64_t)step;
}

void KAudioChannel::mixInto(int32_t *acc, int frames) {
  int done = 0;
  while (done < frames && _busy && !_paused) {
    int32_t *at = acc + 2 * done;
    int left = frames - done;
    int n;
    if (_bits == 8)
      n = _channels == 2 ? mixRun<8, 2>(_pcm, _frames, _pos, _step, _volLeft, _volRight, at, left)
                         : mixRun<8, 1>(_pcm, _frames, _pos, _step, _volLeft, _volRight, at, left);
    else
      n = _channels == 2 ? mixRun<16, 2>(_pcm, _frames, _pos, _step, _volLeft, _volRight, at, left)
                         : mixRun<16, 1>(_pcm, _frames, _pos, _step, _volLeft, _volRight, at, left);
    done += n;
    if ((_pos >> 32) >= _frames) {
      // The buffer is over; the owner may queue the next one right here, so a stream's
      // buffers follow each other without a gap.
      _busy = false;
      if (_done) _done(this, _user);
    }
  }
}

bool KAudioMixer::open() {
  if (!g_deviceEnabled) return false;
  if (g_device) return true;
  if (!g_subsystemUp) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fprintf(stderr, "KAudioMixer: no audio: %s\n", SDL_GetError());
      return false;
    }
    g_subsystemUp = true;
  }
  SDL_AudioSpec want, have;
  SDL_zero(want);
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = deviceCallback;
  // SDL converts to whatever the hardware wants, so the mixer always sees this format.
  g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!g_device) {
    std::fprintf(stderr, "KAudioMixer: can't open the audio device: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_subsystemUp = false;
    return false;
  }
  SDL_PauseAudioDevice(g_device, 0);
  return true;
}

void KAudioMixer::close() {
  if (g_device) {
    SDL_CloseAudioDevice(g_device);
    g_device = 0;
  }
  if (g_subsystemUp) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_subsystemUp = false;
  }
}

bool KAudioMixer::isOpen() { return g_device != 0; }

void KAudioMixer::setDeviceEnabled(bool enabled) {
  g_deviceEnabled = enabled;
  if (!enabled) close();
}

void KAudioMixer::lock() {
  if (g_device) SDL_LockAudioDevice(g_device);
}

void KAudioMixer::unlock() {
  if (g_device) SDL_UnlockAudioDevice(g_device);
}

void KAudioMixer::render(int16_t *out, int frames) {
  int32_t acc[2 * kChunkFrames];
  while (frames > 0) {
    int n = frames < kChunkFrames ? frames : kChunkFrames;
    std::memset(acc, 0, sizeof(int32_t) * 2 * n);
    for (KAudioChannel *c = g_first; c; c = c->_next) c->mixInto(acc, n);
    for (int i = 0; i < 2 * n; ++i) {
      int32_t v = acc[i] / 255;
      out[i] = (int16_t)(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
    }
    out += 2 * n;
    frames -= n;
  }
}

void KAudioMixer::mix(int16_t *out, int frames) {
  KAudioLock guard;
  render(out, frames);
}

int KAudioMixer::channelCount() {
  KAudioLock guard;
  int n = 0;
  for (KAudioChannel *c = g_first; c; c = c->_next) ++n;
  return n;
}

void KAudioMixer::attach(KAudioChannel *channel) {
  KAudioLock guard;
  channel->_prev = nullptr;
  channel->_next = g_first;
  if (g_first) g_first->_prev = channel;
  g_first = channel;
}

void KAudioMixer::detach(KAudioChannel *channel) {
  KAudioLock guard;
  if (channel->_prev) channel->_prev->_next = channel->_next;
  else if (g_first == channel) g_first = channel->_next;
  if (channel->_next) channel->_next->_prev = channel->_prev;
  channel->_next = channel->_prev = nullptr;
}

// SDL calls this on its audio thread with the device lock held.
void KAudioMixer::deviceCallback(void *, uint8_t *stream, int len) {
  render(reinterpret_cast<int16_t *>(stream), len / 4);
}
