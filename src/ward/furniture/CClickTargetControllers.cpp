#include "ward/furniture/CClickTargetControllers.h"

#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/Frame.h"
#include "ward/staff/COKController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/EntityIds.h"

void CClickTargetController::update() {
  if (!entity || !fronta) return;
  fronta->serveActivation(this, entity);
}

void CVozikController::specificHandleMessages(KEvent *ev) {
  if (entity && entity->locked) return;
  CPixlaBlackController::specificHandleMessages(ev);
}

void CVozikController::update() {
  if (!entity || !collection) return;
  CMapEntity_Game *cursor = collection->getFirstEntityByClassID(kCursorClass);
  CMapEntity *parent = entity->carrying().getParent();
  bool inHand = parent && (parent->getEntityID() == kLeftHandID || parent->getEntityID() == kRightHandID);
  if (cursor && cursor->hits().isActionCollisionWithEntity(entity) && !inHand) {
    flash = 1;
    entity->resetFlash();
  }
  if (flash) entity->effectFlash(0.03f, 0.15f, false);
  CClickTargetController::update();
}

bool CHulkaPodstavecController::hit(KEvent *) {
  Frame *f = entity->looks().getCurrentFrame();
  if (!f) return false;
  Rect box = f->getActionBoundingBox();
  int x0 = box.x + (int)entity->getX(), y0 = box.y + (int)entity->getY();
  return x0 < mouseX && mouseX < x0 + box.w && y0 < mouseY && mouseY < y0 + box.h;
}
