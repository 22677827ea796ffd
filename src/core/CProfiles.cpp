#include "core/CProfiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/CAudioOptions.h"
#include "core/CSafeFile.h"
#include "core/CVideoOptions.h"
#include "engine/KMiscTools.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/makeString.h"

namespace {

CProfiles *g_current = nullptr;

const char kDefaultProfiles[] = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";
const char kDefaultLastProfile[] = "player1";

std::string cut(const std::string &name) {
  return name.size() > CProfiles::kMaxName ? name.substr(0, CProfiles::kMaxName) : name;
}

std::string slotName(size_t index) { return "player" + makeString(index + 1); }

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

// Reads the file, creating it with the defaults only when it does not exist at all, so a file
// that exists but cannot be read is never replaced. On failure says why.
bool readOrCreate(const std::string &path, const char *defaults, std::string &text) {
  if (CSafeFile::read(path, text)) return true;
  int err = errno;
  struct stat st;
  std::string why;
  if (stat(path.c_str(), &st) == 0) {
    why = S_ISDIR(st.st_mode) ? std::string("it is a folder, not a file")
                              : std::string("cannot be read (") + std::strerror(err) + ")";
  } else if (!CSafeFile::write(path, std::string(defaults))) {
    why = "missing, and cannot be created";
  } else if (CSafeFile::read(path, text)) {
    return true;
  } else {
    why = "cannot be read back after creating it";
  }
  std::string line = "Profile file " + path + " cannot be used: " + why;
  CLogger::instance()->log(line);
  std::fprintf(stderr, "%s\n", line.c_str());
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

int CProfiles::load() {
  std::string text;
  const std::string listPath = profilesPath();
  if (!readOrCreate(listPath, kDefaultProfiles, text)) return -1;
  // One name a line; a final line end ends the last name and adds none.
  names.clear();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    names.push_back(cut(text.substr(pos, nl - pos)));
    // An empty name would vanish from the list when it is written again.
    if (names.back().empty()) names.back() = freeSlotName(names, names.size() - 1);
    pos = nl + 1;
  }
  if (names.empty()) fatalError("Profile file " + listPath + " holds no profile name", 0);

  const std::string lastPath = lastProfilePath();
  if (!readOrCreate(lastPath, kDefaultLastProfile, text)) return -1;
  std::string last = cut(text.substr(0, text.find('\n')));
  CLogger::instance()->log("ACTIVEPROFILE:" + last + ".");

  aktivni = findLast(last);
  if (aktivni == -1)
    fatalError("Last active profile doesn't match any profile, someone played with files: \"" + last + "\" of " +
                   lastPath + " is not in " + listPath,
               0);
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

void CProfiles::save() {
  writeLastSlot();
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) text += "\n";
    text += names[i];
  }
  std::string path = profilesPath();
  if (!CSafeFile::write(path, text)) fatalError("Can't open " + path, 0);
  writeLastProfile();
}

void CProfiles::writeLastProfile() {
  std::string path = lastProfilePath();
  if (!CSafeFile::write(path, getAktivniProfilName())) fatalError("Can't open " + path, 0);
}

void CProfiles::writeLastSlot() {
  // Written before the names, so once they are on disk the change is whole; and only when it
  // changed, as every write waits for the disk.
  const std::string slot = getAktivniProfilStr(), path = lastSlotPath();
  std::string stored;
  if (CSafeFile::read(path, stored) && stored == slot) return;
  if (!CSafeFile::write(path, slot)) fatalError("Can't open " + path, 0);
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
  writeLastSlot();
  writeLastProfile();
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
