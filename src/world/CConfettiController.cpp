#include "world/CConfettiController.h"

#include "media/CSoundEngine.h"
#include "world/CMapEntity_Game.h"
#include "world/CWorldEngine.h"

CConfettiController::CConfettiController(CMapEntity_Game *entity, CMapEntitiesCollection *collection,
                                         CEngine *engine, std::string bindTo)
    : CEntityController(entity, collection, engine, std::move(bindTo)) {}

CConfettiController::CConfettiController(const CConfettiController &o) : CEntityController(o) {}

CConfettiController::~CConfettiController() {}

CConfettiController *CConfettiController::clone() { return new CConfettiController(*this); }

float CConfettiController::getX() const { return entity ? entity->getX() : 0.0f; }
float CConfettiController::getY() const { return entity ? entity->getY() : 0.0f; }

void CConfettiController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  CWorldEngine *host = CWorldEngine::of(engine);
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("CROWD_MEDIUM");
}

void CConfettiController::update() {
  if (!entity) return;
  entity->changeY(2.0f);
  if (entity->getY() > 600.0f) entity->setXY(0.0f, -600.0f);
}
