#include "world/kinds/CMapEntity_BacilyClass.h"

#include "world/CMapEntitiesCollection.h"

float CMapEntity_BacilyClass::drainAheadAt(CMapEntitiesCollection *c, const CMapEntity *bed) {
  float sum = 0.0f;
  if (!c || !bed) return sum;
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (const CMapEntity_BacilyClass *germ = dynamic_cast<const CMapEntity_BacilyClass *>(e))
      if (germ->prey.is(bed) && !germ->getKill()) sum += germ->drainAhead;
  return sum;
}
