#include "engine/KPrefetch.h"

#include <chrono>

#include <SDL_image.h>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>

#include "engine/KGraphicGL.h"
#include "engine/KPictureDecoder.h"

namespace {
size_t bytesOf(const KTextureReady *r) {
  return r ? (size_t)r->textureWidth * (size_t)r->textureHeight * 4 : 0;
}

unsigned defaultWorkers() {
  unsigned n = std::thread::hardware_concurrency();
  return n > 1 ? std::min(n - 1, 6u) : 1u;
}
} // namespace

KPrefetch::KPrefetch(size_t budget, unsigned workers)
    : budget(budget), workerCount(workers ? workers : defaultWorkers()) {}

KPrefetch::~KPrefetch() { stop(); }

void KPrefetch::start() {
  // The decoders are set up here, on the main thread, before any worker uses them.
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
#ifdef __GLIBC__
  // Whole pictures pass through the workers: they share the main heap, so what one frees the
  // next reuses and the heap can be trimmed, rather than each keeping a heap of its own.
  mallopt(M_ARENA_MAX, 1);
#endif
  owner = getpid();
  started = true;
  // A picture a worker could not decode left SDL's error text in the thread's own storage.
  for (unsigned i = 0; i < workerCount; ++i) workers.emplace_back([this] {
    work();
    SDL_TLSCleanup();
  });
}

bool KPrefetch::pick(std::string &path) {
  // A path stays in its queue when it was taken before it began, or moved to the front.
  auto queued = [&](const std::string &p) {
    auto it = entries.find(p);
    return it != entries.end() && it->second.job == State::Queued;
  };
  while (!now.empty() && !queued(now.front())) now.pop_front();
  if (!now.empty()) {
    path = now.front();
    now.pop_front();
    return true;
  }
  while (!ahead.empty() && !queued(ahead.front())) ahead.pop_front();
  if (ahead.empty() || waiting >= budget) return false;
  path = ahead.front();
  ahead.pop_front();
  return true;
}

void KPrefetch::work() {
  std::unique_lock<std::mutex> held(lock);
  for (;;) {
    std::string path;
    changed.wait(held, [&] { return stopping || pick(path); });
    if (stopping) return;
    Entry &picked = entries[path];
    picked.job = State::Running;
    const KTextureOptions options = picked.options;
    held.unlock();
    KTextureReady *ready = KPictureDecoder::readyFromFile(path.c_str(), options);
    held.lock();
    // A running entry stays until it is done: take waits for it, stop for the worker.
    Entry &e = entries[path];
    e.ready = ready;
    e.job = State::Done;
    waiting += bytesOf(ready);
    changed.notify_all();
  }
}

void KPrefetch::request(const std::vector<Job> &jobs, Need need) {
  std::lock_guard<std::mutex> held(lock);
  if (!started) start();
  const int storage = KGLTexture::textureMode();
  for (const Job &job : jobs) {
    auto it = entries.find(job.path);
    if (it != entries.end()) {
      if (need == Need::Now && it->second.need == Need::Ahead && it->second.job == State::Queued) {
        it->second.need = Need::Now;
        now.push_back(job.path);
      }
      continue;
    }
    Entry &e = entries[job.path];
    e.need = need;
    e.options.storage = storage;
    e.options.useAlpha = job.useAlpha;
    e.options.regions = job.regions;
    (need == Need::Now ? now : ahead).push_back(job.path);
  }
  changed.notify_all();
}

KTextureReady *KPrefetch::take(const std::string &path) {
  std::unique_lock<std::mutex> held(lock);
  auto it = entries.find(path);
  if (it == entries.end()) return nullptr;
  if (it->second.job == State::Queued) {
    // Not begun: the caller decodes it at once rather than wait its turn.
    entries.erase(it);
    return nullptr;
  }
  changed.wait(held, [&] { return entries.count(path) == 0 || entries[path].job == State::Done; });
  if (entries.count(path) == 0) return nullptr;
  KTextureReady *ready = entries[path].ready;
  entries.erase(path);
  waiting -= bytesOf(ready);
  changed.notify_all();
  return ready;
}

bool KPrefetch::answered(const std::vector<std::string> &among, std::string &path) {
  bool pending = false;
  for (const std::string &p : among) {
    auto it = entries.find(p);
    if (it == entries.end()) continue;
    if (it->second.job == State::Done) {
      path = p;
      return true;
    }
    pending = true;
  }
  path.clear();
  return !pending || !started || stopping;
}

std::string KPrefetch::next(const std::vector<std::string> &among) {
  std::unique_lock<std::mutex> held(lock);
  std::string path;
  changed.wait(held, [&] { return answered(among, path); });
  return path;
}

bool KPrefetch::waitFor(const std::vector<std::string> &among, int ms) {
  std::unique_lock<std::mutex> held(lock);
  std::string path;
  return changed.wait_for(held, std::chrono::milliseconds(ms), [&] { return answered(among, path); });
}

size_t KPrefetch::waitingBytes() {
  std::lock_guard<std::mutex> held(lock);
  return waiting;
}

void KPrefetch::stop() {
  if (workers.empty()) return;
  if (owner != getpid()) {
    // A forked child: the threads are not here to join.
    for (std::thread &t : workers) t.detach();
    workers.clear();
    return;
  }
  {
    std::lock_guard<std::mutex> held(lock);
    stopping = true;
  }
  changed.notify_all();
  for (std::thread &t : workers) t.join();
  workers.clear();
  {
    std::lock_guard<std::mutex> held(lock);
    for (auto &e : entries) delete e.second.ready;
    entries.clear();
    now.clear();
    ahead.clear();
    waiting = 0;
    started = false;
    stopping = false;
  }
  // A wait for a picture ends: there is none to come.
  changed.notify_all();
}
