#pragma once
// An X server of the test process's own (Xvfb on the first free display, local connections only),
// started on first use and pointed to by DISPLAY; children the test starts (the game, xdotool,
// import) inherit it. Window tests then run side by side without one's pointer, focus or
// expose events reaching another. The server ends with the process, even one that crashes.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <string>

class PrivateDisplay {
public:
  // True once DISPLAY names the process's own server; otherwise `error()` says why.
  static bool ensure() {
    expectWindowSuite();
    State &s = state();
    if (s.pid > 0) return true;
    if (!s.error.empty()) return false;
    s.error = start(s);
    return s.error.empty();
  }

  static const std::string &error() { return state().error; }

  // A test that opens a window has the window tests' time limit only when CMakeLists.txt names
  // its suite in TOB_WINDOW_SUITES; under another name it would be cut short at the unit tests'.
  static void expectWindowSuite() {
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return;
    std::string suite = test->test_suite_name();
    suite.erase(0, suite.find('/') + 1);
    EXPECT_TRUE(std::regex_search(suite, std::regex(TOB_WINDOW_SUITES)))
        << suite << " opens a window: name it in TOB_WINDOW_SUITES (CMakeLists.txt)";
  }

private:
  struct State {
    pid_t pid = -1;
    pid_t owner = -1;
    std::string error;
  };

  static State &state() {
    static State s;
    return s;
  }

  static std::string start(State &s) {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return "no pipe for Xvfb";
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
      close(ready[0]);
      close(ready[1]);
      return "cannot fork for Xvfb";
    }
    if (pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(97);
      int quiet = open("/dev/null", O_RDWR);
      if (quiet >= 0) {
        dup2(quiet, 0);
        dup2(quiet, 1);
        dup2(quiet, 2);
      }
      // Only the write end crosses exec; Xvfb writes the display number there once it listens.
      fcntl(ready[1], F_SETFD, 0);
      std::string fd = std::to_string(ready[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             "-noreset", (char *)nullptr);
      _exit(98);
    }
    close(ready[1]);
    std::string number;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < end) {
      pollfd p = {ready[0], POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[16];
      ssize_t n = read(ready[0], buf, sizeof buf);
      if (n <= 0) break;
      number.append(buf, (size_t)n);
    }
    close(ready[0]);
    if (number.find('\n') == std::string::npos) {
      kill(pid, SIGKILL);
      int status = 0;
      waitpid(pid, &status, 0);
      if (WIFEXITED(status) && WEXITSTATUS(status) == 98) return "Xvfb is missing (tools/deps.sh installs xvfb)";
      return "Xvfb did not start";
    }
    number.erase(number.find('\n'));
    setenv("DISPLAY", (":" + number).c_str(), 1);
    s.pid = pid;
    s.owner = parent;
    std::atexit(stop);
    return "";
  }

  static void stop() {
    State &s = state();
    // A forked child (a death test) that exits must leave the parent's server alone.
    if (s.pid <= 0 || getpid() != s.owner) return;
    kill(s.pid, SIGTERM);
    waitpid(s.pid, nullptr, 0);
    s.pid = -1;
  }
};
