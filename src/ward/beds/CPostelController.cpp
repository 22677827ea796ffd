#include "ward/beds/CPostelController.h"

#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/GameGlobals.h"
#include "ward/staff/COKController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/CMapEntity_PostelClass.h"

namespace {
void queue(CMapEntity_FrontaAkci *fronta, CEntityController *c, uint16_t id, int32_t priority) {
  akce *a = new akce();
  a->controller = c;
  a->id = id;
  a->priority = priority;
  fronta->pridej(a);
}
} // namespace

void CPostelController::onBind() {
  fronta = CMapEntity_FrontaAkci::najdi(collection);
  if (!fronta) fatalError("Entita nemuze pracovat bez FRONTAAKCI, exit", -1);
}

void CPostelController::specificHandleMessages(KEvent *ev) {
  if (!entity || !collection || !fronta || entity->locked) return;
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_Game *cursor = collection->getEntityByID(0);
  if (cursor && cursor->isActionCollisionWithEntity(entity)) {
    if (bylKlik) return;
    queue(fronta, this, 1, 1);
    COKController::placeMarker(collection, ev);
    CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(entity);
    if (CMapEntity_Game *patient = bed ? bed->getOccupant() : nullptr)
      if (patient->getController()) queue(fronta, patient->getController(), 1, 1);
    bylKlik = 1;
  } else {
    queue(fronta, this, 2, 0);
  }
}

void CPostelController::update() {
  if (!entity || !collection) return;
  if (CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(entity)) bed->getOccupant();
  CMapEntity *rail = entity->getContainedEntityClass(CMapEntity_PostelClass::kRailClass);
  CMapEntity_Game *cursor = collection->getEntityByID(0);
  if (cursor && cursor->isActionCollisionWithEntity(entity)) {
    hover = 1;
    entity->resetFlash();
    if (rail) rail->resetFlash();
  }
  if (hover) {
    entity->effectFlash(0.02f, 0.15f, false);
    if (rail) rail->effectFlash(0.02f, 0.15f, false);
  }
  if (!fronta) return;
  fronta->serveActivation(this, entity);
}
