#pragma once
#include <deque>
#include <string>

// What the player must be told that is no fault of the game's own (a save that could not be
// written, a saved game that cannot be read, a damaged profile file rebuilt). The play state shows
// them in the game's message window once a level is up, one at a time, oldest first; '|' breaks a
// line there.
class CPlayerNotices {
public:
  void post(const std::string &text);
  bool empty() const { return waiting.empty(); }
  // The oldest, taken off the list; empty when there is none.
  std::string take();

private:
  std::deque<std::string> waiting;
};
