#include "core/CAudioOptions.h"

#include <vector>

#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CSettingsFile.h"
#include "engine/KMiscTools.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/makeString.h"

namespace {
CAudioOptions::VolumeSink g_sink = nullptr;

int clampVolume(int v) { return v < 0 ? 0 : (v > 100 ? 100 : v); }
} // namespace

void CAudioOptions::setSoundVolume(int v) { soundVolume = clampVolume(v); }
void CAudioOptions::setMusicVolume(int v) { musicVolume = clampVolume(v); }

void CAudioOptions::setVolumeSink(VolumeSink sink) { g_sink = sink; }

std::string CAudioOptions::path() {
  CProfiles *profiles = CProfiles::getCurrent();
  if (!profiles) fatalError("AktiviProfil not found:(", 0);
  return CProfiles::slotFile(profiles->getAktivniProfilStr(), "audio.cfg");
}

void CAudioOptions::nahraj() {
  std::string built = path();
  CLogger::instance()->log("Trying to open audio config...." + built);
  std::vector<TSettingLine> lines;
  if (!CSettingsFile::read(KMiscTools::makeFilePath(built.c_str()), lines)) {
    soundOn = 1;
    musicOn = 1;
    soundVolume = 100;
    musicVolume = 100;
    return;
  }
  for (const TSettingLine &l : lines) {
    if (!l.hasValue) continue;
    if (l.key == "SOUND") soundOn = l.value != 0;
    else if (l.key == "MUSIC") musicOn = l.value != 0;
    else if (l.key == "SOUNDVOL") setSoundVolume(l.value);
    else if (l.key == "MUSICVOL") setMusicVolume(l.value);
  }
}

bool CAudioOptions::uloz() {
  std::string text = "SOUND " + makeString(soundOn ? 1 : 0) + "\n" + "MUSIC " + makeString(musicOn ? 1 : 0) + "\n" +
                     "SOUNDVOL " + makeString(soundVolume) + "\n" + "MUSICVOL " + makeString(musicVolume);
  return CSafeFile::write(KMiscTools::makeFilePath(path().c_str()), text);
}

void CAudioOptions::aplikuj() {
  if (g_sink) g_sink(musicVolume, soundVolume);
}
