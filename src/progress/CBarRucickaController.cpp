#include "progress/CBarRucickaController.h"

#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntity_Game.h"
#include "world/CWorldEngine.h"

void CBarRucickaController::update() {
  CWorldEngine *host = worldEngine();
  if (!entity || !host || !host->getLevel() || !entity->looks().getSprite()) return;
  Frameset *hand = entity->looks().getSprite()->getAktivniFrameset();
  if (hand) hand->setAngle(angleFor(host->getLevel()->getTimeLeftPercent()));
}
