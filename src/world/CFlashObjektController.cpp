#include "world/CFlashObjektController.h"

#include "media/CFatal.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"

CMapEntity_FrontaAkci *requireFrontaAkci(CMapEntitiesCollection *collection) {
  CMapEntity_FrontaAkci *q = CMapEntity_FrontaAkci::najdi(collection);
  if (!q) fatalError("Entita nemuze pracovat bez FRONTAAKCI, exit", -1);
  return q;
}

CFlashObjektController::CFlashObjektController(CMapEntity_Game *entity, CMapEntitiesCollection *collection,
                                               CEngine *engine, std::string bindTo)
    : CEntityController(entity, collection, engine, std::move(bindTo)), fronta(nullptr) {}

CFlashObjektController::CFlashObjektController(const CFlashObjektController &o)
    : CEntityController(o), fronta(nullptr) {}

CFlashObjektController::~CFlashObjektController() {}

CFlashObjektController *CFlashObjektController::clone() { return new CFlashObjektController(*this); }

float CFlashObjektController::getX() const { return entity ? entity->getX() : 0.0f; }
float CFlashObjektController::getY() const { return entity ? entity->getY() : 0.0f; }

void CFlashObjektController::onBind() { fronta = requireFrontaAkci(collection); }

// The flash runs once and then stays finished until something resets it.
void CFlashObjektController::update() {
  if (entity) entity->effectFlash(0.1f, 1.0f, true);
}
