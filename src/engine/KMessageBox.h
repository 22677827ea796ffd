#pragma once
#include <string>

// The system's own message box: what the player must read when the game's window cannot show it
// (start-up refused, the game ending on a fault). It waits for the player's OK; without a display
// it shows nothing, so the caller prints the text as well. Once a signal asked the game to end
// (KEndSignal) no box is shown: its text goes to standard error. In the game it waits in a process of
// its own, a fresh start of the game's program, which ends with the game: a terminate signal
// while it is up ends both.
class KMessageBox {
public:
  // `error` picks the box's error look rather than a plain notice.
  static void show(const std::string &headline, const std::string &text, bool error = true);

  // For tests and unattended runs: the box goes to the handler instead, so nothing modal blocks.
  typedef void (*Handler)(const char *detail, const char *headline);
  static void setHandler(Handler handler);

  // Called by the game's main: boxes from then on run in a fresh start of this program. Without
  // it (tests, tools) they are shown from the calling process.
  static void showInOwnProcess();
  // Whether the program was started to show a box, and showing it; main asks first.
  static bool isBoxRequest(int argc, char **argv);
  static int runBox(int argc, char **argv);
};
