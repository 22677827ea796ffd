#include "world/CConfettiController.h"

#include "media/CSoundEngine.h"
#include "world/CMapEntity_Game.h"
#include "world/CWorldEngine.h"

void CConfettiController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  CWorldEngine *host = worldEngine();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("CROWD_MEDIUM");
}

void CConfettiController::update() {
  if (!entity) return;
  entity->changeY(2.0f);
  if (entity->getY() > 600.0f) entity->setXY(0.0f, -600.0f);
}
