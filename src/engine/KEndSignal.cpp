#include "engine/KEndSignal.h"

#include <SDL.h>

#include <csignal>
#include <unistd.h>

namespace {
volatile sig_atomic_t g_received = 0, g_taken = 0;

// Only what is safe in a signal handler: the game ends as the signal ends any program.
void endNow(int signal) {
  struct sigaction end = {};
  end.sa_handler = SIG_DFL;
  sigaction(signal, &end, nullptr);
  raise(signal);
  _exit(128 + signal);
}

void note(int signal) {
  if (g_received) endNow(signal);
  g_received = signal;
  alarm(KEndSignal::kGraceSeconds);
}

void graceOver(int) {
  if (!g_taken) endNow(g_received);
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

int KEndSignal::received() { return g_received; }

void KEndSignal::taken() {
  if (!g_received || g_taken) return;
  g_taken = 1;
  alarm(0);
}
