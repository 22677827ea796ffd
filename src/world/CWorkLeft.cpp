#include "world/CWorkLeft.h"

#include "world/CMapEntity_Game.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

CWorkLeft CWorkLeft::of(const std::vector<CMapEntity_Game *> &entities) {
  CWorkLeft left;
  CBedLink *beds = TLink<CBedLink>::get();
  for (CMapEntity_Game *e : entities) {
    if (e->getKill()) continue;
    if (e->getEntityID() == kPlayerID && e->getContainedEntity(kRubbishID)) left.linen = true;
    if (e->getEntityClassID() == kBedClass && !beds->isMadeUp(e)) {
      // A patient in the bed keeps the day open by itself; the bed is made once it leaves.
      const CMapEntity_PostelClass *b = dynamic_cast<const CMapEntity_PostelClass *>(e);
      left.beds += !(b && b->isOccupied());
    }
    if (e->getEntityClassID() != kPatientClass) continue;
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    // Paid as she got up: only her walk out is left, which keeps nothing open.
    if (p && p->getPhase() == kPhaseGone && p->getMood() != 0.0f) continue;
    const bool inBed = p && p->getPhase() == kPhaseInBed;
    if (inBed && p->getBedState() == kBedWaitingMedicine) ++left.medicine;
    else if (inBed && p->getBedState() == kBedGivingMoney) ++left.paying;
    else ++left.others;
  }
  return left;
}
