#include "world/CBublinaController.h"

#include <cstdlib>

#include "media/CRandom.h"
#include "world/CMapEntity_Game.h"

CBublinaController::CBublinaController(const CBublinaController &o)
    : CCloneable(o), speed((float)(CRandom::draw() % 50 + 50) / 100.0f) {}

void CBublinaController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  entity->setZoom((float)(CRandom::draw() % 8 + 3) / 10.0f);
}

void CBublinaController::update() {
  if (!entity) return;
  entity->changeY(-speed);
  if (entity->getY() < 0.0f) entity->setXY(entity->getX(), kRestartY);
}
