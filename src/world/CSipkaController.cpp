#include "world/CSipkaController.h"

#include "world/CMapEntity_Game.h"

void CSipkaController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CSipkaController::update() {
  if (entity) entity->effectPulse(kPulse, -1);
}
