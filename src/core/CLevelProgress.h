#pragma once
#include <cstdint>
#include <string>

#include "core/CEngineStartup.h"
#include "core/CPlayerNotices.h"

class CLevelList;
class CPlayer;

// The game's progress through its level list: the current level and the one built next (the
// next day once the goal is met, a skip, a replay the menus ask for, a saved game), the player
// with the saved game, and whether the game goes on.
class CLevelProgress : public CEngineStartup {
public:
  static constexpr unsigned short kNoSkip = 65535;
  static constexpr unsigned short kNoMaxLevel = 10000;

  CLevel_Game *getLevel() override { return level; }
  CLevelList *getLevelList() { return levelList; }
  CPlayer *getPlayer() { return player; }
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

  // What a hand-built engine is given instead of init's objects; the engine owns them after.
  void setPlayer(CPlayer *p) { player = p; }
  void setLevel(CLevel_Game *l) { level = l; }
  void setLevelList(CLevelList *l) { levelList = l; }

  void forgetLevel(CLevel_Game *l) override;
  int getDayRecord() override;
  void creditDay(int bonus, int record) override;

  void checkNextLevel();
  void trySkipLevel();
  void restartGame();
  void resetPlayer();

  // A save that cannot be written, or a saved game that cannot be read, is told to the player.
  bool saveGame();
  void loadGame();
  CPlayerNotices &getNotices() { return notices; }
  bool saveExists();
  void saveDebug();

protected:
  CLevelProgress();
  ~CLevelProgress() = default;

  int32_t running;
  uint16_t soucasnyLevel;
  uint16_t skipToLevel;
  uint16_t maxLevel;
  CLevel_Game *level;
  CLevelList *levelList;
  CPlayer *player;
  int32_t loadGamePending;
  uint16_t requestedLevel;
  int32_t requestedSave;
  CPlayerNotices notices;
  std::string lastSaveFailure;

private:
  // The steps every level change ends with: a fresh level at soucasnyLevel.
  void rebuildLevel();
  // soucasnyLevel rebuilt; false, with the game ending at once, when it lies past the level list.
  bool buildCurrentLevel();
  // Levels are built for the whole engine.
  CEngine *self();
};
