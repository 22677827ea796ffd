#include "progress/CLevelCompletedController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/CLogger.h"
#include "progress/CMapEntity_LevelCompleted.h"
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
  const int index = icon->getLevel();
  CLogger::instance()->logParts("Set level to:", index);
  // Only a finished day is played again; entry 0 is the title screen, never a jump.
  CPlayer *player = engine->getPlayer();
  if (index > 0 && player && player->wasLevelDone(index) != -1) engine->setSkipToLevel(index);
}
