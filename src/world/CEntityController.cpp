#include "world/CEntityController.h"

#include "world/CWorldEngine.h"

#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"

namespace {
void unbindFromDyingEntity(CEntityController *c) {
  if (c) c->entityGone();
}
} // namespace

CEntityController::CEntityController(CMapEntity_Game *entity_, CMapEntitiesCollection *, CEngine *engine_,
                                     std::string bindTo_)
    : collection(nullptr), bindTo(std::move(bindTo_)), engine(engine_), entity(entity_), linked(false) {
  if (entity) entity->setHasController(1);
}

CEntityController::CEntityController(const CEntityController &o)
    : collection(nullptr), bindTo(o.bindTo), engine(o.engine), world(o.world), entity(nullptr), linked(false) {}

CEntityController::~CEntityController() {
  // A behaviour deleted before its entity must not be reached through the entity afterwards.
  if (linked && entity && entity->getController() == this) entity->setController(nullptr);
}

CEntityController *CEntityController::clone() { return new CEntityController(*this); }

CMapEntity_FrontaAkci *CEntityController::actionQueue() const { return CMapEntity_FrontaAkci::najdi(collection); }

float CEntityController::getX() const { return entity ? entity->getX() : 0.0f; }
float CEntityController::getY() const { return entity ? entity->getY() : 0.0f; }

void CEntityController::onBind() {}

void CEntityController::specificHandleMessages(KEvent *) {}

void CEntityController::update() {}

void CEntityController::bindEntity(CMapEntity_Game *e) {
  if (linked && entity && entity != e && entity->getController() == this) entity->setController(nullptr);
  entity = e;
  linked = false;
  if (!e) return;
  // One behaviour per entity: one bound before lets go, or it would outlive the entity unseen.
  CEntityController *before = e->getController();
  if (before && before != this) before->entityGone();
  e->setHasController(1);
  e->setController(this);
  linked = true;
  CMapEntity::links().unbindController = unbindFromDyingEntity;
}

void CEntityController::bindEC(CMapEntitiesCollection_Game *c) { collection = c; }

void CEntityController::killEntity() {
  if (entity) entity->setKill(true);
}

void CEntityController::handleMessages(KEvent *ev) {
  if (!entity) return;
  if (!entity->getFocus() && entity->getFocusable()) return;
  specificHandleMessages(ev);
}

CLevel_Game *CEntityController::currentLevel() const {
  CWorldEngine *host = worldEngine();
  return host ? host->getLevel() : nullptr;
}
