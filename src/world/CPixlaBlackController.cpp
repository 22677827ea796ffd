#include "world/CPixlaBlackController.h"

#include "engine/KEvent.h"
#include "world/CFlashObjektController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"

void CPixlaBlackController::onBind() { CMapEntity_FrontaAkci::require(collection); }

// The click is not marked as taken: other targets under the cursor queue theirs too.
void CPixlaBlackController::specificHandleMessages(KEvent *ev) {
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (!entity || !ev || !fronta || entity->locked != 0) return;
  if (ev->type == K_EVENT_MOUSEMOVE) {
    mouseX = ev->mouseX;
    mouseY = ev->mouseY;
    return;
  }
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  // A click before any motion has only its own position to go by.
  mouseX = ev->mouseX;
  mouseY = ev->mouseY;
  fronta->queueClick(this, hit(ev), collection, mouseX, mouseY);
}

// Without a cursor in the level nothing can be under the mouse.
bool CPixlaBlackController::hit(KEvent *) {
  CMapEntity_Game *cursor = collection ? collection->getEntityByID(0) : nullptr;
  return cursor && cursor->hits().isActionCollisionWithEntity(entity);
}

void CPixlaBlackController::update() {
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (!entity || !fronta) return;
  if (fronta->muzuProvadet(this, kActivate)) {
    entity->setAktivni(true);
    fronta->removeFirst(this, kActivate);
  } else if (fronta->muzuProvadet(this, kDeactivate)) {
    entity->setAktivni(false);
    fronta->removeFirst(this, kDeactivate);
  }
}
