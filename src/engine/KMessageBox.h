#pragma once
#include <string>

// The system's own message box: what the player must read when the game's window cannot show it
// (start-up refused, the game ending on a fault). It waits for the player's OK; without a display
// it shows nothing, so the caller prints the text as well.
class KMessageBox {
public:
  // `error` picks the box's error look rather than a plain notice.
  static void show(const std::string &headline, const std::string &text, bool error = true);

  // For tests and unattended runs: the box goes to the handler instead, so nothing modal blocks.
  typedef void (*Handler)(const char *detail, const char *headline);
  static void setHandler(Handler handler);
};
