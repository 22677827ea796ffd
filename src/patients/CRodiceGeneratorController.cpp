#include "patients/CRodiceGeneratorController.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "media/makeString.h"
#include "patients/CMapEntity_Rodice.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
const unsigned kHospitalUpgrade3ID = 176;
} // namespace

int32_t parentsPerRoundFor(int levelNumber) { return (int32_t)(levelNumber - 19) / 6; }

CRodiceGeneratorController::CRodiceGeneratorController(const CRodiceGeneratorController &o)
    : CCloneable(o), spawnTimer(36000, false) {}

void CRodiceGeneratorController::onBind() {
  if (!collection || !collection->getEntityByID(kParentGeneratorID)) return;
  if (CMapEntity_RodiceGenerator *g = dynamic_cast<CMapEntity_RodiceGenerator *>(entity))
    g->parentsPerRound = parentsPerRoundFor(engine ? (int)engine->getSoucasnyLevel() : 0);
}

int32_t CRodiceGeneratorController::findFreeSlot() {
  for (int32_t n = 0; n < 3; ++n)
    if (slotUsed[n] == 0) {
      CLogger::instance()->log("Found free slot:" + makeString(n));
      return n;
    }
  return -1;
}

void CRodiceGeneratorController::setSlot(bool used, int place) {
  place = place < 0 ? 0 : (place > 2 ? 2 : place);
  slotUsed[place] = used ? 1 : 0;
  CLogger::instance()->log("Set slot " + makeString(place) + " to " + makeString(used ? 1 : 0));
}

void CRodiceGeneratorController::update() {
  CMapEntity_RodiceGenerator *g = dynamic_cast<CMapEntity_RodiceGenerator *>(entity);
  if (!g || !collection) return;
  CLevel_Game *lvl = currentLevel();
  if (!spawnTimer.udalost() || (lvl && lvl->closed())) return;
  for (int32_t i = 0; i < g->parentsPerRound; ++i) {
    int candidate = -1;
    for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
      CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
      if (!p || p->getKill() || p->getPhase() != kPhaseInBed) continue;
      CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
      if (!bed) continue;
      bool visited = false;
      for (CMapEntity_Game *o : *collection->getEntitiesPtr())
        if (CMapEntity_RodiceClass *r = dynamic_cast<CMapEntity_RodiceClass *>(o))
          if (!r->getKill() && r->wantedBed == bed->getBedNumber()) visited = true;
      if (!visited) candidate = bed->getBedNumber();
    }
    if (candidate < 0) continue;
    static const char *const looks[] = {"RODICE1", "RODICE2", "RODICE3"};
    const char *look = looks[CRandom::draw() % 3];
    int32_t place = findFreeSlot();
    if (place >= 0) {
      CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(look);
      e->setXY((float)(720 - 75 * place), 80.0f);
      setSlot(true, place);
      if (CMapEntity_RodiceClass *r = dynamic_cast<CMapEntity_RodiceClass *>(e)) {
        r->wantedBed = (uint16_t)candidate;
        r->slot = place;
      }
      collection->addEntity(e);
      if (CSoundEngine *s = engine ? engine->getSoundEngine() : nullptr) s->playSound("PARENTS_APPEAR");
      if (CMapEntity_Game *h = collection->getEntityByID(kHospitalUpgrade3ID))
        if (CUpgradeFlashLink *link = TLink<CUpgradeFlashLink>::get()) link->flash(h);
    }
    spawnTimer.nastavSpoustec(36000);
  }
}
