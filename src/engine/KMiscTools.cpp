#include "engine/KMiscTools.h"

#include "engine/KMessageBox.h"

#include <SDL.h>
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

uint32_t KMiscTools::_millisecondCounter = 0;
uint32_t KMiscTools::_starterMSTimer = 0;
uint32_t KMiscTools::_delta = 0;
uint32_t KMiscTools::_t2 = 0;
int KMiscTools::_inPackage = 0;
std::string KMiscTools::currentAppPath;
std::string KMiscTools::_resourcePath;
std::string KMiscTools::currentFilePath;

namespace {
// Results handed out as text stay valid until the next call of the same operation.
std::string g_builtPath;
// Per thread: picture workers open files, which asks for it, while the main thread does too.
thread_local std::string g_currentPath;
std::string g_userFolder;
std::string g_prefsFolder;
char g_locale[260];

KMiscTools::ClockSource g_clockSource = nullptr;
KMiscTools::EventPump g_eventPump;
const void *g_eventPumpOwner = nullptr;

uint32_t platformMilliseconds() {
  static const Uint64 freq = SDL_GetPerformanceFrequency();
  Uint64 c = SDL_GetPerformanceCounter();
  // Only the low 32 bits are kept; getMilliseconds absorbs the wrap.
  return (uint32_t)((c / freq) * 1000u + ((c % freq) * 1000u) / freq);
}

uint32_t clockNow() { return g_clockSource ? g_clockSource() : platformMilliseconds(); }

// The executable's own folder stands in for the folder that holds the application bundle.
void readApplicationPaths() {
  std::string exe;
  for (size_t size = 256;; size *= 2) {
    std::string buf(size, '\0');
    ssize_t n = readlink("/proc/self/exe", &buf[0], size);
    if (n <= 0) break;
    if ((size_t)n < size) {
      exe.assign(buf, 0, (size_t)n);
      break;
    }
  }
  if (exe.empty()) exe = "./tobrulant";
  KMiscTools::currentAppPath = exe;
  KMiscTools::_resourcePath = "Contents/Resources";
  size_t slash = exe.rfind('/');
  if (slash != std::string::npos) exe.erase(slash == 0 ? 1 : slash);
  KMiscTools::currentFilePath = exe;
}
} // namespace

void KMiscTools::initMiscTools() {
  _millisecondCounter = 0;
  initMilliseconds();
  if (currentFilePath.empty()) readApplicationPaths();
}

void KMiscTools::initMilliseconds() {
  _millisecondCounter = 0;
  _starterMSTimer = clockNow();
}

unsigned long KMiscTools::getMilliseconds() {
  uint32_t now = clockNow();
  _t2 = now;
  // Unsigned difference: a wrap of the 32-bit source still counts as the small step it is.
  uint32_t step = now - _starterMSTimer;
  if (step != 0) {
    _delta = step;
    _starterMSTimer = now;
    _millisecondCounter += step;
  }
  return _millisecondCounter;
}

void KMiscTools::setMilliseconds(unsigned long v) { _millisecondCounter = (uint32_t)v; }

void KMiscTools::freezeTimer() { _starterMSTimer = clockNow(); }

void KMiscTools::pause(long ms, bool processEvents) {
  uint32_t start = (uint32_t)getMilliseconds();
  long elapsed;
  do {
    elapsed = (long)(int32_t)((uint32_t)getMilliseconds() - start);
    if (elapsed < 0) break;
    if (processEvents) kmProcessEvents();
    // Yield the core while waiting; the wait still ends on the engine clock alone.
    if (elapsed < ms && g_clockSource == nullptr) SDL_Delay(1);
  } while (elapsed < ms);
}

unsigned long KMiscTools::getTheTicks() { return (unsigned long)(clockNow() * 60ull / 1000ull); }

const char *KMiscTools::makeFilePath(const char *path) {
  if (!path) path = "";
  if (path[0] == '\\') path++;
  // Built aside first: the caller may hand back an earlier result. Assigning keeps the storage,
  // so an earlier result is overwritten, as with a fixed buffer, unless a longer path needs more.
  std::string built;
  if (path[0] == '/') {
    built = path;
  } else {
    if (currentFilePath.empty()) readApplicationPaths();
    if (_inPackage == 1)
      built = currentAppPath + "/" + _resourcePath + "/" + path;
    else
      built = currentFilePath + "/" + path;
  }
  for (char &c : built)
    if (c == '\\') c = '/';
  g_builtPath.assign(built);
  return g_builtPath.c_str();
}

long KMiscTools::cleanPath(char *path) {
  if (!path || !path[0]) return 0;
  long n = 0;
  for (; path[n]; ++n)
    if (path[n] == '\\' || path[n] == ':') path[n] = '/';
  return n;
}

const char *KMiscTools::getCurrentPath() {
  // Reads the paths once without restarting the engine clock, so opening files never resets time.
  if (currentFilePath.empty()) readApplicationPaths();
  g_currentPath = _inPackage == 0 ? currentFilePath : currentAppPath + "/Contents/Resources";
  return g_currentPath.c_str();
}

void KMiscTools::setFileSource(bool inPackage) { _inPackage = inPackage ? 1 : 0; }

