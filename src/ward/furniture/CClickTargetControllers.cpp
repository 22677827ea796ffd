#include "ward/furniture/CClickTargetControllers.h"

#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/Frame.h"
#include "ward/staff/COKController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/HitBox.h"
#include "world/kinds/EntityIds.h"

void CClickTargetController::update() {
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (entity && fronta) fronta->serveActivation(this, entity);
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
  const Rect box = f->getActionBoundingBox();
  // Strictly inside: its left and top edges are not its own either.
  return hitBox((float)(box.x + 1 + (int)entity->getX()), (float)(box.y + 1 + (int)entity->getY()), (float)(box.w - 1),
                (float)(box.h - 1), (float)mouseX, (float)mouseY);
}
