#include "patients/CObtiznostAdjusterController.h"

#include "core/CEngine.h"
#include "media/CFakeTime.h"
#include "media/Timer.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CMapEntity_PacientClass.h"

void foldLeaver(TDifficulty &d, float mood) {
  d.samples += 1;
  d.sum += mood * 1.7f;
  if (mood == 0.0f) d.samples += 3;
  d.factor = d.sum / (float)d.samples / 0.85f;
  if (d.factor < 0.62f) d.factor = 0.62f;
  if (d.factor > 0.85f) d.factor = 0.85f;
}

void CObtiznostAdjusterController::update() {
  CMapEntity_ObtiznostAdjuster *a = dynamic_cast<CMapEntity_ObtiznostAdjuster *>(entity);
  if (!a || !collection) return;
  uint32_t now = CFakeTime_instance ? CFakeTime_instance->ms : 0;
  CLevel_Game *lvl = currentLevel();
  if (a->pauseStart != 0 && a->pauseEnd != 0 && now > a->pauseEnd && lvl) {
    a->pauseStart = now + (uint32_t)lvl->getZacatekPauzy() + (uint32_t)lvl->getZacatekPauzyRand();
    a->pauseEnd = a->pauseStart + (uint32_t)lvl->getDelkaPauzy();
  }
  if (!countTimer.udalost() || !counting || !engine) return;
  std::vector<CMapEntity_Game *> list = *collection->getEntitiesPtr();
  for (CMapEntity_Game *e : list) {
    CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
    if (!p || p->getEntityClassID() != 15 || p->getPhase() != kPhaseGone || p->countedForDifficulty()) continue;
    TDifficulty d{engine->getDifficultyFactor(), engine->getDifficultySamples(), engine->getDifficultySum()};
    foldLeaver(d, p->getMood());
    engine->setDifficulty(d.factor, d.samples, d.sum);
    p->markCountedForDifficulty();
  }
}
