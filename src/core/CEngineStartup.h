#pragma once

class CEngine;
class CEngineClock;
class CEntityControllersVzory_Game;
class CFontSeznam;
class CPlayerNotices;
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
// profiles, the high scores and the behaviour prototypes. The engine runs the steps in its
// order and has them released at close.
class CEngineStartup {
public:
  CEngineStartup() = default;
  CEngineStartup(const CEngineStartup &) = delete;
  CEngineStartup &operator=(const CEngineStartup &) = delete;

  CFontSeznam *getFontSeznam() const { return fontSeznam; }
  KText *getBigFont() const { return bigText; }
  KText *getSmallFont() const { return smallText; }
  KText *getBonusFont() const { return bonusText; }
  CProfiles *getProfiles() const { return profiles; }
  CTop10 *getTop10() const { return top10; }
  CSoundEngine *getSoundEngine() const { return soundEngine; }
  CEntityControllersVzory_Game *getCEntityControllersVzory_Game() const { return controllerPrototypes; }
  // Engine-clock milliseconds spent in the logo screens, and the main thread's CPU time in them
  // (the start-up benchmark leaves them out).
  unsigned long getLogoScreensMs() const { return logoScreensMs; }
  double getLogoScreensCpuMs() const { return logoScreensCpuMs; }

  // What a hand-built engine is given instead of init's objects; the start-up owns them after.
  void setProfiles(CProfiles *p) { profiles = p; }
  void setFonts(CFontSeznam *fonts, KText *small) {
    fontSeznam = fonts;
    smallText = small;
  }
  void setControllerPrototypes(CEntityControllersVzory_Game *p) { controllerPrototypes = p; }

  // The layers below the engine report to the loading screen and take the settings through these.
  static void installLayerHooks();
  // The profiles, which the game cannot start without, and the control settings; what loading
  // mended, and any later failure to write the list, is told in `notices`.
  void startProfiles(CPlayerNotices &notices);
  void startWindowAndMedia();
  void showLogoScreens(CEngineClock &clock);
  void startFontsAndTexts();
  void startLoadingAndSounds(CEngineContent &content);
  void stopLoadingMusic();

  // At close, in the engine's order: the high scores, the texts and the sprite factory; the
  // behaviour prototypes and the sound engine; the fonts, the profiles and the loading music.
  void releaseTextsAndSprites();
  void releasePrototypesAndSound();
  void releaseFontsAndProfiles();

private:
  CProfiles *profiles = nullptr;
  CFontSeznam *fontSeznam = nullptr;
  KText *bigText = nullptr;
  KText *smallText = nullptr;
  KText *bonusText = nullptr;
  CTop10 *top10 = nullptr;
  CSoundEngine *soundEngine = nullptr;
  CEntityControllersVzory_Game *controllerPrototypes = nullptr;
  // Plays from the loading screen until start-up ends.
  KSound *loadingMusic = nullptr;
  unsigned long logoScreensMs = 0;
  double logoScreensCpuMs = 0;
};
