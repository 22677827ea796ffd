#include "progress/CMapEntity_Hodiny.h"

#include "world/CMapEntitiesFactory.h"

CMapEntity_Hodiny::CMapEntity_Hodiny(const CMapEntity_Hodiny &o) : CCloneable(o) {
  CMapEntity_Game *hand = CMapEntitiesFactory::instance()->cloneEntity("HODINYRUCICKA");
  addEntity(hand, true, true);
  hand->setXOffset(12, false);
  hand->setYOffset(14, false);
  hand->syncWithParentPosition();
}
