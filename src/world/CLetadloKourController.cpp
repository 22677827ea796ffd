#include "world/CLetadloKourController.h"

#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

CLetadloKourController::CLetadloKourController(CMapEntity_Game *entity, CMapEntitiesCollection *collection,
                                               CEngine *engine, std::string bindTo)
    : CEntityController(entity, collection, engine, std::move(bindTo)) {}

CLetadloKourController::CLetadloKourController(const CLetadloKourController &o) : CEntityController(o) {}

CLetadloKourController::~CLetadloKourController() {}

CLetadloKourController *CLetadloKourController::clone() { return new CLetadloKourController(*this); }

float CLetadloKourController::getX() const { return entity ? entity->getX() : 0.0f; }
float CLetadloKourController::getY() const { return entity ? entity->getY() : 0.0f; }

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