const char *KMiscTools::getUserFolder() {
  const char *home = std::getenv("HOME");
  if (!home || !home[0]) {
    struct passwd *pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : nullptr;
  }
  if (!home || !home[0]) return nullptr;
  g_userFolder = home;
  return g_userFolder.c_str();
}

const char *KMiscTools::getPreferencesFolder() {
  const char *user = getUserFolder();
  if (!user) return nullptr;
  g_prefsFolder = std::string(user) + "/.config";
  return g_prefsFolder.c_str();
}

bool KMiscTools::createDirectory(const char *path) {
  if (!path || std::strlen(path) < 2) return false;
  const std::string copy = path;
  static const mode_t modes[] = {0777, 0666, 0600, 0700};
  bool made = false;
  for (mode_t m : modes) {
    if (mkdir(copy.c_str(), m) == 0) {
      made = true;
      break;
    }
  }
  if (!made) {
    // An existing folder is what the caller wanted, not a failure.
    struct stat st;
    if (stat(copy.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  }
  if (chdir(makeFilePath("")) != 0) {
    // The working folder only matters for the debug log; a failure here changes nothing else.
  }
  return true;
}

bool KMiscTools::fileExists(const char *path) {
  struct stat st;
  return path && stat(path, &st) == 0;
}

void KMiscTools::enumerateFolder(char *path, bool (*callback)(char *, bool, void *), void *data) {
  if (!path || !callback) return;
  std::string folder = path;
  size_t len = folder.size();
  if (len >= 3 && folder[len - 3] == '*') folder.erase(len - 3);
  DIR *dir = opendir(folder.c_str());
  if (!dir) return;
  // In the order the system lists them, without "." so the callback sees ".." and the real entries.
  struct dirent *e;
  while ((e = readdir(dir)) != nullptr) {
    if (std::strcmp(e->d_name, ".") == 0) continue;
    const std::string full = folder + e->d_name;
    struct stat st;
    bool isFolder = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    char name[256];
    std::snprintf(name, sizeof(name), "%s", e->d_name);
    if (!callback(name, isFolder, data)) break;
  }
  closedir(dir);
}

void KMiscTools::messageBox(const char *detail, const char *headline) {
  if (!detail) detail = "";
  if (!headline) headline = "";
  std::fprintf(stderr, "%s%s%s\n", headline, headline[0] ? ": " : "", detail);
  KMessageBox::show(headline, detail, false);
}

void KMiscTools::launchFile(char *path, bool) {
  if (!path) return;
  // No file-opening service here; nothing in the game asks for one.
}

const char *KMiscTools::getLocale() {
  const char *lang = std::getenv("LANG");
  std::snprintf(g_locale, sizeof(g_locale), "%s", lang && lang[0] ? lang : "C");
  char *dot = std::strchr(g_locale, '.');
  if (dot) *dot = 0;
  return g_locale;
}

long KMiscTools::getYear() {
  time_t t = time(nullptr);
  struct tm tmv;
  localtime_r(&t, &tmv);
  return tmv.tm_year + 1900;
}

short KMiscTools::flipShort(short v) { return (short)flipUnsignedShort((unsigned short)v); }
unsigned short KMiscTools::flipUnsignedShort(unsigned short v) { return (unsigned short)((v >> 8) | (v << 8)); }
long KMiscTools::flipLong(long v) { return (long)(int32_t)flipUnsignedLong((unsigned long)(uint32_t)v); }
unsigned long KMiscTools::flipUnsignedLong(unsigned long v) {
  uint32_t x = (uint32_t)v;
  return (unsigned long)((x >> 24) | ((x >> 8) & 0xFF00u) | ((x << 8) & 0xFF0000u) | (x << 24));
}
float KMiscTools::flipFloat(float v) {
  unsigned char b[4];
  std::memcpy(b, &v, 4);
  unsigned char r[4] = {b[3], b[2], b[1], b[0]};
  float out;
  std::memcpy(&out, r, 4);
  return out;
}
double KMiscTools::flipDouble(double v) {
  unsigned char b[8], r[8];
  std::memcpy(b, &v, 8);
  for (int i = 0; i < 8; ++i) r[i] = b[7 - i];
  double out;
  std::memcpy(&out, r, 8);
  return out;
}

void KMiscTools::setClockSource(ClockSource source) {
  g_clockSource = source;
  _starterMSTimer = clockNow();
}

void KMiscTools::setApplicationFolder(const char *folder) {
  currentFilePath = folder ? folder : "";
  currentAppPath = currentFilePath + "/tobrulant";
  _resourcePath = "Contents/Resources";
}

void KMiscTools::setMessageBoxHandler(MessageBoxHandler handler) { KMessageBox::setHandler(handler); }
void KMiscTools::setEventPump(EventPump pump, const void *owner) {
  g_eventPump = std::move(pump);
  g_eventPumpOwner = owner;
}

void KMiscTools::clearEventPump(const void *owner) {
  if (g_eventPumpOwner == owner) setEventPump(nullptr);
}
KMiscTools::EventPump KMiscTools::getEventPump() { return g_eventPump; }

unsigned long kggetMilliseconds() { return clockNow(); }

void kmProcessEvents() {
  if (g_eventPump) g_eventPump();
}
