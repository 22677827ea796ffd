#include "core/CProfiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/CAudioOptions.h"
#include "core/CPlayerNotices.h"
#include "core/CSafeFile.h"
#include "core/CVideoOptions.h"
#include "engine/KMiscTools.h"
#include "engine/KUtf8.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/makeString.h"

namespace {

CProfiles *g_current = nullptr;

const char kDefaultProfiles[] = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";
const char kDefaultLastProfile[] = "player1";
// What a failed write of the names or of the last player loses, told to the player (the choice
// holds until the game ends).
const char kPlayerList[] = "Players";

// At most kMaxName letters.
std::string cut(const std::string &name) {
  return name.substr(0, KUtf8::lead(name.data(), name.size(), CProfiles::kMaxName));
}

// A UTF-8 byte-order mark some editors write first is no part of the first name.
std::string withoutMark(const std::string &text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
}

// Drawn, a name of blanks, of invisible characters or one that starts with a NUL is an empty row.
bool drawsNothing(const std::string &name) {
  const size_t end = std::min(name.size(), name.find('\0'));
  for (size_t at = 0; at < end;) {
    const uint32_t c = KUtf8::next(name.data(), end, at);
    if (!KUtf8::isSpace(c) && !KUtf8::isInvisible(c)) return false;
  }
  return true;
}

std::string slotName(size_t index) { return "player" + makeString(index + 1); }

// The list as the file holds it: one name a line, no line end after the last.
std::string joined(const std::vector<std::string> &names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) text += "\n";
    text += names[i];
  }
  return text;
}

// One line of a file without its line end, "\n" or "\r\n" (a file written on Windows).
std::string lineOf(const std::string &text, size_t from, size_t to) {
  if (to > from && text[to - 1] == '\r') --to;
  return text.substr(from, to - from);
}

void say(const std::string &line) {
  CLogger::instance()->log(line);
  std::fprintf(stderr, "%s\n", line.c_str());
}

bool heldByOther(const std::vector<std::string> &names, size_t index, const std::string &name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (i != index && names[i] == name) return true;
  return false;
}

// The slot's own default name, or the first "playerN" no other slot holds: two slots of one
// name could not be told apart by the last-profile file.
std::string freeSlotName(const std::vector<std::string> &names, size_t index) {
  std::string name = slotName(index);
  for (size_t n = 0; heldByOther(names, index, name); ++n) name = slotName(n);
  return name;
}

// Last change of a slot's folder: saves and settings are written there only while it is active.
bool folderTime(const std::string &slot, struct timespec &when) {
  struct stat st;
  std::string path = KMiscTools::makeFilePath(CProfiles::slotFile(slot, "").c_str());
  if (stat(path.c_str(), &st) != 0) return false;
  when = st.st_mtim;
  return true;
}

bool readOrCreate(const std::string &path, const char *defaults, std::string &text, std::string &error) {
  std::string why;
  if (CSafeFile::readOrCreate(path, defaults, text, why)) return true;
  error = "Profile file " + path + " cannot be used: " + why;
  say(error);
  return false;
}

} // namespace

CProfiles::CProfiles() { g_current = this; }

CProfiles::~CProfiles() {
  if (g_current == this) g_current = nullptr;
}

CProfiles *CProfiles::getCurrent() { return g_current; }

std::string CProfiles::profilesPath() { return userFilePath("\\hospital\\profiles.txt"); }
std::string CProfiles::lastProfilePath() { return userFilePath("\\hospital\\lastprofile.txt"); }
std::string CProfiles::lastSlotPath() { return userFilePath("\\hospital\\lastslot.txt"); }

std::string CProfiles::slotFile(const std::string &slot, const char *file) {
  const char *user = KMiscTools::getUserFolder();
  return std::string(user ? user : "") + "\\hospital\\" + slot + "\\" + file;
}

std::vector<std::string> CProfiles::parseNames(const std::string &file, bool *shortened) {
  // One name a line; a final line end ends the last name and adds none.
  const std::string text = withoutMark(file);
  std::vector<std::string> out;
  bool any = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    const std::string line = lineOf(text, pos, nl);
    out.push_back(cut(line));
    // A name that shows as an empty row is missing.
    if (drawsNothing(out.back())) out.back().clear();
    else if (shortened && out.back().size() < line.size()) *shortened = true;
    any = any || !out.back().empty();
    pos = nl + 1;
  }
  if (!any) out.clear();
  return out;
}

