#include "core/CLevelProgress.h"

#include <cstdio>

#include "core/CEngine.h"
#include "core/CEngineStartup.h"
#include "core/CGameOptions.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CSaveGame.h"
#include "engine/KMiscTools.h"
#include "engine/KPictureDecoder.h"
#include "media/CGlobals.h"
#include "media/CSoundEngine.h"
#include "media/GameGlobals.h"
#include "media/makeString.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"

namespace {
const char kYourGame[] = "Your game";
} // namespace

CLevelProgress::CLevelProgress(CEngine *engine, const CEngineStartup &startup) : engine(engine), startup(startup) {}

void CLevelProgress::start() {
  running = 1;
  loadGamePending = 0;
  requestedLevel = kNoSkip;
  requestedSave = 0;
  skipToLevel = kNoSkip;
  maxLevel = kNoMaxLevel;
}

void CLevelProgress::startPlay() {
  level = nullptr;
  levelList = nullptr;
  soucasnyLevel = 0;
}

void CLevelProgress::endPlay() {
  delete level;
  level = nullptr;
  delete levelList;
  levelList = nullptr;
}

void CLevelProgress::releasePlayer() {
  delete player;
  player = nullptr;
}

void CLevelProgress::forgetLevel(CLevel_Game *l) {
  if (level == l) level = nullptr;
}

int CLevelProgress::getDayRecord() const { return player ? player->wasLevelDone(soucasnyLevel) : -1; }

void CLevelProgress::creditDay(int bonus, int record) {
  if (!player) return;
  player->changeMoney(bonus);
  if (record >= 0) player->addLevelDone(soucasnyLevel, record);
  // The won day is kept as soon as its summary shows, just as the move on will save it: a window
  // closed on the summary must not cost the player the day.
  uint16_t next = soucasnyLevel, furthest = maxLevel;
  afterWin(next, furthest);
  if (levelList && next < levelList->getSize()) saveAt(next, furthest);
}

void CLevelProgress::afterWin(uint16_t &current, uint16_t &furthest) const {
  const uint16_t next = (uint16_t)(current + 1);
  if (furthest == kNoMaxLevel || next >= furthest) {
    current = furthest = next;
    return;
  }
  // A day played again leads back to the furthest level reached. Past the ending that is the map
  // after the last day, so that another can be chosen; its GO leads to the ending's last screen.
  const uint16_t map = mapAfterTheEnding();
  const bool ended = map != kNoSkip && furthest + 1 == levelList->getSize();
  current = ended && current < map ? map : furthest;
}

uint16_t CLevelProgress::mapAfterTheEnding() const {
  const int last = levelList ? levelList->dayLevel(levelList->getDayCount()) : -1;
  return last >= 0 && last + 2 < levelList->getSize() ? (uint16_t)(last + 1) : kNoSkip;
}

void CLevelProgress::rebuildLevel() {
  const KPictureDecoder::OneBox damagedPictures;
  delete level;
  level = new CLevel_Game(engine);
  ++levelsBuilt;
  level->bindEContVzory(startup.getCEntityControllersVzory_Game());
  level->load(levelList->getLevel(soucasnyLevel));
  level->setShopping(false);
}

void CLevelProgress::checkNextLevel() {
  if (loadGamePending) {
    loadGame();
    loadGamePending = 0;
    return;
  }
  if (requestedLevel != kNoSkip) {
    soucasnyLevel = requestedLevel;
    const bool save = requestedSave != 0;
    requestedLevel = kNoSkip;
    requestedSave = 0;
    loading = 1;
    if (buildCurrentLevel()) {
      if (save && soucasnyLevel != 0) saveGame();
      CGlobals::instance()->paused = false;
    }
    loading = 0;
    return;
  }
  if (!level || !level->getLevelOver()) return;

  if (level->getMoney() >= level->getMoneyLimit()) {
    if (level->getPerks() && player && player->getPerkBought()) player->addPerkLevel(soucasnyLevel);
    afterWin(soucasnyLevel, maxLevel);
  }

  loading = 1;
  if (buildCurrentLevel()) {
    if (soucasnyLevel != 0) saveGame();
    CGlobals::instance()->paused = false;
  }
  loading = 0;
}

