#pragma once
#include <string>
#include <vector>

class KSound;

// One registered effect (or stream) under its key; its file is read when it first plays.
class CSound {
public:
  KSound *sound = nullptr;
  std::string key;
  std::string file;
  bool stream = false;
  bool loaded = false;
  // Found damaged or missing at registration: never loaded, plays nothing.
  bool broken = false;
};

// One music track; the file is loaded only when the tune is played.
class CMusic {
public:
  std::string key;
  std::string file;
  bool broken = false;
};

// Never filled: the module operations of the registry do nothing.
class CPattern {
public:
  std::string name;
  int order = 0;
};

// Named sounds and music. Effects are samples on one channel, so replaying one restarts it;
// at most one music track plays at a time, on the global music. An effect is decoded when it
// first plays (a millisecond or so), so start-up does not decode hundreds of them; registration
// only checks that each file is there with a header it can play, and reports any that is not,
// naming it, so a damaged file is found at start-up and never in the middle of a day.
class CSoundEngine {
public:
  CSoundEngine();
  virtual ~CSoundEngine();

  void init();
  void addSound(std::string file, std::string key, bool stream);
  void addMusic(std::string file, std::string key);
  void playSound(std::string key);
  void playMusic(std::string key);
  void stopMusic();
  void stopSounds();
  void setSoundVolume(int percent);
  void setMusicVolume(int percent);
  KSound *getGlobalMusic();

  void addPattern(std::string name, int order);
  void setPattern(std::string name);
  void loadModule(std::string file);
  void playModule(bool loop);

  // The audio settings and the loading screen live above this layer; they plug in here.
  // Without a query a switch counts as on; without a report nothing is shown.
  typedef bool (*SwitchQuery)();
  static void setSwitchQueries(SwitchQuery soundOn, SwitchQuery musicOn);
  typedef void (*FillReport)(float fill);
  typedef void (*TextReport)(const std::string &text);
  static void setLoadingReports(FillReport fill, TextReport text);

private:
  // Decodes the entry on its first use.
  void load(CSound &s);
  // False, with the file named in the log and on standard error, when it cannot be played.
  static bool checked(const std::string &file, bool stream);
public:

  int registeredCount = 0;
  // The last effects volume set, for effects decoded after it; -1 before any.
  int soundVolume = -1;
  KSound *moduleSound = nullptr;
  std::vector<CPattern> patterns;
  std::vector<CMusic> music;
  std::vector<CSound> sounds;
  KSound *globalMusic = nullptr;
};
