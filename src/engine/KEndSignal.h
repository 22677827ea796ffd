#pragma once

// A terminate or interrupt signal asks the game to end, as closing its window does: the window
// raises its quit flag at the next look at its events, and the game goes its usual way out. What
// it would still show then in a box of its own nobody is there to answer, so it is not shown.
// A game not gone kGraceSeconds after the signal, wherever it was (held up by a display that
// stopped answering, or still starting), or given a second signal, is ended at once by the signal
// itself, saying so on standard error.
class KEndSignal {
public:
  static constexpr unsigned kGraceSeconds = 2;
  // From the window's start on; SDL is kept from setting handlers of its own.
  static void catchSignals();
  // The signal that asked the game to end; 0 while none did.
  static int received();
};
