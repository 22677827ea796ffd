#pragma once
// The real game as a child process on the test's private X server: a scratch home, its window
// found by xdotool, pointer and keys sent to it, screenshots taken, its exit awaited.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "support/PrivateDisplay.h"

namespace gameproc {

inline std::string shell(const std::string &cmd) {
  std::string out;
  FILE *p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

inline bool haveTool(const char *name) { return !shell(std::string("command -v ") + name + " 2>/dev/null").empty(); }

inline std::string readAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls until the condition holds or the time is up; true when it held.
inline bool eventually(const std::function<bool()> &condition, double seconds = 10.0, int stepMs = 50) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds((long)(seconds * 1000));
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    sleepMs(stepMs);
  }
}

// Normalised RMS difference of two pictures of one size, -1 when they cannot be compared.
inline double difference(const std::string &a, const std::string &b) {
  std::string s = shell("compare -metric RMSE '" + a + "' '" + b + "' null: 2>&1");
  size_t open = s.find('(');
  return open == std::string::npos ? -1.0 : std::atof(s.c_str() + open + 1);
}

} // namespace gameproc

class GameProcess {
public:
  ~GameProcess() { stop(); }

  // Starts the executable with HOME set to home; its stdout and stderr go to files in logs.
  void start(const std::string &exe, const std::string &home, const std::string &logs) {
    out = logs + "/stdout.txt";
    err = logs + "/stderr.txt";
    window.clear();
    pid = fork();
    if (pid == 0) {
      setenv("HOME", home.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 0);
      setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
      if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(99);
      execl(exe.c_str(), exe.c_str(), (char *)nullptr);
      _exit(98);
    }
  }

  // Waits for the game's window; true once it is known.
  bool findWindow(double seconds) {
    gameproc::eventually(
        [&] {
          if (!running()) return true;
          window = gameproc::shell("xdotool search --all --pid " + std::to_string(pid) +
                                   " --name '^Tobrulant$' 2>/dev/null | head -1");
          while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) window.pop_back();
          return !window.empty();
        },
        seconds, 100);
    return !window.empty();
  }

  // Exit status, -1 when still running after the wait, -2 for a signal.
  int wait(double seconds) {
    int result = -1;
    gameproc::eventually(
        [&] {
          int status = 0;
          if (pid <= 0 || waitpid(pid, &status, WNOHANG) != pid) return false;
          pid = -1;
          window.clear();
          result = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
          return true;
        },
        seconds);
    return result;
  }

  bool running() const { return pid > 0 && kill(pid, 0) == 0; }

  void stop() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      pid = -1;
    }
    window.clear();
  }

  // The pointer to (x, y) of the window, given a moment for the game to see it there.
  void point(int x, int y) {
    gameproc::shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
    gameproc::sleepMs(150);
  }

  void click(int x, int y) {
    point(x, y);
    gameproc::shell("xdotool click 1");
  }

  void button(bool down) { gameproc::shell(std::string("xdotool ") + (down ? "mousedown" : "mouseup") + " 1"); }

  void keys(const std::string &k) { gameproc::shell("xdotool key --delay 40 " + k); }

  void type(const std::string &text) { gameproc::shell("xdotool type --delay 40 '" + text + "'"); }

  void screenshot(const std::string &png) const {
    gameproc::shell("import -window " + window + " '" + png + "' 2>/dev/null");
  }

  // Asks the window manager's way to close the window, as a click on its close button does.
  void closeWindow() const {
    gameproc::shell("python3 '" + std::string(TOB_SOURCE_DIR) + "/tests/core/close_window.py' " + window);
  }

  std::string errors() const { return gameproc::readAll(err); }

  pid_t pid = -1;
  std::string window;
  std::string out;
  std::string err;
};