std::string CProfiles::lastName(const std::string &file) {
  const std::string text = withoutMark(file);
  return cut(lineOf(text, 0, std::min(text.find('\n'), text.size())));
}

std::string CProfiles::keepAside(const std::string &path, const std::string &bytes) {
  std::string aside = path + ".bad";
  for (int n = 2; access(aside.c_str(), F_OK) == 0 && n < 100; ++n) aside = path + ".bad" + makeString(n);
  return CSafeFile::write(aside, bytes) ? CSafeFile::shortPath(aside) : std::string();
}

std::string CProfiles::repairNotice(Repair what, const std::string &old, const std::string &player) {
  static const char *const kListNotices[] = {"The list of players was empty,|so it was made anew.",
                                             "Some player names were missing,|so they were put back.",
                                             "The list held too many players,|so only the first six were kept.",
                                             "A player name was too long,|so it was shortened."};
  const std::string text =
      what == LAST_UNKNOWN ? "The last player was not found,|so " + player + " plays now." : kListNotices[what];
  return old.empty() ? text : text + "|Old: " + old;
}

int CProfiles::load() {
  repairs.clear();
  loadError.clear();
  // The game's files are read from here on: none of them is still being written.
  CSafeFile::clearCutWrites(userFilePath("\\hospital"));
  for (size_t i = 0; i < kSlots; ++i) CSafeFile::clearCutWrites(userFilePath("\\hospital\\" + makeString(i)));
  std::string text;
  const std::string listPath = profilesPath();
  if (!readOrCreate(listPath, kDefaultProfiles, text, loadError)) return -1;
  bool shortened = false;
  names = parseNames(text, &shortened);
  // Every slot keeps a name, or its folder and save could not be reached from the menus; an
  // empty name would also vanish from the list when it is written again. Names past the slots
  // would have no folder to play in; blank lines after the last are no names.
  while (names.size() > kSlots && names.back().empty()) names.pop_back();
  const bool none = names.empty(), tooMany = names.size() > kSlots;
  if (tooMany) names.resize(kSlots);
  const bool missing =
      tooMany || names.size() < kSlots || std::find(names.begin(), names.end(), std::string()) != names.end();
  if (missing || shortened) {
    names.resize(kSlots);
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i].empty()) names[i] = freeSlotName(names, i);
    // The shortened name is written at the next save anyway: the whole one stays in the old file.
    const std::string aside = keepAside(listPath, text);
    if (!aside.empty()) CSafeFile::write(listPath, joined(names));
    say("Profile file " + listPath +
        (none      ? " holds no profile name; the default names are used"
         : tooMany ? " holds more than " + makeString(kSlots) + " profile names; the first " + makeString(kSlots) +
                         " are kept, the default names filling any empty ones"
         : missing ? " lacks some profile names; the default names fill their slots"
                   : " holds a profile name longer than " + makeString(kMaxName) + " letters; it is shortened") +
        (aside.empty() ? std::string() : ", the old file is kept as " + aside));
    repairs.push_back(
        repairNotice(none ? LIST_EMPTY : tooMany ? LIST_LONG : missing ? LIST_SHORT : NAME_LONG, aside, ""));
  }

  const std::string lastPath = lastProfilePath();
  if (!readOrCreate(lastPath, kDefaultLastProfile, text, loadError)) return -1;
  const std::string last = lastName(text);
  CLogger::instance()->log("ACTIVEPROFILE:" + last + ".");

  aktivni = findLast(last);
  if (aktivni == -1) {
    aktivni = 0;
    const std::string aside = keepAside(lastPath, text);
    if (!aside.empty()) CSafeFile::write(lastPath, names[0]);
    say("Last active profile \"" + last + "\" of " + lastPath + " is not in " + listPath + "; " + names[0] +
        " is opened" + (aside.empty() ? std::string() : ", the old file is kept as " + aside));
    repairs.push_back(repairNotice(LAST_UNKNOWN, aside, names[0]));
  }
  CLogger::instance()->log("Posledni profil je:" + makeString(aktivni));
  return 0;
}

