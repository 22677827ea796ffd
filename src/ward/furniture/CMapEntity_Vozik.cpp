#include "ward/furniture/CMapEntity_Vozik.h"

#include "world/CMapEntitiesFactory.h"

const float CMapEntity_Stojan::kSprayX = 8.0f;
const float CMapEntity_Stojan::kSprayY = 23.0f;

CMapEntity_Stojan::CMapEntity_Stojan(const CMapEntity_Stojan &o) : CCloneable(o) {
  bool spray = name == "ANTIV";
  CMapEntity_Game *tool = CMapEntitiesFactory::instance()->cloneEntity(spray ? "SPREJ" : "HULKA");
  CMapEntity::addEntity(tool, true, true);
  tool->setXOffset(spray ? kSprayX : 0.0f, false);
  tool->setYOffset(spray ? kSprayY : 0.0f, false);
}
