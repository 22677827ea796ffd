#include "world/CLetadloKourController.h"

#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

void CLetadloKourController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CLetadloKourController::update() {
  if (!entity) return;
  const float levelSpeed = CGlobals::instance()->speedFactor;
  entity->setAlpha(entity->getAlpha() - 0.005f * levelSpeed, true);
  entity->setZoom(entity->getZoom() + 0.012f * levelSpeed);
  if (entity->getAlpha() <= 0.0f) killEntity();
}
