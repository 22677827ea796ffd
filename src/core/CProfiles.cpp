#include "core/CProfiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    if (names.back().empty()) names.back() = slotName(names.size() - 1);
    pos = nl + 1;
  }
  if (names.empty()) fatalError("Profile file " + listPath + " holds no profile name", 0);

  const std::string lastPath = lastProfilePath();
  if (!readOrCreate(lastPath, kDefaultLastProfile, text)) return -1;
  std::string last = cut(text.substr(0, text.find('\n')));
  CLogger::instance()->log("ACTIVEPROFILE:" + last + ".");

  aktivni = -1;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == last) aktivni = (int32_t)i;
  if (aktivni == -1)
    fatalError("Last active profile doesn't match any profile, someone played with files: \"" + last + "\" of " +
                   lastPath + " is not in " + listPath,
               0);
  CLogger::instance()->log("Posledni profil je:" + makeString(aktivni));
  return 0;
}

void CProfiles::save() {
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
  std::string name = getAktivniProfilName();
  std::string path = lastProfilePath();
  if (!CSafeFile::write(path, name)) fatalError("Can't open " + path, 0);
}

bool CProfiles::rename(size_t index, const std::string &name) {
  if (index >= names.size() || name.empty() || name.find('\n') != std::string::npos) return false;
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
  names[index] = slotName(index);
}

void CProfiles::applyProfileSettings() {
  CAudioOptions::instance()->nahraj();
  CAudioOptions::instance()->aplikuj();
  CVideoOptions::instance()->nahraj();
  CVideoOptions::instance()->aplikuj();
}
