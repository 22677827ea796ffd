#include "progress/CMapEntity_LevelCompleted.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "world/CLevelList.h"

int32_t CMapEntity_LevelCompleted::globalPoradi = 0;

CMapEntity_LevelCompleted::CMapEntity_LevelCompleted(const CMapEntity_LevelCompleted &o)
    : CCloneable(o), poradi(globalPoradi++) {
  CEngine *running = CEngine::running();
  const CLevelList *list = running ? running->progression().getLevelList() : nullptr;
  CPlayer *player = running ? running->getPlayer() : nullptr;
  if (list && list->getDayCount() > 0)
    // The Tutorial's stop carries a painted tick: the icons begin at day 2's.
    level = list->dayLevel(poradi + 2);
  else
    // A list without day marks cannot say which stop is which day: the icons then show the
    // finished days in the order the record holds them.
    level = player ? player->getLevelIndex(poradi) : -1;
  // A record of a longer list (an older save) names no day of this one.
  if (list && level >= (int)list->getSize()) level = -1;
  const int rating = player && level >= 0 ? player->wasLevelDone(level) : -1;
  if (rating == 1)
    changeFrameset("FRAMESET2");
  else if (rating != -1)
    changeFrameset("FRAMESET1");
  else
    // The painted stop shows through: a day not finished has neither tick nor star.
    looks().setVisible(false);
}

CMapEntity_LevelCompleted::~CMapEntity_LevelCompleted() {
  if (!carrying().getParent()) globalPoradi = 0;
}

void CMapEntity_LevelCompleted::syncWithParentPosition() {
  CMapEntity_Game::syncWithParentPosition();
  --globalPoradi;
}
