#pragma once
#include <cstdint>
#include <string>

#include "media/CSingleton.h"

// Sound settings of the active profile ("audio.cfg" in its folder): effects and music on/off and
// their volumes, 0 to 100.
class CAudioOptions : public CSingleton<CAudioOptions> {
public:
  CAudioOptions() {}
  virtual ~CAudioOptions() {}

  int getSoundVolume() const { return soundVolume; }
  int getMusicVolume() const { return musicVolume; }
  // Volumes are kept inside 0..100 whatever the caller or the file says.
  void setSoundVolume(int v);
  void setMusicVolume(int v);
  bool vratSound() const { return soundOn != 0; }
  bool vratMusic() const { return musicOn != 0; }
  void nastavSound(bool on) { soundOn = on ? 1 : 0; }
  void nastavMusic(bool on) { musicOn = on ? 1 : 0; }

  // Missing file: everything on at full volume. A value that is not a number is ignored.
  void nahraj();
  // False (and reported) when the file could not be written; the old file then stays.
  bool uloz();
  // Hands the volumes to the sound engine; the on flags are asked for at each play.
  void aplikuj();

  // Whoever owns the sound engine installs this: music volume first, then the effects volume.
  typedef void (*VolumeSink)(int musicVolume, int soundVolume);
  static void setVolumeSink(VolumeSink sink);

  // The active profile's file, before makeFilePath.
  static std::string path();

private:
  int32_t soundVolume = 100;
  int32_t musicVolume = 100;
  int32_t soundOn = 1;
  int32_t musicOn = 1;
};
