#pragma once
// Displays for the tests of what the game does where it cannot be seen: a display number no X
// server holds, and one whose server drops the first connection.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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
    std::thread([fd = listener, path = path, real] {
      const int first = accept(fd, nullptr, nullptr);
      if (first >= 0) {
        unlink(path.c_str());
        if (symlink(real.c_str(), path.c_str()) != 0) std::perror("symlink");
        close(first);
      }
      close(fd);
    }).detach();
  }
  ~DroppingDisplay() {
    shutdown(listener, SHUT_RDWR);
    unlink(path.c_str());
  }

private:
  std::string path;
  int listener = -1;
};
