#include "events/CMiskaController.h"

#include "events/CDNAGeneratorController.h"
#include "events/CMapEntity_Miska.h"
#include "events/LabIds.h"
#include "media/CSoundEngine.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"

void CMiskaController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CMiskaController::update() {
  CMapEntity_Miska *dish = dynamic_cast<CMapEntity_Miska *>(entity);
  if (!dish || !collection) return;
  CMapEntity_Game *cursor = collection->getEntityByID(kCursor2ID);
  if (cursor && dish->filled == 0 && dish->hits().isActionCollisionWithEntity(cursor)) resetFlash();
  if (flashing) dish->effectFlash(0.1f, 1.0f, true);
}

void CMiskaController::resetFlash() {
  flashing = 1;
  if (!entity) return;
  entity->resetFlash();
}

void CMiskaSetController::onBind() {
  if (entity) entity->setAlpha(alpha, true);
}

const std::vector<setSkore> &CMiskaSetController::recordsOf(CMapEntitiesCollection *collection) {
  static const std::vector<setSkore> none;
  CMapEntity_Game *set = collection ? collection->getEntityByID(kMiskaSetID) : nullptr;
  CMiskaSetController *c = set ? dynamic_cast<CMiskaSetController *>(set->getController()) : nullptr;
  return c ? c->records : none;
}

void CMiskaSetController::checkSetComplete() {
  if (!entity) return;
  std::vector<CMapEntity_Miska *> dishes;
  bool complete = true;
  const std::vector<CMapEntity *> &carried = entity->carrying().getContainedList();
  for (size_t i = 1; i < carried.size(); ++i) {
    if (carried[i]->getEntityID() != kMiskaID) continue;
    CMapEntity_Miska *dish = dynamic_cast<CMapEntity_Miska *>(carried[i]);
    if (!dish) continue;
    dishes.push_back(dish);
    complete = complete && dish->filled == 1;
  }
  if (!complete) return;
  if (completed == 0) {
    completed = 1;
    const CMapEntity_Miska *last = carried.size() > 1 ? dynamic_cast<const CMapEntity_Miska *>(carried.back()) : nullptr;
    records.push_back(setSkore{last ? last->value : 0, (int32_t)carried.size() - 1});
    CWorldEngine *host = worldEngine();
    if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("PERK_ACTIVATE");
    for (CMapEntity_Miska *dish : dishes)
      if (CMiskaController *c = dynamic_cast<CMiskaController *>(dish->getController())) c->resetFlash();
  }
  for (CMapEntity_Miska *dish : dishes) {
    dish->changeAlpha(-0.01f, true);
    if (dish->looks().getAlpha() <= 0.0f) {
      generateNewSet();
      return;
    }
  }
}

void CMiskaSetController::generateNewSet() {
  if (!entity) return;
  const std::vector<CMapEntity *> &carried = entity->carrying().getContainedList();
  for (size_t i = 1; i < carried.size(); ++i) carried[i]->setKill(true);
  completed = 0;
  if (CDNAGeneratorController *g = CDNAGeneratorController::find(collection)) g->generujMisky();
}
