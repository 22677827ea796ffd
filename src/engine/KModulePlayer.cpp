#include "engine/KModulePlayer.h"

#include <dumb.h>

#include <climits>
#include <cstdint>
#include <cstdio>

namespace {
const float kDelta = 65536.0f / KModulePlayer::kRate;
const int kRawFrames = 1024;
} // namespace

void KModulePlayer::startLibrary() {
  dumb_register_stdfiles();
  dumb_it_max_to_mix = 64;
}

void KModulePlayer::stopLibrary() { dumb_exit(); }

void KModulePlayer::unload() {
  if (_renderer) duh_end_sigrenderer(_renderer);
  _renderer = nullptr;
  if (_module) unload_duh(_module);
  _module = nullptr;
}

const char *KModulePlayer::load(const char *file) {
  unload();
  DUH *duh = dumb_load_it(file);
  if (!duh) duh = dumb_load_xm(file);
  if (!duh) duh = dumb_load_s3m(file);
  if (!duh) duh = dumb_load_mod(file);
  if (!duh) return "not an IT, XM, S3M or MOD module";
  _module = duh;
  _renderer = duh_start_sigrenderer(duh, 0, 2, 0);
  if (!_renderer) {
    unload();
    return "the module can't be rendered";
  }
  dumb_it_set_loop_callback(duh_get_it_sigrenderer(_renderer), loopReached, this);
  return nullptr;
}

int KModulePlayer::loopReached(void *user) {
  KModulePlayer *player = static_cast<KModulePlayer *>(user);
  if (!player || player->_loop) return 0;
  player->_ended = true;
  return 1;
}

void KModulePlayer::restartAt(int order) {
  if (!_module) return;
  DUMB_IT_SIGDATA *data = duh_get_it_sigdata(_module);
  int orders = data ? dumb_it_sd_get_n_orders(data) : 0;
  if (order < 0 || order >= orders) order = 0;
  if (_renderer) duh_end_sigrenderer(_renderer);
  _renderer = dumb_it_start_at_order(_module, 2, order);
  if (_renderer) dumb_it_set_loop_callback(duh_get_it_sigrenderer(_renderer), loopReached, this);
}

long KModulePlayer::render(void *pcm, long frames, bool *ended) {
  _ended = false;
  long n = _renderer ? duh_render(_renderer, 16, 0, 1.0f, kDelta, frames, pcm) : 0;
  if (n < 0) n = 0;
  if (_ended || n < frames) *ended = true;
  return n;
}

bool KModulePlayer::toRaw(const char *file, unsigned long maxBytes) {
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
  int16_t buffer[kRawFrames * 2];
  bool ok = true;
  while (frames < limit) {
    long want = limit - frames < (unsigned long)kRawFrames ? (long)(limit - frames) : kRawFrames;
    long n = duh_render(renderer, 16, 0, 1.0f, kDelta, want, buffer);
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
