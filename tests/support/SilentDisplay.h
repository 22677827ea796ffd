#pragma once
// An X display ":number" that takes every connection and never says a word, as a hung server or
// a stray listener in the display's place does.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

class SilentDisplay {
public:
  explicit SilentDisplay(int number) : path("/tmp/.X11-unix/X" + std::to_string(number)) {
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un at{};
    at.sun_family = AF_UNIX;
    std::snprintf(at.sun_path, sizeof at.sun_path, "%s", path.c_str());
    if (listener >= 0 && (bind(listener, (sockaddr *)&at, sizeof at) != 0 || listen(listener, 8) != 0)) {
      close(listener);
      listener = -1;
    }
  }
  ~SilentDisplay() {
    for (int fd : held) close(fd);
    if (listener >= 0) close(listener);
    unlink(path.c_str());
  }
  SilentDisplay(const SilentDisplay &) = delete;
  SilentDisplay &operator=(const SilentDisplay &) = delete;

  bool listening() const { return listener >= 0; }
  // Takes the connections waiting, holding them open unanswered; true when there was one.
  bool take() {
    bool any = false;
    for (int fd; (fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; any = true) held.push_back(fd);
    return any;
  }

private:
  std::string path;
  int listener = -1;
  std::vector<int> held;
};
