#include "media/CSoundEngine.h"

#include "engine/KSound.h"
#include "media/CLogger.h"

#include <cstdio>

namespace {
CSoundEngine::SwitchQuery g_soundOn = nullptr;
CSoundEngine::SwitchQuery g_musicOn = nullptr;
CSoundEngine::FillReport g_fillReport = nullptr;
CSoundEngine::TextReport g_textReport = nullptr;

bool soundOn() { return g_soundOn ? g_soundOn() : true; }
bool musicOn() { return g_musicOn ? g_musicOn() : true; }
} // namespace

void CSoundEngine::setSwitchQueries(SwitchQuery soundOnQuery, SwitchQuery musicOnQuery) {
  g_soundOn = soundOnQuery;
  g_musicOn = musicOnQuery;
}

void CSoundEngine::setLoadingReports(FillReport fill, TextReport text) {
  g_fillReport = fill;
  g_textReport = text;
}

CSoundEngine::CSoundEngine() {}

CSoundEngine::~CSoundEngine() {
  delete globalMusic;
  globalMusic = nullptr;
  for (CSound &s : sounds) {
    delete s.sound;
    s.sound = nullptr;
  }
  delete moduleSound;
  moduleSound = nullptr;
}

void CSoundEngine::init() {}

void CSoundEngine::addSound(std::string file, std::string key, bool stream) {
  if (g_fillReport) {
    float share = (float)registeredCount / 250.0f;
    g_fillReport((float)(0.5 + (double)share / 2.15));
  }
  if (g_textReport) g_textReport("LOADING");
  if (!stream) registeredCount++;
  CSound entry;
  entry.sound = new KSound();
  entry.key = std::move(key);
  entry.file = std::move(file);
  entry.stream = stream;
  entry.broken = !checked(entry.file, stream);
  sounds.push_back(entry);
}

bool CSoundEngine::checked(const std::string &file, bool stream) {
  const char *wrong = KSound::checkFile(file.c_str());
  if (!wrong) return true;
  const std::string line = (stream ? "Warning! Music " : "Warning! Sound ") + file + " not loaded";
  CLogger::instance()->log(line + ".");
  std::fprintf(stderr, "%s: %s\n", line.c_str(), wrong);
  return false;
}

void CSoundEngine::load(CSound &s) {
  if (s.loaded) return;
  s.loaded = true;
  if (s.broken) return;
  bool ok = s.stream ? s.sound->loadStream(s.file.c_str()) : s.sound->loadSample(s.file.c_str(), 100, false, 1);
  if (!ok) CLogger::instance()->log((s.stream ? "Warning! Music " : "Warning! Sound ") + s.file + " not loaded.");
  else if (!s.stream && soundVolume >= 0) s.sound->setVolume(soundVolume);
}

void CSoundEngine::addMusic(std::string file, std::string key) {
  CMusic entry;
  entry.key = key;
  entry.file = file;
  entry.broken = !checked(file, true);
  music.push_back(entry);
  registeredCount++;
}

void CSoundEngine::playSound(std::string key) {
  if (!soundOn()) return;
  // Every entry under the key plays, not only the first.
  for (CSound &s : sounds) {
    if (s.key != key) continue;
    load(s);
    if (s.stream) {
      stopMusic();
      s.sound->playStream(true);
    } else {
      s.sound->playSample();
    }
  }
}

void CSoundEngine::playMusic(std::string key) {
  if (!musicOn()) return;
  for (CMusic &m : music) {
    if (m.key != key || m.broken) continue;
    if (!globalMusic) globalMusic = new KSound();
    // Loading closes the previous tune's channel, so it stops at once; a failed load stays silent.
    globalMusic->loadStream(m.file.c_str());
    globalMusic->playStream(true);
  }
}

void CSoundEngine::stopMusic() {
  for (CSound &s : sounds)
    if (s.loaded && s.stream && s.sound->isPlaying()) s.sound->stopStream();
}

void CSoundEngine::stopSounds() {
  for (CSound &s : sounds)
    if (s.loaded && !s.stream && s.sound->isPlaying()) s.sound->stopSample();
}

void CSoundEngine::setSoundVolume(int percent) {
  soundVolume = percent;
  for (CSound &s : sounds)
    if (!s.stream) s.sound->setVolume(percent);
}

void CSoundEngine::setMusicVolume(int percent) {
  if (globalMusic) globalMusic->setVolume(percent);
}

KSound *CSoundEngine::getGlobalMusic() { return globalMusic; }

void CSoundEngine::addPattern(std::string, int) {}
void CSoundEngine::setPattern(std::string) {}
void CSoundEngine::loadModule(std::string) {}
void CSoundEngine::playModule(bool) {}
