#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/CEngineClock.h"
#include "core/CEngineStartup.h"
#include "core/CLevelProgress.h"
#include "engine/KPrefetch.h"
#include "engine/KEvent.h"
#include "media/GameGlobals.h"
#include "world/CWorldEngine.h"

class CStavHry;

// The one engine object (`running()` while the game runs): owns the top-level objects, which
// start-up builds (CEngineStartup), keeps the level progression (CLevelProgress), holds the game
// states and runs the main loop on its frame clock (CEngineClock). main calls init, work and
// close once each. It is what levels, entities and behaviours ask of the engine (CWorldEngine).
class CEngine : public CWorldEngine {
public:
  static constexpr unsigned short kNoSkip = CLevelProgress::kNoSkip;
  static constexpr unsigned short kNoMaxLevel = CLevelProgress::kNoMaxLevel;

  // The engine the game runs on, for code that nothing hands an engine: null before and after its
  // life, and in level tests, whose levels and behaviours hold their own.
  static CEngine *running();
  static void setRunning(CEngine *engine);

  // Every field zero; init makes the engine ready.
  CEngine();
  virtual ~CEngine();
  CEngine(const CEngine &) = delete;
  CEngine &operator=(const CEngine &) = delete;

  // Its parts, for work that is theirs: what start-up built (and what a hand-built engine is
  // given instead), the level progression, and the frame clock the play state keeps.
  CEngineStartup &built() { return startup; }
  CLevelProgress &progression() { return progress; }
  CEngineClock &frameClock() { return clock; }

  // What start-up built, as levels, entities and the game's own code ask for it.
  CFontSeznam *getFontSeznam() override { return startup.getFontSeznam(); }
  KText *getSmallFont() override { return startup.getSmallFont(); }
  KText *getBonusFont() { return startup.getBonusFont(); }
  CSoundEngine *getSoundEngine() override { return startup.getSoundEngine(); }
  CEntityControllersVzory_Game *getCEntityControllersVzory_Game() override {
    return startup.getCEntityControllersVzory_Game();
  }

  int getMusicVolume() override;
  float getLoadingFill() override;
  void setLoadingFill(float fill) override;
  void setLoadingText(const std::string &text) override;

  // The level progression, as the game names its steps.
  CLevel_Game *getLevel() override { return progress.getLevel(); }
  uint32_t getLevelsBuilt() const { return progress.getLevelsBuilt(); }
  CPlayer *getPlayer() { return progress.getPlayer(); }
  unsigned short getSoucasnyLevel() const { return progress.getSoucasnyLevel(); }
  void setSoucasnyLevel(unsigned short i) { progress.setSoucasnyLevel(i); }
  void setMaxLevel(unsigned short i) { progress.setMaxLevel(i); }
  void setSkipToLevel(int i) { progress.setSkipToLevel(i); }
  void forgetLevel(CLevel_Game *l) override { progress.forgetLevel(l); }
  int getDayRecord() override { return progress.getDayRecord(); }
  void creditDay(int bonus, int record) override { progress.creditDay(bonus, record); }
  void checkNextLevel() { progress.checkNextLevel(); }
  void trySkipLevel() { progress.trySkipLevel(); }
  void restartGame() { progress.restartGame(); }
  void resetPlayer() { progress.resetPlayer(); }
  // A save that cannot be written, or a saved game that cannot be read, is told to the player.
  bool saveGame() { return progress.saveGame(); }
  void loadGame() { progress.loadGame(); }
  bool saveExists() { return progress.saveExists(); }
  void saveDebug() { progress.saveDebug(); }

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
  // The engine owns its states.
  void addStav(CStavHry *s) { stavy.push_back(s); }
  void deleteStavy();
  CStavHry *getAktualniStav() const { return aktualniStav; }

  std::string getObtiznostString() override;

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
  // The workers that decode the pictures of a level side by side, and ahead for the next.
  KPrefetch &getPictureWorkers() { return pictureWorkers; }

private:
  void startValues();
  void startBehavioursAndStates(CEngineContent &content);
  void fatalStav(const std::string &name);

  CEngineStartup startup;
  CLevelProgress progress;
  CEngineClock clock;
  float difficultyFactor;
  int32_t difficultySamples;
  float difficultySum;
  std::vector<CStavHry *> stavy;
  CStavHry *aktualniStav;
  KPrefetch pictureWorkers;
};

// Kept equal to the engine's current state by CEngine::prepniStav.
extern CStavHry *globalAktualniStav;
