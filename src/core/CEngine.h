#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/KEvent.h"

class CEntityControllers_Game;
class CEntityControllersVzory_Game;
class CFontSeznam;
class CLevel_Game;
class CLevelList;
class CPlayer;
class CProfiles;
class CSoundEngine;
class CStavHry;
class CTop10;
class KSound;
class KText;
class Timer;

// The one engine object (the global `engine`): owns the top-level objects, keeps the level
// progression, holds the game states and runs the main loop. main calls init, work and close
// once each.
class CEngine {
public:
  static constexpr unsigned short kNoSkip = 65535;
  static constexpr unsigned short kNoMaxLevel = 10000;

  // Every field zero; init makes the engine ready.
  CEngine();
  ~CEngine();
  CEngine(const CEngine &) = delete;
  CEngine &operator=(const CEngine &) = delete;

  CFontSeznam *getFontSeznam() { return fontSeznam; }
  KText *getBigFont() { return bigText; }
  KText *getSmallFont() { return smallText; }
  KText *getBonusFont() { return bonusText; }
  CLevel_Game *getLevel() { return level; }
  CLevelList *getLevelList() { return levelList; }
  CPlayer *getPlayer() { return player; }
  CProfiles *getProfiles() { return profiles; }
  CTop10 *getTop10() { return top10; }
  CSoundEngine *getSoundEngine() { return soundEngine; }
  CEntityControllersVzory_Game *getCEntityControllersVzory_Game();
  unsigned short getSoucasnyLevel() const { return soucasnyLevel; }
  void setSoucasnyLevel(unsigned short i) { soucasnyLevel = i; }
  unsigned short getMaxLevel() const { return maxLevel; }
  void setMaxLevel(unsigned short i) { maxLevel = i; }
  unsigned short getSkipToLevel() const { return skipToLevel; }
  void setSkipToLevel(int i) { skipToLevel = (unsigned short)i; }
  bool isRunning() const { return running != 0; }

  static void setWinFocus(bool focus) { winFocus = focus; }
  static bool getWinFocus() { return winFocus; }
  // Raw window events: the application being deactivated outside a level change clears the focus flag.
  static bool handleWinEvent(EventRef event);

  // Game states, by exact name; a name no state bears ends the process.
  std::string vratStav();
  void initStav(const std::string &name);
  void vypniStav(const std::string &name);
  void prepniStav(const std::string &name);
  CStavHry *najdiStav(const std::string &name);

  void init();
  void work();
  void close();

  // One frame of the main loop after the events were pumped: the current state's update and the
  // frame timing. Public so the loop can be driven frame by frame.
  void runFrame();

  void checkNextLevel();
  void trySkipLevel();
  void restartGame();
  void resetPlayer();

  void saveGame();
  void loadGame();
  bool saveExists();
  void saveDebug();

  int32_t running;
  CTop10 *top10;
  CEntityControllers_Game *controllerPrototypes;
  KText *bigText;
  KText *smallText;
  KText *bonusText;
  CFontSeznam *fontSeznam;
  uint16_t soucasnyLevel;
  uint16_t skipToLevel;
  uint16_t maxLevel;
  CLevel_Game *level;
  CLevelList *levelList;
  uint32_t frameStart;
  CSoundEngine *soundEngine;
  CPlayer *player;
  CProfiles *profiles;
  // Set by the main menu's continue button; the next level check loads the saved game.
  int32_t loadGamePending;
  float difficultyFactor;
  int32_t difficultySamples;
  float difficultySum;
  std::vector<CStavHry *> stavy;
  CStavHry *aktualniStav;

  // Kept by the play state: set each frame after the level's update and render, and the frames
  // counted in the last full second of game time.
  int32_t perUpdate;
  Timer *fpsTimer;
  uint16_t frameCounter;
  uint16_t fps;

  // Plays from the loading screen until start-up ends.
  KSound *loadingMusic;
  // Engine-clock milliseconds spent in the logo screens (the start-up benchmark leaves them out).
  unsigned long logoScreensMs;

  static bool winFocus;

private:
  void startValues();
  void startWindowAndMedia();
  void showLogoScreens();
  void startFontsAndTexts();
  void startLoadingAndSounds();
  void startBehavioursAndStates();
  // The steps every level change ends with: a fresh level at soucasnyLevel.
  void rebuildLevel();
  // soucasnyLevel pulled back onto the level list, then rebuilt; past the last level the game
  // ends after it. False, with the game ending at once, when the list is empty.
  bool buildCurrentLevel();
  // Frame time into the global values and the game clock.
  void endFrame();
  void fatalStav(const std::string &name);
};
