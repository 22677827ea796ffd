#include "engine/KMessageBox.h"

#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
KMessageBox::Handler g_handler = nullptr;

volatile sig_atomic_t g_ended = 0;

void noteEnd(int) { g_ended = 1; }

// In the box's process: the box and everything it started (SDL shows its box from a copy of its
// own) end together, on the game's end as on a terminate signal sent to the box itself.
void endBoxGroup(int) { kill(0, SIGKILL); }

[[noreturn]] void showInChild(pid_t game, const std::string &headline, const std::string &text, bool error) {
  setpgid(0, 0);
  struct sigaction end = {};
  end.sa_handler = endBoxGroup;
  sigaction(SIGTERM, &end, nullptr);
  sigaction(SIGINT, &end, nullptr);
  sigaction(SIGHUP, &end, nullptr);
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != game) endBoxGroup(0);
  SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, headline.c_str(), text.c_str(),
                           nullptr);
  _exit(0);
}
} // namespace

void KMessageBox::show(const std::string &headline, const std::string &text, bool error) {
  if (g_handler) {
    g_handler(text.c_str(), headline.c_str());
    return;
  }
  // The box waits in a process of its own, which the game can end: a terminate signal for the
  // game while the box is up ends both instead of leaving either on the screen.
  const pid_t game = getpid();
  const pid_t box = fork();
  if (box < 0) {
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, headline.c_str(),
                             text.c_str(), nullptr);
    return;
  }
  if (box == 0) showInChild(game, headline, text, error);
  setpgid(box, box);

  struct sigaction note = {}, oldTerm, oldInt, oldHup;
  note.sa_handler = noteEnd;
  g_ended = 0;
  sigaction(SIGTERM, &note, &oldTerm);
  sigaction(SIGINT, &note, &oldInt);
  sigaction(SIGHUP, &note, &oldHup);
  int status = 0;
  while (waitpid(box, &status, 0) < 0 && errno == EINTR) {
    if (!g_ended) continue;
    kill(-box, SIGKILL);
    kill(box, SIGKILL);
  }
  sigaction(SIGTERM, &oldTerm, nullptr);
  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGHUP, &oldHup, nullptr);
  if (g_ended) {
    // The game ends as a terminate signal ends any program.
    signal(SIGTERM, SIG_DFL);
    raise(SIGTERM);
    _exit(143);
  }
}

void KMessageBox::setHandler(Handler handler) { g_handler = handler; }
