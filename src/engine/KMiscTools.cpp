#include "engine/KMiscTools.h"

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
char KMiscTools::currentAppPath[260] = "";
char KMiscTools::_resourcePath[260] = "";
char KMiscTools::currentFilePath[260] = "";

namespace {
char g_builtPath[260];
char g_currentPath[260];
char g_userFolder[520];
char g_prefsFolder[520];
char g_locale[260];

KMiscTools::ClockSource g_clockSource = nullptr;
KMiscTools::MessageBoxHandler g_messageBoxHandler = nullptr;
KMiscTools::EventPump g_eventPump = nullptr;

uint32_t platformMilliseconds() {
  static const Uint64 freq = SDL_GetPerformanceFrequency();
  Uint64 c = SDL_GetPerformanceCounter();
  // Only the low 32 bits are kept; getMilliseconds absorbs the wrap.
  return (uint32_t)((c / freq) * 1000u + ((c % freq) * 1000u) / freq);
}

uint32_t clockNow() { return g_clockSource ? g_clockSource() : platformMilliseconds(); }

// The executable's own folder stands in for the folder that holds the application bundle.
void readApplicationPaths() {
  char exe[260] = "";
  ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  if (n <= 0) {
    std::snprintf(exe, sizeof(exe), "./tobrulant");
  } else {
    exe[n] = 0;
  }
  std::snprintf(KMiscTools::currentAppPath, sizeof(KMiscTools::currentAppPath), "%s", exe);
  std::snprintf(KMiscTools::_resourcePath, sizeof(KMiscTools::_resourcePath), "Contents/Resources");
  char *slash = std::strrchr(exe, '/');
  if (slash && slash != exe) *slash = 0;
  else if (slash) slash[1] = 0;
  std::snprintf(KMiscTools::currentFilePath, sizeof(KMiscTools::currentFilePath), "%s", exe);
}
} // namespace

void KMiscTools::initMiscTools() {
  _millisecondCounter = 0;
  initMilliseconds();
  if (currentFilePath[0] == 0) readApplicationPaths();
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
  // Built aside first: the caller may hand back an earlier result, which is this buffer.
  char built[sizeof(g_builtPath)];
  if (path[0] == '/') {
    std::snprintf(built, sizeof(built), "%s", path);
  } else {
    if (currentFilePath[0] == 0) readApplicationPaths();
    if (_inPackage == 1)
      std::snprintf(built, sizeof(built), "%s/%s/%s", currentAppPath, _resourcePath, path);
    else
      std::snprintf(built, sizeof(built), "%s/%s", currentFilePath, path);
  }
  for (char *p = built; *p; ++p)
    if (*p == '\\') *p = '/';
  std::memcpy(g_builtPath, built, sizeof(built));
  return g_builtPath;
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
  if (currentFilePath[0] == 0) readApplicationPaths();
  if (_inPackage == 0)
    std::snprintf(g_currentPath, sizeof(g_currentPath), "%s", currentFilePath);
  else
    std::snprintf(g_currentPath, sizeof(g_currentPath), "%s/Contents/Resources", currentAppPath);
  return g_currentPath;
}

void KMiscTools::setFileSource(bool inPackage) { _inPackage = inPackage ? 1 : 0; }

const char *KMiscTools::getUserFolder() {
  const char *home = std::getenv("HOME");
  if (!home || !home[0]) {
    struct passwd *pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : nullptr;
  }
  if (!home || !home[0]) return nullptr;
  std::snprintf(g_userFolder, sizeof(g_userFolder), "%s", home);
  return g_userFolder;
}

const char *KMiscTools::getPreferencesFolder() {
  const char *user = getUserFolder();
  if (!user) return nullptr;
  std::snprintf(g_prefsFolder, sizeof(g_prefsFolder), "%s/.config", user);
  return g_prefsFolder;
}

bool KMiscTools::createDirectory(const char *path) {
  if (!path || std::strlen(path) < 2) return false;
  char copy[520];
  std::snprintf(copy, sizeof(copy), "%s", path);
  static const mode_t modes[] = {0777, 0666, 0600, 0700};
  bool made = false;
  for (mode_t m : modes) {
    if (mkdir(copy, m) == 0) {
      made = true;
      break;
    }
  }
  if (!made) {
    // An existing folder is what the caller wanted, not a failure.
    struct stat st;
    if (stat(copy, &st) != 0 || !S_ISDIR(st.st_mode)) return false;
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
  char folder[512];
  std::snprintf(folder, sizeof(folder), "%s", path);
  size_t len = std::strlen(folder);
  if (len >= 3 && folder[len - 3] == '*') folder[len - 3] = 0;
  DIR *dir = opendir(folder);
  if (!dir) return;
  // In the order the system lists them, without "." so the callback sees ".." and the real entries.
  struct dirent *e;
  while ((e = readdir(dir)) != nullptr) {
    if (std::strcmp(e->d_name, ".") == 0) continue;
    char full[1024];
    std::snprintf(full, sizeof(full), "%s%s", folder, e->d_name);
    struct stat st;
    bool isFolder = stat(full, &st) == 0 && S_ISDIR(st.st_mode);
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
  if (g_messageBoxHandler) {
    g_messageBoxHandler(detail, headline);
    return;
  }
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, headline, detail, nullptr);
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
  std::snprintf(currentFilePath, sizeof(currentFilePath), "%s", folder ? folder : "");
  std::snprintf(currentAppPath, sizeof(currentAppPath), "%s/tobrulant", currentFilePath);
  std::snprintf(_resourcePath, sizeof(_resourcePath), "Contents/Resources");
}

void KMiscTools::setMessageBoxHandler(MessageBoxHandler handler) { g_messageBoxHandler = handler; }
void KMiscTools::setEventPump(EventPump pump) { g_eventPump = pump; }
KMiscTools::EventPump KMiscTools::getEventPump() { return g_eventPump; }

unsigned long kggetMilliseconds() { return clockNow(); }

void kmProcessEvents() {
  if (g_eventPump) g_eventPump();
}
