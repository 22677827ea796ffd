#include "ward/cabinet/CLekController.h"

#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

CLekController::CLekController(const CLekController &o) : CCloneable(o), hover(o.hover) {}

void CLekController::onBind() {
  CMapEntity_FrontaAkci::require(collection);
  CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(entity);
  if (bedLinked || !lek) return;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e);
    if (!b || b->getEntityClassID() != kBedClass || b->getBedNumber() != lek->bedNumber) continue;
    bed = b;
    if (lek->carrying().getParent()) {
      light(b, true);
      bedLinked = 1;
    }
  }
}

void CLekController::light(CMapEntity_Game *b, bool on) {
  b->setHighlightOn(on);
  if (b->getHighlight()) b->getHighlight()->looks().setVisible(on);
}

void CLekController::specificHandleMessages(KEvent *ev) {
  if (!ev || !entity || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (!fronta) return;
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  const bool hit = cursor && cursor->hits().isActionCollisionWithEntity(entity);
  fronta->queueClick(this, hit, collection, (int)KInput::getMouseX(), (int)KInput::getMouseY());
}

void CLekController::update() {
  if (!entity || !collection) return;
  CMapEntity *parent = entity->carrying().getParent();
  bool inHand = parent && (parent->getEntityID() == kLeftHandID || parent->getEntityID() == kRightHandID);
  CMapEntity_Game *cursor = collection->getFirstEntityByClassID(kCursorClass);
  if (cursor && cursor->hits().isActionCollisionWithEntity(entity) && !inHand) {
    hover = 1;
    entity->resetFlash();
  }
  if (hover) entity->effectFlash(0.1f, 1.0f, false);
  if (CMapEntity_FrontaAkci *fronta = actionQueue()) fronta->serveActivation(this, entity);
  // A bed taken out of the level is forgotten before anything follows the link.
  CMapEntity_PostelClass *b = bed.in(collection);
  if (!b || b->getKill()) {
    bed.clear();
    return;
  }
  if (parent) light(b, true);
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(b->getOccupant());
  if (!p || p->getBedState() != kBedWaitingMedicine) {
    light(b, false);
    entity->setKill(true);
    bed.clear();
  }
}
