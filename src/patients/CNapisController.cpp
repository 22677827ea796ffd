#include "patients/CNapisController.h"

#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

void CNapisController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CNapisController::update() {
  if (!entity) return;
  float f = CGlobals::instance()->deltaFactor;
  entity->changeY(-0.5f);
  float a = entity->getAlpha() - 0.005f * f;
  entity->setAlpha(a < 0.0f ? 0.0f : (a > 1.0f ? 1.0f : a), true);
  entity->setZoom(entity->getZoom() + 0.012f * f);
  if (entity->getAlpha() <= 0.0f) killEntity();
}
