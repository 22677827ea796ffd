#include "progress/CMapCloudController.h"

#include "world/CMapEntity_Game.h"

void CMapCloudController::update() {
  if (!entity) return;
  entity->changeX(entity->speedX);
  if (entity->getX() > 800.0f) entity->setXY(-200.0f, entity->getY());
}
