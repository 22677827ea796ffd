#include "world/CBublinaController.h"

#include <cstdlib>

#include "world/CMapEntity_Game.h"

CBublinaController::CBublinaController(CMapEntity_Game *entity, CMapEntitiesCollection *collection,
                                       CEngine *engine, std::string bindTo)
    : CEntityController(entity, collection, engine, std::move(bindTo)), speed(0.0f) {}

CBublinaController::CBublinaController(const CBublinaController &o)
    : CEntityController(o), speed((float)(std::rand() % 50 + 50) / 100.0f) {}

CBublinaController::~CBublinaController() {}

CBublinaController *CBublinaController::clone() { return new CBublinaController(*this); }

float CBublinaController::getX() const { return entity ? entity->getX() : 0.0f; }
float CBublinaController::getY() const { return entity ? entity->getY() : 0.0f; }

void CBublinaController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  entity->setZoom((float)(std::rand() % 8 + 3) / 10.0f);
}

void CBublinaController::update() {
  if (!entity) return;
  entity->changeY(-speed);
  if (entity->getY() < 0.0f) entity->setXY(entity->getX(), kRestartY);
}
