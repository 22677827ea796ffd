#include "world/CSipkaController.h"

#include "world/CMapEntity_Game.h"

CSipkaController::CSipkaController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                                   std::string bindTo)
    : CEntityController(entity, collection, engine, std::move(bindTo)) {}

CSipkaController::CSipkaController(const CSipkaController &o) : CEntityController(o) {}

CSipkaController::~CSipkaController() {}

CSipkaController *CSipkaController::clone() { return new CSipkaController(*this); }

float CSipkaController::getX() const { return entity ? entity->getX() : 0.0f; }
float CSipkaController::getY() const { return entity ? entity->getY() : 0.0f; }

void CSipkaController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CSipkaController::update() {
  if (entity) entity->effectPulse(0.2f, -1);
}
