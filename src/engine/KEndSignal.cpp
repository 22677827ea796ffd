#include "engine/KEndSignal.h"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {
// Two signals may be taken at once by two of the game's threads: one of them is the second.
std::atomic<int> g_received{0};
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");

void say(const char *text) {
  if (write(STDERR_FILENO, text, std::strlen(text)) < 0) return;
}

// Only what is safe in a signal handler: the game ends as the signal ends any program, saying why
// first, as nobody may be there to see the window go.
[[noreturn]] void endNow(int signal, bool second) {
  static_assert(KEndSignal::kGraceSeconds < 10, "written as one digit");
  const char seconds[] = {(char)('0' + KEndSignal::kGraceSeconds), 0};
  say("Tobrulant ends at once: ");
  if (second) {
    say("a second ");
  } else {
    say("not closed within ");
    say(seconds);
    say(" s of the ");
  }
  say(signal == SIGINT ? "interrupt" : "terminate");
  say(" signal\n");
  struct sigaction end = {};
  end.sa_handler = SIG_DFL;
  sigaction(signal, &end, nullptr);
  // Raised inside its own handler, the signal would wait until the handler returns.
  sigset_t own;
  sigemptyset(&own);
  sigaddset(&own, signal);
  sigprocmask(SIG_UNBLOCK, &own, nullptr);
  raise(signal);
  _exit(128 + signal);
}

void note(int signal) {
  if (g_received.exchange(signal)) endNow(signal, true);
  alarm(KEndSignal::kGraceSeconds);
}

void graceOver(int) {
  if (const int signal = g_received.load()) endNow(signal, false);
}
} // namespace

void KEndSignal::catchSignals() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  struct sigaction end = {};
  end.sa_handler = note;
  sigaction(SIGTERM, &end, nullptr);
  sigaction(SIGINT, &end, nullptr);
  end.sa_handler = graceOver;
  sigaction(SIGALRM, &end, nullptr);
}

int KEndSignal::received() { return g_received.load(); }