int32_t CProfiles::findLast(const std::string &last) const {
  std::vector<size_t> matches;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == last) matches.push_back(i);
  if (matches.size() < 2) return matches.empty() ? -1 : (int32_t)matches[0];

  // One name in several slots: the slot file written with the name tells which was last used.
  std::string text;
  if (CSafeFile::read(lastSlotPath(), text)) {
    char *end = nullptr;
    long slot = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() && slot >= 0 && (size_t)slot < names.size() && names[(size_t)slot] == last)
      return (int32_t)slot;
  }
  // Files of earlier versions have none: the slot whose folder changed last, else the last match.
  size_t best = matches.back();
  struct timespec bestTime = {0, 0}, t;
  for (size_t i : matches) {
    if (!folderTime(makeString(i), t)) continue;
    if (t.tv_sec > bestTime.tv_sec || (t.tv_sec == bestTime.tv_sec && t.tv_nsec >= bestTime.tv_nsec)) {
      best = i;
      bestTime = t;
    }
  }
  CLogger::instance()->log("Profile name \"" + last + "\" stands in several slots; slot " + makeString(best) +
                           " is opened");
  return (int32_t)best;
}

bool CProfiles::store(const std::string &path, const std::string &bytes) {
  std::string why;
  if (CSafeFile::write(path, bytes, &why)) return true;
  if (notices) notices->unwritten(kPlayerList, why, path);
  return false;
}

bool CProfiles::storeChoice(bool withNames) {
  // The slot first, so once the names are on disk the change is whole.
  const bool whole = writeLastSlot() && (!withNames || store(profilesPath(), joined(names))) &&
                     store(lastProfilePath(), getAktivniProfilName());
  if (whole && notices) notices->written(kPlayerList);
  return whole;
}

bool CProfiles::save() { return storeChoice(true); }

bool CProfiles::writeLastSlot() {
  // Only when it changed, as every write waits for the disk.
  const std::string slot = getAktivniProfilStr(), path = lastSlotPath();
  std::string stored;
  return (CSafeFile::read(path, stored) && stored == slot) || store(path, slot);
}

bool CProfiles::rename(size_t index, const std::string &name) {
  if (index >= names.size() || name.empty() || name.find('\n') != std::string::npos) return false;
  if (heldByOther(names, index, cut(name))) return false;
  names[index] = cut(name);
  return true;
}

std::string CProfiles::getAktivniProfilStr() {
  if (aktivni < 0 || (size_t)aktivni >= names.size()) fatalError("AktiviProfil not found:(", 0);
  return makeString(aktivni);
}

std::string CProfiles::getAktivniProfilName() {
  if (aktivni < 0 || (size_t)aktivni >= names.size()) fatalError("AktiviProfil not found:(", 0);
  return names[(size_t)aktivni];
}

void CProfiles::setAktivniProfil(const std::string &name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) {
      setAktivniProfil((int)i);
      return;
    }
  }
  fatalError("SetAktivniProfil: Profile not found:(", 0);
}

void CProfiles::setAktivniProfil(int index) {
  if (index < 0 || (size_t)index >= names.size()) fatalError("SetAktivniProfil: Profile not found:(", 0);
  aktivni = index;
  storeChoice(false);
  applyProfileSettings();
}

void CProfiles::reset(const std::string &name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) clearSlot(i);
  applyProfileSettings();
}

void CProfiles::resetSlot(size_t index) {
  if (index >= names.size()) return;
  clearSlot(index);
  applyProfileSettings();
}

void CProfiles::clearSlot(size_t index) {
  static const char *const files[] = {"audio.cfg", "video.cfg", "save.dat"};
  for (const char *file : files) {
    std::string path = KMiscTools::makeFilePath(slotFile(makeString(index), file).c_str());
    std::remove(path.c_str());
  }
  names[index] = freeSlotName(names, index);
}

void CProfiles::applyProfileSettings() {
  CAudioOptions::instance()->nahraj();
  CAudioOptions::instance()->aplikuj();
  CVideoOptions::instance()->nahraj();
  CVideoOptions::instance()->aplikuj();
}
