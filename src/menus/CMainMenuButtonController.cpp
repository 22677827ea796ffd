#include "menus/CMainMenuButtonController.h"

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Game.h"

namespace {
constexpr unsigned short kCursorIDs[2] = {0, 320};
} // namespace

bool CMainMenuButtonController::underCursor() const {
  if (!entity || !collection) return false;
  for (unsigned short id : kCursorIDs) {
    CMapEntity_Game *cursor = collection->getEntityByID(id);
    if (cursor && cursor->isActionCollisionWithEntity(entity)) return true;
  }
  return false;
}

void CMainMenuButtonController::update() {
  if (!entity) return;
  if (underCursor()) {
    hovered = true;
    entity->resetFlash();
  }
  if (hovered) entity->effectFlash(0.1f, 0.35f, true);
}

void CMainMenuButtonController::specificHandleMessages(KEvent *ev) {
  if (!ev || ev->type != 3 || ev->button != 1 || !entity || !engine) return;
  if (!entity->isActionCollisionWithEntityID(kCursorIDs[0]) && !entity->isActionCollisionWithEntityID(kCursorIDs[1]))
    return;
  // Saved before the record is cleared, so the main menu offers to continue from here.
  engine->saveGame();
  engine->resetPlayer();
  engine->setSkipToLevel(0);
}
