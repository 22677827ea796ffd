#include "world/CFlashObjektController.h"

#include "media/CFatal.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"

CMapEntity_FrontaAkci *requireFrontaAkci(CMapEntitiesCollection *collection) {
  CMapEntity_FrontaAkci *q = CMapEntity_FrontaAkci::najdi(collection);
  if (!q) fatalError("Entita nemuze pracovat bez FRONTAAKCI, exit", -1);
  return q;
}

void CFlashObjektController::onBind() { fronta = requireFrontaAkci(collection); }

// The flash runs once and then stays finished until something resets it.
void CFlashObjektController::update() {
  if (entity) entity->effectFlash(0.1f, 1.0f, true);
}
