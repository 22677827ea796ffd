#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"

// The four examination chairs ("ZIDLE" ... "ZIDLE4"). A copy carries its aura, hidden, as its
// highlight; the chair's behaviour places its gauge.
class CMapEntity_Zidle : public CCloneable<CMapEntity_Zidle, CMapEntity_DiagnosticTool> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Zidle(const CMapEntity_Zidle &other);

  // Where the gauge of a chair of this entity ID stands, from the chair; false for other IDs.
  static bool gaugeOffset(uint32_t chairID, float &dx, float &dy);

  int16_t chairValue = -1;
  float chairFactor = 0.5f;
};

