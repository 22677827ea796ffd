#include "ward/staff/CMapEntity_Marker.h"

#include "world/kinds/EntityIds.h"

CMapEntity_Hlasic::CMapEntity_Hlasic(const CMapEntity_Hlasic &o) : CCloneable(o), on(o.on) {
  if (!links().clonePrototype) return;
  CMapEntity *light = links().clonePrototype("REDLIGHT");
  addEntity(light, true, true);
  light->setXOffset(-22.0f, false);
  light->setYOffset(-20.0f, false);
  light->setAlpha(0.0f, true);
}

void CMapEntity_Hlasic::setOn(bool b) {
  on = b ? 1 : 0;
  if (CMapEntity *light = getContainedEntity(kRedLightID)) light->setAlpha(b ? 1.0f : 0.0f, true);
}
