#pragma once

// A terminate or interrupt signal asks the game to end, as closing its window does: the window
// raises its quit flag at the next look at its events, and the game goes its usual way out. What
// it would still show then in a box of its own nobody is there to answer, so it is not shown.
// A game held up where it cannot look (a display that stopped answering) is ended at once by a
// second signal, or by the first when it was not taken within kGraceSeconds.
class KEndSignal {
public:
  static constexpr unsigned kGraceSeconds = 2;
  // From the window's start on; SDL is kept from setting handlers of its own.
  static void catchSignals();
  // The signal that asked the game to end; 0 while none did.
  static int received();
  // The game saw the signal and is on its way out: the grace no longer runs.
  static void taken();
};
