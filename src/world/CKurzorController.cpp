#include "world/CKurzorController.h"

#include <vector>

#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "media/Frame.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapEntity_Visual.h"
#include "world/HitBox.h"

namespace {

const unsigned short kPlayerFigure = 7;

// What the cursor's action box touches among entities that have the focus.
struct TTouch {
  bool focused = false;
  bool click = false;
  bool drag = false;
};

TTouch touched(CMapEntity_Game *cursor) {
  TTouch t;
  for (CMapEntity *e : cursor->hits().getActionCollided()) {
    if (!e->getFocus()) continue;
    t.focused = true;
    if (e->getMouseClick()) t.click = true;
    if (e->getMouseDrag()) t.drag = true;
  }
  return t;
}

} // namespace

void CKurzorController::followMouse(CMapEntity_Game *cursor) {
  if (!cursor) return;
  cursor->setXY((float)KInput::getMouseX(), (float)KInput::getMouseY());
}

void CKurzorController::pressThroughArrow(CMapEntity_Game *cursor, CMapEntitiesCollection *collection) {
  if (!cursor || !collection) return;
  const std::vector<CMapEntity_Game *> &all = *collection->getEntitiesPtr();
  float x = 0.0f, y = 0.0f;
  bool onArrow = false;
  for (CMapEntity_Game *e : all) {
    const auto *arrow = dynamic_cast<const CMapEntity_Sipka *>(e);
    const Frame *f = arrow ? arrow->looks().getCurrentFrame() : nullptr;
    if (!f || arrow->getKill() || !arrow->looks().getVisible() || arrow->looks().getAlpha() == 0.0f) continue;
    if (!hitBox(arrow, Rect{0, 0, (int)f->getSirka(), (int)f->getVyska()}, cursor->getX(), cursor->getY())) continue;
    onArrow = arrow->tip(x, y);
  }
  if (!onArrow) return;
  // The head points a few pixels past its tip too: a small thing just beside it is meant.
  const int kNear = 6;
  std::vector<CMapEntity_Game *> pointedAt;
  for (CMapEntity_Game *e : all) {
    const Frame *f = e->looks().getCurrentFrame();
    if (!f || e == cursor || e->getKill() || !(e->getMouseClick() || e->getMouseDrag())) continue;
    const Rect box = f->getActionBoundingBox();
    if (hitBox(e, Rect{box.x - kNear, box.y - kNear, box.w + 2 * kNear, box.h + 2 * kNear}, x, y)) pointedAt.push_back(e);
  }
  if (pointedAt.empty()) return;
  // The arrow is drawn over what lies beneath it: the press is for what it points at.
  const std::vector<CMapEntity *> beneath = cursor->hits().getActionCollided();
  for (CMapEntity *e : beneath) e->deleteFromActionCollisionList(cursor);
  cursor->hits().removeActionCollisions();
  for (CMapEntity_Game *e : pointedAt) {
    cursor->hits().addEntityActionCollision(e);
    e->hits().addEntityActionCollision(cursor);
  }
}

void CKurzorController::onBind() { followMouse(entity); }

void CKurzorController::update() { followMouse(entity); }

void CKurzorController::specificHandleMessages(KEvent *ev) {
  if (!entity || !ev) return;
  switch (ev->type) {
  case K_EVENT_MOUSEUP:
    entity->changeFrame(0, 0);
    break;
  case K_EVENT_MOUSEDOWN:
    if (ev->button == 1) entity->changeFrame(1, 0);
    break;
  case K_EVENT_MOUSEMOVE: {
    if (entity->hits().getActionCollided().empty()) {
      entity->changeFrameset("NEUTRAL");
      break;
    }
    // Over the player figure the look stays whatever it was.
    if (entity->hits().isActionCollisionWithEntityID(kPlayerFigure)) break;
    TTouch t = touched(entity);
    if (entity->locked != 0 || !t.focused) break;
    if (t.click) entity->changeFrameset("POINT");
    if (t.drag) entity->changeFrameset("DRAG");
    break;
  }
  default:
    break;
  }
}

void CKurzor2Controller::onBind() { CKurzorController::followMouse(entity); }

void CKurzor2Controller::update() { CKurzorController::followMouse(entity); }

void CKurzor2Controller::specificHandleMessages(KEvent *ev) {
  if (!entity || !ev || ev->type != K_EVENT_MOUSEMOVE) return;
  if (entity->hits().getActionCollided().empty()) {
    entity->changeFrameset("FRAMESET1");
    return;
  }
  if (entity->hits().isActionCollisionWithEntityID(kPlayerFigure)) return;
  if (entity->locked == 0 && touched(entity).focused) entity->changeFrameset("ACTIVE");
}
