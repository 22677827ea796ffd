#pragma once
#include <deque>
#include <map>
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

  // `what` could not be written to `path`, for the reason `why` (CSafeFile's words): told with the
  // folder, in three lines, as many as the message window holds. Told once while the same write
  // fails the same way, as a read-only home would fail it at every day; once it went through
  // (written), its next failure is told again.
  void unwritten(const std::string &what, const std::string &why, const std::string &path);
  void written(const std::string &what) { lastFailure.erase(what); }

private:
  std::deque<std::string> waiting;
  std::map<std::string, std::string> lastFailure;
};
