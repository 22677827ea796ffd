#pragma once
// The real game as a child process on the test's private X server: a scratch home, its window
// found by xdotool, pointer and keys sent to it, its pixels read, its exit awaited.
//
// Nothing here waits a fixed time. Each step waits for what shows that the game has taken it
// (the pointer drawn where it was sent, a button's hover glow, a file's bytes), up to a ceiling
// only a fault reaches, and then says what it awaited and for how long.
#include <gtest/gtest.h>
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
#include <vector>

#include "support/PrivateDisplay.h"
#include "support/WindowPixels.h"

namespace gameproc {

// Generous: a sanitizer build on a machine whose every core is busy still stays far below it.
const double kCeiling = 60;
// Start-up reads every picture and sound first.
const double kStartUpCeiling = 120;

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

// The generated data set beside the game the tests start.
inline const std::string &dataDir() {
  static const std::string dir = std::string(TOB_BINARY_DIR) + "/data/";
  return dir;
}

inline bool exists(const std::string &path) { return access(path.c_str(), F_OK) == 0; }

inline bool haveTool(const char *name) { return !shell(std::string("command -v ") + name + " 2>/dev/null").empty(); }

inline std::string readAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string seconds(double s) {
  std::ostringstream o;
  o << s << " s";
  return o.str();
}

// Polls until the condition holds or the time is up; true when it held.
inline bool eventually(const std::function<bool()> &condition, double seconds = kCeiling, int stepMs = 50) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds((long)(seconds * 1000));
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
  }
}

// The processes below `pid`, at any depth.
inline std::vector<pid_t> processesBelow(pid_t pid) {
  std::vector<pid_t> found{pid};
  for (size_t i = 0; i < found.size(); ++i) {
    std::istringstream children(readAll("/proc/" + std::to_string(found[i]) + "/task/" + std::to_string(found[i]) + "/children"));
    for (pid_t child; children >> child;) found.push_back(child);
  }
  found.erase(found.begin());
  return found;
}

// Gone, or a zombie left for whoever reaps it.
inline bool ended(pid_t pid) {
  const std::string stat = readAll("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat.rfind(')');
  return stat.empty() || (close != std::string::npos && stat.compare(close, 4, ") Z ") == 0);
}

// The looks of the game's pointer (its sprite sheet: a row per look, the pressed frame right of
// the released one), drawn with the tip at the pointer.
class PointerLooks {
public:
  static const int kSize = 40;

  // 0 released, 1 pressed, -1 when the pointer is not drawn with its tip at (x, y).
  static int at(const Pixels &screen, int x, int y) {
    const Pixels &sheet = get();
    for (int row = 0; row * kSize < sheet.h; ++row)
      for (int frame = 0; frame < 2; ++frame)
        if (matches(sheet, frame * kSize, row * kSize, screen, x, y)) return frame;
    return -1;
  }

private:
  static const Pixels &get() {
    static Pixels sheet = readPicture(std::string(TOB_BINARY_DIR) + "/data/gfx/kurzor.png", 0, 0, 2 * kSize, 3 * kSize, true);
    return sheet;
  }

  // Nine in ten of the frame's opaque pixels are on screen as drawn.
  static bool matches(const Pixels &sheet, int fx, int fy, const Pixels &screen, int x, int y) {
    int opaque = 0, same = 0;
    for (int dy = 0; dy < kSize; ++dy)
      for (int dx = 0; dx < kSize; ++dx) {
        const unsigned char *s = sheet.at(fx + dx, fy + dy);
        if (s[3] != 255 || !screen.holds(x + dx, y + dy)) continue;
        ++opaque;
        const unsigned char *p = screen.at(x + dx, y + dy);
        if (std::abs(s[0] - p[0]) <= 16 && std::abs(s[1] - p[1]) <= 16 && std::abs(s[2] - p[2]) <= 16) ++same;
      }
    return opaque > 20 && same * 10 >= opaque * 9;
  }
};

} // namespace gameproc

class GameProcess {
public:
  ~GameProcess() { stop(); }

  // Starts the executable with HOME set to home; its stdout and stderr go to files in logs.
  void start(const std::string &exe, const std::string &home, const std::string &logs) {
    out = logs + "/stdout.txt";
    err = logs + "/stderr.txt";
    window.clear();
    status = -1;
    pointerX = pointerY = -1000;
    pid = fork();
    if (pid == 0) {
      setenv("HOME", home.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 0);
      setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
      if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(99);
      if (inChild) inChild();
      execl(exe.c_str(), exe.c_str(), (char *)nullptr);
      _exit(98);
    }
  }

