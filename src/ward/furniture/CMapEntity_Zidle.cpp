#include "ward/furniture/CMapEntity_Zidle.h"

CMapEntity_Zidle::CMapEntity_Zidle(const CMapEntity_Zidle &o) : CCloneable(o) {
  examinationValue = o.examinationValue;
  occupant = o.occupant;
  gauge = o.gauge;
  chairValue = -1;
  chairFactor = 0.5f;
  if (!links().clonePrototype) return;
  CMapEntity *aura = links().clonePrototype(name + "AURA");
  addEntity(aura, true, true);
  aura->setAlpha(0.0f, true);
  if (name == "ZIDLE3") {
    aura->setXOffset(-3.0f, false);
    aura->setYOffset(-9.0f, false);
  }
  setHighlight(aura);
}

bool CMapEntity_Zidle::gaugeOffset(uint32_t chairID, float &dx, float &dy) {
  dy = -5.0f;
  switch (chairID) {
  case 1: dx = 45.0f; return true;
  case 126: dx = 58.0f; return true;
  case 154: dx = 34.0f; return true;
  case 85: dx = 43.0f; return true;
  default: return false;
  }
}
