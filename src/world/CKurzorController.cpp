#include "world/CKurzorController.h"

#include <vector>

#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "world/CMapEntity_Game.h"

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
