#include "ward/furniture/CClickTargetControllers.h"

#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/Frame.h"
#include "ward/staff/COKController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/EntityIds.h"

void CClickTargetController::onBind() {
  fronta = CMapEntity_FrontaAkci::require(collection);
}

bool CClickTargetController::hit(KEvent *) {
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  return cursor && cursor->isActionCollisionWithEntity(entity);
}

// The marker goes where the click was: a click before any mouse move has no older position.
void CClickTargetController::specificHandleMessages(KEvent *ev) {
  if (!entity || !collection || !fronta) return;
  if (ev->type == K_EVENT_MOUSEMOVE) {
    mouseX = ev->mouseX;
    mouseY = ev->mouseY;
    return;
  }
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  mouseX = ev->mouseX;
  mouseY = ev->mouseY;
  fronta->queueClick(this, hit(ev), collection, mouseX, mouseY);
}

void CClickTargetController::update() {
  if (!entity || !fronta) return;
  fronta->serveActivation(this, entity);
}

void CVozikController::specificHandleMessages(KEvent *ev) {
  if (entity && entity->locked) return;
  CClickTargetController::specificHandleMessages(ev);
}

void CVozikController::update() {
  if (!entity || !collection) return;
  CMapEntity_Game *cursor = collection->getFirstEntityByClassID(kCursorClass);
  CMapEntity *parent = entity->getParent();
  bool inHand = parent && (parent->getEntityID() == kLeftHandID || parent->getEntityID() == kRightHandID);
  if (cursor && cursor->isActionCollisionWithEntity(entity) && !inHand) {
    flash = 1;
    entity->resetFlash();
  }
  if (flash) entity->effectFlash(0.03f, 0.15f, false);
  CClickTargetController::update();
}

bool CHulkaPodstavecController::hit(KEvent *) {
  Frame *f = entity->getCurrentFrame();
  if (!f) return false;
  Rect box = f->getActionBoundingBox();
  int x0 = box.x + (int)entity->getX(), y0 = box.y + (int)entity->getY();
  return x0 < mouseX && mouseX < x0 + box.w && y0 < mouseY && mouseY < y0 + box.h;
}
