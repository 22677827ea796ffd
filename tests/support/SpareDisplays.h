#pragma once
// Displays for the tests of what the game does where it cannot be seen or reached easily: a
// display number no X server holds, and one in front of the test's own server, late or dropping.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

// A display number no X server holds, kept by its lock file, as an X server keeps its own, while
// this lives: two tests run side by side must not pick the same one.
class FreeDisplay {
public:
  FreeDisplay() {
    for (; number < 1000; ++number) {
      if (access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0) continue;
      const std::string path = "/tmp/.X" + std::to_string(number) + "-lock";
      const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444);
      if (fd < 0) continue;
      lock = path;
      // The owner's pid as X servers write it, so that none takes the lock for a stale one.
      char pid[16];
      const int n = std::snprintf(pid, sizeof pid, "%10d\n", (int)getpid());
      if (write(fd, pid, (size_t)n) != n) std::perror("display lock");
      close(fd);
      return;
    }
  }
  ~FreeDisplay() {
    if (!lock.empty()) unlink(lock.c_str());
  }
  int number = 90;

private:
  std::string lock;
};

// An X display ":number" standing in front of the test's own server. It relays each connection
// there, every message `delayMs` late each way (a session forwarded over a slow network); with
// `dropFirst` it drops the first connection instead, as a busy server may refuse one client. From
// `stopAnswering` on it neither reads nor answers, the connections kept open.
class StandInDisplay {
public:
  StandInDisplay(int number, bool dropFirst, int delayMs = 0) : path("/tmp/.X11-unix/X" + std::to_string(number)) {
    sockaddr_un at{}, real{};
    at.sun_family = real.sun_family = AF_UNIX;
    std::snprintf(at.sun_path, sizeof at.sun_path, "%s", path.c_str());
    std::snprintf(real.sun_path, sizeof real.sun_path, "/tmp/.X11-unix/X%s", std::getenv("DISPLAY") + 1);
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0 || bind(listener, (sockaddr *)&at, sizeof at) != 0 || listen(listener, 8) != 0) return;
    relaying = std::thread([=, drop = dropFirst, quiet = quiet]() mutable {
      for (int client; (client = accept(listener, nullptr, nullptr)) >= 0; drop = false) {
        const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        // Both ends close once both ways are done.
        const std::shared_ptr<void> ends(nullptr, [client, server](void *) { close(client), close(server); });
        if (drop || connect(server, (sockaddr *)&real, sizeof real) != 0) continue;
        for (const std::pair<int, int> &way : {std::make_pair(client, server), std::make_pair(server, client)})
          std::thread([way, delayMs, ends, quiet] {
            char buf[65536];
            for (ssize_t n; (n = read(way.first, buf, sizeof buf)) > 0;) {
              std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
              while (*quiet == 1) std::this_thread::sleep_for(std::chrono::milliseconds(20));
              if (*quiet == 2 || send(way.second, buf, (size_t)n, MSG_NOSIGNAL) != n) break;
            }
            shutdown(way.second, SHUT_WR);
          }).detach();
      }
    });
  }
  void stopAnswering() { *quiet = 1; }
  // Closed only after its thread, so the listener's number cannot pass to another socket first.
  ~StandInDisplay() {
    *quiet = 2;
    shutdown(listener, SHUT_RDWR);
    if (relaying.joinable()) relaying.join();
    if (listener >= 0) close(listener);
    unlink(path.c_str());
  }

private:
  std::string path;
  int listener = -1;
  // 1 while it stops answering, 2 once it is gone.
  std::shared_ptr<std::atomic<int>> quiet = std::make_shared<std::atomic<int>>(0);
  std::thread relaying;
};
