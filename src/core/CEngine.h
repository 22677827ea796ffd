#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/KEvent.h"
#include "media/GameGlobals.h"
#include "world/CWorldEngine.h"

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

// The one engine object (the global `engine`): owns the top-level objects, keeps the level
// progression, holds the game states and runs the main loop. main calls init, work and close
// once each.
class CEngine : public CWorldEngine {
public:
  static constexpr unsigned short kNoSkip = 65535;
  static constexpr unsigned short kNoMaxLevel = 10000;

  // Every field zero; init makes the engine ready.
  CEngine();
  virtual ~CEngine();
  CEngine(const CEngine &) = delete;
  CEngine &operator=(const CEngine &) = delete;

  CFontSeznam *getFontSeznam() override { return fontSeznam; }
  KText *getBigFont() { return bigText; }
  KText *getSmallFont() override { return smallText; }
  KText *getBonusFont() { return bonusText; }
  CLevel_Game *getLevel() override { return level; }
  CLevelList *getLevelList() { return levelList; }
  CPlayer *getPlayer() { return player; }
  // How hard the day is for the player now; patients lose patience in proportion.
  float getDifficultyFactor() const { return difficultyFactor; }
  // The history the factor is folded from: patients weighed so far and their weighted moods.
  int32_t getDifficultySamples() const { return difficultySamples; }
  float getDifficultySum() const { return difficultySum; }
  void setDifficulty(float factor, int32_t samples, float sum) {
    difficultyFactor = factor;
    difficultySamples = samples;
    difficultySum = sum;
  }
  void setDifficultyFactor(float f) { difficultyFactor = f; }
  CProfiles *getProfiles() { return profiles; }
  CTop10 *getTop10() { return top10; }
  CSoundEngine *getSoundEngine() override { return soundEngine; }
  CEntityControllersVzory_Game *getCEntityControllersVzory_Game() override { return controllerPrototypes; }
  unsigned short getSoucasnyLevel() const { return soucasnyLevel; }
  void setSoucasnyLevel(unsigned short i) { soucasnyLevel = i; }
  unsigned short getMaxLevel() const { return maxLevel; }
  void setMaxLevel(unsigned short i) { maxLevel = i; }
  unsigned short getSkipToLevel() const { return skipToLevel; }
  void setSkipToLevel(int i) { skipToLevel = (unsigned short)i; }
  // At the end of the frame the level at `index` is built again, whatever money the day made;
  // with `save` the saved game then names that level (a replay).
  void requestLevel(unsigned short index, bool save);
  unsigned short getRequestedLevel() const { return requestedLevel; }
  bool isRunning() const { return running != 0; }
  void setRunning(bool on) { running = on ? 1 : 0; }
  // Set by the main menu's continue button; the next level check loads the saved game.
  bool isLoadGamePending() const { return loadGamePending != 0; }
  void setLoadGamePending(bool on) { loadGamePending = on ? 1 : 0; }
  // The engine owns its states.
  void addStav(CStavHry *s) { stavy.push_back(s); }
  void deleteStavy();
  CStavHry *getAktualniStav() const { return aktualniStav; }
  // Engine-clock milliseconds spent in the logo screens, and the main thread's CPU time in them
  // (the start-up benchmark leaves them out).
  unsigned long getLogoScreensMs() const { return logoScreensMs; }
  double getLogoScreensCpuMs() const { return logoScreensCpuMs; }

  // What a hand-built engine is given instead of init's objects; the engine owns them after.
  void setProfiles(CProfiles *p) { profiles = p; }
  void setPlayer(CPlayer *p) { player = p; }
  void setLevel(CLevel_Game *l) { level = l; }
  void setLevelList(CLevelList *l) { levelList = l; }
  void setFonts(CFontSeznam *fonts, KText *small) {
    fontSeznam = fonts;
    smallText = small;
  }
  void setControllerPrototypes(CEntityControllersVzory_Game *p) { controllerPrototypes = p; }

  void forgetLevel(CLevel_Game *l) override;
  std::string getObtiznostString() override;
  int getMusicVolume() override;
  float getLoadingFill() override;
  void setLoadingFill(float fill) override;
  void setLoadingText(const std::string &text) override;
  int getDayRecord() override;
  void creditDay(int bonus, int record) override;

  static void setWinFocus(bool focus) { ::winFocus = focus; }
  static bool getWinFocus() { return ::winFocus; }
  // Raw window events: the application being deactivated outside a level change clears the focus flag.
  static bool handleWinEvent(EventRef event);

  // Game states, by exact name; a name no state bears ends the process.
  std::string vratStav();
  void initStav(const std::string &name);
  void vypniStav(const std::string &name);
  void prepniStav(const std::string &name);
  CStavHry *najdiStav(const std::string &name);

  void init(CEngineContent &content);
  void work();
  void close();

  // One frame of the main loop after the events were pumped: the current state's update and the
  // frame timing. Public so the loop can be driven frame by frame.
  void runFrame();
  // For unattended runs, set before init: the engine clock stands still within a frame and moves
  // by exactly frameMs as the frame ends, so game time never depends on how fast the machine is.
  // 0 goes back to the real clock.
  static void setSteppedClock(uint16_t frameMs);
  // For unattended runs: false leaves the working day undrawn (its update owns every change of
  // state), so a measured day runs as fast as its logic allows.
  static void setDrawLevel(bool on);
  static bool drawsLevel();

  // The play state's part: a fresh start without a level, and the level, list and frame timer
  // gone when it closes.
  void startPlay();
  void endPlay();
  // Kept by the play state: set each frame after the level's update and render, and the frames
  // counted in the last full second of game time.
  void markUpdated() { perUpdate = 1; }
  bool wasUpdated() const { return perUpdate != 0; }
  void countFrame();
  bool hasFpsTimer() const { return fpsTimer != nullptr; }
  unsigned short getFrameCounter() const { return frameCounter; }

  void checkNextLevel();
  void trySkipLevel();
  void restartGame();
  void resetPlayer();

  void saveGame();
  void loadGame();
  bool saveExists();
  void saveDebug();

private:
  void startValues();
  void startWindowAndMedia();
  void showLogoScreens();
  void startFontsAndTexts();
  void startLoadingAndSounds(CEngineContent &content);
  void startBehavioursAndStates(CEngineContent &content);
  // The steps every level change ends with: a fresh level at soucasnyLevel.
  void rebuildLevel();
  // soucasnyLevel rebuilt; false, with the game ending at once, when it lies past the level list.
  bool buildCurrentLevel();
  // Frame time into the global values and the game clock.
  void endFrame();
  void fatalStav(const std::string &name);

  int32_t running;
  CTop10 *top10;
  CEntityControllersVzory_Game *controllerPrototypes;
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
  int32_t loadGamePending;
  uint16_t requestedLevel;
  int32_t requestedSave;
  float difficultyFactor;
  int32_t difficultySamples;
  float difficultySum;
  std::vector<CStavHry *> stavy;
  CStavHry *aktualniStav;
  int32_t perUpdate;
  Timer *fpsTimer;
  uint16_t frameCounter;
  uint16_t fps;
  // Plays from the loading screen until start-up ends.
  KSound *loadingMusic;
  unsigned long logoScreensMs;
  double logoScreensCpuMs = 0;
};

// The one engine, null before and after its life.
extern CEngine *engine;
// Kept equal to the engine's current state by CEngine::prepniStav.
extern CStavHry *globalAktualniStav;
