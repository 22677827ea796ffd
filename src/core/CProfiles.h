#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The profile names and the active profile, kept in "\hospital\profiles.txt" and
// "\hospital\lastprofile.txt". The active index in decimal names the profile's folder under
// "\hospital\", which holds its sound and video settings and its saved game.
class CProfiles {
public:
  static const size_t kMaxName = 14;

  // The newest CProfiles is the one whose active profile the per-profile settings follow
  // (the engine makes exactly one).
  CProfiles();
  ~CProfiles();
  static CProfiles *getCurrent();

  // Reads both files, creating whichever is missing with the defaults; 0, or -1 (with the reason
  // logged and printed) when a file can neither be read nor created. An empty name in the list
  // becomes a fresh slot's name (see reset). A list without names, or a last profile that names
  // no profile, is fatal. A name held by several slots opens the slot "lastslot.txt" names.
  int load();
  // Writes both files (and the active slot's number to "lastslot.txt"); a failed write is fatal.
  void save();

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
  void writeLastProfile();
  void writeLastSlot();
  void clearSlot(size_t index);
  void applyProfileSettings();

  int32_t aktivni = -1;
  std::vector<std::string> names;
};
