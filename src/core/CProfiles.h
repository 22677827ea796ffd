#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CPlayerNotices;

// The profile names and the active profile, kept in "\hospital\profiles.txt" and
// "\hospital\lastprofile.txt". The active index in decimal names the profile's folder under
// "\hospital\", which holds its sound and video settings and its saved game.
class CProfiles {
public:
  // In letters (UTF-8 characters); a longer name is cut there.
  static const size_t kMaxName = 14;
  // The slots the game keeps: folders "0" to "5", each with its own name in the list.
  static const size_t kSlots = 6;

  // The newest CProfiles is the one whose active profile the per-profile settings follow
  // (the engine makes exactly one).
  CProfiles();
  ~CProfiles();
  static CProfiles *getCurrent();

  // Reads both files, creating whichever is missing with the defaults; 0, or -1 (with the reason
  // logged, printed and kept for getLoadError) when a file can neither be read nor created. Lines
  // end in "\n" or "\r\n". A list without names is rebuilt with the default names; one of fewer
  // than kSlots names, or with empty names, gets a fresh slot's name (see reset) in each missing
  // or empty place; one of more names keeps its first kSlots (blank lines after the last count
  // for nothing); a name too long is cut; a last profile that names no profile opens the first;
  // the file replaced is first kept beside it as NAME.bad (when that
  // cannot be written it stays as it was), and getRepairs tells the player what was done. A name
  // held by several slots opens the slot "lastslot.txt" names.
  int load();
  const std::string &getLoadError() const { return loadError; }
  // What load had to mend, in the player's words ('|' breaks a line).
  const std::vector<std::string> &getRepairs() const { return repairs; }
  // The mendings load tells of: the list empty, short of names or too long, or the last player
  // not in it, a name shortened.
  enum Repair { LIST_EMPTY, LIST_SHORT, LIST_LONG, NAME_LONG, LAST_UNKNOWN };
  // One of them in the player's words: `old` is where the replaced file was kept (none when it
  // could not be), `player` who plays now.
  static std::string repairNotice(Repair what, const std::string &old, const std::string &player);
  // The names of a profile list's text, before empty names are filled in (a name that draws
  // nothing, of blanks, invisible characters or one that starts with a NUL, is read as empty);
  // none when every line is blank. Names are UTF-8, kept byte for byte; a byte-order mark before
  // the first is dropped. `shortened` is set when a name was cut to kMaxName.
  static std::vector<std::string> parseNames(const std::string &file, bool *shortened = nullptr);
  // The name the last-profile file's text holds: its first line (after any byte-order mark),
  // cut to kMaxName.
  static std::string lastName(const std::string &file);
  // Writes both files (and the active slot's number to "lastslot.txt"). False when one cannot be
  // written: the names and the active profile then hold for this session, and the player is told
  // why in the notices given to tellTo. Switching the active profile writes the same way.
  bool save();
  void tellTo(CPlayerNotices *playerNotices) { notices = playerNotices; }

  std::string getAktivniProfilStr();
  std::string getAktivniProfilName();
  int getAktivniIndex() const { return aktivni; }
  const std::vector<std::string> &getNames() const { return names; }
  // The menus' name box renames through here and then calls save(). An empty name, or one with a
  // line end, could not be read back from the list and is refused (false), as is one another
  // slot holds; a long one is cut to kMaxName.
  bool rename(size_t index, const std::string &name);

  // Switch the active profile, write the last-profile file and apply its sound and video settings.
  void setAktivniProfil(const std::string &name);
  void setAktivniProfil(int index);
  // Returns every profile of that name to a fresh slot: its settings and save are deleted and it
  // is renamed "player" + (position + 1), or the first free "playerN" when another slot holds
  // that. The caller saves the names.
  void reset(const std::string &name);
  // The same for one slot, whatever its name; an index past the list does nothing.
  void resetSlot(size_t index);

  static std::string profilesPath();
  static std::string lastProfilePath();
  static std::string lastSlotPath();
  // "\hospital\<slot>\<file>" under the user's folder, before makeFilePath.
  static std::string slotFile(const std::string &slot, const char *file);

private:
  int32_t findLast(const std::string &last) const;
  // The file written, or the player told why not.
  bool store(const std::string &path, const std::string &bytes);
  // The active slot, the names when asked and the last player's name, in that order.
  bool storeChoice(bool withNames);
  bool writeLastSlot();
  void clearSlot(size_t index);
  void applyProfileSettings();
  // The damaged file's bytes go to the first free NAME.bad beside it; its short path, or empty
  // when it could not be written.
  std::string keepAside(const std::string &path, const std::string &bytes);

  int32_t aktivni = -1;
  std::vector<std::string> names;
  std::vector<std::string> repairs;
  std::string loadError;
  CPlayerNotices *notices = nullptr;
};
