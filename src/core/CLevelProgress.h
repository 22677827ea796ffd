#pragma once
#include <cstdint>
#include <string>

#include "core/CPlayerNotices.h"

class CEngine;
class CEngineStartup;
class CLevel_Game;
class CLevelList;
class CPlayer;

// The game's progress through its level list: the current level and the one built next (the
// next day once the goal is met, a skip, a replay the menus ask for, a saved game), the player
// with the saved game, and whether the game goes on. Levels are built for the engine it is
// given, with the behaviour prototypes, profiles and sounds that start-up made.
class CLevelProgress {
public:
  static constexpr unsigned short kNoSkip = 65535;
  static constexpr unsigned short kNoMaxLevel = 10000;

  CLevelProgress(CEngine *engine, const CEngineStartup &startup);
  CLevelProgress(const CLevelProgress &) = delete;
  CLevelProgress &operator=(const CLevelProgress &) = delete;

  CLevel_Game *getLevel() const { return level; }
  // Rises with every level built or handed over: a new level may lie where the last one was freed.
  uint32_t getLevelsBuilt() const { return levelsBuilt; }
  CLevelList *getLevelList() const { return levelList; }
  CPlayer *getPlayer() const { return player; }
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

  // What a hand-built engine is given instead of init's objects; the progress owns them after.
  void setPlayer(CPlayer *p) { player = p; }
  void setLevel(CLevel_Game *l) {
    level = l;
    if (l) ++levelsBuilt;
  }
  void setLevelList(CLevelList *l) { levelList = l; }

  // A running game with nothing pending, no skip and no furthest level yet.
  void start();
  // The play state's: a fresh start without a level, and the level and list gone when it closes.
  void startPlay();
  void endPlay();
  void releasePlayer();

  void forgetLevel(CLevel_Game *l);
  // The player's record of the current day (-1 never finished, 0 goal, 1 expert goal), and the
  // won day's bonus and record going into the player's progress (record -1 records nothing),
  // saved at once as the move on to the next level saves it.
  int getDayRecord() const;
  void creditDay(int bonus, int record);

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

private:
  // The steps every level change ends with: a fresh level at soucasnyLevel.
  void rebuildLevel();
  // soucasnyLevel rebuilt; false, with the game ending at once, when it lies past the level list.
  bool buildCurrentLevel();
  // The current and furthest level once the current one is won.
  void afterWin(uint16_t &current, uint16_t &furthest) const;
  bool saveAt(uint16_t current, uint16_t furthest);
  // The list's last entry, the ending, leads nowhere: a game saved there goes on at the map after
  // the last working day, where any day can be played again, and a replay leads back there.
  void leaveTheEnding(uint16_t count);
  // That map's entry; kNoSkip for a list without working days or with no map between them and
  // the ending.
  uint16_t mapAfterTheEnding() const;

  CEngine *const engine;
  const CEngineStartup &startup;
  int32_t running = 0;
  uint16_t soucasnyLevel = 0;
  uint16_t skipToLevel = 0;
  uint16_t maxLevel = 0;
  CLevel_Game *level = nullptr;
  uint32_t levelsBuilt = 0;
  CLevelList *levelList = nullptr;
  CPlayer *player = nullptr;
  int32_t loadGamePending = 0;
  uint16_t requestedLevel = kNoSkip;
  int32_t requestedSave = 0;
  CPlayerNotices notices;
};
