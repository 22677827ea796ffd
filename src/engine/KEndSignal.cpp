#include "engine/KEndSignal.h"

#include <SDL.h>

#include <csignal>

namespace {
volatile sig_atomic_t g_received = 0;

void note(int signal) { g_received = signal; }
} // namespace

void KEndSignal::catchSignals() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  struct sigaction end = {};
  end.sa_handler = note;
  sigaction(SIGTERM, &end, nullptr);
  sigaction(SIGINT, &end, nullptr);
}

int KEndSignal::received() { return g_received; }
