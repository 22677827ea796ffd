#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/KGraphic.h"
#include "engine/KTextureReady.h"

// Picture files read, decoded and laid out as textures on worker threads ahead of their
// loading, so a level's pictures are made side by side while the main thread only uploads them.
// The engine owns one; the workers start with the first request and end with stop().
//
// Pictures wanted by the level being loaded go before those decoded ahead for a later one, and
// only work ahead waits for the budget: decoded pictures that wait to be taken hold memory, so
// the workers take no more ahead work while that much waits, but a level's own pictures are
// never held up by them.
class KPrefetch {
public:
  struct Job {
    std::string path;
    bool useAlpha = true;
    // As the picture will be given them (KGraphic::setRegions).
    std::vector<KRegion> regions;
  };
  enum class Need { Ahead, Now };

  static const size_t kDefaultBudget = 48u << 20;

  // workers 0: one fewer than the machine's cores, at most 6.
  explicit KPrefetch(size_t budget = kDefaultBudget, unsigned workers = 0);
  ~KPrefetch();
  KPrefetch(const KPrefetch &) = delete;
  KPrefetch &operator=(const KPrefetch &) = delete;

  // Queues the files (each once) for the workers; a file queued ahead that is now wanted moves
  // to the front.
  void request(const std::vector<Job> &jobs, Need need);
  // The texture made ready from a requested file (the caller owns it), waited for if a worker
  // has it in hand; null when it was not requested, not started yet, or failed.
  KTextureReady *take(const std::string &path);
  // Waits for any of these files to be done and gives its path (to take); empty when none of
  // them is queued or in hand.
  std::string next(const std::vector<std::string> &among);
  // Waits at most `ms` for next() to have an answer at once: false when that time passed first.
  bool waitFor(const std::vector<std::string> &among, int ms);
  // Waits for the workers to finish what they hold and drops the rest.
  void stop();

  // Bytes of decoded pictures waiting to be taken.
  size_t waitingBytes();

private:
  enum class State { Queued, Running, Done };
  struct Entry {
    State job = State::Queued;
    Need need = Need::Ahead;
    KTextureOptions options;
    KTextureReady *ready = nullptr;
  };

  void start();
  void work();
  // True when one of the files is done (its path) or none is on its way (empty); with the lock
  // held.
  bool answered(const std::vector<std::string> &among, std::string &path);
  // The next path a worker may take, or empty; with the lock held.
  bool pick(std::string &path);

  const size_t budget;
  const unsigned workerCount;
  std::mutex lock;
  std::condition_variable changed;
  std::deque<std::string> now;
  std::deque<std::string> ahead;
  std::unordered_map<std::string, Entry> entries;
  std::vector<std::thread> workers;
  // Workers running (set and read under the lock, unlike the threads' list).
  bool started = false;
  bool stopping = false;
  size_t waiting = 0;
  // A forked child has the threads' handles but not the threads.
  int owner = 0;
};
