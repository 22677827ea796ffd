#include "progress/CLevelCompletedController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/CLogger.h"
#include "progress/CMapEntity_LevelCompleted.h"
#include "world/CLevelList.h"
#include "world/CMapEntitiesCollection.h"

namespace {
bool underPointer(CMapEntitiesCollection *collection, CMapEntity_Game *icon) {
  CMapEntity_Game *pointer = collection ? collection->getEntityByID(0) : nullptr;
  return pointer && icon && pointer->hits().isActionCollisionWithEntity(icon);
}
} // namespace

void CLevelCompletedController::update() {
  if (!entity) return;
  if (underPointer(collection, entity)) {
    hovered = 1;
    entity->resetFlash();
  }
  if (hovered) entity->effectFlash(0.1f, 0.35f, true);
}

void CLevelCompletedController::specificHandleMessages(KEvent *ev) {
  if (!ev || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !underPointer(collection, entity)) return;
  auto *icon = dynamic_cast<CMapEntity_LevelCompleted *>(entity);
  if (!icon || !engine) return;
  const int index = engine->getPlayer() ? engine->getPlayer()->getLevelIndex(icon->getPoradi()) : -1;
  CLogger::instance()->logParts("Set level to:", index);
  // The index comes from save.dat: level 0 is the main menu and anything past the list's end
  // would end the game, so only a day inside the list is a jump.
  const int size = engine->progression().getLevelList() ? engine->progression().getLevelList()->getSize() : 0;
  if (index > 0 && index < size) engine->setSkipToLevel(index);
}
