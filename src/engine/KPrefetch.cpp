#include "engine/KPrefetch.h"

#include <SDL_image.h>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "engine/KGraphicGL.h"
#include "engine/KTextureReady.h"

namespace {
enum class State { Queued, Running, Done };

struct Entry {
  State job = State::Queued;
  KTextureOptions options;
  KTextureReady *ready = nullptr;
};

// Textures made ready and not yet taken hold memory: the workers wait while this much waits.
const size_t kMaxWaitingBytes = 48u << 20;

size_t bytesOf(const KTextureReady *r) {
  return r ? (size_t)r->textureWidth * (size_t)r->textureHeight * 4 : 0;
}

struct Pool {
  std::mutex lock;
  std::condition_variable changed;
  std::deque<std::string> queue;
  std::unordered_map<std::string, Entry> entries;
  std::vector<std::thread> workers;
  bool stopping = false;
  size_t waiting = 0;
  // A forked child has the threads' handles but not the threads.
  pid_t owner = 0;

  void work() {
    std::unique_lock<std::mutex> held(lock);
    for (;;) {
      changed.wait(held, [&] { return stopping || (!queue.empty() && waiting < kMaxWaitingBytes); });
      if (stopping) return;
      std::string path = queue.front();
      queue.pop_front();
      auto it = entries.find(path);
      if (it == entries.end()) continue;
      it->second.job = State::Running;
      const KTextureOptions options = it->second.options;
      held.unlock();
      KTextureReady *ready = KGraphicGL::readyFromFile(path.c_str(), options);
      held.lock();
      Entry &e = entries[path];
      e.ready = ready;
      e.job = State::Done;
      waiting += bytesOf(ready);
      changed.notify_all();
    }
  }

  void stopAll() {
    if (workers.empty() || owner != getpid()) return;
    {
      std::lock_guard<std::mutex> held(lock);
      stopping = true;
    }
    changed.notify_all();
    for (std::thread &t : workers) t.join();
    workers.clear();
    for (auto &e : entries) delete e.second.ready;
    entries.clear();
    queue.clear();
    waiting = 0;
    stopping = false;
  }
};

// Never deleted: the workers wait for work until the process ends, and a forked child must not
// try to join threads it does not have.
Pool &pool() {
  static Pool *p = new Pool();
  return *p;
}
} // namespace

void KPrefetch::request(const std::vector<Job> &jobs) {
  Pool &p = pool();
  std::lock_guard<std::mutex> held(p.lock);
  if (p.workers.empty()) {
    // The decoders are set up here, on the main thread, before any worker uses them.
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
#ifdef __GLIBC__
    // Whole pictures pass through the workers: they share the main heap, so what one frees the
    // next reuses and the heap can be trimmed, rather than each keeping a heap of its own.
    mallopt(M_ARENA_MAX, 1);
#endif
    unsigned n = std::thread::hardware_concurrency();
    n = n > 1 ? std::min(n - 1, 6u) : 1u;
    p.owner = getpid();
    for (unsigned i = 0; i < n; ++i) p.workers.emplace_back([&p] { p.work(); });
    // Any exit (a fatal data error during start-up too) joins the workers before the statics
    // they read, such as the application folder, are destroyed.
    static const bool joinedAtExit = std::atexit([] { KPrefetch::stop(); }) == 0;
    (void)joinedAtExit;
  }
  const int storage = KGraphicGL::textureMode();
  for (const Job &job : jobs) {
    if (p.entries.count(job.path)) continue;
    Entry &e = p.entries[job.path];
    e.options.storage = storage;
    e.options.useAlpha = job.useAlpha;
    e.options.regions = job.regions;
    p.queue.push_back(job.path);
  }
  p.changed.notify_all();
}

KTextureReady *KPrefetch::take(const std::string &path) {
  Pool &p = pool();
  std::unique_lock<std::mutex> held(p.lock);
  auto it = p.entries.find(path);
  if (it == p.entries.end()) return nullptr;
  if (it->second.job == State::Queued) {
    // Not begun: the caller decodes it at once rather than wait its turn.
    p.queue.erase(std::remove(p.queue.begin(), p.queue.end(), path), p.queue.end());
    p.entries.erase(it);
    return nullptr;
  }
  p.changed.wait(held, [&] { return p.entries[path].job == State::Done; });
  KTextureReady *ready = p.entries[path].ready;
  p.entries.erase(path);
  p.waiting -= bytesOf(ready);
  p.changed.notify_all();
  return ready;
}

std::string KPrefetch::next(const std::vector<std::string> &among) {
  Pool &p = pool();
  std::unique_lock<std::mutex> held(p.lock);
  for (;;) {
    bool pending = false;
    for (const std::string &path : among) {
      auto it = p.entries.find(path);
      if (it == p.entries.end()) continue;
      if (it->second.job == State::Done) return path;
      pending = true;
    }
    if (!pending || p.workers.empty()) return std::string();
    p.changed.wait(held);
  }
}

void KPrefetch::stop() { pool().stopAll(); }
