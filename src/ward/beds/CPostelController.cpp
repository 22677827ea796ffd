#include "ward/beds/CPostelController.h"

#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/GameGlobals.h"
#include "ward/staff/COKController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/CMapEntity_PostelClass.h"

void CPostelController::onBind() { CMapEntity_FrontaAkci::require(collection); }

void CPostelController::specificHandleMessages(KEvent *ev) {
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (!entity || !collection || !fronta || entity->locked) return;
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_Game *cursor = collection->getEntityByID(0);
  if (cursor && cursor->hits().isActionCollisionWithEntity(entity)) {
    if (bylKlik) return;
    fronta->pridej(this, 1, 1);
    COKController::placeMarker(collection, ev);
    CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(entity);
    if (CMapEntity_Game *patient = bed ? bed->getOccupant() : nullptr)
      if (patient->getController()) fronta->pridej(patient->getController(), 1, 1);
    bylKlik = 1;
  } else {
    fronta->pridej(this, 2, 0);
  }
}

void CPostelController::update() {
  if (!entity || !collection) return;
  if (CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(entity)) bed->getOccupant();
  CMapEntity *rail = entity->getContainedEntityClass(CMapEntity_PostelClass::kRailClass);
  CMapEntity_Game *cursor = collection->getEntityByID(0);
  if (cursor && cursor->hits().isActionCollisionWithEntity(entity)) {
    hover = 1;
    entity->resetFlash();
    if (rail) rail->resetFlash();
  }
  if (hover) {
    entity->effectFlash(0.02f, 0.15f, false);
    if (rail) rail->effectFlash(0.02f, 0.15f, false);
  }
  if (CMapEntity_FrontaAkci *fronta = actionQueue()) fronta->serveActivation(this, entity);
}
