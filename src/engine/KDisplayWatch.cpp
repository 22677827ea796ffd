#include "engine/KDisplayWatch.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

namespace {
std::string fileText(const std::string &path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the kernel counts of one thread's running: its time on a processor and its waits. A
// thread that waits for a display that never answers adds to neither; one that gets an answer,
// however late, runs to read it. Empty without /proc, where no change is ever seen.
std::string threadPulse(const std::string &task) {
  const std::string status = fileText(task + "status");
  const size_t switches = status.find("voluntary_ctxt_switches");
  return fileText(task + "schedstat") + (switches == std::string::npos ? "" : status.substr(switches));
}

struct Watcher {
  std::mutex mutex;
  std::condition_variable ended;
  int depth = 0;
  std::string what;
  std::atomic<int> holds{0};
  std::thread thread;
};

// Never destroyed: a fatal error may end the game while a watch runs.
Watcher &watcher() {
  static Watcher *w = new Watcher;
  return *w;
}

void watch(const std::string task) {
  Watcher &w = watcher();
  std::unique_lock<std::mutex> lock(w.mutex);
  std::string pulse = threadPulse(task);
  auto quietSince = std::chrono::steady_clock::now();
  while (!w.ended.wait_for(lock, std::chrono::milliseconds(200), [&w] { return w.depth == 0; })) {
    const auto now = std::chrono::steady_clock::now();
    std::string later = threadPulse(task);
    if (later != pulse || w.holds > 0) {
      pulse.swap(later);
      quietSince = now;
    } else if (now - quietSince >= std::chrono::seconds(KDisplayWatch::kSeconds)) {
      std::fprintf(stderr, "%s: it stayed silent for %d s\n", w.what.c_str(), KDisplayWatch::kSeconds);
      _exit(1);
    }
  }
}
} // namespace

KDisplayWatch::KDisplayWatch(const std::string &what) {
  Watcher &w = watcher();
  std::lock_guard<std::mutex> lock(w.mutex);
  outer = w.what;
  w.what = what;
  if (w.depth++ > 0) return;
  w.thread = std::thread(watch, "/proc/self/task/" + std::to_string((long)syscall(SYS_gettid)) + "/");
}

KDisplayWatch::~KDisplayWatch() {
  Watcher &w = watcher();
  {
    std::lock_guard<std::mutex> lock(w.mutex);
    w.what = outer;
    if (--w.depth > 0) return;
  }
  w.ended.notify_one();
  w.thread.join();
}

KDisplayWatch::Hold::Hold() { ++watcher().holds; }
KDisplayWatch::Hold::~Hold() { --watcher().holds; }

std::string KDisplayWatch::displayName() {
  const char *x11 = std::getenv("DISPLAY"), *wayland = std::getenv("WAYLAND_DISPLAY");
  if (x11 && *x11) return std::string("display ") + x11;
  if (wayland && *wayland) return std::string("Wayland display ") + wayland;
  return "the video driver";
}
