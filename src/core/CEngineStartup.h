#pragma once
#include <string>

#include "world/CWorldEngine.h"

class CEngineClock;
class CEntityControllersVzory_Game;
class CFontSeznam;
class CProfiles;
class CSoundEngine;
class CTop10;
class KSound;
class KText;

// What start-up registers besides fonts: sounds and music, entity prototypes and behaviour
// prototypes. The game that composes the engine supplies it.
class CEngineContent {
public:
  virtual void registerSounds(CSoundEngine *soundEngine) = 0;
  virtual void registerEntityPrototypes() = 0;
  virtual CEntityControllersVzory_Game *buildControllerPrototypes(CEngine *engine) = 0;

protected:
  ~CEngineContent() = default;
};

// The engine's start-up steps and what they build for the whole game: the window and the
// first sprites, the logo screens, fonts and texts, the loading screen with its music, sounds,
// profiles, the high scores and the behaviour prototypes. The engine releases them at close.
class CEngineStartup : public CWorldEngine {
public:
  CFontSeznam *getFontSeznam() override { return fontSeznam; }
  KText *getBigFont() { return bigText; }
  KText *getSmallFont() override { return smallText; }
  KText *getBonusFont() { return bonusText; }
  CProfiles *getProfiles() { return profiles; }
  CTop10 *getTop10() { return top10; }
  CSoundEngine *getSoundEngine() override { return soundEngine; }
  CEntityControllersVzory_Game *getCEntityControllersVzory_Game() override { return controllerPrototypes; }
  // Engine-clock milliseconds spent in the logo screens, and the main thread's CPU time in them
  // (the start-up benchmark leaves them out).
  unsigned long getLogoScreensMs() const { return logoScreensMs; }
  double getLogoScreensCpuMs() const { return logoScreensCpuMs; }

  // What a hand-built engine is given instead of init's objects; the engine owns them after.
  void setProfiles(CProfiles *p) { profiles = p; }
  void setFonts(CFontSeznam *fonts, KText *small) {
    fontSeznam = fonts;
    smallText = small;
  }
  void setControllerPrototypes(CEntityControllersVzory_Game *p) { controllerPrototypes = p; }

  int getMusicVolume() override;
  float getLoadingFill() override;
  void setLoadingFill(float fill) override;
  void setLoadingText(const std::string &text) override;

protected:
  CEngineStartup();
  ~CEngineStartup() = default;
  CEngineStartup(const CEngineStartup &) = delete;
  CEngineStartup &operator=(const CEngineStartup &) = delete;

  // The layers below the engine report to the loading screen and take the settings through these.
  static void installLayerHooks();
  void startWindowAndMedia();
  void showLogoScreens(CEngineClock &clock);
  void startFontsAndTexts();
  void startLoadingAndSounds(CEngineContent &content);
  void stopLoadingMusic();

  CProfiles *profiles;
  CFontSeznam *fontSeznam;
  KText *bigText;
  KText *smallText;
  KText *bonusText;
  CTop10 *top10;
  CSoundEngine *soundEngine;
  CEntityControllersVzory_Game *controllerPrototypes;
  // Plays from the loading screen until start-up ends.
  KSound *loadingMusic;
  unsigned long logoScreensMs;
  double logoScreensCpuMs = 0;
};