  // Waits for the game's window; true once it is known.
  bool findWindow(double seconds = gameproc::kCeiling) {
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
    gameproc::eventually([&] { return !running(); }, seconds);
    return status;
  }

  bool running() {
    int st = 0;
    if (pid > 0 && waitpid(pid, &st, WNOHANG) == pid) {
      pid = -1;
      window.clear();
      status = WIFEXITED(st) ? WEXITSTATUS(st) : -2;
    }
    return pid > 0;
  }

  void stop() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      pid = -1;
    }
    window.clear();
  }

  // The rectangle of the window as it shows now (empty once the window is gone).
  gameproc::Pixels look(int x = 0, int y = 0, int w = 800, int h = 600) const {
    return gameproc::grabWindow(window.empty() ? 0 : std::stoul(window), x, y, w, h);
  }

  // Polls `seen` until it holds; on giving up says what was awaited, for how long, and why not
  // (`detail` as the last poll left it), with the window saved beside the test's other pictures.
  ::testing::AssertionResult waitUntil(const std::string &what, const std::function<bool()> &seen,
                                       double seconds = gameproc::kCeiling, const std::string *detail = nullptr) {
    bool held = false;
    gameproc::eventually([&] { return (held = seen()) || !running(); }, seconds, 20);
    // The game may end between a poll and the check for its end: what it left may still hold.
    if (!held && pid <= 0) held = seen();
    if (held) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    if (pid <= 0)
      failure << "the game ended (status " << status << ") while waiting for " << what;
    else
      failure << "gave up after " << gameproc::seconds(seconds) << " waiting for " << what;
    if (detail && !detail->empty()) failure << " (" << *detail << ")";
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string png = shots + "/" + (test ? test->name() : "") + "-gave-up.png";
    if (!shots.empty() && gameproc::savePicture(look(), png)) failure << "; the window is in " << png;
    return failure;
  }

  // The rectangle of `reference` looks like it (within the distance) or, with `like` false,
  // differs from it by more than that.
  ::testing::AssertionResult waitUntilLike(const std::string &what, const gameproc::Pixels &reference,
                                           double within = 0.08, double seconds = gameproc::kCeiling,
                                           bool like = true) {
    std::string detail;
    return waitUntil(
        what,
        [&] {
          double d = gameproc::distance(look(reference.x, reference.y, reference.w, reference.h), reference);
          detail = d < 0 ? "the window could not be read" : "distance " + std::to_string(d);
          return d >= 0 && (like ? d <= within : d > within);
        },
        seconds, &detail);
  }
  ::testing::AssertionResult waitUntilUnlike(const std::string &what, const gameproc::Pixels &reference,
                                             double beyond, double seconds = gameproc::kCeiling) {
    return waitUntilLike(what, reference, beyond, seconds, false);
  }

  ::testing::AssertionResult waitForFile(const std::string &path, const std::string &bytes,
                                         double seconds = gameproc::kCeiling) {
    std::string detail;
    return waitUntil(
        path + " to hold \"" + bytes + "\"",
        [&] {
          std::string now = gameproc::readAll(path);
          detail = "it holds \"" + now + "\"";
          return now == bytes;
        },
        seconds, &detail);
  }

  // The pointer onto a button at (x, y): done once the game draws its pointer there and the
  // button's hover glow brightens pixels along the pointer's row (the button's ends glow even
  // where its face is white). The glow shows that the game has found the button under the
  // pointer, so a press now reaches it; the pointer drawn there alone does not show that.
  ::testing::AssertionResult hover(int x, int y) {
    if (x == pointerX && y == pointerY) return ::testing::AssertionSuccess();
    const int fromX = pointerX, fromY = pointerY;
    const gameproc::Pixels before = look(x - 120, y - 12, 240, 24);
    movePointer(x, y);
    std::string detail;
    return waitUntil(
        "the game's pointer and the hover glow at (" + std::to_string(x) + ", " + std::to_string(y) + ")",
        [&] {
          gameproc::Pixels now = look(x - 120, y - 12, 240, 52);
          bool drawn = gameproc::PointerLooks::at(now, x, y) >= 0;
          int brighter = 0;
          for (int py = before.y; py < before.y + before.h && drawn; ++py)
            for (int px = before.x; px < before.x + before.w; ++px) {
              bool underPointer = px >= x - 1 && py >= y - 1 && px < x + 40 && py < y + 40;
              bool underOld = px >= fromX - 1 && py >= fromY - 1 && px < fromX + 40 && py < fromY + 40;
              if (underPointer || underOld || !now.holds(px, py)) continue;
              const unsigned char *a = before.at(px, py), *b = now.at(px, py);
              if ((b[0] + b[1] + b[2]) - (a[0] + a[1] + a[2]) >= 24) ++brighter;
            }
          detail = !drawn ? "the pointer is not drawn there" : std::to_string(brighter) + " pixels brightened";
          return drawn && brighter >= 12;
        },
        gameproc::kCeiling, &detail);
  }

  // The pointer onto (x, y) with the button held, as in a drag: done once the game draws its
  // pointer there.
  ::testing::AssertionResult drag(int x, int y) {
    movePointer(x, y);
    return waitUntil("the game's pointer at (" + std::to_string(x) + ", " + std::to_string(y) + ")", [&] {
      return gameproc::PointerLooks::at(look(x, y, gameproc::PointerLooks::kSize, gameproc::PointerLooks::kSize), x,
                                        y) >= 0;
    });
  }

  // The left button down or up where the pointer is: done once the pointer no longer shows its
  // look of before (it is drawn pressed or released, or the click changed the screen), or the
  // window is gone.
  ::testing::AssertionResult button(bool down) {
    gameproc::shell(std::string("xdotool ") + (down ? "mousedown" : "mouseup") + " 1");
    const int before = down ? 0 : 1;
    return waitUntil(std::string("the game's pointer to look ") + (down ? "pressed" : "released"), [&] {
      if (!running()) return true;
      gameproc::Pixels now = look(pointerX, pointerY, gameproc::PointerLooks::kSize, gameproc::PointerLooks::kSize);
      return now.empty() || gameproc::PointerLooks::at(now, pointerX, pointerY) != before;
    });
  }

  ::testing::AssertionResult click(int x, int y) {
    ::testing::AssertionResult r = hover(x, y);
    if (r) r = button(true);
    if (r) r = button(false);
    return r;
  }

  void keys(const std::string &k) { gameproc::shell("xdotool key --delay 40 " + k); }

  void type(const std::string &text) { gameproc::shell("xdotool type --delay 40 '" + text + "'"); }

  void screenshot(const std::string &png) const { gameproc::savePicture(look(), png); }

  // Asks the window manager's way to close the window, as a click on its close button does.
  void closeWindow() const {
    gameproc::shell("python3 '" + std::string(TOB_SOURCE_DIR) + "/tests/core/close_window.py' " + window);
  }

  std::string errors() const { return gameproc::readAll(err); }

  // The system's message box the game shows before it ends (titled `title`), saved to `png` when
  // given, then answered as a player would: the pointer onto it, the box in front, and Return.
  ::testing::AssertionResult answerMessageBox(const std::string &title, const std::string &png = "",
                                              double seconds = gameproc::kStartUpCeiling) {
    unsigned long box = 0;
    int w = 0, h = 0;
    ::testing::AssertionResult shown = waitUntil("the message box \"" + title + "\"", [&] {
      box = gameproc::findTopWindow(title, &w, &h);
      return box != 0 && !gameproc::grabWindow(box, 0, 0, w, h).empty();
    }, seconds);
    if (!shown) return shown;
    if (!png.empty()) gameproc::savePicture(gameproc::grabWindow(box, 0, 0, w, h), png);
    const std::string id = std::to_string(box);
    // The game's window may hold the keyboard: the box is given it, as a click on it would.
    gameproc::shell("xdotool mousemove --window " + id + " " + std::to_string(w / 2) + " " + std::to_string(h / 3) +
                    " windowfocus " + id + " key Return");
    if (gameproc::eventually([&] { return gameproc::findTopWindow(title) == 0; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the message box \"" << title << "\" stayed after Return";
  }

  // Run in the child just before the game replaces it: limits, mounts.
  std::function<void()> inChild;
  pid_t pid = -1;
  int status = -1;
  std::string window;
  std::string out;
  std::string err;
  // Where a wait that gives up saves the window, when set.
  std::string shots;

private:
  void movePointer(int x, int y) {
    gameproc::shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
    pointerX = x;
    pointerY = y;
  }

  int pointerX = -1000, pointerY = -1000;
};
