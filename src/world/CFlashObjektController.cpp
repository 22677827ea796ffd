#include "world/CFlashObjektController.h"

#include "media/CFatal.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"

void CFlashObjektController::onBind() { CMapEntity_FrontaAkci::require(collection); }

// The flash runs once and then stays finished until something resets it.
void CFlashObjektController::update() {
  if (entity) entity->effectFlash(0.1f, 1.0f, true);
}
