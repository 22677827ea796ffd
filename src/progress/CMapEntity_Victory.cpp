#include "progress/CMapEntity_Victory.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/ZSprite.h"

CMapEntity_VictoryPlayer::CMapEntity_VictoryPlayer(const CMapEntity_VictoryPlayer &o) : CCloneable(o) {
  CEngine *running = CEngine::running();
  const bool male = running && running->getPlayer() && running->getPlayer()->getPohlavi() == 1;
  looks().setSprite(male ? "VICTORYPLAYERM" : "VICTORYPLAYERF");
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
}
