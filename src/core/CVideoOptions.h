#pragma once
#include <cstdint>
#include <string>

#include "media/CSingleton.h"

// Full screen or window, per profile ("video.cfg" in the profile's folder).
class CVideoOptions : public CSingleton<CVideoOptions> {
public:
  CVideoOptions() {}
  virtual ~CVideoOptions() {}

  bool vratFullScreen() const { return fullScreen != 0; }
  // Only the flag; aplikuj() changes the screen.
  void nastavFullScreen(bool on) { fullScreen = on ? 1 : 0; }

  // Missing file: full screen.
  void nahraj();
  bool uloz();
  void aplikuj();

  // Whoever owns the window installs this: switch to the mode, then hide the system pointer.
  typedef void (*ScreenModeSink)(bool fullScreen);
  static void setScreenModeSink(ScreenModeSink sink);

  static std::string path();

private:
  int32_t fullScreen = 1;
};
