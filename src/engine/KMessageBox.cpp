#include "engine/KMessageBox.h"

#include "engine/KDisplayWatch.h"
#include "engine/KEndSignal.h"

#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
KMessageBox::Handler g_handler = nullptr;
bool g_ownProcess = false;

const char kBoxRequest[] = "--message-box";

volatile sig_atomic_t g_ended = 0;

void noteEnd(int) { g_ended = 1; }

// In the box's process: the box and everything it started (SDL shows its box from a copy of its
// own) end together, on the game's end as on a terminate signal sent to the box itself.
void endBoxGroup(int) { kill(0, SIGKILL); }

void showHere(const char *headline, const char *text, bool error) {
  SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, headline, text, nullptr);
}

// The box in a fresh start of this program: a copy made by fork alone would share the game's
// connection to the display, and its drawing there would break the game's.
pid_t startBox(const std::string &headline, const std::string &text, bool error) {
  const pid_t game = getpid();
  const pid_t box = fork();
  if (box != 0) return box;
  // Only what is safe between fork and exec in a program with threads.
  setpgid(0, 0);
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != game) _exit(0);
  execl("/proc/self/exe", "tobrulant", kBoxRequest, error ? "error" : "notice", headline.c_str(), text.c_str(),
        (char *)nullptr);
  _exit(127);
}

// Waits for the box; a terminate signal meanwhile ends the box and then the game.
int waitForBox(pid_t box) {
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
  return status;
}
} // namespace

void KMessageBox::show(const std::string &headline, const std::string &text, bool error) {
  if (g_handler) {
    g_handler(text.c_str(), headline.c_str());
    return;
  }
  // Asked to end, the game would otherwise wait for an answer nobody gives.
  if (KEndSignal::received()) {
    std::fprintf(stderr, "%s: %s\n", headline.c_str(), text.c_str());
    return;
  }
  // The player reads the box while the game waits.
  const KDisplayWatch::Hold reading;
  const pid_t box = g_ownProcess ? startBox(headline, text, error) : -1;
  if (box < 0) {
    showHere(headline.c_str(), text.c_str(), error);
    return;
  }
  setpgid(box, box);
  // As SDL's own box does: the game's window comes to the front again once the box is answered.
  SDL_Window *window = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetKeyboardFocus() : nullptr;
  const int status = waitForBox(box);
  if (window) SDL_RaiseWindow(window);
  // The program could not be started again: the box is shown from here after all.
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) showHere(headline.c_str(), text.c_str(), error);
}

void KMessageBox::setHandler(Handler handler) { g_handler = handler; }

void KMessageBox::showInOwnProcess() { g_ownProcess = true; }

bool KMessageBox::isBoxRequest(int argc, char **argv) {
  return argc == 5 && std::strcmp(argv[1], kBoxRequest) == 0;
}

int KMessageBox::runBox(int argc, char **argv) {
  if (!isBoxRequest(argc, argv)) return 2;
  struct sigaction end = {};
  end.sa_handler = endBoxGroup;
  sigaction(SIGTERM, &end, nullptr);
  sigaction(SIGINT, &end, nullptr);
  sigaction(SIGHUP, &end, nullptr);
  const char *display = SDL_getenv("DISPLAY");
  if (display && *display) {
    // The game waits for the box without a watch of its own: an X display that takes the box's
    // connection and stays silent would hold both for good. Once it has answered a connection as
    // the box's own, the box goes up and the player reads it at leisure.
    const std::string box = *argv[3] ? argv[3] : argv[4];
    const KDisplayWatch watch("The box \"" + box + "\" cannot show on " + KDisplayWatch::displayName());
    // The box's own driver, whatever driver the game was asked to use.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  }
  showHere(argv[3], argv[4], std::strcmp(argv[2], "error") == 0);
  return 0;
}
