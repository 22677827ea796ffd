#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Static toolbox for the platform-bound odds and ends: the engine clock, data paths,
// the user folder, folders and files, message boxes and byte-order flips.
class KMiscTools {
public:
  KMiscTools() {}
  ~KMiscTools() {}

  static void initMiscTools();
  static void initMilliseconds();
  static unsigned long getMilliseconds();
  static void setMilliseconds(unsigned long v);
  static void freezeTimer();
  static void pause(long ms, bool processEvents);
  static unsigned long getTheTicks();

  static const char *makeFilePath(const char *path);
  static long cleanPath(char *path);
  static const char *getCurrentPath();
  static void setFileSource(bool inPackage);
  static const char *getUserFolder();
  static const char *getPreferencesFolder();
  static bool createDirectory(const char *path);
  static bool fileExists(const char *path);
  static void enumerateFolder(char *path, bool (*callback)(char *name, bool isFolder, void *data), void *data);
  static void messageBox(const char *detail, const char *headline);
  static void launchFile(char *path, bool unused);
  static const char *getLocale();
  static long getYear();

  static short flipShort(short v);
  static unsigned short flipUnsignedShort(unsigned short v);
  static long flipLong(long v);
  static unsigned long flipUnsignedLong(unsigned long v);
  static float flipFloat(float v);
  static double flipDouble(double v);

  // Hooks for tests and tools: a replaceable millisecond source, the application folder,
  // and a message-box handler (so nothing modal blocks an unattended run).
  typedef uint32_t (*ClockSource)();
  static void setClockSource(ClockSource source);
  static void setApplicationFolder(const char *folder);
  typedef void (*MessageBoxHandler)(const char *detail, const char *headline);
  static void setMessageBoxHandler(MessageBoxHandler handler);

  // Pump used by pause(); the window installs it so this class stays free of the event layer.
  // `owner` names who installed it, so only that one takes it away (clearEventPump).
  typedef std::function<void()> EventPump;
  static void setEventPump(EventPump pump, const void *owner = nullptr);
  static void clearEventPump(const void *owner);
  static EventPump getEventPump();

  static uint32_t _millisecondCounter;
  static uint32_t _starterMSTimer;
  static uint32_t _delta;
  static uint32_t _t2;
  static int _inPackage;
  // Whole paths however long: a cut path would name another file.
  static std::string currentAppPath;
  static std::string _resourcePath;
  static std::string currentFilePath;
};

// The clock source's reading in milliseconds, without the engine counter.
unsigned long kggetMilliseconds();
// Handles at most one pending platform event without waiting.
void kmProcessEvents();