void CLevelProgress::trySkipLevel() {
  if (skipToLevel == kNoSkip) return;
  loading = 1;
  if (player) {
    if (level && level->getPerks() && player->getPerkBought()) player->addPerkLevel(soucasnyLevel);
    player->setPerkBought(false);
    player->setPerkSelected(false);
  }
  soucasnyLevel = skipToLevel;
  skipToLevel = kNoSkip;
  if (buildCurrentLevel()) CGlobals::instance()->paused = false;
  loading = 0;
}

bool CLevelProgress::buildCurrentLevel() {
  uint16_t size = levelList ? levelList->getSize() : 0;
  if (size == 0) {
    // Nothing to build: the game ends with this frame.
    running = 0;
    return false;
  }
  if (soucasnyLevel >= size) {
    // Past the last entry the game is over; building a level first would only delay the end.
    running = 0;
    soucasnyLevel = (uint16_t)(size - 1);
    return false;
  }
  rebuildLevel();
  return true;
}

void CLevelProgress::restartGame() {
  if (CSoundEngine *sounds = startup.getSoundEngine()) sounds->stopSounds();
  soucasnyLevel = 0;
  maxLevel = kNoMaxLevel;
  delete level;
  level = nullptr;
  CGlobals::instance()->resetAll();
  delete levelList;
  levelList = new CLevelList();
  std::string list = "data\\maps\\" + CGameOptions::instance()->getObtiznostString() + "\\levellist.xml";
  levelList->load(KMiscTools::makeFilePath(list.c_str()));
  level = new CLevel_Game(engine);
  ++levelsBuilt;
  level->load(levelList->getLevel(0));
}

void CLevelProgress::requestLevel(unsigned short index, bool save) {
  requestedLevel = index;
  requestedSave = save ? 1 : 0;
}

void CLevelProgress::resetPlayer() {
  delete player;
  player = new CPlayer();
  maxLevel = 0;
}

bool CLevelProgress::saveGame() { return saveAt(soucasnyLevel, maxLevel); }

bool CLevelProgress::saveAt(uint16_t current, uint16_t furthest) {
  CProfiles *profiles = startup.getProfiles();
  if (!profiles || !player) return false;
  CSaveGame save(profiles->getAktivniProfilStr());
  std::string why;
  if (save.save(current, furthest, *player, &why)) {
    notices.written(kYourGame);
    return true;
  }
  notices.unwritten(kYourGame, why, save.getPath());
  return false;
}

void CLevelProgress::loadGame() {
  loading = 1;
  CProfiles *profiles = startup.getProfiles();
  if (!profiles) {
    loading = 0;
    return;
  }
  CSaveGame save(profiles->getAktivniProfilStr());
  uint16_t count = levelList ? levelList->getSize() : 0;
  std::string why;
  CPlayer *loaded = save.load(count, soucasnyLevel, maxLevel, nullptr, &why);
  if (!loaded) {
    // A missing or refused save leaves the game where it was (the main menu).
    notices.post("Your saved game cannot be read:|" + why + ".|File: " + CSafeFile::shortPath(save.getPath()));
    loading = 0;
    return;
  }
  delete player;
  player = loaded;
  leaveTheEnding(count);
  rebuildLevel();
  loading = 0;
}

void CLevelProgress::leaveTheEnding(uint16_t count) {
  const uint16_t map = mapAfterTheEnding();
  // Only the current level moves: the furthest stays the ending, where a day played again and
  // that map's GO lead.
  if (soucasnyLevel + 1 == count && map != kNoSkip) soucasnyLevel = map;
}

bool CLevelProgress::saveExists() {
  CProfiles *profiles = startup.getProfiles();
  if (!profiles) return false;
  return CSaveGame(profiles->getAktivniProfilStr()).exists();
}

void CLevelProgress::saveDebug() {
  FILE *f = std::fopen("debug.txt", "w");
  if (!f) return;
  std::string text = "Delta time: " + makeString(CGlobals::instance()->deltaFactor) + "\n";
  text += "Level: " + makeString(soucasnyLevel) + "\n";
  text += "Money: " + makeString(player ? player->getMoney() : 0) + "\n";
  text += "LIST OF UPGRADES\n--------------\n";
  if (player)
    for (const TBasketItem &item : player->getBasket())
      text += "Upgrade ID " + makeString(item.entityID) + ", level " + makeString(item.starIndex + 1) + "\n";
  text += "THE PLAYER\n--------------\n";
  text += "PATIENTS\n--------------\n";
  std::fputs(text.c_str(), f);
  std::fclose(f);
}
