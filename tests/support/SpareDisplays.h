#pragma once
// Displays for the tests of what the game does where it cannot be seen: a display number no X
// server holds, one whose server drops the first connection, and one far away.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
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

// An X display ":number" that answers and drops its first connection, as a busy server may
// refuse one client; later connections reach the test's own server through a link in its place.
class DroppingDisplay {
public:
  explicit DroppingDisplay(int number) : path("/tmp/.X11-unix/X" + std::to_string(number)) {
    const std::string real = std::string("/tmp/.X11-unix/X") + (std::getenv("DISPLAY") + 1);
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un at{};
    at.sun_family = AF_UNIX;
    std::snprintf(at.sun_path, sizeof at.sun_path, "%s", path.c_str());
    if (listener < 0 || bind(listener, (sockaddr *)&at, sizeof at) != 0 || listen(listener, 8) != 0) return;
    waiting = std::thread([fd = listener, path = path, real] {
      const int first = accept(fd, nullptr, nullptr);
      if (first >= 0) {
        unlink(path.c_str());
        if (symlink(real.c_str(), path.c_str()) != 0) std::perror("symlink");
        close(first);
      }
    });
  }
  // The listener is closed only here, after its thread: closed earlier, its number could pass to
  // another socket of the test (its own X connection) before the shutdown reached it.
  ~DroppingDisplay() {
    shutdown(listener, SHUT_RDWR);
    if (waiting.joinable()) waiting.join();
    if (listener >= 0) close(listener);
    unlink(path.c_str());
  }

private:
  std::string path;
  int listener = -1;
  std::thread waiting;
};

// An X display ":number" that passes everything between its clients and the test's own server
// `delayMs` late each way, as a session forwarded over a slow network: every answer comes, late.
class DistantDisplay {
public:
  DistantDisplay(int number, int delayMs) : path("/tmp/.X11-unix/X" + std::to_string(number)) {
    const std::string real = std::string("/tmp/.X11-unix/X") + (std::getenv("DISPLAY") + 1);
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un at{};
    at.sun_family = AF_UNIX;
    std::snprintf(at.sun_path, sizeof at.sun_path, "%s", path.c_str());
    if (listener < 0 || bind(listener, (sockaddr *)&at, sizeof at) != 0 || listen(listener, 8) != 0) return;
    accepting = std::thread([fd = listener, real, delayMs] {
      for (int client; (client = accept(fd, nullptr, nullptr)) >= 0;) {
        const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un to{};
        to.sun_family = AF_UNIX;
        std::snprintf(to.sun_path, sizeof to.sun_path, "%s", real.c_str());
        if (connect(server, (sockaddr *)&to, sizeof to) != 0) {
          close(client);
          close(server);
          continue;
        }
        // Each way its own line; both ends are closed once both lines are done.
        const std::shared_ptr<void> ends(nullptr, [client, server](void *) {
          close(client);
          close(server);
        });
        std::thread(late, client, server, delayMs, ends).detach();
        std::thread(late, server, client, delayMs, ends).detach();
      }
    });
  }
  ~DistantDisplay() {
    shutdown(listener, SHUT_RDWR);
    if (accepting.joinable()) accepting.join();
    if (listener >= 0) close(listener);
    unlink(path.c_str());
  }

private:
  // Passes what `from` sends on to `to`, each piece `delayMs` after it came, until `from` ends.
  static void late(int from, int to, int delayMs, std::shared_ptr<void>) {
    using Clock = std::chrono::steady_clock;
    std::deque<std::pair<Clock::time_point, std::string>> due;
    for (bool open = true; open || !due.empty();) {
      int wait = -1;
      if (!due.empty())
        wait = (int)std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(due.front().first - Clock::now()).count());
      pollfd p = {from, POLLIN, 0};
      if (open && poll(&p, 1, wait) > 0) {
        char buf[65536];
        const ssize_t n = read(from, buf, sizeof buf);
        if (n > 0) due.emplace_back(Clock::now() + std::chrono::milliseconds(delayMs), std::string(buf, (size_t)n));
        else open = false;
      } else if (!open) {
        std::this_thread::sleep_until(due.front().first);
      }
      while (!due.empty() && due.front().first <= Clock::now()) {
        if (send(to, due.front().second.data(), due.front().second.size(), MSG_NOSIGNAL) < 0) {
          open = false;
          due.clear();
        } else {
          due.pop_front();
        }
      }
    }
    shutdown(to, SHUT_WR);
  }

  std::string path;
  int listener = -1;
  std::thread accepting;
};
