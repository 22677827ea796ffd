#include "world/CPixlaBlackController.h"

#include "engine/KEvent.h"
#include "world/CFlashObjektController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"

void CPixlaBlackController::onBind() { fronta = requireFrontaAkci(collection); }

void CPixlaBlackController::queue(uint16_t id, int32_t priority) {
  akce *a = new akce();
  a->controller = this;
  a->id = id;
  a->priority = priority;
  fronta->pridej(a);
}

// The click is not marked as taken: other targets under the cursor queue theirs too.
void CPixlaBlackController::specificHandleMessages(KEvent *ev) {
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
  // Without a cursor in the level nothing can be under the mouse.
  CMapEntity_Game *cursor = collection ? collection->getEntityByID(0) : nullptr;
  if (!cursor || !cursor->isActionCollisionWithEntity(entity)) {
    queue(kDeactivate, 0);
    return;
  }
  queue(kActivate, 1);
  CMapEntity_Game *ok = CMapEntitiesFactory::instance()->cloneEntity("OK");
  ok->setXY((float)(mouseX + 9), (float)(mouseY + 24));
  collection->addEntity(ok);
}

void CPixlaBlackController::update() {
  if (!entity || !fronta) return;
  if (fronta->muzuProvadet(this, kActivate)) {
    entity->setAktivni(true);
    fronta->removeFirst(this, kActivate);
  } else if (fronta->muzuProvadet(this, kDeactivate)) {
    entity->setAktivni(false);
    fronta->removeFirst(this, kDeactivate);
  }
}
